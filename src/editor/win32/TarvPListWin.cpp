// frmTarvPList: the running processes or open windows, with Refresh and Find.
// A window list opened from the editor has one more button, below the
// list, that puts an /activate line for the selected window into the file.
#include "editor/TarvPList.h"
#include "editor/win32/DialogSupport.h"
#include "editor/win32/EditorViews.h"

namespace editorwin {

namespace {

// The extra room below the list that the /activate button takes.
constexpr int kButton4Room = 40;

class TPListView : public TModalWindow {
 public:
  TPListView(bool windowMode, HWND owner, const TActivateLineTaker& taker)
      : taker_(windowMode ? taker : nullptr) {
    model_.WindowMode = windowMode;
    Create(owner, "Running processes", 476, taker_ ? 300 + kButton4Room : 300);
  }

 protected:
  void CreateControls() override {
    HWND list = AddControl("LISTBOX", "", WS_TABSTOP | WS_VSCROLL | LBS_NOINTEGRALHEIGHT | LBS_NOTIFY,
                           {16, 8, 361, 249}, kPListId, WS_EX_CLIENTEDGE);
    SendMessageA(list, LB_SETITEMHEIGHT, 0, Scale(16));
    AddControl("BUTTON", "&Close", WS_TABSTOP | BS_PUSHBUTTON, {392, 232, 64, 25}, IDOK);
    AddControl("BUTTON", "&Refresh", WS_TABSTOP | BS_PUSHBUTTON, {392, 8, 64, 25}, kButton2Id);
    AddControl("BUTTON", "&Find...", WS_TABSTOP | BS_PUSHBUTTON, {392, 40, 64, 25}, kButton3Id);
    if (taker_)
      AddControl("BUTTON", "Add /&activate line to the command file",
                 WS_TABSTOP | WS_DISABLED | BS_PUSHBUTTON, {16, 264, 361, 25}, kButton4Id);
    SetFocus(list);
  }
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM, INT_PTR&) override {
    switch (message) {
      case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) Button2Click();  // OnActivate
        return false;
      case WM_CLOSE: EndModal(IDCANCEL); return true;
      case WM_COMMAND: return Command(LOWORD(wParam), HIWORD(wParam));
    }
    return false;
  }

 private:
  bool Command(int id, int code) {
    switch (id) {
      case IDOK:
      case IDCANCEL: EndModal(IDOK); return true;  // Button1Click, and Esc
      case kButton2Id: Button2Click(); return true;
      case kButton3Id: Button3Click(); return true;
      case kButton4Id: Button4Click(); return true;
      case kPListId:
        if (code == LBN_SELCHANGE) EnableButton4();
        if (code == LBN_DBLCLK) Button4Click();
        return true;
    }
    return false;
  }
  void Button2Click() {
    model_.ResetAndRefresh();
    Show();
  }
  void Button3Click() {
    model_.Find(InputBox(Handle(), "Enter find string", "Please Enter string to find", ""));
    Show();
  }
  // The list stays open: the user may pick more windows, each line after
  // the one before.
  void Button4Click() {
    const int selected = SelectedIndex();
    if (!taker_ || selected < 0 || selected >= static_cast<int>(model_.Entries.size())) return;
    taker_(model_.Entries[selected]);
  }
  int SelectedIndex() const { return static_cast<int>(SendMessageA(Item(kPListId), LB_GETCURSEL, 0, 0)); }
  void EnableButton4() {
    if (taker_) EnableWindow(Item(kButton4Id), SelectedIndex() >= 0 ? TRUE : FALSE);
  }
  void Show() {
    SetWindowTextA(Handle(), model_.Caption.c_str());
    HWND list = Item(kPListId);
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (const std::string& entry : model_.Entries)
      SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
    EnableButton4();
  }

  TPListModel model_;
  TActivateLineTaker taker_;
};

}  // namespace

void ShowProcessListView(bool windowMode, HWND owner, const TActivateLineTaker& taker) {
  TPListView view(windowMode, owner, taker);
  view.RunModal();
}

}  // namespace editorwin
