#include "util/win32/UTarvInfo.h"

#include <windows.h>

#include <vector>

#include "util/MessageBoxes.h"
#include "util/SysFiles.h"

namespace {

constexpr int kDesignDpi = 120;

struct TDesignRect {
  int left, top, width, height;
};

// TarvInfoDlg at 120 pixels per inch.
constexpr int kDlgWidth = 636;
constexpr int kDlgHeight = 287;
constexpr TDesignRect kMsgRect{6, 6, 617, 173};
constexpr TDesignRect kOKBtnRect{278, 204, 93, 31};

class TFont {
 public:
  explicit TFont(HFONT font) : font_(font) {}
  ~TFont() {
    if (font_) DeleteObject(font_);
  }
  TFont(const TFont&) = delete;
  TFont& operator=(const TFont&) = delete;
  HFONT Handle() const { return font_; }

 private:
  HFONT font_;
};

// The distances that the anchors keep while the dialog is resized.
struct TAnchors {
  bool measured = false;
  int msgRight = 0;     // client width minus the right edge of Msg
  int msgBottom = 0;    // client height minus the bottom edge of Msg
  int okBottom = 0;     // client height minus the top of OKBtn
  double okCentre = 0;  // horizontal centre of OKBtn as a share of the client width
};

struct TInfoDlgState {
  std::string text;
  int dpi = kDesignDpi;
  HFONT font = nullptr;  // owned by the caller of the dialog
  TAnchors anchors;
};

int SystemDpi() {
  HDC screen = GetDC(nullptr);
  int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

HFONT CreateMessageFont() {
  NONCLIENTMETRICSA metrics = {};
  metrics.cbSize = sizeof(metrics);
  if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) return nullptr;
  return CreateFontIndirectA(&metrics.lfMessageFont);
}

int Scale(int pixels, int dpi) { return MulDiv(pixels, dpi, kDesignDpi); }

HWND CreateChild(HWND dialog, const char* className, const char* text, DWORD style, DWORD exStyle, int id,
                 HFONT font) {
  HWND child = CreateWindowExA(exStyle, className, text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, 0, 0, 0,
                               0, dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                               GetModuleHandleA(nullptr), nullptr);
  if (child && font) SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return child;
}

void PlaceScaled(HWND control, const TDesignRect& rect, int dpi) {
  MoveWindow(control, Scale(rect.left, dpi), Scale(rect.top, dpi), Scale(rect.width, dpi),
             Scale(rect.height, dpi), TRUE);
}

void CentreOnScreen(HWND dialog, int width, int height) {
  int left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
  int top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  SetWindowPos(dialog, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT ChildRect(HWND dialog, int id) {
  RECT rect = {};
  GetWindowRect(GetDlgItem(dialog, id), &rect);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

TAnchors MeasureAnchors(HWND dialog) {
  RECT client;
  GetClientRect(dialog, &client);
  RECT msg = ChildRect(dialog, kInfoDlgMsgId);
  RECT ok = ChildRect(dialog, kInfoDlgOKBtnId);
  TAnchors anchors;
  anchors.measured = true;
  anchors.msgRight = client.right - msg.right;
  anchors.msgBottom = client.bottom - msg.bottom;
  anchors.okBottom = client.bottom - ok.top;
  anchors.okCentre = client.right > 0 ? (ok.left + ok.right) / 2.0 / client.right : 0.5;
  return anchors;
}

void ApplyAnchors(HWND dialog, const TAnchors& anchors, int clientWidth, int clientHeight) {
  RECT msg = ChildRect(dialog, kInfoDlgMsgId);
  int msgWidth = clientWidth - anchors.msgRight - msg.left;
  int msgHeight = clientHeight - anchors.msgBottom - msg.top;
  MoveWindow(GetDlgItem(dialog, kInfoDlgMsgId), msg.left, msg.top, msgWidth > 0 ? msgWidth : 0,
             msgHeight > 0 ? msgHeight : 0, TRUE);
  RECT ok = ChildRect(dialog, kInfoDlgOKBtnId);
  int okWidth = ok.right - ok.left;
  int okLeft = static_cast<int>(anchors.okCentre * clientWidth - okWidth / 2.0 + 0.5);
  MoveWindow(GetDlgItem(dialog, kInfoDlgOKBtnId), okLeft, clientHeight - anchors.okBottom, okWidth,
             ok.bottom - ok.top, TRUE);
}

// The program's icon (resource 1) in the caption, where the program has one.
void SetProgramIcon(HWND dialog) {
  HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1));
  if (icon) SendMessageA(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
}

// Creates the controls in tab order (OKBtn, then Msg), sizes and centres the
// dialog, places the controls and fills Msg.
void InitInfoDlg(HWND dialog, TInfoDlgState& state) {
  state.dpi = SystemDpi();
  SetProgramIcon(dialog);
  HFONT font = state.font;
  if (font) SendMessageA(dialog, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  HWND okBtn = CreateChild(dialog, "BUTTON", "OK", BS_DEFPUSHBUTTON, 0, kInfoDlgOKBtnId, font);
  HWND msg = CreateChild(dialog, "EDIT", "", WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN,
                         WS_EX_CLIENTEDGE, kInfoDlgMsgId, font);
  CentreOnScreen(dialog, Scale(kDlgWidth, state.dpi), Scale(kDlgHeight, state.dpi));
  PlaceScaled(okBtn, kOKBtnRect, state.dpi);
  PlaceScaled(msg, kMsgRect, state.dpi);
  state.anchors = MeasureAnchors(dialog);
  SendMessageA(msg, EM_SETLIMITTEXT, 0, 0);
  SetWindowTextA(msg, state.text.c_str());
  SendMessageA(dialog, DM_SETDEFID, kInfoDlgOKBtnId, 0);
  SetFocus(okBtn);
}

INT_PTR CALLBACK InfoDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* state = reinterpret_cast<TInfoDlgState*>(GetWindowLongPtrA(dialog, DWLP_USER));
  switch (message) {
    case WM_INITDIALOG:
      SetWindowLongPtrA(dialog, DWLP_USER, lParam);
      InitInfoDlg(dialog, *reinterpret_cast<TInfoDlgState*>(lParam));
      return FALSE;  // the focus is set: OKBtn
    case WM_SIZE:
      if (state && state->anchors.measured && wParam != SIZE_MINIMIZED)
        ApplyAnchors(dialog, state->anchors, LOWORD(lParam), HIWORD(lParam));
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
      }
      return FALSE;
  }
  return FALSE;
}

// An empty dialog template: the caption and the window styles, no controls.
std::vector<WORD> EmptyDialogTemplate(DWORD style, const wchar_t* caption) {
  std::vector<WORD> words;
  auto addDword = [&words](DWORD value) {
    words.push_back(LOWORD(value));
    words.push_back(HIWORD(value));
  };
  addDword(style);
  addDword(0);                                 // extended style
  words.insert(words.end(), {0, 0, 0, 0, 0});  // no controls; position and size set later
  words.insert(words.end(), {0, 0});           // no menu, the standard dialog class
  for (const wchar_t* c = caption; *c; ++c) words.push_back(static_cast<WORD>(*c));
  words.push_back(0);
  return words;
}

}  // namespace

std::string InfoDialogText(std::string_view text) {
  std::string shown;
  shown.reserve(text.size() + text.size() / 16);
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\n' && (i == 0 || text[i - 1] != '\r')) shown += '\r';
    shown += c == '\0' ? ' ' : c;
  }
  return shown;
}

void ShowTarvInfoDlg(std::string_view text) {
  TFont font(CreateMessageFont());
  TInfoDlgState state;
  state.text = InfoDialogText(text);
  state.font = font.Handle();
  constexpr DWORD kStyle =
      WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_CLIPCHILDREN;
  std::vector<WORD> dialogTemplate = EmptyDialogTemplate(kStyle, L"Information");
  INT_PTR result = DialogBoxIndirectParamA(GetModuleHandleA(nullptr),
                                           reinterpret_cast<LPCDLGTEMPLATEA>(dialogTemplate.data()), nullptr,
                                           InfoDlgProc, reinterpret_cast<LPARAM>(&state));
  if (result == -1 || result == 0)
    ShowError("Cannot show the Information dialog\r\n" + WinErrorText(LastSystemError()));
}
