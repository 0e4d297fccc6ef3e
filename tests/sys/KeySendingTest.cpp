#include <gtest/gtest.h>

#include <initializer_list>
#include <stdexcept>

#include "run/TarvCommon.h"
#include "sys/Winfuncs.h"
#include "test_support/FakeSystem.h"
#include "test_support/RecordingUI.h"

namespace {

std::string Codes(std::initializer_list<int> bytes) {
  std::string codes;
  for (int b : bytes) codes += static_cast<char>(b);
  return codes;
}

std::string Typed(std::string_view description) {
  FakeSystem sys;
  SendKeys(description);
  return sys.keyboard.Played();
}

}  // namespace

// --- Translation -----------------------------------------------------------

TEST(TranslateKeys, PlainCharactersStandForThemselves) {
  EXPECT_EQ(TranslateKeys("abc"), "abc");
  EXPECT_EQ(TranslateKeys("ABC"), "ABC");
  EXPECT_EQ(TranslateKeys("(abc)"), "(abc)");
  EXPECT_EQ(TranslateKeys("a)b}"), "a)b}");
}

TEST(TranslateKeys, PrefixesHoldTheirModifierOverTheNextKeyOnly) {
  EXPECT_EQ(TranslateKeys("^c"), Codes({252, 'c', 253}));
  EXPECT_EQ(TranslateKeys("%{F4}"), Codes({254, 231, 255}));
  EXPECT_EQ(TranslateKeys("+ab"), Codes({250, 'a', 251, 'b'}));
  EXPECT_EQ(TranslateKeys("+^a"), Codes({250, 252, 'a', 251, 253}));
}

TEST(TranslateKeys, ModifierKeyNamesActLikePrefixes) {
  EXPECT_EQ(TranslateKeys("{WIN}r"), Codes({226, 'r', 227}));
  EXPECT_EQ(TranslateKeys("{WINDOWS}{SHIFT}{CTRL}{ALT}x"),
            Codes({226, 250, 252, 254, 'x', 227, 251, 253, 255}));
}

TEST(TranslateKeys, AGroupAfterAPrefixHoldsTheModifierOverTheWholeGroup) {
  EXPECT_EQ(TranslateKeys("+(abc)d"), Codes({250, 'a', 'b', 'c', 251, 'd'}));
  EXPECT_EQ(TranslateKeys("+(a^(b)c)d"), Codes({250, 'a', 252, 'b', 'c', 251, 253, 'd'}));
}

TEST(TranslateKeys, TildeIsEnterAndKeepsModifiersPending) {
  EXPECT_EQ(TranslateKeys("~"), Codes({13}));
  EXPECT_EQ(TranslateKeys("+~"), Codes({250, 13, 251}));
  EXPECT_EQ(TranslateKeys("+~a"), Codes({250, 13, 'a', 251}));
}

TEST(TranslateKeys, SpecialKeyNamesTakeARepeatCount) {
  EXPECT_EQ(TranslateKeys("{LEFT 3}"), Codes({244, 244, 244}));
  EXPECT_EQ(TranslateKeys("{LEFT 0}"), "");
  EXPECT_EQ(TranslateKeys("{LEFT -2}"), "");
  EXPECT_EQ(TranslateKeys("{TAB}{ENTER}"), Codes({9, 13}));
  EXPECT_EQ(TranslateKeys("{BS}{DEL}{HOME}{END}{PGUP}{PGDN}{INS}{ESC}"),
            Codes({8, 249, 240, 241, 246, 247, 248, 27}));
  EXPECT_EQ(TranslateKeys("{F1}{F12}"), Codes({228, 239}));
}

TEST(TranslateKeys, KeysWithoutAKeyOfTheirOwnTypeNothing) {
  EXPECT_EQ(TranslateKeys("{BREAK}{F13}"), Codes({0, 0}));
}

TEST(TranslateKeys, UnknownNamesRepeatTheirTextOrTypeNothing) {
  EXPECT_EQ(TranslateKeys("{x 2}"), "xx");
  EXPECT_EQ(TranslateKeys("{ab 3}"), "ababab");
  EXPECT_EQ(TranslateKeys("{{ 1}"), "{");
  EXPECT_EQ(TranslateKeys("{enter}"), "");
  EXPECT_EQ(TranslateKeys("+{enter}a"), Codes({250, 251, 'a'}));
}

TEST(TranslateKeys, BytesFromTwoHundredTwentySixOnAreKeyCodes) {
  EXPECT_EQ(TranslateKeys("\xE9"), Codes({233}));
}

TEST(TranslateKeys, AnOpeningBraceWithoutClosingBraceEndsTheDescription) {
  EXPECT_EQ(TranslateKeys("ab{cd"), "ab");
  EXPECT_EQ(TranslateKeys("+a{x"), Codes({250, 'a', 251}));
  EXPECT_EQ(TranslateKeys("+{x"), Codes({250, 251}));
}

TEST(TranslateKeys, TheDescriptionEndsAtAZeroCharacter) {
  EXPECT_EQ(TranslateKeys(std::string("ab\0cd", 5)), "ab");
}

