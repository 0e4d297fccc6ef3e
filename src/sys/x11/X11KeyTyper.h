// Key presses on X through the XTest extension, by keysym. A keysym that the
// layout in use has (X11Layout) is typed with its key, under the modifiers
// that choose its level: Shift, the level-three shift (AltGr), or both; a
// Shift that is already down counts. Any other (a character the layout
// lacks, or has on a dead key only) is put on a spare keycode: a keycode
// with no keysyms, given the keysym at both levels with
// XChangeKeyboardMapping, and cleared again by RestoreKeyboardMapping. A
// client looks a key up when it reads it, so a borrowed keycode that is
// given another keysym too soon types that one: the next character goes on
// another spare keycode, and the least recently used is taken again only
// when none is left.
#pragma once

#include <X11/Xlib.h>

#include <chrono>
#include <vector>

#include "sys/x11/X11Layout.h"

class TX11KeyTyper {
 public:
  explicit TX11KeyTyper(Display* display) : display_(display) {}
  ~TX11KeyTyper() { RestoreKeyboardMapping(); }
  TX11KeyTyper(const TX11KeyTyper&) = delete;
  TX11KeyTyper& operator=(const TX11KeyTyper&) = delete;

  /// True when the server has the XTest extension.
  bool Usable();
  /// A key of the keyboard (a modifier, say) down or up; false when the
  /// keyboard map has no key for the keysym.
  bool Key(KeySym keysym, bool down);
  /// Types the keysym's character: down and up, with the modifiers it needs.
  bool Type(KeySym keysym);
  /// True while typing has spare keycodes borrowed: the target must read its
  /// keys before RestoreKeyboardMapping clears them, or it reads nothing.
  bool HasBorrowedKeycodes() const { return !borrowed_.empty(); }
  /// Clears the borrowed keycodes that have not been pressed for `idle`.
  void RestoreKeyboardMapping(std::chrono::milliseconds idle = {});

 private:
  using TClock = std::chrono::steady_clock;
  struct TBorrowed {
    KeyCode keycode;
    KeySym keysym;
    TClock::time_point lastUse;
  };
  std::vector<KeyCode> ModifierKeysToPress(const TX11Layout& layout, unsigned modifiers) const;
  void Touch(KeyCode keycode);
  KeyCode LeastRecentlyUsed();
  KeyCode Borrow(KeySym keysym);
  KeyCode KeycodeOf(KeySym keysym);
  KeyCode SpareKeycode();
  void Fake(KeyCode keycode, bool down);

  Display* display_;
  std::vector<TBorrowed> borrowed_;
  int shiftsDown_ = 0;
};

/// The keysym of a Windows virtual key (letters, digits, Enter, Tab,
/// navigation and function keys, the modifiers), or NoSymbol.
KeySym KeysymForVirtualKey(unsigned virtualKey);
/// The keysym of a Unicode character: Latin-1 keysyms are the code points,
/// others are 0x1000000 + the code point.
KeySym KeysymForCharacter(char32_t character);
