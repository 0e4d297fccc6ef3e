// frmTarvPList: the running processes or open windows, with Refresh and Find.
#include "editor/TarvPList.h"
#include "editor/win32/DialogSupport.h"
#include "editor/win32/EditorViews.h"

namespace editorwin {

namespace {

class TPListView : public TModalWindow {
 public:
  explicit TPListView(bool windowMode) {
    model_.WindowMode = windowMode;
    Create(nullptr, "Running processes", 476, 300);
  }

 protected:
  void CreateControls() override {
    HWND list = AddControl("LISTBOX", "", WS_TABSTOP | WS_VSCROLL | LBS_NOINTEGRALHEIGHT, {16, 8, 361, 249},
                           kPListId, WS_EX_CLIENTEDGE);
    SendMessageA(list, LB_SETITEMHEIGHT, 0, Scale(16));
    AddControl("BUTTON", "&Close", WS_TABSTOP | BS_PUSHBUTTON, {392, 232, 64, 25}, IDOK);
    AddControl("BUTTON", "&Refresh", WS_TABSTOP | BS_PUSHBUTTON, {392, 8, 64, 25}, kButton2Id);
    AddControl("BUTTON", "&Find...", WS_TABSTOP | BS_PUSHBUTTON, {392, 40, 64, 25}, kButton3Id);
    SetFocus(list);
  }
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM, INT_PTR&) override {
    switch (message) {
      case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) Button2Click();  // OnActivate
        return false;
      case WM_CLOSE: EndModal(IDCANCEL); return true;
      case WM_COMMAND:
        switch (LOWORD(wParam)) {
          case IDOK:
          case IDCANCEL: EndModal(IDOK); return true;  // Button1Click, and Esc
          case kButton2Id: Button2Click(); return true;
          case kButton3Id: Button3Click(); return true;
        }
        return false;
    }
    return false;
  }

 private:
  void Button2Click() {
    model_.ResetAndRefresh();
    Show();
  }
  void Button3Click() {
    model_.Find(InputBox(Handle(), "Enter find string", "Please Enter string to find", ""));
    Show();
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
  }

  TPListModel model_;
};

}  // namespace

void ShowProcessListView(bool windowMode) {
  TPListView view(windowMode);
  view.RunModal();
}

}  // namespace editorwin
