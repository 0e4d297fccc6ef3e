// The keyboard layout in use, as XKB describes it: which key of the current
// group types a keysym, and which modifiers choose the level it is on (none,
// Shift, the level-three shift that PC keyboards call AltGr, or both).
//
// A key lists keysyms level by level; its key type says which modifiers
// choose which level. Layouts list many characters under legacy keysyms
// (Greek_OMEGA, Cyrillic_pe, EuroSign), so a keysym is found by the
// character it types as well as by its value. Dead keys type no character
// of their own and are never found for one.
#pragma once

#include <X11/XKBlib.h>

#include <cstdint>
#include <optional>
#include <vector>

/// One entry of an XKB key type's map: these modifiers choose this level.
struct TLevelEntry {
  unsigned modifiers = 0;
  int level = 0;
};

/// The fewest modifiers, all within `pressable`, that choose `level` of a
/// key whose key type has these (active) entries; the first level needs
/// none. Nullopt when no entry within `pressable` chooses the level.
std::optional<unsigned> ModifiersForLevel(const std::vector<TLevelEntry>& entries, int level,
                                          unsigned pressable);

/// The shift state of a VkKeyScan answer for keys that need these
/// modifiers: 1 for Shift, and Ctrl+Alt (6) for any other, as Windows
/// reports AltGr.
uint8_t WindowsShiftState(unsigned modifiers);

/// The Unicode character a keysym types, or 0 for one that types none of
/// its own: function, keypad, modifier and dead keys.
char32_t CharacterOfKeysym(KeySym keysym);

/// Where the layout has a keysym: its key and the modifiers to hold.
struct TKeyPlace {
  KeyCode keycode = 0;  // 0: nowhere
  unsigned modifiers = 0;
};

class TX11Layout {
 public:
  /// Reads the keyboard map and the current group from the server; without
  /// XKB the layout is empty and finds nothing.
  explicit TX11Layout(Display* display);
  ~TX11Layout();
  TX11Layout(const TX11Layout&) = delete;
  TX11Layout& operator=(const TX11Layout&) = delete;

  /// The place of the keysym (or of its character) in the current group
  /// that needs the fewest modifiers, the lowest keycode among equals.
  TKeyPlace Find(KeySym keysym) const;
  /// The key that sets a modifier (one bit of a modifier mask), 0 if none.
  KeyCode ModifierKey(unsigned modifier) const;

 private:
  void FindModifierKeys();
  std::optional<TKeyPlace> PlaceOnKey(KeyCode keycode, KeySym keysym, char32_t character) const;

  XkbDescPtr xkb_ = nullptr;
  int group_ = 0;
  KeyCode modifierKeys_[8] = {};  // by modifier index: Shift, Lock, Control, Mod1..Mod5
  unsigned pressable_ = 0;        // the modifiers that have a key here
};
