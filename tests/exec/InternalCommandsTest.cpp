#include "exec/ExecutorHarness.h"

TEST_F(ExecutorTest, WindowCommandsActOnTheFirstMatchingWindow) {
  TWindowHandle editor = sys.windows.Add(sys.windows.Desktop(), "Report - Editor");
  sys.windows.Add(sys.windows.Desktop(), "Report - Viewer");
  EXPECT_EQ(Run("{ /activate Report*} { /close *Editor} { /killwindow *Editor*}"), "");
  EXPECT_EQ(sys.windows.foreground, std::vector<TWindowHandle>{editor});
  EXPECT_EQ(sys.windows.closed, std::vector<TWindowHandle>{editor});
  EXPECT_EQ(sys.windows.quit, std::vector<TWindowHandle>{editor});
}

// Windows refuses the foreground to a process in the background (the
// foreground lock), which Wine does not enforce: the fake refuses the first
// request, as Windows does, and /activate must still bring the window in
// front or say that it could not.
TEST_F(ExecutorTest, ActivateRestoresAMinimisedWindowAndGetsPastTheForegroundLock) {
  TWindowHandle editor = sys.windows.Add(sys.windows.Desktop(), "Report - Editor");
  sys.windows.minimized.insert(editor);
  sys.windows.refusals = 1;
  EXPECT_EQ(Run("/activate Report*"), "");
  EXPECT_EQ(sys.windows.restored, std::vector<TWindowHandle>{editor});
  EXPECT_EQ(sys.windows.foregroundRequests,
            (std::vector<TForegroundMeans>{TForegroundMeans::Direct, TForegroundMeans::AttachedInput}));
  EXPECT_TRUE(sys.windows.IsForeground(editor));

  sys.windows.front = 0;
  sys.windows.refusals = 3;
  EXPECT_EQ(Run("/activate /warn *Editor"), "");
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].text, "/activate could not bring \"Report - Editor\" window to the foreground");
  sys.windows.refusals = 3;
  EXPECT_EQ(Run("/activate /ignore *Editor"), "");
  EXPECT_EQ(ui.boxes.size(), 1u);
  sys.windows.refusals = 3;
  EXPECT_EQ(
      Run("/activate *Editor"),
      Report("/activate *Editor", "/activate could not bring \"Report - Editor\" window to the foreground"));
}

// An accepted request that never brings the window in front (a hung window
// stays minimised) is waited for a moment, then the next means is tried.
TEST_F(ExecutorTest, ActivateWaitsForTheWindowToComeToTheFrontThenTriesTheNextMeans) {
  TWindowHandle stuck = sys.windows.Add(sys.windows.Desktop(), "Stuck");
  sys.windows.minimized.insert(stuck);
  sys.windows.hung.insert(stuck);
  EXPECT_EQ(Run("/activate /warn Stuck"), "");
  EXPECT_EQ(sys.windows.foregroundRequests.size(), 3u);
  EXPECT_GE(sys.launcher.now - 1000, 3 * kForegroundDeadlineMs);
  EXPECT_EQ(ui.boxes.at(0).text, "/activate could not bring \"Stuck\" window to the foreground");
}

// A window whose program serves no messages must not freeze the run.
TEST_F(ExecutorTest, CloseAndKillwindowOfAHungWindowReportItInsteadOfWaiting) {
  TWindowHandle hung = sys.windows.Add(sys.windows.Desktop(), "Sx Hung");
  sys.windows.hung.insert(hung);
  EXPECT_EQ(Run("/close /warn Sx*"), "");
  EXPECT_EQ(Run("/killwindow /warn *Hung"), "");
  ASSERT_EQ(ui.boxes.size(), 2u);
  EXPECT_EQ(ui.boxes[0].text, "/close could not close \"Sx Hung\" window: it is not responding");
  EXPECT_EQ(ui.boxes[1].text, "/killwindow could not end \"Sx Hung\" window: it is not responding");
  EXPECT_EQ(Run("/close /ignore Sx Hung"), "");
  EXPECT_EQ(Run("/close Sx Hung"),
            Report("/close Sx Hung", "/close could not close \"Sx Hung\" window: it is not responding"));
  EXPECT_EQ(ui.boxes.size(), 2u);
  EXPECT_EQ(sys.windows.sendTimeouts, std::vector<uint32_t>(4, kWindowReplyTimeoutMs));

  // One that closes between the search and the message is not an error.
  sys.windows.onTitleRead = [&](TWindowHandle window) {
    if (window == hung) sys.windows.Remove(hung);
  };
  EXPECT_EQ(Run("/close Sx Hung"), "");
}

