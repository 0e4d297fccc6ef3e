#include <gtest/gtest.h>

#include <initializer_list>
#include <stdexcept>

#include "sys/Winfuncs.h"
#include "test_support/FakeSystem.h"
#include "test_support/RecordingUI.h"
#include "util/TarvCommon.h"

namespace {

// The keystrokes as text: "+SHIFT" pressed, "-SHIFT" released, "LEFT"
// tapped, 'a' typed; separated by blanks.
std::string Strokes(std::u32string_view description) {
  std::string text;
  for (const TKeyStroke& stroke : TranslateKeys(description)) {
    if (!text.empty()) text += ' ';
    switch (stroke.kind) {
      case TKeyStroke::Press: text += "+" + FakeKeyboard::KeyName(stroke.virtualKey); break;
      case TKeyStroke::Release: text += "-" + FakeKeyboard::KeyName(stroke.virtualKey); break;
      case TKeyStroke::Tap: text += FakeKeyboard::KeyName(stroke.virtualKey); break;
      case TKeyStroke::Type:
        text += stroke.character < 0x80 ? "'" + std::string(1, static_cast<char>(stroke.character)) + "'"
                                        : FakeKeyboard::CodePoint(stroke.character);
    }
  }
  return text;
}

std::string Typed(std::string_view description) {
  FakeSystem sys;
  SendKeys(description);
  return sys.keyboard.Played();
}

}  // namespace

// --- Translation -----------------------------------------------------------

TEST(TranslateKeys, PlainCharactersStandForThemselves) {
  EXPECT_EQ(Strokes(U"aB"), "'a' 'B'");
  EXPECT_EQ(Strokes(U"(a)"), "'(' 'a' ')'");
  EXPECT_EQ(Strokes(U"a)b}"), "'a' ')' 'b' '}'");
  // Every character of the user's text is a character, whatever its code.
  EXPECT_EQ(Strokes(U"\u00E2\u00FC\u00E9\u00FF"), "U+00E2 U+00FC U+00E9 U+00FF");
  EXPECT_EQ(Strokes(U"\t"), "TAB");
}

TEST(TranslateKeys, PrefixesHoldTheirModifierOverTheNextKeyOnly) {
  EXPECT_EQ(Strokes(U"^c"), "+CTRL 'c' -CTRL");
  EXPECT_EQ(Strokes(U"%{F4}"), "+ALT F4 -ALT");
  EXPECT_EQ(Strokes(U"+ab"), "+SHIFT 'a' -SHIFT 'b'");
  EXPECT_EQ(Strokes(U"+^a"), "+SHIFT +CTRL 'a' -SHIFT -CTRL");
  EXPECT_EQ(Strokes(U"^\u00FC"), "+CTRL U+00FC -CTRL");
}

TEST(TranslateKeys, ModifierKeyNamesActLikePrefixes) {
  EXPECT_EQ(Strokes(U"{WIN}r"), "+WIN 'r' -WIN");
  EXPECT_EQ(Strokes(U"{WINDOWS}{SHIFT}{CTRL}{ALT}x"), "+WIN +SHIFT +CTRL +ALT 'x' -WIN -SHIFT -CTRL -ALT");
}

TEST(TranslateKeys, AGroupAfterAPrefixHoldsTheModifierOverTheWholeGroup) {
  EXPECT_EQ(Strokes(U"+(abc)d"), "+SHIFT 'a' 'b' 'c' -SHIFT 'd'");
  EXPECT_EQ(Strokes(U"+(a^(b)c)d"), "+SHIFT 'a' +CTRL 'b' 'c' -SHIFT -CTRL 'd'");
}

TEST(TranslateKeys, TildeIsEnterAndKeepsModifiersPending) {
  EXPECT_EQ(Strokes(U"~"), "ENTER");
  EXPECT_EQ(Strokes(U"+~"), "+SHIFT ENTER -SHIFT");
  EXPECT_EQ(Strokes(U"+~a"), "+SHIFT ENTER 'a' -SHIFT");
}

TEST(TranslateKeys, SpecialKeyNamesTakeARepeatCount) {
  EXPECT_EQ(Strokes(U"{LEFT 3}"), "LEFT LEFT LEFT");
  EXPECT_EQ(Strokes(U"{LEFT 0}"), "");
  EXPECT_EQ(Strokes(U"{LEFT -2}"), "");
  EXPECT_EQ(Strokes(U"{TAB}{ENTER}"), "TAB ENTER");
  EXPECT_EQ(Strokes(U"{BS}{DEL}{HOME}{END}{PGUP}{PGDN}{INS}{ESC}"), "BS DEL HOME END PGUP PGDN INS ESC");
  EXPECT_EQ(Strokes(U"{F1}{F12}{UP}{DOWN}{RIGHT}"), "F1 F12 UP DOWN RIGHT");
}

TEST(TranslateKeys, KeysWithoutAKeyOfTheirOwnTypeNothing) {
  EXPECT_EQ(Strokes(U"{BREAK}{F13}"), "");
  EXPECT_EQ(Strokes(U"+{BREAK}a"), "+SHIFT -SHIFT 'a'");
}