TEST(TranslateKeys, AnAbsurdRepeatCountIsAnErrorNamingTheKey) {
  try {
    TranslateKeys("x{LEFT 99999999}");
    FAIL() << "no error";
  } catch (const std::runtime_error& error) {
    EXPECT_STREQ(error.what(), "Key repeat count too large in \"{LEFT 99999999}\" (at most 65535)");
  }
  EXPECT_THROW(TranslateKeys("{ab 70000}"), std::runtime_error);
  EXPECT_EQ(TranslateKeys("{x 65535}").size(), 65535u);
}

// --- Playing ---------------------------------------------------------------

TEST(SendKeys, TypesLettersWithShiftOnlyWhereTheLayoutNeedsIt) {
  EXPECT_EQ(Typed("abc"), "A v A ^ B v B ^ C v C ^");
  EXPECT_EQ(Typed("aB"), "A v A ^ SHIFT v B v B ^ SHIFT ^");
}

TEST(SendKeys, AddsNoShiftWhileTheScriptHoldsAModifier) {
  EXPECT_EQ(Typed("^c"), "CTRL v C v C ^ CTRL ^");
  EXPECT_EQ(Typed("^A"), "CTRL v A v A ^ CTRL ^");
  EXPECT_EQ(Typed("+(abc)d"), "SHIFT v A v A ^ B v B ^ C v C ^ SHIFT ^ D v D ^");
}

TEST(SendKeys, PlaysSpecialKeysAndTheWindowsKey) {
  EXPECT_EQ(Typed("%{F4}"), "ALT v F4 v F4 ^ ALT ^");
  EXPECT_EQ(Typed("{WIN}r"), "WIN v R v R ^ WIN ^");
  EXPECT_EQ(Typed("{LEFT 3}"), "LEFT v LEFT ^ LEFT v LEFT ^ LEFT v LEFT ^");
  EXPECT_EQ(Typed("{TAB}{ENTER}"), "TAB v TAB ^ ENTER v ENTER ^");
  EXPECT_EQ(Typed("\xE9"), "F6 v F6 ^");
  EXPECT_EQ(Typed("+~"), "SHIFT v ENTER v ENTER ^ SHIFT ^");
  EXPECT_EQ(Typed("{UP}{DOWN}{RIGHT}"), "UP v UP ^ DOWN v DOWN ^ RIGHT v RIGHT ^");
}

TEST(SendKeys, ParenthesesWithoutAPrefixAreTypedAsCharacters) {
  EXPECT_EQ(Typed("(a)"), "SHIFT v 9 v 9 ^ SHIFT ^ A v A ^ SHIFT v 0 v 0 ^ SHIFT ^");
}

TEST(SendKeys, UsesTheLayoutsScanCodesButFixedOnesForShiftAndWindows) {
  FakeSystem sys;
  SendKeys("{WIN}+A");
  ASSERT_EQ(sys.keyboard.events.size(), 6u);
  EXPECT_EQ(sys.keyboard.events[0].scan, 0);   // Windows key
  EXPECT_EQ(sys.keyboard.events[1].scan, 17);  // Shift through the layout
  EXPECT_EQ(sys.keyboard.events[2].scan, 'A' + 1);
  FakeSystem again;
  SendKeys("A");
  EXPECT_EQ(again.keyboard.events.front().scan, 42);  // Shift added for a capital
}

TEST(SendKeys, ProcessesMessagesAfterEveryKeyCode) {
  FakeSystem sys;
  SendKeys("+ab{LEFT 2}");
  EXPECT_EQ(sys.keyboard.messagesProcessed, 6);  // Shift down, a, Shift up, b, Left, Left
}

TEST(SendKeys, SkipsCharactersTheLayoutCannotType) {
  FakeSystem sys;
  SendKeys(
      "a\x80"
      "b");
  EXPECT_EQ(sys.keyboard.Played(), "A v A ^ B v B ^");
  EXPECT_EQ(sys.keyboard.messagesProcessed, 3);
}

TEST(SendKeyCodes, PlaysInternalCodesDirectly) {
  FakeSystem sys;
  SendKeyCodes(Codes({252, 'a', 253, 13}));
  EXPECT_EQ(sys.keyboard.Played(), "CTRL v A v A ^ CTRL ^ ENTER v ENTER ^");
}

class SendKeysWithoutKeyboard : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetRunState();
    sys.keyboard.available = false;
  }
  void TearDown() override { ResetRunState(); }
  FakeSystem sys;
  RecordingUI ui;
};

TEST_F(SendKeysWithoutKeyboard, StopsTheRunWithAClearMessage) {
  try {
    SendKeys("abc");
    FAIL() << "no error";
  } catch (const EScriptError& error) {
    EXPECT_STREQ(error.what(), "/sendkeys: keystrokes cannot be sent on this system (no window system)");
  }
  EXPECT_TRUE(sys.keyboard.events.empty());
}

TEST_F(SendKeysWithoutKeyboard, FollowsTheErrorModeOfTheCommand) {
  RunState().LaunchFlags = lfWarnOnFailure;
  SendKeys("abc");
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].kind, TBoxKind::Error);
  RunState().LaunchFlags = lfIgnoreFailure;
  SendKeys("abc");
  EXPECT_EQ(ui.boxes.size(), 1u);
  EXPECT_TRUE(sys.keyboard.events.empty());
}
