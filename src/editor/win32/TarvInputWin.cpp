// frmTarvInput: the command dialog's controls over real windows.
#include <windows.h>
#include <commdlg.h>

#include <vector>

#include "editor/win32/DialogSupport.h"
#include "editor/win32/EditorViews.h"

namespace editorwin {

namespace {

constexpr UINT kProgChangedLater = WM_APP + 1;  // the combo's text is known only after CBN_SELCHANGE

struct TControlLayout {
  int id;
  const char* className;
  const char* caption;
  DWORD style;
  TDesignRect rect;
  DWORD exStyle;
};

// In tab order; positions of the option controls are inside their group boxes
// (GroupBox1 at 24,160 and GroupBox2 at 376,160) and added up here.
const TControlLayout kLayout[] = {
    {kLabel1InputId, "STATIC", "Command:", SS_RIGHT, {19, 16, 81, 16}, 0},
    {kProgId,
     "COMBOBOX",
     "",
     WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL,
     {104, 16, 209, 240},
     0},
    {kLabel3Id, "STATIC", "Command", SS_RIGHT, {17, 48, 80, 16}, 0},
    {kLabel2InputId, "STATIC", "Arguments", SS_RIGHT, {17, 64, 80, 16}, 0},
    {kArgsId, "EDIT", "", WS_TABSTOP | ES_AUTOHSCROLL, {104, 52, 209, 24}, WS_EX_CLIENTEDGE},
    {kGroupBox1Id, "BUTTON", "Initial Window Mode", BS_GROUPBOX, {24, 160, 313, 81}, 0},
    {kHideOptId,
     "BUTTON",
     "Hidden",
     WS_GROUP | WS_TABSTOP | BS_AUTORADIOBUTTON,
     {24 + 8, 160 + 48, 73, 17},
     0},
    {kMinOptId, "BUTTON", "Minimized", BS_AUTORADIOBUTTON, {24 + 96, 160 + 24, 105, 17}, 0},
    {kMaxOptId, "BUTTON", "Maximized", BS_AUTORADIOBUTTON, {24 + 96, 160 + 48, 121, 17}, 0},
    {kNormalOptId, "BUTTON", "Normal", BS_AUTORADIOBUTTON, {24 + 8, 160 + 24, 81, 17}, 0},
    {kMinNoActOptId, "BUTTON", "NoActivate", BS_AUTORADIOBUTTON, {24 + 200, 160 + 24, 105, 17}, 0},
    {kGroupBox2Id, "BUTTON", "error handling", WS_GROUP | BS_GROUPBOX, {376, 160, 153, 81}, 0},
    {kIgnoreOptId, "BUTTON", "Ignore Error", WS_TABSTOP | BS_AUTOCHECKBOX, {376 + 8, 160 + 40, 121, 25}, 0},
    {kWarnOptId, "BUTTON", "Give Warning", WS_TABSTOP | BS_AUTOCHECKBOX, {376 + 8, 160 + 16, 121, 25}, 0},
    {kBtnBrowseId, "BUTTON", "Browse...", WS_GROUP | WS_TABSTOP | BS_PUSHBUTTON, {336, 12, 76, 25}, 0},
    {kWaitOptId,
     "BUTTON",
     "Wait for program to finish before continuing",
     WS_TABSTOP | BS_AUTOCHECKBOX,
     {32, 112, 377, 25},
     0},
    {IDOK, "BUTTON", "&OK", WS_TABSTOP | BS_DEFPUSHBUTTON, {440, 20, 89, 29}, 0},
    {IDCANCEL, "BUTTON", "&Cancel", WS_TABSTOP | BS_PUSHBUTTON, {440, 60, 89, 29}, 0},
};

int OptionId(TOptionControl control) {
  switch (control) {
    case TOptionControl::NormalOpt: return kNormalOptId;
    case TOptionControl::HideOpt: return kHideOptId;
    case TOptionControl::MinOpt: return kMinOptId;
    case TOptionControl::MaxOpt: return kMaxOptId;
    case TOptionControl::MinNoActOpt: return kMinNoActOptId;
    case TOptionControl::WaitOpt: return kWaitOptId;
    case TOptionControl::WarnOpt: return kWarnOptId;
    case TOptionControl::IgnoreOpt: return kIgnoreOptId;
  }
  return 0;
}

class TCommandDialogView : public TModalWindow, public ICommandDialogControls {
 public:
  explicit TCommandDialogView(HWND owner) { Create(owner, "Enter command line and options", 552, 287); }

