// The command object: its construction forms, the option test, the text form
// and the log writers.
#include <gtest/gtest.h>

#include <stdexcept>

#include "lang/TarvCmd2Obj.h"
#include "lang/TarvLex.h"
#include "util/TarvCommon.h"

namespace {

using TTexts = std::vector<std::string>;
using TCodes = std::vector<int32_t>;

class TcmdrecLog : public ::testing::Test {
 protected:
  void SetUp() override { ResetRunState(); }
  void TearDown() override { ResetRunState(); }
};

}  // namespace

TEST(Tcmdrec, FreshObjectIsEmpty) {
  Tcmdrec cmd;
  EXPECT_EQ(cmd.KeywordIndex, 0);
  EXPECT_EQ(cmd.Kind, 0);
  EXPECT_TRUE(cmd.Args.empty());
  EXPECT_TRUE(cmd.Options.empty());
  EXPECT_EQ(cmd.Condition, "");
  EXPECT_FALSE(cmd.Block);
  EXPECT_FALSE(cmd.ElseBlock);
  EXPECT_EQ(cmd.EditDialog, nullptr);
  EXPECT_EQ(cmd.CommandText(0), "");
}

TEST(Tcmdrec, PlainFormHoldsTheKeywordOfItsSlot) {
  TCmdRef plist = Tcmdrec::Plain(_PLIST);
  EXPECT_EQ(plist->Kind, _PLIST);
  EXPECT_EQ(plist->KeywordIndex, 18);
  EXPECT_EQ(plist->Args, TTexts{"/plist"});
  EXPECT_TRUE(plist->Options.empty());
  EXPECT_EQ(Tcmdrec::Plain(_AT)->Args, TTexts{"@"});
  EXPECT_EQ(Tcmdrec::Plain(_WAIT)->KeywordIndex, 22);  // the short form "/w" comes first
  EXPECT_THROW(Tcmdrec::Plain(999), std::invalid_argument);
}

TEST(Tcmdrec, OneArgumentFormKeepsEvenAnEmptyArgument) {
  TCmdRef activate = Tcmdrec::WithArgument(_ACTIVATE, "Calculator", {_WARN});
  EXPECT_EQ(activate->Args, (TTexts{"/activate", "Calculator"}));
  EXPECT_EQ(activate->Options, TCodes{_WARN});
  EXPECT_EQ(Tcmdrec::WithArgument(_EDIT, "", {})->Args, (TTexts{"/edit", ""}));
}

TEST(Tcmdrec, ListFormAddsEveryText) {
  EXPECT_EQ(Tcmdrec::WithArgumentList(_AT, {"a.qd", "x"})->Args, (TTexts{"@", "a.qd", "x"}));
}

TEST(Tcmdrec, DoIfAndSetForms) {
  auto body = std::make_shared<TCmdList>(TCmdList{Tcmdrec::Plain(_WAITALL)});
  TCmdRef loop = Tcmdrec::Do("0", body);
  EXPECT_EQ(loop->Kind, _DO);
  EXPECT_EQ(loop->Condition, "0");
  EXPECT_EQ(loop->Block, body);
  EXPECT_FALSE(loop->ElseBlock);

  auto none = std::make_shared<TCmdList>();
  TCmdRef cond = Tcmdrec::If("a EQ b", body, none);
  EXPECT_EQ(cond->Args, TTexts{"/if"});
  EXPECT_EQ(cond->Condition, "a EQ b");
  EXPECT_EQ(cond->ElseBlock, none);

  EXPECT_EQ(Tcmdrec::Set("PATH", "1")->Args, (TTexts{"/set", "PATH", "1"}));
}

TEST(Tcmdrec, ExternalProgramHasKindAndIndexZero) {
  TCmdRef program = Tcmdrec::ExternalProgram("notepad", {"readme.txt"}, {_MIN, _WAIT});
  EXPECT_EQ(program->Kind, 0);
  EXPECT_EQ(program->KeywordIndex, 0);
  EXPECT_EQ(program->Args, (TTexts{"notepad", "readme.txt"}));
  EXPECT_EQ(program->Options, (TCodes{_MIN, _WAIT}));
}

