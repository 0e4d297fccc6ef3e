#include "editor/win32/DialogSupport.h"

#include <exception>
#include <vector>

#include "util/AppServices.h"
#include "util/MessageBoxes.h"

namespace editorwin {

namespace {

// An empty dialog template: styles and caption, no controls; the position
// and size are set once the window exists.
std::vector<WORD> EmptyDialogTemplate(DWORD style, const std::string& caption) {
  std::vector<WORD> words;
  auto addDword = [&words](DWORD value) {
    words.push_back(LOWORD(value));
    words.push_back(HIWORD(value));
  };
  addDword(style);
  addDword(0);
  words.resize(words.size() + 7, 0);  // no controls, position and size later, no menu, standard class
  int length = MultiByteToWideChar(CP_ACP, 0, caption.c_str(), -1, nullptr, 0);
  std::vector<wchar_t> wide(length > 0 ? length : 1);
  MultiByteToWideChar(CP_ACP, 0, caption.c_str(), -1, wide.data(), static_cast<int>(wide.size()));
  for (wchar_t c : wide) words.push_back(static_cast<WORD>(c));
  if (words.back() != 0) words.push_back(0);
  return words;
}

// A close or quit request for the thread ends the program, as it does while
// a run serves the queue.
bool EndsProgram(const MSG& msg) {
  if (msg.message == WM_QUIT) return true;
  return msg.hwnd == nullptr && msg.message == WM_CLOSE;
}

// The messages whose answer a dialog procedure returns itself instead of
// through DWLP_MSGRESULT: the colour messages answer with a brush.
bool AnswersDirectly(UINT message) {
  return (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) || message == WM_COMPAREITEM ||
         message == WM_VKEYTOITEM || message == WM_CHARTOITEM || message == WM_QUERYDRAGICON;
}

}  // namespace

int SystemDpi() {
  HDC screen = GetDC(nullptr);
  int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : 96;
}

int Scale(int pixels) { return MulDiv(pixels, SystemDpi(), kDesignDpi); }

HFONT CreateMessageFont() {
  NONCLIENTMETRICSA metrics = {};
  metrics.cbSize = sizeof(metrics);
  if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) return nullptr;
  return CreateFontIndirectA(&metrics.lfMessageFont);
}

HFONT CreateFontOfHeight(int designPixels, bool underline) {
  NONCLIENTMETRICSA metrics = {};
  metrics.cbSize = sizeof(metrics);
  if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) return nullptr;
  LOGFONTA font = metrics.lfMessageFont;
  if (designPixels > 0) font.lfHeight = -Scale(designPixels);
  font.lfUnderline = underline ? TRUE : FALSE;
  return CreateFontIndirectA(&font);
}

std::string WindowText(HWND window) {
  int length = GetWindowTextLengthA(window);
  if (length <= 0) return std::string();
  std::vector<char> text(length + 1);
  int copied = GetWindowTextA(window, text.data(), length + 1);
  return std::string(text.data(), copied > 0 ? copied : 0);
}

void Guarded(const std::function<void()>& handler) {
  try {
    handler();
  } catch (const std::exception& failure) {
    ShowError(std::string("TARV32: ") + failure.what());
  }
}

// ---- TModalWindow -------------------------------------------------------------

// The window lets go of its object first: the messages that destroying it
// sends (WM_DESTROY, the owner's reactivation) must not reach a handler of
// an object that is half destroyed.
TModalWindow::~TModalWindow() {
  if (!window_) return;
  SetWindowLongPtrA(window_, DWLP_USER, 0);
  DestroyWindow(window_);
}

void TModalWindow::Create(HWND owner, const char* caption, int designWidth, int designHeight,
                          DWORD extraStyle) {
  owner_ = owner;
  designWidth_ = designWidth;
  designHeight_ = designHeight;
  sizable_ = (extraStyle & WS_THICKFRAME) != 0;
  font_.Reset(CreateMessageFont());
  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | extraStyle;
  std::vector<WORD> dialogTemplate = EmptyDialogTemplate(style, caption);
  CreateDialogIndirectParamA(GetModuleHandleA(nullptr),
                             reinterpret_cast<LPCDLGTEMPLATEA>(dialogTemplate.data()), owner, DialogProc,
                             reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK TModalWindow::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* self = reinterpret_cast<TModalWindow*>(lParam);
    SetWindowLongPtrA(window, DWLP_USER, lParam);
    self->window_ = window;
    if (self->font_.Handle())
      SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(self->font_.Handle()), 0);
    SetWindowPos(window, nullptr, 0, 0, Scale(self->designWidth_), Scale(self->designHeight_),
                 SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
    Guarded([self] { self->CreateControls(); });
    return FALSE;
  }
  auto* self = reinterpret_cast<TModalWindow*>(GetWindowLongPtrA(window, DWLP_USER));
  if (self == nullptr || self->window_ != window) return FALSE;
  if (self->sizable_ && self->HandleSizing(message, wParam, lParam)) return TRUE;
  INT_PTR result = FALSE;
  bool handled = false;
  Guarded([&] { handled = self->HandleMessage(message, wParam, lParam, result); });
  if (!handled) return FALSE;
  if (AnswersDirectly(message)) return result;
  SetWindowLongPtrA(window, DWLP_MSGRESULT, result);
  return TRUE;
}

