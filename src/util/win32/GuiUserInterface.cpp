#include "util/win32/GuiUserInterface.h"

#include <windows.h>

#include "util/win32/AppWindow.h"
#include "util/win32/UTarvInfo.h"

namespace {

UINT BoxIcon(TBoxKind kind) {
  switch (kind) {
    case TBoxKind::Information: return MB_ICONINFORMATION;
    case TBoxKind::Warning: return MB_ICONWARNING;
    case TBoxKind::Error: return MB_ICONERROR;
  }
  return 0;
}

// A box belongs to the window of ours in front (the editor, one of its
// dialogs): it stays above that window, which takes no input while the box
// is shown and so cannot be re-entered. The zero-size application window
// that only carries the taskbar title owns nothing.
HWND WindowInFront() {
  HWND active = GetActiveWindow();
  if (active == nullptr || IsOwnAppWindow(active) || !IsWindowVisible(active)) return nullptr;
  return active;
}

}  // namespace

void TGuiUI::ShowBox(TBoxKind kind, std::string_view text) {
  MessageBoxA(WindowInFront(), std::string(text).c_str(), BoxCaption(kind), MB_OK | BoxIcon(kind));
}

bool TGuiUI::AskYesNo(std::string_view question, bool noByDefault) {
  const UINT style = MB_YESNO | MB_ICONQUESTION | (noByDefault ? MB_DEFBUTTON2 : MB_DEFBUTTON1);
  return MessageBoxA(WindowInFront(), std::string(question).c_str(), "Confirm", style) == IDYES;
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
