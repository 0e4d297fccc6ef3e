#include "exec/ExecutorHarness.h"
#include "exec/TarvExec.h"

using Starts = std::vector<FakeLauncher::Start>;
using Words = std::vector<std::string>;

TEST_F(ExecutorTest, ProgramIsStartedShownWithItsArgumentsAndWaitedFor) {
  sys.launcher.QueueExitCodes({7});
  EXPECT_EQ(Run("notepad /wait readme.txt"), "");
  ASSERT_EQ(sys.launcher.starts.size(), 1u);
  const TShellRequest& request = sys.launcher.starts[0].request;
  EXPECT_EQ(request.file, "notepad");
  EXPECT_EQ(request.arguments, Words{"readme.txt"});
  EXPECT_EQ(request.showCommand, 5);
  EXPECT_EQ(sys.launcher.waitedFor.size(), 1u);
  EXPECT_EQ(RunState().LastExitCode, 7u);
  EXPECT_EQ(RunState().LaunchFlags, 0x905u);
}

// Blanks, quotes and empty values stay inside their word: the launcher
// writes each word for the program's reader.
TEST_F(ExecutorTest, EachArgumentReachesTheLauncherAsOneWordAsItIs) {
  SetEnvVar("TARV_TEST_WORD", "a\" & b");
  EXPECT_EQ(Run("prog \"a b\" c \"\" \"q \\\"x\\\" y\" \"t\tab\" env(TARV_TEST_WORD)"), "");
  EXPECT_EQ(sys.launcher.starts.at(0).request.arguments,
            (Words{"a b", "c", "", "q \"x\" y", "t\tab", "a\" & b"}));
}

TEST_F(ExecutorTest, ExpressionsInArgumentsAreEvaluated) {
  SetEnvVar("TARV_TEST_DIR", "C:\\data");
  EXPECT_EQ(Run("prog env(TARV_TEST_DIR)&\\x.txt 1+2"), "");
  EXPECT_EQ(sys.launcher.starts.at(0).request.arguments, (Words{"C:\\data\\x.txt", "3"}));
}

TEST_F(ExecutorTest, QuotedProgramPathReachesTheShellWithoutQuotes) {
  EXPECT_EQ(Run("\"C:\\Program Files\\x.exe\" /min"), "");
  EXPECT_EQ(sys.launcher.starts.at(0).request.file, "C:\\Program Files\\x.exe");
  EXPECT_EQ(sys.launcher.starts.at(0).request.showCommand, 6);
}

TEST_F(ExecutorTest, UncProgramPathKeepsItsDoubleBackslash) {
  EXPECT_EQ(Run("\\\\server\\share\\tool.exe"), "");
  EXPECT_EQ(sys.launcher.starts.at(0).request.file, "\\\\server\\share\\tool.exe");
}

TEST_F(ExecutorTest, LastWindowOptionTestedWins) {
  Run("a /min /max");
  Run("b /max /min");
  Run("c /hide /noactivate");
  Run("d /hide");
  ASSERT_EQ(sys.launcher.starts.size(), 4u);
  EXPECT_EQ(sys.launcher.starts[0].request.showCommand, 3);
  EXPECT_EQ(sys.launcher.starts[1].request.showCommand, 3);
  EXPECT_EQ(sys.launcher.starts[2].request.showCommand, 7);
  EXPECT_EQ(sys.launcher.starts[3].request.showCommand, 0);
}

TEST_F(ExecutorTest, ProgramsWithoutWaitArePendingUntilWaitall) {
  sys.launcher.QueueExitCodes({0, 3, 0});
  EXPECT_EQ(Run("{ a } { b } { c } { /waitall }"), "");
  EXPECT_EQ(sys.launcher.waitAllCalls.size(), 1u);
  EXPECT_EQ(RunState().LastExitCode, 3u);
}

TEST_F(ExecutorTest, FailedStartStopsTheRunWithTheFailureReport) {
  sys.launcher.FailNextStart(2);
  std::string error = Run("missing.exe x");
  EXPECT_EQ(error,
            Report("missing.exe x", "Could not start application \"missing.exe\"\r\n" + WinErrorText(2)));
  EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(ExecutorTest, FailedStartUnderWarnShowsAWarningAndGoesOn) {
  sys.launcher.FailNextStart(2);
  EXPECT_EQ(Run("{ missing.exe /warn } { next }"), "");
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].kind, TBoxKind::Warning);
  EXPECT_EQ(sys.launcher.starts.size(), 2u);
}

TEST_F(ExecutorTest, FailedStartUnderIgnoreIsSilent) {
  sys.launcher.FailNextStart(2);
  EXPECT_EQ(Run("missing.exe /ignore /warn"), "");
  EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(ExecutorTest, FailedStartUnderAWindowOptionEndsTheProgramWithStatusOne) {
  sys.launcher.FailNextStart(2);
  Run("missing.exe /min");
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].kind, TBoxKind::Error);
  EXPECT_EQ(sys.programEnds, std::vector<int>{1});
}