int TModalWindow::RunModal() {
  RECT outer;
  GetWindowRect(window_, &outer);
  int width = outer.right - outer.left, height = outer.bottom - outer.top;
  SetWindowPos(window_, HWND_TOP, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
               (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0, SWP_NOSIZE);
  const bool ownerEnabled = owner_ && IsWindowEnabled(owner_);
  if (ownerEnabled) EnableWindow(owner_, FALSE);
  ended_ = false;
  ShowWindow(window_, SW_SHOW);
  SetForegroundWindow(window_);
  MSG msg;
  while (!ended_) {
    if (GetMessageA(&msg, nullptr, 0, 0) <= 0 || EndsProgram(msg)) EndProgram(static_cast<int>(msg.wParam));
    if (IsDialogMessageA(window_, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  if (ownerEnabled) EnableWindow(owner_, TRUE);
  ShowWindow(window_, SW_HIDE);
  if (owner_) SetActiveWindow(owner_);
  return result_;
}

void TModalWindow::EndModal(int result) {
  result_ = result;
  ended_ = true;
}

HWND TModalWindow::AddControl(const char* className, const char* text, DWORD style, const TDesignRect& rect,
                              int id, DWORD exStyle) {
  HWND control =
      CreateWindowExA(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, Scale(rect.left),
                      Scale(rect.top), Scale(rect.width), Scale(rect.height), window_,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
  if (control && font_.Handle())
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), 0);
  return control;
}

std::string TModalWindow::ItemText(int id) const { return WindowText(Item(id)); }

void TModalWindow::Anchor(int id, TAnchor horizontal, TAnchor vertical) {
  RECT placed, client;
  GetWindowRect(Item(id), &placed);
  MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&placed), 2);
  GetClientRect(window_, &client);
  anchored_.push_back({id, horizontal, vertical, placed, {client.right, client.bottom}});
}

// Never smaller than designed, where every text was made to fit. The size
// change is left to the subclass too (the status bar must hear of it).
bool TModalWindow::HandleSizing(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_GETMINMAXINFO) {
    auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
    limits->ptMinTrackSize = {Scale(designWidth_), Scale(designHeight_)};
    return true;
  }
  if (message == WM_SIZE && wParam != SIZE_MINIMIZED) FollowSize(LOWORD(lParam), HIWORD(lParam));
  return false;
}

namespace {

// The new start and end of a control along one axis after the window grew
// by `growth` (negative: shrank).
void Follow(TAnchor anchor, int growth, LONG& start, LONG& end) {
  const int shift = anchor == TAnchor::End ? growth : anchor == TAnchor::Middle ? growth / 2 : 0;
  start += shift;
  end += anchor == TAnchor::Stretch ? growth : shift;
}

}  // namespace

void TModalWindow::FollowSize(int clientWidth, int clientHeight) {
  if (anchored_.empty()) return;
  HDWP moves = BeginDeferWindowPos(static_cast<int>(anchored_.size()));
  for (const TAnchored& control : anchored_) {
    RECT now = control.placed;
    Follow(control.horizontal, clientWidth - control.clientThen.cx, now.left, now.right);
    Follow(control.vertical, clientHeight - control.clientThen.cy, now.top, now.bottom);
    if (moves)
      moves = DeferWindowPos(moves, Item(control.id), nullptr, now.left, now.top, now.right - now.left,
                             now.bottom - now.top, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (moves) EndDeferWindowPos(moves);
  InvalidateRect(window_, nullptr, TRUE);  // the places the controls left
}

// ---- Input box ------------------------------------------------------------------

namespace {

constexpr int kPromptId = 101;
constexpr int kValueId = 102;

class TInputBox : public TModalWindow {
 public:
  TInputBox(HWND owner, const std::string& caption, const std::string& prompt, const std::string& initial)
      : prompt_(prompt), value_(initial) {
    Create(owner, caption.c_str(), 340, 150);
  }
  std::string Value() const { return value_; }

 protected:
  void CreateControls() override {
    AddControl("STATIC", prompt_.c_str(), SS_LEFT, {10, 10, 300, 16}, kPromptId);
    HWND edit = AddControl("EDIT", value_.c_str(), WS_TABSTOP | ES_AUTOHSCROLL, {10, 32, 300, 24}, kValueId,
                           WS_EX_CLIENTEDGE);
    AddControl("BUTTON", "OK", WS_TABSTOP | BS_DEFPUSHBUTTON, {74, 70, 84, 28}, IDOK);
    AddControl("BUTTON", "Cancel", WS_TABSTOP | BS_PUSHBUTTON, {164, 70, 84, 28}, IDCANCEL);
    SendMessageA(edit, EM_SETLIMITTEXT, 0, 0);
    SetFocus(edit);
  }
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM, INT_PTR&) override {
    if (message == WM_CLOSE) {
      EndModal(IDCANCEL);
      return true;
    }
    if (message != WM_COMMAND) return false;
    if (LOWORD(wParam) == IDOK) {
      value_ = ItemText(kValueId);
      EndModal(IDOK);
      return true;
    }
    if (LOWORD(wParam) == IDCANCEL) {
      value_.clear();
      EndModal(IDCANCEL);
      return true;
    }
    return false;
  }

 private:
  std::string prompt_;
  std::string value_;
};

}  // namespace

std::string InputBox(HWND owner, const std::string& caption, const std::string& prompt,
                     const std::string& initial) {
  TInputBox box(owner, caption, prompt, initial);
  box.RunModal();
  return box.Value();
}

}  // namespace editorwin
