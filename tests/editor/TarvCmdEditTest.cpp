#include <gtest/gtest.h>

#include <iterator>
#include <set>

#include "editor/FakeEditorControls.h"
#include "editor/TarvCmdEdit.h"
#include "lang/TarvLex.h"
#include "test_support/RecordingUI.h"
#include "util/TarvCommon.h"

namespace {

class CommandRecordTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetRunState(); }

  /// Loads the line, shows it, lets `user` act and returns the line after OK.
  std::string Edit(const std::string& line, FakeCommandDialog::User user = PressOk) {
    dialogs.commandUser = user;
    TTarvCmdEdit record;
    record.LoadFromLine(line);
    confirmed = record.EditInDialog(dialogs);
    options.assign(record.Command.Options.begin(), record.Command.Options.end());
    kind = record.Command.Kind;
    return record.RebuiltLine();
  }
  const FakeCommandDialog& Shown() const { return dialogs.closedDialogs.back(); }
  bool ShownChecked(TOptionControl control) const {
    auto found = Shown().shownChecked.find(control);
    return found != Shown().shownChecked.end() && found->second;
  }

  RecordingUI ui;
  FakeEditorDialogs dialogs;
  bool confirmed = false;
  TOptionList options;
  int kind = -1;
};

// ---- Loading a line -----------------------------------------------------------

TEST_F(CommandRecordTest, BlankLineLoadsEmptyListsAndShowsNormalMode) {
  TTarvCmdEdit record;
  record.Command.Args = {"stale"};
  record.LoadFromLine("  \t ");
  EXPECT_TRUE(record.Command.Args.empty());
  EXPECT_TRUE(record.Command.Options.empty());
  Edit("");
  EXPECT_EQ(Shown().shownProg, "");
  EXPECT_EQ(Shown().shownArgs, "");
  EXPECT_TRUE(ShownChecked(TOptionControl::NormalOpt));
}

TEST_F(CommandRecordTest, ParsedLineFillsKindArgumentsAndOptions) {
  TTarvCmdEdit record;
  record.LoadFromLine("notepad /min readme.txt");
  EXPECT_EQ(record.Command.Kind, 0);
  EXPECT_EQ(record.Command.Args, (TTextList{"notepad", "readme.txt"}));
  EXPECT_EQ(record.Command.Options, (TOptionList{_MIN}));
  record.LoadFromLine("/pause Insert the disk");
  EXPECT_EQ(record.Command.Kind, _PAUSE);
  EXPECT_TRUE(ui.infoDialogs.empty());
}

TEST_F(CommandRecordTest, CommentLineIsKeptWholeAsTheCommandText) {
  TTarvCmdEdit record;
  record.LoadFromLine("  ; a note");
  EXPECT_EQ(record.Command.Kind, 0);
  EXPECT_EQ(record.Command.Args, (TTextList{"  ; a note"}));
  EXPECT_TRUE(record.Command.Options.empty());
}

TEST_F(CommandRecordTest, RejectedLineIsShownByTheParserAndKeptWhole) {
  TTarvCmdEdit record;
  record.LoadFromLine("/frobnicate now");
  EXPECT_EQ(record.Command.Args, (TTextList{"/frobnicate now"}));
  EXPECT_EQ(ui.infoDialogs.size(), 1u);
}

// ---- Showing and rebuilding: lines confirmed unchanged ------------------------

TEST_F(CommandRecordTest, ProgramWithOptionComesBackWithOptionAfterItAndQuotedArgument) {
  EXPECT_EQ(Edit("notepad /min readme.txt"), "notepad/min \"readme.txt\"");
  EXPECT_TRUE(confirmed);
  EXPECT_EQ(Shown().shownProg, "notepad");
  EXPECT_EQ(Shown().shownArgs, "\"readme.txt\"");
  EXPECT_TRUE(ShownChecked(TOptionControl::MinOpt));
  EXPECT_FALSE(ShownChecked(TOptionControl::NormalOpt));
  EXPECT_EQ(kind, 0);
  EXPECT_EQ(options, (TOptionList{_MIN}));
}

TEST_F(CommandRecordTest, ProgramPathWithBlanksComesBackQuoted) {
  EXPECT_EQ(Edit("\"C:\\Program Files\\App\\app.exe\" one two"),
            "\"C:\\Program Files\\App\\app.exe\" \"one\" \"two\"");
}

TEST_F(CommandRecordTest, CommentComesBackWithOneTrailingBlank) {
  EXPECT_EQ(Edit("; a note"), "; a note ");
  EXPECT_EQ(Shown().shownProg, "; a note");
}

TEST_F(CommandRecordTest, FileCommandComesBackWithTheNameQuotedRightAfterTheMark) {
  EXPECT_EQ(Edit("@job.qd"), "@\"job.qd\"");
  EXPECT_EQ(Shown().shownProg, "@");
}

TEST_F(CommandRecordTest, SeveralWindowModesShowTheLastOfTheFillOrder) {
  EXPECT_EQ(Edit("notepad /hide /min"), "notepad/min ");
  EXPECT_TRUE(ShownChecked(TOptionControl::MinOpt));
  EXPECT_FALSE(ShownChecked(TOptionControl::HideOpt));
}

