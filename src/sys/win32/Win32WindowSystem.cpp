// The desktop's window tree on Win32, as the window walk reads it.
//
// The walk never sees the program's own application window: its title
// holds the running command, so a pattern taken from that command would
// find it ("/waitclose *Notepad*" would match "/waitclose *Notepad* -
// Tarv32" and never end).
#include <windows.h>

#include "run/win32/AppWindow.h"
#include "sys/win32/Win32BackEnd.h"

namespace {

// Title and class texts: buffers of 256 bytes, at most 255 passed on.
constexpr int kTextBufferSize = 256;
constexpr int kTextLimit = 255;

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
    char title[kTextBufferSize] = {};
    GetWindowTextA(AsWindow(window), title, kTextLimit);
    return title;
  }

  std::string ClassName(TWindowHandle window) override {
    if (!IsLiveWindow(AsWindow(window))) return "";
    char name[kTextBufferSize] = {};
    GetClassNameA(AsWindow(window), name, kTextLimit);
    return name;
  }

  uint32_t OwningProcessId(TWindowHandle window) override {
    DWORD pid = 0;
    GetWindowThreadProcessId(AsWindow(window), &pid);
    return pid;
  }

  void SetForeground(TWindowHandle window) override { SetForegroundWindow(AsWindow(window)); }
  void SendClose(TWindowHandle window) override { SendMessageA(AsWindow(window), WM_CLOSE, 0, 0); }
  void SendQuit(TWindowHandle window) override { SendMessageA(AsWindow(window), WM_QUIT, 0, 0); }
};

}  // namespace

IWindowSystem& Win32WindowSystem() {
  static TWin32WindowSystem windows;
  return windows;
}
