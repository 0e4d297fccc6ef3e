// The desktop's window tree on Win32, as the window walk reads it.
//
// The walk never sees the program's own application window: its title
// holds the running command, so a pattern taken from that command would
// find it ("/waitclose *Notepad*" would match "/waitclose *Notepad* -
// Tarv32" and never end).
#include <windows.h>

#include "sys/win32/Win32BackEnd.h"
#include "util/win32/AppWindow.h"
#include "util/win32/WideText.h"

namespace {

// A class name has at most 256 characters.
constexpr int kClassNameSize = 257;

HWND AsWindow(TWindowHandle window) { return reinterpret_cast<HWND>(window); }
TWindowHandle AsHandle(HWND window) { return reinterpret_cast<TWindowHandle>(window); }

// `window`, or its first later sibling when it is the application window.
HWND SkipOwnAppWindow(HWND window) {
  while (window && IsOwnAppWindow(window)) window = GetWindow(window, GW_HWNDNEXT);
  return window;
}

// A handle that names no window (0, or one that has gone): reading its
// texts would give whatever the buffer held.
bool IsLiveWindow(HWND window) { return window && IsWindow(window); }

class TWin32WindowSystem : public IWindowSystem {
 public:
  TWindowHandle DesktopWindow() override { return AsHandle(GetDesktopWindow()); }
  bool WindowExists(TWindowHandle window) override { return IsLiveWindow(AsWindow(window)); }

  bool IsLastSibling(TWindowHandle window) override {
    HWND last = GetWindow(AsWindow(window), GW_HWNDLAST);
    while (last && IsOwnAppWindow(last)) last = GetWindow(last, GW_HWNDPREV);
    return last && last == AsWindow(window);
  }

  TWindowHandle FirstChild(TWindowHandle window) override {
    return AsHandle(SkipOwnAppWindow(GetWindow(AsWindow(window), GW_CHILD)));
  }

  TWindowHandle NextSibling(TWindowHandle window) override {
    return AsHandle(SkipOwnAppWindow(GetWindow(AsWindow(window), GW_HWNDNEXT)));
  }

  std::string WindowTitle(TWindowHandle window) override {
    if (!IsLiveWindow(AsWindow(window))) return "";
    // Whole, however long: a pattern may be about its end.
    std::wstring title(static_cast<size_t>(GetWindowTextLengthW(AsWindow(window))) + 1, L'\0');
    title.resize(
        static_cast<size_t>(GetWindowTextW(AsWindow(window), title.data(), static_cast<int>(title.size()))));
    return NarrowOf(title);
  }

  std::string ClassName(TWindowHandle window) override {
    if (!IsLiveWindow(AsWindow(window))) return "";
    wchar_t name[kClassNameSize] = {};
    return NarrowOf(
        std::wstring_view(name, static_cast<size_t>(GetClassNameW(AsWindow(window), name, kClassNameSize))));
  }

  uint32_t OwningProcessId(TWindowHandle window) override {
    DWORD pid = 0;
    GetWindowThreadProcessId(AsWindow(window), &pid);
    return pid;
  }

  bool IsMinimized(TWindowHandle window) override { return IsIconic(TopLevel(window)) != FALSE; }

  // Asynchronous, so that a hung window cannot hold up the run; the caller
  // waits until the window is in front.
  void Restore(TWindowHandle window) override { ShowWindowAsync(TopLevel(window), SW_RESTORE); }

  bool SetForeground(TWindowHandle window, TForegroundMeans means) override {
    HWND topLevel = TopLevel(window);
    switch (means) {
      case TForegroundMeans::Direct: return SetForegroundWindow(topLevel) != FALSE;
      case TForegroundMeans::AttachedInput: return SetForegroundAttached(topLevel);
      case TForegroundMeans::AltKey: return SetForegroundAfterAlt(topLevel);
    }
    return false;
  }

  // In front: the window's top-level window, or a window it owns (its
  // dialog box), and not minimised.
  bool IsForeground(TWindowHandle window) override {
    HWND topLevel = TopLevel(window);
    HWND front = GetForegroundWindow();
    if (!front || !topLevel || IsIconic(topLevel)) return false;
    return front == topLevel || GetAncestor(front, GA_ROOTOWNER) == GetAncestor(topLevel, GA_ROOTOWNER);
  }

  TSendOutcome SendClose(TWindowHandle window, uint32_t timeoutMs) override {
    return SendWithTimeout(AsWindow(window), WM_CLOSE, timeoutMs);
  }
  TSendOutcome SendQuit(TWindowHandle window, uint32_t timeoutMs) override {
    return SendWithTimeout(AsWindow(window), WM_QUIT, timeoutMs);
  }

 private:
  static HWND TopLevel(TWindowHandle window) {
    HWND root = GetAncestor(AsWindow(window), GA_ROOT);
    return root ? root : AsWindow(window);
  }

  // With our input attached to the foreground thread's, the system treats
  // the request as coming from the foreground thread itself.
  static bool SetForegroundAttached(HWND window) {
    DWORD self = GetCurrentThreadId();
    HWND front = GetForegroundWindow();
    DWORD frontThread = front ? GetWindowThreadProcessId(front, nullptr) : 0;
    if (!frontThread || frontThread == self || IsHungAppWindow(front))
      return SetForegroundWindow(window) != FALSE;
    if (!AttachThreadInput(self, frontThread, TRUE)) return false;
    BringWindowToTop(window);
    bool accepted = SetForegroundWindow(window) != FALSE;
    AttachThreadInput(self, frontThread, FALSE);
    return accepted;
  }

  // The system lets a process take the foreground after the user pressed
  // Alt; a synthetic press and release counts as such input.
  static bool SetForegroundAfterAlt(HWND window) {
    INPUT inputs[2] = {};
    for (INPUT& input : inputs) {
      input.type = INPUT_KEYBOARD;
      input.ki.wVk = VK_MENU;
      input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(VK_MENU, MAPVK_VK_TO_VSC));
    }
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, inputs, sizeof(INPUT));
    return SetForegroundWindow(window) != FALSE;
  }

  // A window still busy with the message after the timeout, but answering
  // other messages meanwhile (asking the user, say), has taken it; one that
  // answers nothing is not responding. The message stays with the window.
  static TSendOutcome SendWithTimeout(HWND window, UINT message, uint32_t timeoutMs) {
    constexpr UINT kProbeMs = 1000;
    if (!IsWindow(window)) return TSendOutcome::WindowGone;
    DWORD_PTR result = 0;
    if (SendMessageTimeoutA(window, message, 0, 0, SMTO_ABORTIFHUNG, timeoutMs, &result))
      return TSendOutcome::Delivered;
    if (!IsWindow(window)) return TSendOutcome::Delivered;  // it closed meanwhile
    if (SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kProbeMs, &result))
      return TSendOutcome::Delivered;
    return IsWindow(window) ? TSendOutcome::NotResponding : TSendOutcome::Delivered;
  }
};

}  // namespace

IWindowSystem& Win32WindowSystem() {
  static TWin32WindowSystem windows;
  return windows;
}