TEST_F(CommandRecordTest, ShortOptionWordsComeBackLongInFixedOrder) {
  EXPECT_EQ(Edit("notepad /w /h"), "notepad/hide/wait ");
  EXPECT_TRUE(ShownChecked(TOptionControl::WaitOpt));
  EXPECT_TRUE(ShownChecked(TOptionControl::HideOpt));
}

TEST_F(CommandRecordTest, ErrorOptionsShowInTheirBoxes) {
  EXPECT_EQ(Edit("backup /ignore /warn"), "backup/ignore/warn ");
  EXPECT_TRUE(ShownChecked(TOptionControl::WarnOpt));
  EXPECT_TRUE(ShownChecked(TOptionControl::IgnoreOpt));
  EXPECT_TRUE(ShownChecked(TOptionControl::NormalOpt));
}

TEST_F(CommandRecordTest, QuotedArgumentGetsASecondPairOfQuotes) {
  Edit("notepad \"my file.txt\"");
  EXPECT_EQ(Shown().shownArgs, "\"\"my file.txt\"\"");
}

TEST_F(CommandRecordTest, InternalCommandComesBackWithQuotedArgument) {
  EXPECT_EQ(Edit("/activate Untitled - Notepad"), "/activate \"Untitled - Notepad\"");
}

// ---- Rebuilding from changed fields --------------------------------------------

TEST_F(CommandRecordTest, SingleCommentMarkJoinsTheArgumentsWithoutBlank) {
  EXPECT_EQ(Edit("",
                 [](FakeCommandDialog& d, ICommandDialogEvents& e) {
                   d.prog = ";";
                   d.args = "hello";
                   return e.btnOkClick();
                 }),
            ";hello");
}

TEST_F(CommandRecordTest, LongerCommentTextKeepsOneBlankBeforeTheArguments) {
  EXPECT_EQ(Edit("",
                 [](FakeCommandDialog& d, ICommandDialogEvents& e) {
                   d.prog = "; note";
                   return e.btnOkClick();
                 }),
            "; note ");
}

TEST_F(CommandRecordTest, CommentAndFileLinesTakeNoOptions) {
  auto checkEverything = [](const std::string& prog, const std::string& args) {
    return [prog, args](FakeCommandDialog& d, ICommandDialogEvents& e) {
      d.prog = prog;
      d.args = args;
      for (TOptionControl c : {TOptionControl::WaitOpt, TOptionControl::WarnOpt, TOptionControl::HideOpt})
        d.SetChecked(c, true);
      return e.btnOkClick();
    };
  };
  EXPECT_EQ(Edit("", checkEverything("@", "\"job.qd\"")), "@\"job.qd\"");
  EXPECT_TRUE(options.empty());
  EXPECT_EQ(Edit("", checkEverything("#", " note")), "# note");
  EXPECT_TRUE(options.empty());
}

TEST_F(CommandRecordTest, OptionsComeFromCheckedControlsEvenWhenDisabled) {
  std::string line = Edit("", [](FakeCommandDialog& d, ICommandDialogEvents& e) {
    d.TypeProg("/sleep", e);  // disables the window modes and wait
    d.args = "1";
    d.SetChecked(TOptionControl::WaitOpt, true);
    d.SetChecked(TOptionControl::IgnoreOpt, true);
    d.SetChecked(TOptionControl::WarnOpt, true);
    d.SetChecked(TOptionControl::HideOpt, true);
    return e.btnOkClick();
  });
  EXPECT_EQ(options, (TOptionList{_WAIT, _WARN, _IGNORE, _HIDE}));
  EXPECT_EQ(line, "/sleep/hide/ignore/warn/wait 1");
}

TEST_F(CommandRecordTest, ProgramWithBlankIsQuotedUnlessItStartsWithAQuote) {
  EXPECT_EQ(BuildCommandLine("C:\\My Tools\\x.exe", {}, "a"), "\"C:\\My Tools\\x.exe\" a");
  EXPECT_EQ(BuildCommandLine("\"C:\\My Tools\\x.exe\" -q", {}, "a"), "\"C:\\My Tools\\x.exe\" -q a");
  EXPECT_EQ(BuildCommandLine("x.exe", TOptionList{_MAX, _WAIT}, ""), "x.exe/max/wait ");
}

TEST_F(CommandRecordTest, EmptyCommandBoxGivesABlankLineWithoutOptions) {
  EXPECT_EQ(Edit("notepad /max",
                 [](FakeCommandDialog& d, ICommandDialogEvents& e) {
                   d.prog = "";
                   return e.btnOkClick();
                 }),
            "");
  EXPECT_TRUE(confirmed);
  EXPECT_TRUE(options.empty());
}

TEST_F(CommandRecordTest, CancelLeavesTheObjectAsLoaded) {
  dialogs.commandUser = [](FakeCommandDialog& d, ICommandDialogEvents&) {
    d.prog = "changed";
    return false;
  };
  TTarvCmdEdit record;
  record.LoadFromLine("notepad /min readme.txt");
  EXPECT_FALSE(record.EditInDialog(dialogs));
  EXPECT_EQ(record.Command.Args, (TTextList{"notepad", "readme.txt"}));
  EXPECT_EQ(record.Command.Options, (TOptionList{_MIN}));
}

