#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <utility>

#include "sys/VirtualKeys.h"
#include "sys/x11/X11KeyTyper.h"
#include "sys/x11/X11Layout.h"

namespace {

// Key type maps as the server resolves them where the level-three shift is
// Mod5: FOUR_LEVEL, and an alphabetic type whose capital Lock also gives.
constexpr unsigned kLevel3 = Mod5Mask;
constexpr unsigned kPressable = ShiftMask | kLevel3;
const std::vector<TLevelEntry> kFourLevel = {{ShiftMask, 1}, {kLevel3, 2}, {ShiftMask | kLevel3, 3}};
const std::vector<TLevelEntry> kAlphabetic = {{LockMask, 1}, {ShiftMask, 1}};

struct TLevelCase {
  const std::vector<TLevelEntry>& entries;
  int level;
  unsigned pressable;
  std::optional<unsigned> modifiers;
  uint8_t shiftState;  // VkKeyScan's: AltGr is Ctrl+Alt, as on Windows
};

}  // namespace

TEST(X11Layout, ChoosesEachLevelWithTheFewestModifiersThatCanBePressed) {
  const TLevelCase cases[] = {
      {kFourLevel, 0, kPressable, 0u, 0},
      {kFourLevel, 1, kPressable, ShiftMask, 1},
      {kFourLevel, 2, kPressable, kLevel3, 6},
      {kFourLevel, 3, kPressable, ShiftMask | kLevel3, 7},
      {kFourLevel, 2, ShiftMask, std::nullopt, 0},  // no level-three key: AltGr characters are not there
      {kFourLevel, 4, kPressable, std::nullopt, 0},
      {kAlphabetic, 1, kPressable, ShiftMask, 1},  // Lock is a toggle, never pressed
  };
  for (const TLevelCase& c : cases) {
    std::optional<unsigned> modifiers = ModifiersForLevel(c.entries, c.level, c.pressable);
    EXPECT_EQ(modifiers, c.modifiers) << "level " << c.level;
    EXPECT_EQ(modifiers ? WindowsShiftState(*modifiers) : 0, c.shiftState) << "level " << c.level;
  }
}

TEST(X11Layout, KnowsTheCharacterOfLegacyKeysymsButNotOfDeadOrKeypadKeys) {
  const std::pair<KeySym, char32_t> cases[] = {
      {XK_a, U'a'},           {XK_udiaeresis, U'ü'},   {XK_EuroSign, U'€'},     {XK_Greek_OMEGA, U'Ω'},
      {XK_Cyrillic_pe, U'п'}, {0x101F600, U'😀'},       {XK_dead_circumflex, 0}, {XK_KP_0, 0},
      {XK_BackSpace, 0},      {XK_ISO_Level3_Shift, 0}};
  for (auto [keysym, character] : cases)
    EXPECT_EQ(CharacterOfKeysym(keysym), character) << "keysym 0x" << std::hex << keysym;
}

TEST(X11KeyTyper, EveryNamedVirtualKeyHasItsKeysym) {
  const std::pair<unsigned, KeySym> cases[] = {{kVkBackspace, XK_BackSpace},
                                               {kVkReturn, XK_Return},
                                               {kVkPageDown, XK_Next},
                                               {kVkDelete, XK_Delete},
                                               {kVkLeftWin, XK_Super_L},
                                               {FunctionKey(1), XK_F1},
                                               {kVkF12, XK_F12},
                                               {'Q', XK_q},
                                               {'7', XK_7},
                                               {kVkNone, NoSymbol},
                                               {124, NoSymbol}};
  for (const auto& [vk, keysym] : cases) EXPECT_EQ(KeysymForVirtualKey(vk), keysym) << vk;
}
