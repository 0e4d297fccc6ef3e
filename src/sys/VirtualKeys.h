// The virtual keys that the program sends, each named once. The values are
// the Windows virtual-key codes; the key sender's key names and the X11
// typer's keysyms both read these names.
#pragma once

#include <cstdint>

enum TVirtualKey : uint8_t {
  kVkNone = 0,  // a key name that types nothing
  kVkBackspace = 8,
  kVkTab = 9,
  kVkReturn = 13,
  kVkShift = 16,
  kVkCtrl = 17,
  kVkAlt = 18,
  kVkEscape = 27,
  kVkSpace = 32,
  kVkPageUp = 33,
  kVkPageDown = 34,
  kVkEnd = 35,
  kVkHome = 36,
  kVkLeft = 37,
  kVkUp = 38,
  kVkRight = 39,
  kVkDown = 40,
  kVkInsert = 45,
  kVkDelete = 46,
  kVkLeftWin = 0x5B,
  kVkF1 = 112,
  kVkF12 = 123,  // F2 to F11 lie between
};

/// The function key F`n` (1..12).
constexpr uint8_t FunctionKey(int n) { return static_cast<uint8_t>(kVkF1 + n - 1); }
static_assert(FunctionKey(12) == kVkF12);

/// The navigation keys PageUp, PageDown, End, Home and the four arrows are
/// one run of codes, which the keyboard sends as extended keys.
constexpr bool IsNavigationKey(uint8_t vk) { return vk >= kVkPageUp && vk <= kVkDown; }
static_assert(kVkPageDown == kVkPageUp + 1 && kVkEnd == kVkPageUp + 2 && kVkHome == kVkPageUp + 3 &&
              kVkLeft == kVkPageUp + 4 && kVkUp == kVkPageUp + 5 && kVkRight == kVkPageUp + 6 &&
              kVkDown == kVkPageUp + 7);

/// A control character of a key description is tapped as the key of its own
/// code: these are the keys that the characters name.
static_assert(kVkBackspace == '\b' && kVkTab == '\t' && kVkReturn == '\r' && kVkEscape == 0x1B);
