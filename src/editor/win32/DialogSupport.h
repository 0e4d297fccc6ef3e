// What every editor window needs from the plain Win32 API.
//
// Each window is a dialog created hidden from an empty in-memory template
// (CreateDialogIndirectParamA), so that its logic can fill the controls
// before it is shown, exactly as the opener of a window expects; RunModal
// then shows it, disables the owner and serves the message queue until the
// window ends itself with EndModal. Controls are created in tab order and
// placed from layouts given at 120 pixels per inch, scaled to the system
// DPI. Labels and buttons are as wide as their texts need in the system's
// message font (the Wine suite measures every text of every window at 96
// and 120 pixels per inch and fails on one that is cut). A handler never
// lets an exception out into the window procedure: Guarded shows it in the
// "TARV32: " error box instead.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace editorwin {

constexpr int kDesignDpi = 120;

struct TDesignRect {
  int left, top, width, height;
};

int SystemDpi();
int Scale(int pixels);

/// The system's message font; owned by the caller (TFont).
HFONT CreateMessageFont();
/// A font of the message font's face with the given pixel height (at 120
/// pixels per inch, scaled).
HFONT CreateFontOfHeight(int designPixels, bool underline = false);

/// A GDI font released with its owner.
class TFont {
 public:
  explicit TFont(HFONT font = nullptr) : font_(font) {}
  ~TFont() { Reset(nullptr); }
  TFont(const TFont&) = delete;
  TFont& operator=(const TFont&) = delete;
  void Reset(HFONT font) {
    if (font_) DeleteObject(font_);
    font_ = font;
  }
  HFONT Handle() const { return font_; }

 private:
  HFONT font_;
};

/// How a control of a sizable window follows its size along one axis.
enum class TAnchor {
  Start,    // keeps its distance to the left (top) edge
  End,      // keeps its distance to the right (bottom) edge
  Stretch,  // keeps both distances: grows with the window
  Middle,   // moves by half the growth: stays centred beside a stretched control
};

/// A modal window of the editor: created hidden, shown by RunModal, destroyed
/// with the object. Subclasses handle their messages in HandleMessage.
class TModalWindow {
 public:
  virtual ~TModalWindow();
  TModalWindow(const TModalWindow&) = delete;
  TModalWindow& operator=(const TModalWindow&) = delete;

  HWND Handle() const { return window_; }
  /// Shows the window centred on the screen and returns the result given to
  /// EndModal. The owner (if any) takes no input meanwhile.
  int RunModal();
  void EndModal(int result);

 protected:
  TModalWindow() = default;
  /// Creates the hidden window: caption, outer size at 120 pixels per inch.
  /// With WS_THICKFRAME in `extraStyle` the user may size it, down to that
  /// designed size, and its anchored controls follow.
  void Create(HWND owner, const char* caption, int designWidth, int designHeight, DWORD extraStyle = 0);
  /// Creates the controls; called once the window exists.
  virtual void CreateControls() = 0;
  /// A message for the window; return true when handled (`result` then is
  /// the dialog procedure's answer).
  virtual bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) = 0;

  HWND AddControl(const char* className, const char* text, DWORD style, const TDesignRect& rect, int id,
                  DWORD exStyle = 0);
  HWND Item(int id) const { return GetDlgItem(window_, id); }
  /// Control `id` follows the window's size from where it is now.
  void Anchor(int id, TAnchor horizontal, TAnchor vertical);
  std::string ItemText(int id) const;
  HFONT Font() const { return font_.Handle(); }

 private:
  static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  /// The sizing messages of a sizable window; true when handled.
  bool HandleSizing(UINT message, WPARAM wParam, LPARAM lParam);
  void FollowSize(int clientWidth, int clientHeight);

  struct TAnchored {
    int id;
    TAnchor horizontal, vertical;
    RECT placed;      // in client coordinates when anchored
    SIZE clientThen;  // the client size when anchored
  };

  HWND window_ = nullptr;
  HWND owner_ = nullptr;
  TFont font_;
  bool ended_ = false;
  int result_ = 0;
  int designWidth_ = 0, designHeight_ = 0;
  bool sizable_ = false;
  std::vector<TAnchored> anchored_;
};

/// The text of any window, of any length.
std::string WindowText(HWND window);

/// Runs the handler; an exception becomes the "TARV32: " error box.
void Guarded(const std::function<void()>& handler);

/// The toolkit's input box: a caption, a prompt, an edit field with OK and
/// Cancel, owned by `owner` (which takes no input meanwhile). Cancel gives
/// an empty text.
std::string InputBox(HWND owner, const std::string& caption, const std::string& prompt,
                     const std::string& initial);

}  // namespace editorwin
