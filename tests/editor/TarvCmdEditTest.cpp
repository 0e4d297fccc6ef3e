#include <gtest/gtest.h>

#include <functional>
#include <iterator>
#include <set>

#include "editor/FakeEditorControls.h"
#include "editor/TarvCmdEdit.h"
#include "editor/TarvInput.h"
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

// ---- Showing a line and confirming it ---------------------------------------------

using Change = std::function<void(FakeCommandDialog&, ICommandDialogEvents&)>;

// The user changes `change` (nothing when empty), then presses OK.
FakeCommandDialog::User Confirm(Change change) {
  return [change](FakeCommandDialog& d, ICommandDialogEvents& e) {
    if (change) change(d, e);
    return e.btnOkClick();
  };
}
Change SetArgs(std::string text) {
  return [text](FakeCommandDialog& d, ICommandDialogEvents&) { d.args = text; };
}
Change Toggle(TOptionControl control) {
  return [control](FakeCommandDialog& d, ICommandDialogEvents&) { d.checked[control] = !d.Checked(control); };
}
Change TypeProg(std::string text) {
  return [text](FakeCommandDialog& d, ICommandDialogEvents& e) { d.TypeProg(text, e); };
}

// The fields show each part as written, and OK without a change gives the
// line back byte for byte.
TEST_F(CommandRecordTest, FieldsShowThePartsAsWrittenAndAnUnchangedLineComesBackAsItWas) {
  struct Row {
    std::string line, prog, args;
    std::vector<TOptionControl> checked;
  };
  const Row rows[] = {
      {"notepad /min readme.txt", "notepad", "readme.txt", {TOptionControl::MinOpt}},
      {"C:\\wr\\showcl.exe /wait \"a b\" c", "C:\\wr\\showcl.exe", "\"a b\" c", {TOptionControl::WaitOpt}},
      {"\"C:\\Program Files\\App\\app.exe\" one  two", "\"C:\\Program Files\\App\\app.exe\"", "one  two", {}},
      {"notepad/w/h my-file.txt",
       "notepad",
       "my-file.txt",
       {TOptionControl::WaitOpt, TOptionControl::HideOpt}},
      {"/set debug = on", "/set", "debug = on", {}},
      {"/SET x=\"a b\"", "/SET", "x=\"a b\"", {}},
      {"/pause say \"hi\" to Ann", "/pause", "say \"hi\" to Ann", {}},
      {"/pause C:\\temp\\", "/pause", "C:\\temp\\", {}},
      {"/pause \"a\" & env(X)", "/pause", "\"a\" & env(X)", {}},
      {"/pause a}b ", "/pause", "a}b ", {}},
      {"/activate /warn Untitled - Notepad", "/activate", "Untitled - Notepad", {TOptionControl::WarnOpt}},
      {"@\"C:\\wr\\my notes\\x.qd\"", "@", "\"C:\\wr\\my notes\\x.qd\"", {}},
      {"  /plist", "/plist", "", {}},
      {"; a note ", "; a note ", "", {}},
      {"   # indented", "# indented", "", {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.line);
    EXPECT_EQ(Edit(row.line), row.line);
    EXPECT_TRUE(confirmed);
    EXPECT_EQ(Shown().shownProg, row.prog);
    EXPECT_EQ(Shown().shownArgs, row.args);
    bool windowMode = false;
    for (TOptionControl control : row.checked) {
      EXPECT_TRUE(ShownChecked(control));
      windowMode = windowMode || IsWindowModeControl(control);
    }
    EXPECT_EQ(ShownChecked(TOptionControl::NormalOpt), !windowMode);
  }
  EXPECT_TRUE(ui.infoDialogs.empty());
}

// A change rebuilds the line from the fields: arguments as written, options
// long and in fixed order after a blank, only those the command takes.
TEST_F(CommandRecordTest, ChangedFieldsRebuildALineThatMeansWhatTheyShow) {
  struct Row {
    std::string line;
    Change change;
    std::string rebuilt;
  };
  const Row rows[] = {
      {"C:\\wr\\showcl.exe /wait \"a b\" c", Toggle(TOptionControl::WaitOpt), "C:\\wr\\showcl.exe \"a b\" c"},
      {"notepad /w /h x", Toggle(TOptionControl::WarnOpt), "notepad /hide/warn/wait x"},
      {"notepad /hide /min", Toggle(TOptionControl::IgnoreOpt), "notepad /min/ignore"},
      {"/set debug = on", SetArgs("debug = off"), "/set debug = off"},
      {"/pause a}b", SetArgs("c}d"), "/pause c}d"},
      {"/pause hi", Toggle(TOptionControl::HideOpt), "/pause hi"},
      {"/sleep 1", Toggle(TOptionControl::WarnOpt), "/sleep /warn 1"},
      {"@\"C:\\wr\\my notes\\x.qd\"", SetArgs("\"y z.qd\""), "@\"y z.qd\""},
      {"@job.qd", Toggle(TOptionControl::WarnOpt), "@job.qd"},
      {"notepad a", TypeProg("C:\\My Tools\\x.exe"), "\"C:\\My Tools\\x.exe\" a"},
      {"notepad a", TypeProg("\"C:\\My Tools\\x.exe\" -q"), "\"C:\\My Tools\\x.exe\" -q a"},
      {"/plist", TypeProg("/wlist"), "/wlist"},
      {"; old", TypeProg(";"), ";"},
      {"", [](FakeCommandDialog& d, ICommandDialogEvents& e) { d.TypeProg(";", e), d.args = "hello"; },
       ";hello"},
      {"", TypeProg("; note"), "; note"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.line + " -> " + row.rebuilt);
    EXPECT_EQ(Edit(row.line, Confirm(row.change)), row.rebuilt);
    EXPECT_TRUE(confirmed);
    EXPECT_EQ(kind, 0);
  }
  EXPECT_TRUE(ui.infoDialogs.empty());
}

TEST_F(CommandRecordTest, OptionsOfTheLineAreThoseItCarries) {
  Edit(
      "/sleep 1", Confirm([](FakeCommandDialog& d, ICommandDialogEvents&) {
        for (TOptionControl c : {TOptionControl::WaitOpt, TOptionControl::IgnoreOpt, TOptionControl::HideOpt})
          d.SetChecked(c, true);
      }));
  EXPECT_EQ(options, (TOptionList{_IGNORE}));
  Edit("notepad /min x", Confirm(nullptr));
  EXPECT_EQ(options, (TOptionList{_MIN}));
}

// OK writes only a line the parser takes: an option the command does not
// take is refused with the parser's report.
TEST_F(CommandRecordTest, ChangeThatBreaksTheLineIsRefusedUntilMended) {
  int attempts = 0;
  std::string line = Edit("/set debug = on", [&attempts](FakeCommandDialog& d, ICommandDialogEvents& e) {
    d.SetChecked(TOptionControl::WarnOpt, true);
    ++attempts;
    if (e.btnOkClick()) return true;
    d.SetChecked(TOptionControl::WarnOpt, false);
    d.args = "debug = off";
    ++attempts;
    return e.btnOkClick();
  });
  EXPECT_EQ(attempts, 2);
  EXPECT_EQ(line, "/set debug = off");
  EXPECT_EQ(ui.infoDialogs.size(), 1u);
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
  EXPECT_EQ(line, "/plist");
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

TEST_F(CommandRecordTest, LongCommentComesBackWhole) {
  const std::string line = "; " + std::string(500, 'n');
  EXPECT_EQ(Edit(line), line);
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
    EXPECT_EQ(Edit("prog " + word.keyword + " x", Confirm(SetArgs("y"))),
              std::string("prog ") + row->keyword + " y");
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