TEST(Tcmdrec, HasOptionOnAnEmptyListIsFalse) {
  Tcmdrec cmd;
  for (int code = _HIDE; code <= _WARN; ++code) EXPECT_FALSE(cmd.HasOption(code));
  cmd.Options = {_MAX};
  EXPECT_TRUE(cmd.HasOption(_MAX));
  EXPECT_FALSE(cmd.HasOption(_MIN));
}

TEST(Tcmdrec, OptionsTextUsesFixedOrderAndLongForms) {
  Tcmdrec cmd;
  cmd.Options = {_WAIT, _HIDE, _IGNORE};
  EXPECT_EQ(cmd.OptionsText(), "/hide/ignore/wait");
  cmd.Options = {_WAIT, _WARN, _NOACTIVATE, _MAX, _MIN, _HIDE, _IGNORE, _WAIT};
  EXPECT_EQ(cmd.OptionsText(), "/hide/min/max/noactivate/ignore/warn/wait");
}

TEST(Tcmdrec, CommandTextWritesTheCommandBack) {
  EXPECT_EQ(Tcmdrec::ExternalProgram("notepad", {"readme.txt"}, {_MIN, _WAIT})->CommandText(0),
            "notepad/min/wait readme.txt");
  EXPECT_EQ(Tcmdrec::Set("PATH", "1")->CommandText(0), "/set PATH=1");
  EXPECT_EQ(Tcmdrec::Set("A", "B")->CommandText(0), "/set A=B");
  EXPECT_EQ(Tcmdrec::Do("x EQ 1", std::make_shared<TCmdList>())->CommandText(0), "/do");
  EXPECT_EQ(Tcmdrec::WithArgument(_WAITFOR, "Calculator", {})->CommandText(0), "/waitfor Calculator");
  EXPECT_EQ(Tcmdrec::If("a EQ b", nullptr, nullptr)->CommandText(0), "/if a EQ b");
  EXPECT_EQ(Tcmdrec::WithArgumentList(_AT, {"a.qd", "2"})->CommandText(0), "@ a.qd 2");
}

TEST(Tcmdrec, CommandTextFromTheFirstArgument) {
  EXPECT_EQ(Tcmdrec::WithArgument(_ACTIVATE, "x", {_WARN})->CommandText(1), "x");
  EXPECT_EQ(Tcmdrec::WithArgumentList(_AT, {"a", "b"})->CommandText(1), "a b");
}

TEST_F(TcmdrecLog, LogCommandWritesOnlyWhileTheDebugLogIsOn) {
  TCmdRef cmd = Tcmdrec::WithArgument(_PAUSE, "hello", {});
  cmd->LogCommand();
  EXPECT_EQ(RunState().RunLog.Text(), "");
  RunState().DebugLog = true;
  cmd->LogCommand();
  cmd->LogMessage("marker");
  EXPECT_EQ(RunState().RunLog.Text(), "/pause hello\r\nmarker\r\n");
  Tcmdrec empty;
  empty.LogCommand();
  EXPECT_EQ(RunState().RunLog.Text(), "/pause hello\r\nmarker\r\n");
}

TEST(Tcmdrec, FieldsTakenOutOfAParsedCommandOutliveItsArena) {
  TCmdTexts args;
  TCmdTexts moved;
  TCmdCodes options;
  TCmdText condition;
  {
    TCmdArena arena;
    TCmdRef program = Tcmdrec::ExternalProgram("notepad", {"readme.txt", ""}, {_MIN, _WAIT}, &arena);
    TCmdRef set = Tcmdrec::Set("A", "B", &arena);
    args = program->Args;
    moved = std::move(set->Args);
    options = std::move(program->Options);
    Tcmdrec copy = *program;
    condition = copy.Condition = "x EQ 1";
  }
  EXPECT_EQ(args, (TTexts{"notepad", "readme.txt", ""}));
  EXPECT_EQ(moved, (TTexts{"/set", "A", "B"}));
  EXPECT_EQ(options, (TCodes{_MIN, _WAIT}));
  EXPECT_EQ(condition, "x EQ 1");
  // New contents may be made of views of the old ones.
  args.Assign({args[1], args[0]}, {}, nullptr);
  EXPECT_EQ(args, (TTexts{"readme.txt", "notepad"}));
  EXPECT_THROW(args.at(2), std::out_of_range);
  args = {};
  EXPECT_TRUE(args.empty());
}