TEST(TranslateKeys, UnknownNamesRepeatTheirTextOrTypeNothing) {
  EXPECT_EQ(Strokes(U"{x 2}"), "'x' 'x'");
  EXPECT_EQ(Strokes(U"{ab 3}"), "'a' 'b' 'a' 'b' 'a' 'b'");
  EXPECT_EQ(Strokes(U"{{ 1}"), "'{'");
  EXPECT_EQ(Strokes(U"{\u00FC 2}"), "U+00FC U+00FC");
  EXPECT_EQ(Strokes(U"{enter}"), "");
  EXPECT_EQ(Strokes(U"+{enter}a"), "+SHIFT -SHIFT 'a'");
  EXPECT_EQ(Strokes(U"+{ab 2}"), "+SHIFT 'a' 'b' 'a' 'b' -SHIFT");
}

TEST(TranslateKeys, AnOpeningBraceWithoutClosingBraceEndsTheDescription) {
  EXPECT_EQ(Strokes(U"ab{cd"), "'a' 'b'");
  EXPECT_EQ(Strokes(U"+a{x"), "+SHIFT 'a' -SHIFT");
  EXPECT_EQ(Strokes(U"+{x"), "+SHIFT -SHIFT");
}

TEST(TranslateKeys, TheDescriptionEndsAtAZeroCharacter) {
  EXPECT_EQ(Strokes(std::u32string(U"ab\0cd", 5)), "'a' 'b'");
}

TEST(TranslateKeys, AnAbsurdRepeatCountIsAnErrorNamingTheKey) {
  try {
    TranslateKeys(U"x{LEFT 99999999}");
    FAIL() << "no error";
  } catch (const std::runtime_error& error) {
    EXPECT_STREQ(error.what(), "Key repeat count too large in \"{LEFT 99999999}\" (at most 65535)");
  }
  EXPECT_THROW(TranslateKeys(U"{ab 70000}"), std::runtime_error);
  EXPECT_EQ(TranslateKeys(U"{x 65535}").size(), 65535u);
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

// Characters from 128 up were once taken for internal key codes: ü (252)
// pressed Ctrl and left it down, so the next /sendkeys x became Ctrl+X.
TEST(SendKeys, TypesAccentedLettersAsThemselvesAndLeavesNoModifierDown) {
  FakeSystem sys;
  SendKeys(
      "a\xC3\xBC"
      "b \xC3\xA9\xE2\x82\xAC");
  EXPECT_EQ(sys.keyboard.Played(),
            "A v A ^ U+00FC v U+00FC ^ B v B ^ SPACE v SPACE ^ U+00E9 v U+00E9 ^ U+20AC v U+20AC ^");
  sys.keyboard.events.clear();
  SendKeys("x");
  EXPECT_EQ(sys.keyboard.Played(), "X v X ^");
}

TEST(SendKeys, TypesAltGrCharactersWithTheirKeysAndCtrlOnesAsThemselves) {
  EXPECT_EQ(Typed("@"), "CTRL v ALT v Q v Q ^ ALT ^ CTRL ^");
  EXPECT_EQ(Typed("|"), "U+007C v U+007C ^");  // Ctrl alone would be a shortcut
  EXPECT_EQ(Typed("^@"), "CTRL v Q v Q ^ CTRL ^");
}

TEST(SendKeys, MarksNavigationKeysAndTheWindowsKeyAsExtended) {
  FakeSystem sys;
  SendKeys("{LEFT}{WIN}a{F5}");
  std::vector<bool> extended;
  for (const TKeyEvent& event : sys.keyboard.events) extended.push_back(event.extended);
  EXPECT_EQ(extended, (std::vector<bool>{true, true, true, false, false, true, false, false}));
}

// The next command must not overtake the keys: each keystroke is read by
// the window in front before the next is sent. A window that does not read
// them in time is not waited for again, so a hung window costs one wait.
TEST(SendKeys, WaitsUntilTheWindowHasTakenEachKeystroke) {
  FakeSystem sys;
  SendKeys("+ab~");
  EXPECT_EQ(sys.keyboard.waits, (std::vector<size_t>{0, 1, 3, 4, 6, 8}));
  EXPECT_EQ(sys.keyboard.waitTimeouts.front(), kKeysTakenTimeoutMs);

  FakeSystem hung;
  hung.keyboard.hung = true;
  SendKeys("abc");
  EXPECT_EQ(hung.keyboard.Played(), "A v A ^ B v B ^ C v C ^");
  EXPECT_EQ(hung.keyboard.waitTimeouts,
            (std::vector<uint32_t>{kKeysTakenTimeoutMs, kKeysTakenTimeoutMs, 0, 0}));
}

class SendKeysInterrupted : public ::testing::Test {
 protected:
  void SetUp() override { ResetRunState(); }
  void TearDown() override { ResetRunState(); }
  FakeSystem sys;
  RecordingUI ui;
};

TEST_F(SendKeysInterrupted, AnEndRequestStopsTheTypingAndReleasesTheModifiers) {
  sys.keyboard.endRequestAt = 3;  // after Shift, Ctrl and a
  SendKeys("+^(abc)d");
  EXPECT_EQ(sys.keyboard.Played(), "SHIFT v CTRL v A v A ^ CTRL ^ SHIFT ^");
  EXPECT_EQ(sys.keyboard.waits.back(), sys.keyboard.events.size());
}

TEST_F(SendKeysInterrupted, ARefusalReleasesTheModifiersAndFollowsTheErrorMode) {
  sys.keyboard.refuseAt = 3;  // Alt and a went, b is refused
  RunState().LaunchFlags = lfWarnOnFailure;
  SendKeys("%(ab)");
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].text.rfind("/sendkeys: the system refused the keystrokes", 0), 0u);
  EXPECT_EQ(sys.keyboard.Played(), "ALT v A v A ^ B ^ ALT ^");  // b may have gone down
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
