// The platform's window tree and the three messages that the window commands
// send, at the level of GetWindow, GetWindowText and SendMessage. The walk
// over the tree and the matching live in Winfuncs.
#pragma once

#include <cstdint>
#include <string>

/// A window: a Win32 HWND, or a back end's own token. Zero is no window.
using TWindowHandle = uintptr_t;

class IWindowSystem {
 public:
  virtual ~IWindowSystem() = default;
  /// Why no window can be reached here (no display, say), in words for the
  /// user; empty when windows can be. Asked before each search and action.
  virtual std::string Unavailable() { return {}; }
  virtual TWindowHandle DesktopWindow() = 0;
  /// IsWindow: false once the window has been destroyed.
  virtual bool WindowExists(TWindowHandle window) = 0;
  /// GetWindow(GW_HWNDLAST) is the window itself (windows that NextSibling
  /// skips aside). False for a window that has closed, or is closing and has
  /// already left its parent's z-order: NextSibling then finds nothing,
  /// which the walk must tell from the end of a level.
  virtual bool IsLastSibling(TWindowHandle window) = 0;
  /// GetWindow(GW_CHILD) and GetWindow(GW_HWNDNEXT): 0 when there is none.
  virtual TWindowHandle FirstChild(TWindowHandle window) = 0;
  virtual TWindowHandle NextSibling(TWindowHandle window) = 0;
  virtual std::string WindowTitle(TWindowHandle window) = 0;
  virtual std::string ClassName(TWindowHandle window) = 0;
  virtual uint32_t OwningProcessId(TWindowHandle window) = 0;
  virtual void SetForeground(TWindowHandle window) = 0;
  /// SendMessage with WM_CLOSE and with WM_QUIT: straight to the window
  /// procedure, not through a queue. A window that has gone is not affected.
  virtual void SendClose(TWindowHandle window) = 0;
  virtual void SendQuit(TWindowHandle window) = 0;
};
