#include "run/win32/GuiUserInterface.h"

#include <windows.h>

#include "run/win32/AppWindow.h"
#include "run/win32/UTarvInfo.h"

namespace {

UINT BoxIcon(TBoxKind kind) {
  switch (kind) {
    case TBoxKind::Information: return MB_ICONINFORMATION;
    case TBoxKind::Warning: return MB_ICONWARNING;
    case TBoxKind::Error: return MB_ICONERROR;
  }
  return 0;
}

}  // namespace

void TGuiUI::ShowBox(TBoxKind kind, std::string_view text) {
  MessageBoxA(nullptr, std::string(text).c_str(), BoxCaption(kind), MB_OK | BoxIcon(kind));
}

bool TGuiUI::AskYesNo(std::string_view question) {
  return MessageBoxA(nullptr, std::string(question).c_str(), "Confirm", MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void TGuiUI::ShowInfoDialog(std::string_view text) { ShowTarvInfoDlg(text); }

void TGuiUI::SetAppTitle(std::string_view title) {
  title_ = title;
  SetAppWindowTitle(title_);
}

void TGuiUI::ShowAppTitle() { SetAppWindowTitle(title_); }

TGuiUI& GuiUserInterface() {
  static TGuiUI gui;
  return gui;
}
