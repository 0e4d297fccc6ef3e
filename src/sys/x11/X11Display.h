// The one connection to the X server that the window system and the keyboard
// share. It is opened on first use, so the program starts and runs every
// command that needs no windows without a display; when no display can be
// opened, the reason is kept and every later request gets it at once.
//
// Xlib's default error handler ends the program on any protocol error. A
// window can vanish between two requests (a walk reads the titles of windows
// that may close meanwhile), so the connection installs a handler that only
// records the error; callers that care check with TX11ErrorTrap.
//
// Losing the connection (the server ended, the socket broke) would make Xlib
// end the program from inside whatever call met it. The connection instead
// marks itself lost and lets the call return its failure: from then on Get
// gives nullptr and Unavailable names the lost display, so the command that
// met it fails through its error mode and no X call is made afterwards.
#pragma once

#include <X11/Xlib.h>

#include <string>
#include <vector>

class TX11Display {
 public:
  /// The open display, or nullptr when none can be opened or it was lost
  /// (see Unavailable).
  Display* Get();
  /// Why no display can be used ("no X display: ...", or that it was lost);
  /// empty when one can.
  const std::string& Unavailable();
  /// True once the connection to the server has broken.
  bool Lost() const { return lost_; }
  /// The root window and an atom; None once the display is gone.
  Window Root();
  Atom AtomNamed(const char* name);

 private:
  void Open();
  void MarkLost();
  static int OnConnectionBroken(Display* display);
  static void ContinueAfterBreak(Display* display, void* self);

  bool tried_ = false;
  bool lost_ = false;
  Display* display_ = nullptr;
  std::string unavailable_;
};

TX11Display& X11Display();

/// The reason for a missing display, from the environment's DISPLAY and
/// WAYLAND_DISPLAY values (nullptr: unset) and whether opening failed.
std::string NoDisplayReason(const char* display, const char* waylandDisplay);

/// Counts the protocol errors that arrive while it lives.
class TX11ErrorTrap {
 public:
  TX11ErrorTrap();
  ~TX11ErrorTrap();
  /// Makes the server answer everything sent so far, then tells whether any
  /// of it failed.
  bool Failed(Display* display);

 private:
  unsigned long errorsBefore_;
};

// --- Window properties ----------------------------------------------------

/// The property as bytes (8-bit formats) or as 32-bit items (longs), and its
/// type; empty when the window lacks it or has gone.
struct TX11Property {
  Atom type = None;
  int format = 0;
  std::string bytes;
  std::vector<unsigned long> items;
};
TX11Property ReadProperty(Display* display, Window window, Atom property);
/// The first 32-bit item of a window-typed property, or None.
Window ReadWindowProperty(Display* display, Window window, Atom property);
