#include <gtest/gtest.h>

#include "editor/FakeEditorControls.h"
#include "editor/TarvInput.h"
#include "test_support/RecordingUI.h"
#include "util/TarvCommon.h"

namespace {

constexpr TOptionControl kWindowModes[] = {TOptionControl::NormalOpt, TOptionControl::HideOpt,
                                           TOptionControl::MinOpt, TOptionControl::MaxOpt,
                                           TOptionControl::MinNoActOpt};

struct Captions {
  std::string prog, upper, lower;
  bool upperVisible = true, lowerVisible = true, argsVisible = true, programOptions = false;
};

class CommandDialogTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetRunState(); }

  void Type(const std::string& text) { dialog.TypeProg(text, input); }
  bool ProgramOptionsEnabled() const {
    return dialog.Enabled(TOptionControl::WaitOpt) && dialog.Enabled(TOptionControl::HideOpt) &&
           dialog.Enabled(TOptionControl::NormalOpt) && dialog.Enabled(TOptionControl::MinOpt) &&
           dialog.Enabled(TOptionControl::MaxOpt) && dialog.Enabled(TOptionControl::MinNoActOpt);
  }
  bool ProgramOptionsDisabled() const {
    return !dialog.Enabled(TOptionControl::WaitOpt) && !dialog.Enabled(TOptionControl::HideOpt) &&
           !dialog.Enabled(TOptionControl::NormalOpt) && !dialog.Enabled(TOptionControl::MinOpt) &&
           !dialog.Enabled(TOptionControl::MaxOpt) && !dialog.Enabled(TOptionControl::MinNoActOpt);
  }
  void ExpectCaptions(const Captions& want) {
    SCOPED_TRACE("Prog text: " + want.prog);
    Type(want.prog);
    if (want.upperVisible) {
      EXPECT_EQ(dialog.upperLabel, want.upper);
    }
    if (want.lowerVisible) {
      EXPECT_EQ(dialog.lowerLabel, want.lower);
    }
    EXPECT_EQ(dialog.upperVisible, want.upperVisible);
    EXPECT_EQ(dialog.lowerVisible, want.lowerVisible);
    EXPECT_EQ(dialog.argsVisible, want.argsVisible);
    EXPECT_EQ(ProgramOptionsEnabled(), want.programOptions);
    EXPECT_EQ(ProgramOptionsDisabled(), !want.programOptions);
    EXPECT_TRUE(dialog.Enabled(TOptionControl::WarnOpt));
    EXPECT_TRUE(dialog.Enabled(TOptionControl::IgnoreOpt));
  }

  RecordingUI ui;
  FakeCommandDialog dialog;
  TTarvInput input{dialog};
};

TEST_F(CommandDialogTest, ProgramNamesAndEmptyTextAskForCommandAndArguments) {
  ExpectCaptions({"", "Command", "Arguments", true, true, true, true});
  ExpectCaptions({"notepad", "Command", "Arguments", true, true, true, true});
  ExpectCaptions({"@job.qd", "Command", "Arguments", true, true, true, true});
}

TEST_F(CommandDialogTest, CommentMarksShowCommentAndText) {
  ExpectCaptions({";", "Comment", "Text"});
  ExpectCaptions({"#", "Comment", "Text"});
  ExpectCaptions({"; a note", "Comment", "Text"});
}

TEST_F(CommandDialogTest, InternalCommandsShowTheirKeywordCaptions) {
  ExpectCaptions({"@", "Command", "filename"});
  for (const char* window : {"/activate", "/close", "/killwindow", "/waitclose", "/waitfor"})
    ExpectCaptions({window, "Window", "name"});
  ExpectCaptions({"/cd", "Directory", "pathname"});
  ExpectCaptions({"/edit", ".qd file", "pathname"});
  ExpectCaptions({"/if", "Condition", "expression"});
  ExpectCaptions({"/while", "Condition", "expression"});
  ExpectCaptions({"/kill", "Program", "name"});
  ExpectCaptions({"/pause", "Message", "text"});
  ExpectCaptions({"/sendkeys", "Keystrokes", "to send"});
  ExpectCaptions({"/set", "variable", "= value"});
  ExpectCaptions({"/sleep", "Seconds", "to sleep"});
}

TEST_F(CommandDialogTest, CommandsWithoutArgumentsHideCaptionsAndField) {
  for (const char* bare : {"/do", "/else", "/plist", "/waitall", "/wlist"})
    ExpectCaptions({bare, "", "", false, false, false});
}

TEST_F(CommandDialogTest, KeywordLookupIgnoresLetterCase) { ExpectCaptions({"/Activate", "Window", "name"}); }

TEST_F(CommandDialogTest, OptionWordsAndUnknownSlashWordsAreNoCommands) {
  ExpectCaptions({"/hide", "Command", "Arguments"});
  ExpectCaptions({"/frobnicate", "Command", "Arguments"});
  ExpectCaptions({"/", "Command", "Arguments"});
}

TEST_F(CommandDialogTest, HiddenFieldComesBackForTheNextCommand) {
  Type("/plist");
  ExpectCaptions({"/kill", "Program", "name"});
}