TEST_F(ExecutorTest, TitleShowsTheRunningCommand) {
  EXPECT_EQ(Run("notepad/w/h x"), "");
  EXPECT_EQ(ui.title, "notepad/hide/wait x - Tarv32");
}

TEST_F(ExecutorTest, TitleOfACommandWithAnEmptyArgumentHasOneBlankBeforeTheDash) {
  Run("/edit");
  ASSERT_FALSE(ui.titles.empty());
  EXPECT_EQ(ui.titles.front(), "/edit - Tarv32");
}

TEST_F(ExecutorTest, ScriptErrorResetsTheTitle) {
  std::string error = Run("/activate Nowhere");
  EXPECT_EQ(error, Report("/activate Nowhere", "/activate could not find \"Nowhere\" window"));
  EXPECT_EQ(ui.title, "Tarv32");
}

TEST_F(ExecutorTest, DryRunEchoesCommandsAndStartsNothing) {
  RunState().DebugLog = true;
  std::string nested =
      dir.Write("inner.qd", "inner /wait\r\n/if 1 eq 1 {\r\n  chosen\r\n} /else {\r\n  other\r\n}\r\n");
  EXPECT_EQ(RunFile("/set exec = off\r\nouter x\r\n@\"" + nested + "\"\r\n/set exec = on\r\nlast\r\n"), "");
  EXPECT_TRUE(sys.launcher.starts.empty());
  EXPECT_EQ(Log(), "outer x\r\n@ " + std::string("\"") + nested +
                       "\"\r\ninner/wait\r\n/if 1 EQ 1\r\n"
                       "1 EQ 1 is TRUE\r\n*** BEGIN THEN block\r\nchosen\r\n*** END THEN block\r\n"
                       "/set exec=on\r\nlast\r\n");
}

TEST_F(ExecutorTest, DryRunWithoutTheDebugLogLogsNothing) {
  EXPECT_EQ(Run("{ /set exec = off } { prog }"), "");
  EXPECT_TRUE(Log().empty());
  EXPECT_TRUE(sys.launcher.starts.empty());
}

TEST_F(ExecutorTest, DebugTraceEchoesEachCommandBeforeItRuns) {
  RunState().DebugLog = true;
  RunState().DebugTraceOn = true;
  RunState().DebugTraceFile = dir.Path("trace.log");
  EXPECT_EQ(Run("{ prog a } { /waitall }"), "");
  EXPECT_EQ(Log(), "prog a\r\n/waitall\r\n");
}

TEST_F(ExecutorTest, FailureInsideANestedFileIsReportedAsAChain) {
  std::string inner = dir.Write("inner.qd", "/close NoSuchWindow\r\n");
  std::string error = RunFile("/if 1 eq 1 {\r\n  @\"" + inner + "\"\r\n}\r\n");
  std::string innermost = Report("/close NoSuchWindow", "/close could not find \"NoSuchWindow\" window");
  std::string atCommand = Report("@ \"" + inner + "\"", innermost);
  std::string ifCommand = Report("/if 1 EQ 1", atCommand);
  EXPECT_EQ(error, Report("@ \"" + dir.Path("job.qd") + "\"", ifCommand));
}

TEST_F(ExecutorTest, CommandFileNamedAsAProgramRunsAsANestedScript) {
  std::string nested = dir.Write("nested.qd", "ran\r\n");
  EXPECT_EQ(Run("\"" + nested + "\""), "");
  ASSERT_EQ(sys.launcher.starts.size(), 1u);
  EXPECT_EQ(sys.launcher.starts[0].request.file, "ran");
  EXPECT_EQ(Run("\"" + nested + "\" arg"), "");
  EXPECT_EQ(sys.launcher.starts.at(1).request.file, nested);
  EXPECT_EQ(sys.launcher.starts.at(1).request.arguments, Words{"arg"});
}

TEST_F(ExecutorTest, MissingCommandFileNamesThePathAndTheSystemError) {
  std::string missing = dir.Path("missing.qd");
  EXPECT_EQ(
      Run("@\"" + missing + "\""),
      Report("@ \"" + missing + "\"", "Error occurred while opening " + missing + ":\r\n" + WinErrorText(2)));
}

TEST_F(ExecutorTest, CommandFileThatRunsItselfStopsAtAClearDepth) {
  std::string path = dir.Path("self.qd");
  dir.Write("self.qd", "@\"" + path + "\"\r\n");
  std::string error = Run("@\"" + path + "\"");
  EXPECT_NE(error.find("Command files nested more than 100 deep: " + path), std::string::npos);
}

TEST_F(ExecutorTest, WorkingDirectoryOfCdIsGivenToPrograms) {
  sys.launcher.missingDirectories.insert("C:\\nowhere");
  EXPECT_EQ(Run("{ /cd /warn C:\\nowhere} { prog }"), "");
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].text.rfind("Could not /cd to directory \"C:\\nowhere\"\r\nERROR ", 0), 0u);
  EXPECT_EQ(RunState().WorkDir, "C:\\nowhere");
  EXPECT_EQ(sys.launcher.starts.at(0).request.directory, "C:\\nowhere");
}