TEST_F(ExecutorTest, MissingWindowFollowsTheErrorMode) {
  EXPECT_EQ(Run("/activate /ignore Nowhere"), "");
  EXPECT_TRUE(ui.boxes.empty());
  EXPECT_EQ(Run("/activate /warn Nowhere"), "");
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].text, "/activate could not find \"Nowhere\" window");
  EXPECT_EQ(Run("/killwindow Nowhere"),
            Report("/killwindow Nowhere", "/killwindow could not find \"Nowhere\" window"));
}

TEST_F(ExecutorTest, MissingArgumentsStopEvenUnderIgnore) {
  EXPECT_EQ(Run("/activate /ignore \"\""),
            Report("/activate/ignore \"\"", "INTERNAL ERROR: /activate argument missing"));
  EXPECT_EQ(Run("/close /ignore \"\""), Report("/close/ignore \"\"", "/close argument missing"));
  EXPECT_EQ(Run("/kill /ignore \"\""), Report("/kill/ignore \"\"", "/kill argument missing"));
  EXPECT_EQ(Run("/waitclose /ignore \"\""),
            Report("/waitclose/ignore \"\"", "INTERNAL ERROR: /waitfor argument missing"));
  EXPECT_EQ(Run("/sendkeys /ignore \"\""),
            Report("/sendkeys/ignore \"\"", "INTERNAL ERROR: /sendkeys argument missing"));
  EXPECT_EQ(Run("/sleep \"\""), Report("/sleep \"\"", "INTERNAL ERROR: /sleep argument missing"));
}

TEST_F(ExecutorTest, KillEndsEveryMatchingProcessButItself) {
  sys.processes.Add(12, "C:\\WINDOWS\\NOTEPAD.EXE");
  sys.processes.Add(13, "C:\\Tools\\notepad.exe");
  sys.processes.Add(14, "C:\\Tools\\calc.exe");
  sys.processes.Add(4242, "C:\\Tools\\notepad.exe");  // this program
  EXPECT_EQ(Run("/kill notepad.exe"), "");
  ASSERT_EQ(sys.processes.killed.size(), 2u);
  EXPECT_EQ(sys.processes.killed[0].first, 12u);
  EXPECT_EQ(sys.processes.killed[1].first, 13u);
}

// Protected matches are skipped without a failure and named in the debug
// trace; a match that ended meanwhile counts as ended. When every match is
// protected, the failure says so rather than that nothing was found.
TEST_F(ExecutorTest, KillSkipsProtectedProgramsAndNamesThemInTheTrace) {
  RunState().DebugTraceOn = true;
  RunState().DebugTraceFile = dir.Path("trace.log");
  sys.processes.Add(4242, "C:\\Tools\\tarv32.exe", ProcessFacts(30));
  sys.processes.Add(30, "C:\\Tools\\tarv32.exe", {});  // the run's starter
  sys.processes.Add(50, "C:\\WINDOWS\\tarv32.exe", ProcessFacts(1, 0, "service"));
  sys.processes.Add(60, "C:\\Tools\\tarv32.exe", {});  // ends before the kill
  sys.processes.vanishing.insert(60);
  EXPECT_EQ(Run("/kill tarv32.exe"), "");
  EXPECT_TRUE(sys.processes.killed.empty());
  std::string trace = dir.Read("trace.log");
  for (const char* line :
       {"skipping pid 4242: it is this program", "skipping pid 30: this program was started from it",
        "skipping pid 50: it is a system process (service)", "killing pid 60", "pid 60 had already ended",
        "killed pid 60"})
    EXPECT_NE(trace.find(line), std::string::npos) << line << " in\n" << trace;

  EXPECT_EQ(Run("/kill tarv32.exe"),
            Report("/kill tarv32.exe",
                   "/kill found only protected \"TARV32.EXE\" programs (2): the run's own "
                   "starters, system processes and other users' programs are never ended"));
}

TEST_F(ExecutorTest, KillOfNothingNamesThePatternInCapitals) {
  EXPECT_EQ(Run("/kill note*"), Report("/kill note*", "/kill could not find \"NOTE*\" program running"));
}

