#include <gtest/gtest.h>

#include "test_support/RecordingUI.h"
#include "util/TarvCommon.h"

namespace {

class RunStateTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetRunState(); }
  void TearDown() override { ResetRunState(); }
  RecordingUI ui;
};

}  // namespace

TEST_F(RunStateTest, StartsWithTheInitialSwitches) {
  const TRunState& s = RunState();
  EXPECT_TRUE(s.RunLog.Empty());
  EXPECT_EQ(s.LaunchFlags, 0u);
  EXPECT_EQ(s.WorkDir, "");
  EXPECT_TRUE(s.ExecEnabled);
  EXPECT_EQ(s.WaitInterval, 500);
  EXPECT_FALSE(s.DebugLog);
  EXPECT_FALSE(s.DebugTraceOn);
  EXPECT_EQ(s.DebugTraceFile, "/tmp/tarvdebug.log");
  EXPECT_FALSE(s.ParserTrace);
  EXPECT_EQ(s.LastExitCode, 0u);
}

TEST_F(RunStateTest, LogMessageWritesOnlyWhileTheDebugLogIsOn) {
  LogMessage("dropped");
  EXPECT_TRUE(RunState().RunLog.Empty());
  RunState().DebugLog = true;
  LogMessage("kept");
  LogMessage("");
  EXPECT_EQ(RunState().RunLog.Text(), "kept\r\n\r\n");
}

TEST_F(RunStateTest, ScriptErrorRestoresTheProgramTitle) {
  ui.title = "/waitfor Calculator - job.qd - Tarv32";
  try {
    RaiseScriptError("boom");
    FAIL() << "RaiseScriptError returned";
  } catch (const EScriptError& e) {
    EXPECT_STREQ(e.what(), "boom");
  }
  EXPECT_EQ(ui.title, "Tarv32");
}

TEST_F(RunStateTest, IgnoreModeDropsTheFailure) {
  RunState().LaunchFlags = lfIgnoreFailure;
  EXPECT_NO_THROW(ReportCommandError("lost window"));
  RunState().LaunchFlags = lfIgnoreFailure | lfWarnOnFailure;  // /ignore wins over /warn
  EXPECT_NO_THROW(ReportCommandError("lost window"));
  EXPECT_TRUE(ui.boxes.empty());
  EXPECT_TRUE(RunState().RunLog.Empty());
}

TEST_F(RunStateTest, WarnModeShowsAnErrorBoxAndGoesOn) {
  RunState().LaunchFlags = lfWarnOnFailure | lfWait | 0x05;
  EXPECT_NO_THROW(ReportCommandError("/activate could not find \"x\" window"));
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].kind, TBoxKind::Error);
  EXPECT_EQ(ui.boxes[0].text, "/activate could not find \"x\" window");
}

TEST_F(RunStateTest, StopModeRaisesAScriptError) {
  RunState().LaunchFlags = lfRaiseOnFailure | lfWait | 0x05;  // only 0x200 and 0x400 count
  EXPECT_THROW(ReportCommandError("gone"), EScriptError);
  EXPECT_TRUE(ui.boxes.empty());
}