  std::string ProgText() const override { return ItemText(kProgId); }
  void SetProgText(const std::string& text) override { SetWindowTextA(Item(kProgId), text.c_str()); }
  void SetProgItems(const std::vector<std::string>& items) override {
    HWND prog = Item(kProgId);
    SendMessageA(prog, CB_RESETCONTENT, 0, 0);
    for (const std::string& item : items)
      SendMessageA(prog, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    SetWindowTextA(prog, "");
  }
  std::string ArgsText() const override { return ItemText(kArgsId); }
  void SetArgsText(const std::string& text) override { SetWindowTextA(Item(kArgsId), text.c_str()); }
  void SetArgsVisible(bool visible) override { ShowWindow(Item(kArgsId), visible ? SW_SHOW : SW_HIDE); }
  void SetUpperLabel(const std::string& caption, bool visible) override {
    SetLabel(kLabel3Id, caption, visible);
  }
  void SetLowerLabel(const std::string& caption, bool visible) override {
    SetLabel(kLabel2InputId, caption, visible);
  }
  bool Checked(TOptionControl control) const override {
    return SendMessageA(Item(OptionId(control)), BM_GETCHECK, 0, 0) == BST_CHECKED;
  }
  void SetChecked(TOptionControl control, bool checked) override {
    SendMessageA(Item(OptionId(control)), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  bool Enabled(TOptionControl control) const override { return IsWindowEnabled(Item(OptionId(control))); }
  void SetEnabled(TOptionControl control, bool enabled) override {
    EnableWindow(Item(OptionId(control)), enabled ? TRUE : FALSE);
  }
  std::optional<std::string> ChooseProgram() override;
  bool ShowModal(ICommandDialogEvents& events) override {
    events_ = &events;
    events.OnActivate();  // the first showing, whatever order the system activates in
    const bool confirmed = RunModal() == IDOK;
    events_ = nullptr;
    return confirmed;
  }

 protected:
  void CreateControls() override {
    for (const TControlLayout& control : kLayout)
      AddControl(control.className, control.caption, control.style, control.rect, control.id,
                 control.exStyle);
    SendMessageA(Item(kProgId), CB_SETITEMHEIGHT, 0, Scale(16));
    SendMessageA(Item(kProgId), CB_LIMITTEXT, 0, 0);
    SendMessageA(Item(kArgsId), EM_SETLIMITTEXT, 0, 0);
    SetFocus(Item(kProgId));
  }
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

 private:
  void SetLabel(int id, const std::string& caption, bool visible) {
    SetWindowTextA(Item(id), caption.c_str());
    ShowWindow(Item(id), visible ? SW_SHOW : SW_HIDE);
  }
  bool HandleCommand(int id, int code);

  ICommandDialogEvents* events_ = nullptr;
};

std::optional<std::string> TCommandDialogView::ChooseProgram() {
  std::vector<char> path(32768, '\0');
  OPENFILENAMEA dialog = {};
  dialog.lStructSize = sizeof(dialog);
  dialog.hwndOwner = Handle();
  dialog.lpstrFilter = "Executables (*.exe;*.com;*.bat)\0*.exe;*.com;*.bat\0All Files (*.*)\0*.*\0";
  dialog.lpstrFile = path.data();
  dialog.nMaxFile = static_cast<DWORD>(path.size());
  dialog.Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_SHAREAWARE | OFN_READONLY;
  if (!GetOpenFileNameA(&dialog)) return std::nullopt;
  return std::string(path.data());
}

bool TCommandDialogView::HandleMessage(UINT message, WPARAM wParam, LPARAM, INT_PTR& result) {
  if (events_ == nullptr) return false;
  switch (message) {
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE) events_->OnActivate();
      return false;
    case kProgChangedLater: events_->ProgChange(); return true;
    case WM_CLOSE: EndModal(IDCANCEL); return true;
    case WM_COMMAND: result = 0; return HandleCommand(LOWORD(wParam), HIWORD(wParam));
  }
  return false;
}

bool TCommandDialogView::HandleCommand(int id, int code) {
  if (id == kProgId) {
    if (code == CBN_EDITCHANGE) events_->ProgChange();
    if (code == CBN_SELCHANGE) PostMessageA(Handle(), kProgChangedLater, 0, 0);
    if (code == CBN_DROPDOWN) {
      events_->ProgDropDown();
      events_->ProgChange();
    }
    return true;
  }
  switch (id) {
    case kBtnBrowseId:
      events_->btnBrowseClick();
      events_->ProgChange();
      return true;
    case IDOK:
      if (events_->btnOkClick()) EndModal(IDOK);
      return true;
    case IDCANCEL: EndModal(IDCANCEL); return true;
  }
  return false;
}

}  // namespace

std::unique_ptr<ICommandDialogControls> CreateCommandDialogView(HWND owner) {
  return std::make_unique<TCommandDialogView>(owner);
}

}  // namespace editorwin
