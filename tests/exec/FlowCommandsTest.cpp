#include "exec/CommandHandlers.h"
#include "exec/ExecutorHarness.h"

TEST_F(ExecutorTest, DoWithoutWhileRunsOnceAndLogsItsBlock) {
  RunState().DebugLog = true;
  EXPECT_EQ(RunFile("/do {\r\n  prog\r\n}\r\n"), "");
  EXPECT_EQ(sys.launcher.starts.size(), 1u);
  EXPECT_EQ(Log(), "*** BEGIN /do command block\r\n*** END /do command block\r\n0 is FALSE\r\n");
}

TEST_F(ExecutorTest, DoLoopsWhileItsConditionHolds) {
  SetEnvVar("TARV_N", "0");
  EXPECT_EQ(RunFile("/do {\r\n  /set TARV_N = env(TARV_N) + 1\r\n} /while env(TARV_N) ne 5\r\n"), "");
  EXPECT_EQ(GetEnvVar("TARV_N").value, "5");
}

TEST_F(ExecutorTest, DoBodyFailureIsAbsorbedIntoErrorlevel) {
  RunState().DebugLog = true;
  EXPECT_EQ(RunFile("/do {\r\n  /activate Missing\r\n  skipped\r\n}\r\nafter\r\n"), "");
  EXPECT_EQ(RunState().LastExitCode, 1u);
  ASSERT_EQ(sys.launcher.starts.size(), 1u);
  EXPECT_EQ(sys.launcher.starts[0].request.file, "after");
  EXPECT_EQ(Log(),
            "*** BEGIN /do command block\r\n*** /do block failed\r\n*** END /do command block\r\n"
            "0 is FALSE\r\n");
}

TEST_F(ExecutorTest, DoStartsWithErrorlevelZeroAndProgramsOverwriteIt) {
  RunState().LastExitCode = 9;
  sys.launcher.QueueExitCodes({4});
  EXPECT_EQ(RunFile("/do {\r\n  prog /wait\r\n}\r\n"), "");
  EXPECT_EQ(RunState().LastExitCode, 4u);
  EXPECT_EQ(RunFile("/do {\r\n  /set x = 1\r\n}\r\n"), "");
  EXPECT_EQ(RunState().LastExitCode, 0u);
}

TEST_F(ExecutorTest, NonNumericWhileResultStopsTheRun) {
  std::string error = RunFile("/do {\r\n  /set x = 1\r\n} /while abc\r\n");
  EXPECT_EQ(error, FileReport(Report("/do", "Bad /while expression result: \"abc\" - should be numeric")));
}

TEST_F(ExecutorTest, NonNumericWhileResultFollowsTheLastCommandsErrorMode) {
  sys.launcher.QueueExitCodes({0});
  EXPECT_EQ(RunFile("/do {\r\n  prog /warn\r\n} /while abc\r\nafter\r\n"), "");
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].text, "Bad /while expression result: \"abc\" - should be numeric");
  EXPECT_EQ(sys.launcher.starts.size(), 2u);
}

TEST_F(ExecutorTest, DryRunMakesExactlyOnePass) {
  RunState().ExecEnabled = false;
  EXPECT_EQ(RunFile("/do {\r\n  prog\r\n} /while 1\r\n"), "");
  EXPECT_TRUE(sys.launcher.starts.empty());
}

TEST_F(ExecutorTest, InnerLoopAbsorbsItsOwnFailures) {
  RunState().DebugLog = true;
  EXPECT_EQ(RunFile("/do {\r\n  /do {\r\n    /kill nothing.exe\r\n  }\r\n  outer\r\n}\r\n"), "");
  EXPECT_EQ(sys.launcher.starts.size(), 1u);
  EXPECT_EQ(Log().find("*** /do block failed"), Log().rfind("*** /do block failed"));
}

TEST_F(ExecutorTest, IfRunsTheThenOrTheElseBlock) {
  RunState().DebugLog = true;
  EXPECT_EQ(RunFile("/if a eq a {\r\n  yes\r\n} /else {\r\n  no\r\n}\r\n"), "");
  EXPECT_EQ(RunFile("/if a ne a {\r\n  yes\r\n} /else {\r\n  no\r\n}\r\n"), "");
  ASSERT_EQ(sys.launcher.starts.size(), 2u);
  EXPECT_EQ(sys.launcher.starts[0].request.file, "yes");
  EXPECT_EQ(sys.launcher.starts[1].request.file, "no");
  EXPECT_EQ(Log(),
            "a EQ a is TRUE\r\n*** BEGIN THEN block\r\n*** END THEN block\r\n"
            "a NE a is FALSE\r\n*** BEGIN ELSE block\r\n*** END ELSE block\r\n");
}

TEST_F(ExecutorTest, IfWithoutElseStillLogsTheElseMarkers) {
  RunState().DebugLog = true;
  EXPECT_EQ(RunFile("/if 0 {\r\n  yes\r\n}\r\n"), "");
  EXPECT_TRUE(sys.launcher.starts.empty());
  EXPECT_EQ(Log(), "0 is FALSE\r\n*** BEGIN ELSE block\r\n*** END ELSE block\r\n");
}

TEST_F(ExecutorTest, IfOnErrorlevelOfAWaitedProgram) {
  sys.launcher.QueueExitCodes({3});
  EXPECT_EQ(RunFile("prog /wait\r\n/if errorlevel() eq 3 {\r\n  three\r\n}\r\n"), "");
  EXPECT_EQ(sys.launcher.starts.at(1).request.file, "three");
}

TEST_F(ExecutorTest, NonNumericIfResultStopsTheRun) {
  EXPECT_EQ(RunFile("/if abc {\r\n  x\r\n}\r\n"),
            FileReport(Report("/if abc", "Bad /if expression result: \"abc\" - should be numeric")));
}

TEST(ConditionToInt, AcceptsDecimalAndDollarHexOnly) {
  int32_t n = 0;
  EXPECT_TRUE(ConditionToInt("1", n));
  EXPECT_EQ(n, 1);
  EXPECT_TRUE(ConditionToInt("-12", n));
  EXPECT_EQ(n, -12);
  EXPECT_TRUE(ConditionToInt("$1F", n));
  EXPECT_EQ(n, 31);
  EXPECT_TRUE(ConditionToInt("2147483647", n));
  EXPECT_FALSE(ConditionToInt("2147483648", n));
  EXPECT_FALSE(ConditionToInt("", n));
  EXPECT_FALSE(ConditionToInt("abc", n));
  EXPECT_FALSE(ConditionToInt("1 ", n));
  EXPECT_FALSE(ConditionToInt("-", n));
  EXPECT_FALSE(ConditionToInt("0x10", n));  // "$" is the only hexadecimal prefix
  EXPECT_TRUE(ConditionToInt("00000000000000000007", n));
  EXPECT_EQ(n, 7);
}

TEST_F(ExecutorTest, IfRefusesAZeroXConditionInsteadOfRunningItsBlock) {
  EXPECT_EQ(RunFile("/if \"0x10\" {\r\n  x\r\n}\r\n"),
            FileReport(Report("/if \"0x10\"", "Bad /if expression result: \"0x10\" - should be numeric")));
}
