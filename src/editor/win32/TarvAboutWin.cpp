// frmAbout: name, version and copyright of the program, and the link to
// the user guide installed beside it.
#include "editor/TarvAbout.h"
#include "editor/win32/DialogSupport.h"
#include "editor/win32/EditorViews.h"

namespace editorwin {

namespace {

class TAboutView : public TModalWindow {
 public:
  explicit TAboutView(HWND owner) : texts_(getver(OwnVersionStrings().get())) {
    largeFont_.Reset(CreateFontOfHeight(23));
    linkFont_.Reset(CreateFontOfHeight(0, true));
    Create(owner, "About Tarv32", 343, 289);
  }

 protected:
  void CreateControls() override {
    HWND image = AddControl("STATIC", "", SS_ICON | SS_CENTERIMAGE, {32, 32, 33, 33}, kImage1Id);
    SendMessageA(image, STM_SETICON,
                 reinterpret_cast<WPARAM>(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1))), 0);
    SetFont(AddControl("STATIC", "Tarv  (32 bit)", SS_LEFT, {120, 32, 156, 29}, kAboutLabel1Id), largeFont_);
    SetFont(AddControl("STATIC", texts_.Version.c_str(), SS_LEFT, {120, 64, 200, 29}, kLblVersionId),
            largeFont_);
    AddControl("STATIC", texts_.Copyright.c_str(), SS_LEFT, {32, 120, 304, 32}, kLblCopyrightId);
    AddControl("STATIC", "How to write and run command files:", SS_LEFT, {32, 152, 280, 16}, kLabel5Id);
    SetFont(AddControl("STATIC", "Open the Tarv32 user guide", SS_LEFT | SS_NOTIFY, {32, 168, 280, 16},
                       kLabel6Id),
            linkFont_);
    AddControl("STATIC", "(user-guide.html beside tarv32.exe)", SS_LEFT, {32, 184, 280, 16}, kLabel4Id);
    SetFocus(AddControl("BUTTON", "OK", WS_TABSTOP | BS_DEFPUSHBUTTON, {120, 216, 105, 33}, IDOK));
  }
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override {
    switch (message) {
      case WM_CLOSE: EndModal(IDCANCEL); return true;
      case WM_CTLCOLORSTATIC: {
        HDC dc = reinterpret_cast<HDC>(wParam);
        const bool link = reinterpret_cast<HWND>(lParam) == Item(kLabel6Id);
        SetTextColor(dc, link ? RGB(0, 0, 255) : RGB(0, 0, 0));
        SetBkMode(dc, TRANSPARENT);
        result = reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
        return true;
      }
      case WM_SETCURSOR:
        if (reinterpret_cast<HWND>(wParam) != Item(kLabel6Id)) return false;
        SetCursor(LoadCursor(nullptr, IDC_HAND));
        result = TRUE;
        return true;
      case WM_COMMAND:
        if (LOWORD(wParam) == kLabel6Id && HIWORD(wParam) == STN_CLICKED) Label6Click(OwnProgramDirectory());
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) EndModal(IDOK);
        return true;
    }
    return false;
  }

 private:
  static void SetFont(HWND control, const TFont& font) {
    if (font.Handle()) SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.Handle()), 0);
  }

  TAboutTexts texts_;
  TFont largeFont_, linkFont_;
};

}  // namespace

void ShowAboutView(HWND owner) {
  TAboutView view(owner);
  view.RunModal();
}

}  // namespace editorwin
