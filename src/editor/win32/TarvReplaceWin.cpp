// frmReplace: the find and replacement texts for Replace All.
#include "editor/win32/DialogSupport.h"
#include "editor/win32/EditorViews.h"

namespace editorwin {

namespace {

class TReplaceView : public TModalWindow {
 public:
  explicit TReplaceView(HWND owner) { Create(owner, "Replace All", 542, 148); }
  TReplaceStrings Strings() const { return strings_; }

 protected:
  void CreateControls() override {
    AddControl("STATIC", "String to replace:", SS_RIGHT, {27, 28, 125, 16}, kReplaceLabel1Id);
    AddControl("STATIC", "Replace with string", SS_RIGHT, {14, 72, 138, 16}, kReplaceLabel2Id);
    HWND string1 =
        AddControl("EDIT", "", WS_TABSTOP | ES_AUTOHSCROLL, {160, 24, 209, 24}, kString1Id, WS_EX_CLIENTEDGE);
    HWND string2 =
        AddControl("EDIT", "", WS_TABSTOP | ES_AUTOHSCROLL, {160, 68, 209, 24}, kString2Id, WS_EX_CLIENTEDGE);
    AddControl("BUTTON", "&OK", WS_TABSTOP | BS_DEFPUSHBUTTON, {434, 20, 89, 29}, IDOK);
    AddControl("BUTTON", "&Cancel", WS_TABSTOP | BS_PUSHBUTTON, {434, 60, 89, 29}, IDCANCEL);
    SendMessageA(string1, EM_SETLIMITTEXT, 0, 0);
    SendMessageA(string2, EM_SETLIMITTEXT, 0, 0);
    SetFocus(string1);
  }
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM, INT_PTR&) override {
    if (message == WM_CLOSE) {
      EndModal(IDCANCEL);
      return true;
    }
    if (message != WM_COMMAND) return false;
    if (LOWORD(wParam) == IDOK) {
      strings_ = {ItemText(kString1Id), ItemText(kString2Id)};
      EndModal(IDOK);
      return true;
    }
    if (LOWORD(wParam) == IDCANCEL) {
      EndModal(IDCANCEL);
      return true;
    }
    return false;
  }

 private:
  TReplaceStrings strings_;
};

}  // namespace

std::optional<TReplaceStrings> ShowReplaceView(HWND owner) {
  TReplaceView view(owner);
  if (view.RunModal() != IDOK) return std::nullopt;
  return view.Strings();
}

}  // namespace editorwin