TEST_F(CommandDialogTest, DisablingProgramOptionsKeepsWhatIsChecked) {
  dialog.SetChecked(TOptionControl::WaitOpt, true);
  input.SetRadio(TOptionControl::MaxOpt, true);
  Type("/sleep");
  EXPECT_TRUE(dialog.Checked(TOptionControl::WaitOpt));
  EXPECT_TRUE(dialog.Checked(TOptionControl::MaxOpt));
  EXPECT_FALSE(dialog.Enabled(TOptionControl::MaxOpt));
}

TEST_F(CommandDialogTest, CheckingOneWindowModeUnchecksTheOthers) {
  input.SetRadio(TOptionControl::HideOpt, true);
  input.SetRadio(TOptionControl::MinOpt, true);
  for (TOptionControl mode : kWindowModes) EXPECT_EQ(dialog.Checked(mode), mode == TOptionControl::MinOpt);
  input.SetRadio(TOptionControl::HideOpt, false);
  EXPECT_TRUE(dialog.Checked(TOptionControl::MinOpt));
}

TEST_F(CommandDialogTest, DropDownListsMarksThenInternalCommandsAndClearsTheText) {
  Type("notepad");
  input.ProgDropDown();
  std::vector<std::string> expected = {
      "",      ";",      "#",        "@",          "/activate",   "/cd",    "/close", "/do",
      "/edit", "/else",  "/if",      "/kill",      "/killwindow", "/pause", "/plist", "/sendkeys",
      "/set",  "/sleep", "/waitall", "/waitclose", "/waitfor",    "/while", "/wlist"};
  EXPECT_EQ(dialog.progItems, expected);
  EXPECT_EQ(dialog.prog, "");
}

TEST_F(CommandDialogTest, BrowsePutsTheChosenProgramIntoTheCommandBox) {
  dialog.browseAnswer = "C:\\Tools\\run me.exe";
  input.btnBrowseClick();
  EXPECT_EQ(dialog.prog, "C:\\Tools\\run me.exe");
}

TEST_F(CommandDialogTest, BrowseCancelledLeavesTheCommandBox) {
  Type("notepad");
  input.btnBrowseClick();
  EXPECT_EQ(dialog.prog, "notepad");
}

TEST_F(CommandDialogTest, OkAcceptsProgramsAndCommentsUnchecked) {
  for (const char* text : {"notepad", "; a note", "# another", "c:\\bin\\a-b %x"}) {
    dialog.prog = text;
    dialog.args = "!!! not checked ((";
    EXPECT_TRUE(input.btnOkClick()) << text;
  }
  EXPECT_TRUE(ui.infoDialogs.empty());
  EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(CommandDialogTest, OkAcceptsInternalCommandsThatParse) {
  dialog.prog = "/pause";
  dialog.args = "Insert the disk";
  EXPECT_TRUE(input.btnOkClick());
  dialog.prog = "@";
  dialog.args = "\"job.qd\"";
  EXPECT_TRUE(input.btnOkClick());
  dialog.prog = "/sleep";
  dialog.args = "2";
  EXPECT_TRUE(input.btnOkClick());
  EXPECT_TRUE(ui.infoDialogs.empty());
}

TEST_F(CommandDialogTest, OkOnALineTheParserRejectsKeepsTheDialogOpenWithTheReport) {
  dialog.prog = "/sleep";
  dialog.args = "= =";
  EXPECT_FALSE(input.btnOkClick());
  ASSERT_EQ(ui.infoDialogs.size(), 1u);
  EXPECT_NE(ui.infoDialogs[0].find("Parse Errors: "), std::string::npos);
  EXPECT_TRUE(ui.boxes.empty());
  EXPECT_EQ(dialog.prog, "/sleep");
  EXPECT_EQ(dialog.args, "= =");
}

TEST_F(CommandDialogTest, OkOnAnArgumentBeyondTheLexerLimitSaysWhy) {
  dialog.prog = "/pause";
  dialog.args = std::string(300, 'x');
  EXPECT_FALSE(input.btnOkClick());
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_NE(ui.boxes[0].text.find("yytext overflow"), std::string::npos);
  // The engine-wide scanner recovers: the next check works.
  dialog.args = "short";
  EXPECT_TRUE(input.btnOkClick());
}

TEST_F(CommandDialogTest, OkWithNoCommandAndNoArgumentsGivesABlankLine) {
  dialog.prog = "";
  dialog.args = "  ";
  EXPECT_TRUE(input.btnOkClick());
  EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(CommandDialogTest, OkWithArgumentsButNoCommandIsRefused) {
  dialog.prog = " ";
  dialog.args = "readme.txt";
  EXPECT_FALSE(input.btnOkClick());
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].kind, TBoxKind::Error);
  EXPECT_NE(ui.boxes[0].text.find("\"readme.txt\""), std::string::npos);
  EXPECT_NE(ui.boxes[0].text.find("\"Command:\""), std::string::npos);
}

}  // namespace
