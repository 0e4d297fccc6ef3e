// Key presses on X through the XTest extension, by keysym. A keysym that the
// keyboard map has at its first level is typed with its key, one at the
// second level with Shift added (unless Shift is already down); any other
// (a character the layout lacks) is put on a spare keycode for the time it
// is typed: a keycode with no keysyms, given the keysym at both levels with
// XChangeKeyboardMapping, and cleared again by RestoreKeyboardMapping.
#pragma once

#include <X11/Xlib.h>

#include <utility>
#include <vector>

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
  /// Types the keysym's character: down and up, with Shift where it needs it.
  bool Type(KeySym keysym);
  /// True while typing has spare keycodes borrowed: the target must read its
  /// keys before RestoreKeyboardMapping clears them, or it reads nothing.
  bool HasBorrowedKeycodes() const { return !borrowed_.empty(); }
  void RestoreKeyboardMapping();

 private:
  struct TPlace {
    KeyCode keycode = 0;
    int level = 0;  // 0: plain, 1: with Shift
  };
  TPlace Find(KeySym keysym);
  KeyCode Borrow(KeySym keysym);
  KeyCode KeycodeOf(KeySym keysym);
  KeyCode SpareKeycode();
  void Fake(KeyCode keycode, bool down);

  Display* display_;
  std::vector<std::pair<KeyCode, KeySym>> borrowed_;
  int shiftsDown_ = 0;
};

/// The keysym of a Windows virtual key (letters, digits, Enter, Tab,
/// navigation and function keys, the modifiers), or NoSymbol.
KeySym KeysymForVirtualKey(unsigned virtualKey);
/// The keysym of a Unicode character: Latin-1 keysyms are the code points,
/// others are 0x1000000 + the code point.
KeySym KeysymForCharacter(char32_t character);