TEST_F(CommandRecordTest, RecordKnowsItsDialogOnlyWhileItIsOpen) {
  TTarvCmdEdit record;
  void* seen = nullptr;
  dialogs.commandUser = [&record, &seen](FakeCommandDialog& d, ICommandDialogEvents&) {
    seen = record.Command.EditDialog;
    return static_cast<ICommandDialogControls*>(&d) == seen;
  };
  EXPECT_TRUE(record.EditInDialog(dialogs));
  EXPECT_NE(seen, nullptr);
  EXPECT_EQ(record.Command.EditDialog, nullptr);
}

TEST_F(CommandRecordTest, RejectedInternalCommandCannotBeConfirmedUntilMended) {
  int attempts = 0;
  std::string line = Edit("/frobnicate now", [&attempts](FakeCommandDialog& d, ICommandDialogEvents& e) {
    ++attempts;
    if (e.btnOkClick()) return true;
    d.TypeProg("/plist", e);
    ++attempts;
    return e.btnOkClick();
  });
  EXPECT_EQ(attempts, 2);
  EXPECT_EQ(line, "/plist ");
}

// ---- Lines longer than the parser's values --------------------------------------

TEST_F(CommandRecordTest, LongProgramLineComesBackWhole) {
  const std::string line = "notepad " + std::string(400, 'a') + " \"b c\" /x";
  EXPECT_EQ(Edit(line), line);
  EXPECT_EQ(Shown().shownProg, "notepad");
  EXPECT_EQ(Shown().shownArgs, std::string(400, 'a') + " \"b c\" /x");
  EXPECT_TRUE(ui.infoDialogs.empty());
}

TEST_F(CommandRecordTest, LongQuotedProgramLineComesBackWhole) {
  const std::string line = "\"C:\\Program Files\\x.exe\" \"" + std::string(300, 'q') + "\"";
  EXPECT_EQ(Edit(line), line);
}

TEST_F(CommandRecordTest, LongCommentComesBackWholeWithItsBlank) {
  const std::string line = "; " + std::string(500, 'n');
  EXPECT_EQ(Edit(line), line + " ");
}

TEST_F(CommandRecordTest, LongLineIsNotParsed) {
  TTarvCmdEdit record;
  record.LoadFromLine("/pause " + std::string(300, 'p'));
  EXPECT_EQ(record.Command.Kind, 0);
  EXPECT_EQ(record.Command.Args, (TTextList{"/pause"}));
  EXPECT_TRUE(ui.infoDialogs.empty());
  EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(CommandRecordTest, LineOfExactlyTheLimitIsStillParsed) {
  const std::string line = "notepad " + std::string(kLongestParsedLine - 8, 'a');
  ASSERT_EQ(line.size(), kLongestParsedLine);
  TTarvCmdEdit record;
  record.LoadFromLine(line);
  EXPECT_EQ(record.Command.Args.size(), 2u);
}

}  // namespace

// Every option word of the keyword table, short or long, reaches its row of
// the option table: the dialog shows it in the row's control, reading the
// dialog back gives the row's code, and the line comes back with the row's
// long form; a program start carrying it gets the row's launch bits.
TEST_F(CommandRecordTest, EveryOptionWordRoundTripsThroughTheDialog) {
  int optionWords = 0;
  std::set<int32_t> rowsReached;
  for (int slot = 1; slot <= kUsedKeywordSlots; ++slot) {
    const TKwRec& word = KeywordRecord(slot);
    const TOptionRec* row = nullptr;
    for (const TOptionRec& option : CommandOptions())
      if (option.token == word.token) row = &option;
    if (!row) continue;
    ++optionWords;
    rowsReached.insert(row->token);
    SCOPED_TRACE(word.keyword);
    EXPECT_EQ(Edit("prog " + word.keyword + " x"), std::string("prog") + row->keyword + " \"x\"");
    EXPECT_TRUE(ShownChecked(row->control));
    EXPECT_EQ(ShownChecked(TOptionControl::NormalOpt), row->group != TOptionGroup::WindowMode);
    EXPECT_EQ(options, TOptionList{row->token});
    const uint32_t flags = ProgramLaunchFlags(options);
    if (row->group == TOptionGroup::WindowMode)
      EXPECT_EQ(flags, row->launchBits);
    else
      EXPECT_EQ(flags, lfRaiseOnFailure | smShow | row->launchBits);
    EXPECT_EQ(ErrorModeFlags(options), row->group == TOptionGroup::ErrorMode ? row->launchBits : 0u);
  }
  for (const TOptionRec& row : CommandOptions())  // a written-back option reads as itself
    EXPECT_EQ(KeywordRecord(KeywordLookup(row.keyword)).token, row.token) << row.keyword;
  EXPECT_EQ(optionWords, 10);  // seven long forms and /h, /i, /w
  EXPECT_EQ(rowsReached.size(), std::size(CommandOptions()));
}
