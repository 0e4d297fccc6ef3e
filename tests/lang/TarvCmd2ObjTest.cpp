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

TTexts Texts(TCmdTexts texts) { return {texts.begin(), texts.end()}; }
TCodes Codes(TCmdCodes codes) { return {codes.begin(), codes.end()}; }

class TcmdrecTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetRunState(); }
  void TearDown() override { ResetRunState(); }
  TScriptArena arena;
  TCmdBuilder make{arena};
};

}  // namespace

TEST_F(TcmdrecTest, PlainAndArgumentFormsHoldTheKeywordOfTheirSlot) {
  Tcmdrec plist = make.Plain(_PLIST);
  EXPECT_EQ(plist.Kind, _PLIST);
  EXPECT_EQ(plist.KeywordIndex, 18);
  EXPECT_EQ(Texts(plist.Args), TTexts{"/plist"});
  EXPECT_TRUE(plist.Options.empty());
  EXPECT_EQ(Texts(make.Plain(_AT).Args), TTexts{"@"});
  EXPECT_EQ(make.Plain(_WAIT).KeywordIndex, 22);  // the short form "/w" comes first
  EXPECT_THROW(make.Plain(999), std::invalid_argument);
  const int32_t warn[] = {_WARN};
  Tcmdrec activate = make.WithArgument(_ACTIVATE, "Calculator", warn);
  EXPECT_EQ(Texts(activate.Args), (TTexts{"/activate", "Calculator"}));
  EXPECT_EQ(Codes(activate.Options), TCodes{_WARN});
  EXPECT_EQ(Texts(make.WithArgument(_EDIT, "", {}).Args), (TTexts{"/edit", ""}));
  const TTexts files = {"a.qd", "x"};
  EXPECT_EQ(Texts(make.WithArgumentList(_AT, files).Args), (TTexts{"@", "a.qd", "x"}));
  EXPECT_EQ(Texts(make.Set("PATH", "1").Args), (TTexts{"/set", "PATH", "1"}));
}

TEST_F(TcmdrecTest, BlockFormsHangTheirBlocksAndConditions) {
  const Tcmdrec waitAll[] = {make.Plain(_WAITALL)};
  TCmdList body = make.Block(waitAll);
  Tcmdrec loop = make.Do("0", body);
  EXPECT_EQ(loop.Kind, _DO);
  EXPECT_EQ(loop.Condition(), "0");
  ASSERT_EQ(loop.Block().size(), 1u);
  EXPECT_EQ(loop.Block()[0].Kind, _WAITALL);
  EXPECT_TRUE(loop.ElseBlock().empty());
  Tcmdrec cond = make.If("a EQ b", body, {});
  EXPECT_EQ(Texts(cond.Args), TTexts{"/if"});
  EXPECT_EQ(cond.Condition(), "a EQ b");
  EXPECT_EQ(cond.Block().data(), body.data());
}

TEST_F(TcmdrecTest, ExternalProgramHasKindAndIndexZeroAndItsOptions) {
  const TTexts arguments = {"readme.txt"};
  const int32_t options[] = {_MIN, _WAIT};
  Tcmdrec program = make.ExternalProgram("notepad", arguments, options);
  EXPECT_EQ(program.Kind, 0);
  EXPECT_EQ(program.KeywordIndex, 0);
  EXPECT_EQ(Texts(program.Args), (TTexts{"notepad", "readme.txt"}));
  EXPECT_TRUE(program.HasOption(_MIN));
  EXPECT_FALSE(program.HasOption(_MAX));
  EXPECT_FALSE(Tcmdrec().HasOption(_MIN));
}

TEST_F(TcmdrecTest, OptionsTextUsesFixedOrderAndLongForms) {
  EXPECT_EQ(OptionsText(TCodes{_WAIT, _HIDE, _IGNORE}), "/hide/ignore/wait");
  EXPECT_EQ(OptionsText(TCodes{_WAIT, _WARN, _NOACTIVATE, _MAX, _MIN, _HIDE, _IGNORE, _WAIT}),
            "/hide/min/max/noactivate/ignore/warn/wait");
}

TEST_F(TcmdrecTest, CommandTextWritesTheCommandBack) {
  const TTexts readme = {"readme.txt"}, two = {"a.qd", "2"};
  const int32_t options[] = {_MIN, _WAIT}, warn[] = {_WARN};
  EXPECT_EQ(make.ExternalProgram("notepad", readme, options).CommandText(0), "notepad/min/wait readme.txt");
  EXPECT_EQ(make.Set("PATH", "1").CommandText(0), "/set PATH=1");
  EXPECT_EQ(make.Do("x EQ 1", {}).CommandText(0), "/do");
  EXPECT_EQ(make.WithArgument(_WAITFOR, "Calculator", {}).CommandText(0), "/waitfor Calculator");
  EXPECT_EQ(make.If("a EQ b", {}, {}).CommandText(0), "/if a EQ b");
  EXPECT_EQ(make.WithArgumentList(_AT, two).CommandText(0), "@ a.qd 2");
  EXPECT_EQ(make.WithArgument(_ACTIVATE, "x", warn).CommandText(1), "x");
  EXPECT_EQ(make.WithArgumentList(_AT, two).CommandText(1), "a.qd 2");
  EXPECT_EQ(Tcmdrec().CommandText(0), "");
}

TEST_F(TcmdrecTest, LogCommandWritesOnlyWhileTheDebugLogIsOn) {
  Tcmdrec cmd = make.WithArgument(_PAUSE, "hello", {});
  cmd.LogCommand();
  EXPECT_EQ(RunState().RunLog.Text(), "");
  RunState().DebugLog = true;
  cmd.LogCommand();
  cmd.LogMessage("marker");
  Tcmdrec().LogCommand();
  EXPECT_EQ(RunState().RunLog.Text(), "/pause hello\r\nmarker\r\n");
}

// The arena's chunks never move: views made before a large copy stay valid.
TEST(ScriptArena, ViewsStayValidWhileTheArenaGrows) {
  TScriptArena arena;
  std::vector<std::string_view> views;
  for (int i = 0; i < 5000; ++i) views.push_back(arena.Text("text " + std::to_string(i)));
  std::string_view big = arena.Text(std::string(200000, 'b'));
  for (int i = 0; i < 5000; ++i) ASSERT_EQ(views[i], "text " + std::to_string(i));
  EXPECT_EQ(big.size(), 200000u);
  EXPECT_TRUE(arena.Text("").empty());
}