TEST_F(ExecutorTest, SetDebugChoosesTheDebugSwitches) {
  TRunState& run = RunState();
  Run("/set debug = all");
  EXPECT_TRUE(run.DebugLog && run.DebugTraceOn && run.ParserTrace);
  Run("/set Debug = OFF");
  EXPECT_FALSE(run.DebugLog || run.DebugTraceOn || run.ParserTrace);
  Run("/set debug = on");
  EXPECT_TRUE(run.DebugLog);
  EXPECT_FALSE(run.DebugTraceOn || run.ParserTrace);
  Run("/set debug = lex");
  EXPECT_FALSE(run.DebugLog || run.DebugTraceOn);
  EXPECT_TRUE(run.ParserTrace);
  run.ParserTrace = false;
  Run("/set debug = \"" + dir.Path("run.log") + "\"");
  EXPECT_TRUE(run.DebugTraceOn);
  EXPECT_EQ(run.DebugTraceFile, dir.Path("run.log"));
  Run("/set debug = off");
  EXPECT_EQ(run.DebugTraceFile, dir.Path("run.log"));
}

TEST_F(ExecutorTest, SetExecOffMakesTheRestOfTheRunDry) {
  EXPECT_EQ(Run("{ /set exec = OFF } { /set exec = on } { prog }"), "");
  EXPECT_FALSE(RunState().ExecEnabled);
  EXPECT_TRUE(sys.launcher.starts.empty());
}

TEST_F(ExecutorTest, SetWaitIntervalTakesLeadingDigits) {
  Run("/set waitinternval = 250");
  EXPECT_EQ(RunState().WaitInterval, 250);
  Run("/set waitinternval = abc");
  EXPECT_EQ(RunState().WaitInterval, 0);
}

TEST_F(ExecutorTest, SetOfAnyOtherNameSetsAnEnvironmentVariable) {
  EXPECT_EQ(Run("/set TARV_GREETING = \"hello world\""), "");
  EXPECT_EQ(GetEnvVar("TARV_GREETING").value, "hello world");
  EXPECT_EQ(Run("/set TARV_SUM = 2 + 3"), "");
  EXPECT_EQ(GetEnvVar("TARV_SUM").value, "5");
}

TEST_F(ExecutorTest, SleepWaitsSecondsServingMessages) {
  EXPECT_EQ(Run("/sleep 2"), "");
  EXPECT_EQ(sys.launcher.now, 3000u);
  EXPECT_EQ(Run("/sleep 0"), "");
  EXPECT_EQ(sys.launcher.now, 3000u);
}

TEST_F(ExecutorTest, SleepOfTooManySecondsIsAnIntegerOverflow) {
  EXPECT_EQ(Run("/sleep 2147484"), Report("/sleep 2147484", "Integer overflow"));
}

TEST_F(ExecutorTest, WaitforReturnsOnceTheWindowExists) {
  sys.windows.Add(sys.windows.Desktop(), "Calculator");
  RunState().WaitInterval = 0;
  EXPECT_EQ(Run("/waitfor Calc*"), "");
  EXPECT_EQ(Run("/waitclose Notepad"), "");
}

TEST_F(ExecutorTest, NegativeWaitIntervalIsARangeError) {
  RunState().WaitInterval = -1;
  EXPECT_EQ(Run("/waitfor x"), Report("/waitfor x", "Range check error"));
}

TEST_F(ExecutorTest, PauseShowsItsMessage) {
  EXPECT_EQ(Run("/pause Insert the disk"), "");
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].kind, TBoxKind::Information);
  EXPECT_EQ(ui.boxes[0].text, "Insert the disk");
}

TEST_F(ExecutorTest, QuotedRestOfLineArgumentIsEvaluated) {
  SetEnvVar("TARV_WINDOW", "Calculator");
  EXPECT_EQ(Run("/pause \"Close \" & env(TARV_WINDOW)"), "");
  EXPECT_EQ(ui.boxes.at(0).text, "Close Calculator");
}

TEST_F(ExecutorTest, SendkeysTypesIntoTheFocusedWindow) {
  EXPECT_EQ(RunFile("/sendkeys ab{ENTER}\r\n"), "");
  EXPECT_FALSE(sys.keyboard.events.empty());
  sys.keyboard.available = false;
  EXPECT_EQ(Run("/sendkeys /warn x"), "");
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_NE(ui.boxes[0].text.find("/sendkeys"), std::string::npos);
}

TEST_F(ExecutorTest, PlistListsProcessesOnTheConsole) {
  sys.processes.Add(12, "C:\\WINDOWS\\NOTEPAD.EXE");
  testing::internal::CaptureStdout();
  EXPECT_EQ(Run("/plist"), "");
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "List of running processes\nNOTEPAD.EXE\n");
}

TEST_F(ExecutorTest, EditNeedsTheWindowsProgramOnTheConsole) {
  std::string error = Run("/edit job.qd");
  EXPECT_NE(error.find("the command-file editor needs the Windows program"), std::string::npos);
}
