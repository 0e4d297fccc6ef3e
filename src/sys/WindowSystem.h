// The platform's window tree and the actions that the window commands apply
// to a window, at the level of GetWindow, GetWindowText, SetForegroundWindow
// and SendMessageTimeout. The walk over the tree, the matching and the
// decisions (which means to try, how long to wait) live in Winfuncs.
#pragma once

#include <cstdint>
#include <string>

/// A window: a Win32 HWND, or a back end's own token. Zero is no window.
using TWindowHandle = uintptr_t;

/// The means of bringing a window to the foreground, in the order they are
/// tried. A process in the background may not take the foreground for itself
/// (Windows' foreground lock); the later means are the ones Windows allows
/// it, and none of them changes a system setting.
enum class TForegroundMeans {
  Direct,         // SetForegroundWindow
  AttachedInput,  // the same with our input attached to the foreground thread's
  AltKey,         // the same after a synthetic Alt press, which makes us the last to give input
};

/// What became of a message sent to a window.
enum class TSendOutcome {
  Delivered,      // handled, or being handled by a thread that serves its messages
  WindowGone,     // the window no longer exists
  NotResponding,  // its thread serves no messages (hung)
};

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

  /// IsIconic of the window's top-level window.
  virtual bool IsMinimized(TWindowHandle window) = 0;
  /// ShowWindow(SW_RESTORE) of the window's top-level window.
  virtual void Restore(TWindowHandle window) = 0;
  /// Asks for the window's top-level window to become the foreground window
  /// by one means. True when the system accepted the request (the window may
  /// still take a moment to come to the front).
  virtual bool SetForeground(TWindowHandle window, TForegroundMeans means) = 0;
  /// The foreground window is the window's top-level window (or the window).
  virtual bool IsForeground(TWindowHandle window) = 0;

  /// SendMessageTimeout with WM_CLOSE and with WM_QUIT, giving up after
  /// `timeoutMs` or at once on a hung window (SMTO_ABORTIFHUNG). The message
  /// goes straight to the window procedure, not through a queue. A window
  /// still handling the message after the timeout (asking the user, say)
  /// while it serves its messages counts as delivered.
  virtual TSendOutcome SendClose(TWindowHandle window, uint32_t timeoutMs) = 0;
  virtual TSendOutcome SendQuit(TWindowHandle window, uint32_t timeoutMs) = 0;
};
