// The one connection to the X server that the window system and the keyboard
// share. It is opened on first use, so the program starts and runs every
// command that needs no windows without a display; when no display can be
// opened, the reason is kept and every later request gets it at once.
//
// Xlib's default error handler ends the program on any protocol error. A
// window can vanish between two requests (a walk reads the titles of windows
// that may close meanwhile), so the connection installs a handler that only
// records the error; callers that care check with TX11ErrorTrap.
#pragma once

#include <X11/Xlib.h>

#include <string>
#include <vector>

class TX11Display {
 public:
  /// The open display, or nullptr when none can be opened (see Unavailable).
  Display* Get();
  /// Why no display can be used ("no X display: ..."); empty when one can.
  const std::string& Unavailable();
  Window Root();
  Atom AtomNamed(const char* name);

 private:
  void Open();
  bool tried_ = false;
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
