#include <gtest/gtest.h>

#include "sys/Winfuncs.h"
#include "test_support/FakeSystem.h"
#include "test_support/RecordingUI.h"
#include "test_support/TempDir.h"
#include "util/SysFiles.h"
#include "util/TarvCommon.h"

namespace {

class ProgramStart : public ::testing::Test {
 protected:
  void SetUp() override { ResetRunState(); }
  void TearDown() override { ResetRunState(); }

  std::string FailureText(const std::string& program, uint32_t error) {
    return "Could not start application \"" + program + "\"\r\n" + WinErrorText(error);
  }

  FakeSystem sys;
  RecordingUI ui;
};

}  // namespace

// --- Starting --------------------------------------------------------------

TEST_F(ProgramStart, HandsTheShellTheProgramWithoutQuotesAndTheShowMode) {
  EXPECT_EQ(StartProgram("\"C:\\My Apps\\tool.exe\"", {"-x", "a b"}, "D:\\data", 0x807), 0);
  ASSERT_EQ(sys.launcher.starts.size(), 1u);
  const TShellRequest& request = sys.launcher.starts[0].request;
  EXPECT_EQ(request.file, "C:\\My Apps\\tool.exe");
  EXPECT_EQ(request.arguments, (std::vector<std::string>{"-x", "a b"}));
  EXPECT_EQ(request.directory, "D:\\data");
  EXPECT_EQ(request.showCommand, 7);
}

TEST_F(ProgramStart, StartsInTheCurrentDirectoryWhenNoneIsGiven) {
  StartProgram("tool.exe", {}, "", 0x800);
  EXPECT_EQ(sys.launcher.starts[0].request.directory, "C:\\WORK");
  EXPECT_EQ(sys.launcher.starts[0].request.showCommand, 0);
}

TEST_F(ProgramStart, WaitsForTheProgramAndKeepsItsExitCode) {
  sys.launcher.QueueExitCodes({7});
  EXPECT_EQ(StartProgram("tool.exe", {}, "", 0x905), 0);
  TProcessHandle process = sys.launcher.starts[0].process;
  EXPECT_EQ(sys.launcher.waitedFor, (std::vector<TProcessHandle>{process}));
  EXPECT_EQ(sys.launcher.closed, (std::vector<TProcessHandle>{process}));
  EXPECT_EQ(RunState().LastExitCode, 7u);
  EXPECT_EQ(PendingProgramCount(), 0u);
}

TEST_F(ProgramStart, ShowsWhenTheExitCodeCannotBeRead) {
  sys.launcher.QueueExitCodes({7});
  sys.launcher.onWait = [&](TProcessHandle process) { sys.launcher.unreadableExitCodes.insert(process); };
  RunState().LastExitCode = 9;
  StartProgram("tool.exe", {}, "", 0x905);
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].kind, TBoxKind::Error);
  EXPECT_EQ(ui.boxes[0].text, "Could not get exit status for process - " + WinErrorText(6));
  EXPECT_EQ(RunState().LastExitCode, 9u);
  EXPECT_EQ(sys.launcher.closed.size(), 1u);
}

TEST_F(ProgramStart, RemembersAProgramStartedWithoutWaiting) {
  StartProgram("tool.exe", {}, "", 0x805);
  EXPECT_TRUE(sys.launcher.waitedFor.empty());
  EXPECT_EQ(PendingProgramCount(), 1u);
}

// --- Failing to start, by flags ---------------------------------------------

TEST_F(ProgramStart, IgnoredFailureIsSilent) {
  sys.launcher.FailNextStart(2);
  EXPECT_EQ(StartProgram("missing.exe", {}, "", 0x205), -1);
  EXPECT_TRUE(ui.boxes.empty());
  EXPECT_TRUE(sys.programEnds.empty());
}

TEST_F(ProgramStart, WarnedFailureShowsAWarningAndGoesOn) {
  sys.launcher.FailNextStart(2);
  EXPECT_EQ(StartProgram("\"C:\\My Apps\\missing.exe\"", {}, "", 0x405), -1);
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].kind, TBoxKind::Warning);
  EXPECT_EQ(ui.boxes[0].text, FailureText("\"C:\\My Apps\\missing.exe\"", 2));
  EXPECT_TRUE(sys.programEnds.empty());
}

TEST_F(ProgramStart, RaisedFailureCarriesTheMessage) {
  sys.launcher.FailNextStart(2);
  try {
    StartProgram("missing.exe", {}, "", 0x805);
    FAIL() << "no error";
  } catch (const ESystemError& error) {
    EXPECT_EQ(error.what(), FailureText("missing.exe", 2));
  }
  EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(ProgramStart, FailureWithoutAnErrorModeShowsAnErrorAndEndsTheProgram) {
  sys.launcher.FailNextStart(2);
  EXPECT_EQ(StartProgram("missing.exe", {}, "", 0x005), -1);
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].kind, TBoxKind::Error);
  EXPECT_EQ(ui.boxes[0].text, FailureText("missing.exe", 2));
  EXPECT_EQ(sys.programEnds, (std::vector<int>{1}));
}

TEST_F(ProgramStart, IgnoreWinsOverWarnAndWarnOverRaise) {
  sys.launcher.FailNextStart(2);
  sys.launcher.FailNextStart(2);
  StartProgram("missing.exe", {}, "", 0xE05);
  EXPECT_TRUE(ui.boxes.empty());
  StartProgram("missing.exe", {}, "", 0xC05);
  EXPECT_EQ(ui.boxes.size(), 1u);
}

// --- Arguments refused ------------------------------------------------------

// Only what cannot reach the program as it is: a NUL anywhere, and for a
// batch file that cmd.exe runs, what cmd.exe would act on.
TEST_F(ProgramStart, RefusesAnArgumentOnlyWhereItCannotArriveAsItIs) {
  struct Case {
    std::string program;
    bool throughCmd;
    std::string word;
    std::string refusal;  // empty: started
  };
  const std::string batch = "Could not start batch file \"show.bat\": argument 2 ";
  const Case cases[] = {
      {"tool.exe", true, "x&y %PATH% !a! \"q\" ^", ""},
      {"show.bat", false, "x&y", ""},  // not run by cmd.exe
      {"show.bat", true, "C:\\x (86)\\ a,b;c=d", ""},
      {"tool.exe", false, std::string("a\0b", 3),
       "Could not start application \"tool.exe\": argument 2 \"a\\x00b\" holds a NUL character, which no "
       "command "
       "line can carry"},
      {"C:\\x\\SHOW.Cmd", true, "a\r\nb",
       "Could not start batch file \"C:\\x\\SHOW.Cmd\": argument 2 \"a\\x0D\\x0Ab\" holds the control "
       "character "
       "0x0D, which cmd.exe would not pass on"},
      {"show.bat", true, "a|b", batch + "\"a|b\" holds \"|\", which cmd.exe would run as a command"},
      {"show.bat", true, "e>f", batch + "\"e>f\" holds \">\", which cmd.exe would take as a redirection"},
      {"show.bat", true, "a^b", batch + "\"a^b\" holds \"^\", which cmd.exe would take as an escape"},
      {"show.bat", true, "50%", batch + "\"50%\" holds \"%\", which cmd.exe would expand as a variable"},
      {"show.bat", true, "hi!", batch + "\"hi!\" holds \"!\", which cmd.exe would expand as a variable"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.program + " " + c.word);
    sys.launcher.batchFilesRunThroughCmd = c.throughCmd;
    sys.launcher.starts.clear();
    ui.boxes.clear();
    int result = StartProgram(c.program, {"ok", c.word}, "", lfWarnOnFailure);
    EXPECT_EQ(result, c.refusal.empty() ? 0 : -1);
    EXPECT_EQ(sys.launcher.starts.size(), c.refusal.empty() ? 1u : 0u);
    ASSERT_EQ(ui.boxes.size(), c.refusal.empty() ? 0u : 1u);
    if (!c.refusal.empty()) {
      EXPECT_EQ(ui.boxes[0].text, c.refusal);
    }
  }
}

// --- Waiting for all ----------------------------------------------------------

TEST_F(ProgramStart, WaitingForAllGivesTheLastNonZeroExitCode) {
  sys.launcher.QueueExitCodes({0, 3, 0});
  for (int i = 0; i < 3; ++i) StartProgram("tool.exe", {}, "", 0x805);
  WaitForAllPrograms();
  EXPECT_EQ(RunState().LastExitCode, 3u);
  EXPECT_EQ(PendingProgramCount(), 0u);
  // The first two had ended by the next start and gave back their handles
  // then; /waitall waits only for the handle still held.
  ASSERT_EQ(sys.launcher.waitAllCalls.size(), 1u);
  EXPECT_EQ(sys.launcher.waitAllCalls[0], std::vector<TProcessHandle>{102});
  EXPECT_EQ(sys.launcher.closed, (std::vector<TProcessHandle>{100, 101, 102}));
  EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(ProgramStart, WaitingForAllWithNothingPendingReturnsAtOnce) {
  RunState().LastExitCode = 9;
  WaitForAllPrograms();
  EXPECT_EQ(RunState().LastExitCode, 0u);
  EXPECT_TRUE(sys.launcher.waitAllCalls.empty());
  EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(ProgramStart, NoStartedProgramIsForgottenBeyondFourHundredNinetyNine) {
  for (int i = 0; i < 600; ++i) {
    sys.launcher.QueueExitCodes({i == 550 ? 5u : 0u});
    StartProgram("tool.exe", {}, "", 0x805);
  }
  EXPECT_EQ(PendingProgramCount(), 600u);
  WaitForAllPrograms();
  ASSERT_EQ(sys.launcher.waitAllCalls.size(), 1u);
  EXPECT_EQ(sys.launcher.waitAllCalls[0].size(), 1u);  // the others had ended
  EXPECT_EQ(sys.launcher.closed.size(), 600u);
  EXPECT_EQ(RunState().LastExitCode, 5u);
}

TEST_F(ProgramStart, AFailedWaitForAllIsShownAndTheExitCodesAreStillRead) {
  sys.launcher.QueueExitCodes({4});
  StartProgram("tool.exe", {}, "", 0x805);
  sys.launcher.waitAllError = 6;
  WaitForAllPrograms();
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].text, "Error waiting for all processes: " + WinErrorText(6));
  EXPECT_EQ(RunState().LastExitCode, 4u);
  EXPECT_EQ(PendingProgramCount(), 0u);
}

TEST_F(ProgramStart, AnUnreadableExitCodeIsShownAndTheOthersStillCount) {
  sys.launcher.QueueExitCodes({2, 0});
  StartProgram("a.exe", {}, "", 0x805);
  StartProgram("b.exe", {}, "", 0x805);
  sys.launcher.unreadableExitCodes.insert(sys.launcher.starts[1].process);
  WaitForAllPrograms();
  EXPECT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(RunState().LastExitCode, 2u);
  EXPECT_EQ(sys.launcher.closed.size(), 2u);
}

// --- Served by a running program ------------------------------------------------

TEST_F(ProgramStart, ADocumentServedByARunningProgramIsWaitedForByItsExecutableName) {
  sys.launcher.ServeNextWithoutProcess();
  sys.launcher.associations["README.TXT"] = "C:\\Windows\\notepad.exe";
  sys.processes.Add(12, "C:\\WINDOWS\\NOTEPAD.EXE");
  sys.processes.Add(13, "c:\\other\\Notepad.exe");
  sys.processes.Add(14, "C:\\Tools\\CALC.EXE");
  EXPECT_EQ(StartProgram("readme.txt", {}, "", 0x905), 0);
  EXPECT_EQ(sys.launcher.lookups[0], (std::pair<std::string, std::string>{"README.TXT", "C:\\WORK"}));
  EXPECT_EQ(sys.processes.opens,
            (std::vector<std::pair<uint32_t, uint32_t>>{{0x00100400, 12}, {0x00100400, 13}}));
  EXPECT_EQ(sys.launcher.waitedFor.size(), 2u);
  EXPECT_EQ(sys.processes.snapshots, 2);  // the second pass found none
  EXPECT_EQ(PendingProgramCount(), 0u);
}

TEST_F(ProgramStart, ADocumentServedWithoutWaitingIsLeftAlone) {
  sys.launcher.ServeNextWithoutProcess();
  EXPECT_EQ(StartProgram("readme.txt", {}, "", 0x805), 0);
  EXPECT_TRUE(sys.launcher.lookups.empty());
  EXPECT_EQ(PendingProgramCount(), 0u);
}

TEST_F(ProgramStart, WaitByNameSleepsOnAProcessItCannotOpenAndPassesAgain) {
  sys.processes.Add(20, "");
  sys.processes.Add(21, "C:\\APP\\SERVER.EXE");
  sys.processes.unopenable.insert(21);
  sys.launcher.onMessageWait = [&](uint32_t) { sys.processes.Remove(21); };
  WaitForProgramByName("c:\\app\\server.exe");
  EXPECT_EQ(sys.launcher.messageWaits, (std::vector<uint32_t>{500}));
  EXPECT_EQ(sys.processes.snapshots, 2);
}

TEST_F(ProgramStart, WaitByNameAcceptsStarPatterns) {
  sys.processes.Add(30, "C:\\APP\\SERVER64.EXE");
  WaitForProgramByName("server*");
  EXPECT_EQ(sys.processes.opens.size(), 1u);
}

TEST_F(ProgramStart, FindsTheServingExecutableOnlyForDocuments) {
  EXPECT_EQ(FindProgramExecutable("\"c:\\tools\\run\"", ""), "C:\\TOOLS\\RUN");
  EXPECT_EQ(FindProgramExecutable("tool.exe", ""), "TOOL.EXE");
  EXPECT_EQ(FindProgramExecutable("job.bat", ""), "JOB.BAT");
  EXPECT_TRUE(sys.launcher.lookups.empty());
  sys.launcher.associations["NOTES.DOC"] = "C:\\OFFICE\\WRITER.EXE";
  EXPECT_EQ(FindProgramExecutable("notes.doc", "D:\\docs"), "C:\\OFFICE\\WRITER.EXE");
  EXPECT_EQ(sys.launcher.lookups[0].second, "D:\\docs");
}

TEST_F(ProgramStart, AnExecutableThatCannotBeFoundIsASystemError) {
  try {
    FindProgramExecutable("\"odd.xyz\"", "");
    FAIL() << "no error";
  } catch (const ESystemError& error) {
    EXPECT_EQ(error.what(), "Could not find executable for \"\"odd.xyz\"\"\r\n" + WinErrorText(31));
  }
}

// --- Sleeping and the current directory -----------------------------------------

TEST_F(ProgramStart, SleepWaitsForMessagesUntilTheDeadlineAndTracesEachWait) {
  TempDir dir;
  RunState().DebugTraceOn = true;
  RunState().DebugTraceFile = dir.Path("trace.log");
  SleepWithMessages(1000);
  EXPECT_EQ(sys.launcher.messageWaits, (std::vector<uint32_t>{1000}));
  EXPECT_EQ(sys.pumps, 2);
  EXPECT_EQ(dir.Read("trace.log"), "MsgWaitForMultipleObjects() returned 258\r\n");
}

TEST_F(ProgramStart, ASleepWokenEarlyWaitsOnlyForWhatIsLeft) {
  sys.launcher.onMessageWait = [&](uint32_t ms) {
    if (ms == 1000) sys.launcher.now -= 900;  // a message after 100 ms
  };
  SleepWithMessages(1000);
  EXPECT_EQ(sys.launcher.messageWaits, (std::vector<uint32_t>{1000, 900}));
  EXPECT_EQ(sys.pumps, 3);
}

TEST_F(ProgramStart, SleepOfZeroOnlyServesTheQueue) {
  SleepWithMessages(0);
  EXPECT_TRUE(sys.launcher.messageWaits.empty());
  EXPECT_EQ(sys.pumps, 1);
}

TEST_F(ProgramStart, ChangingToAMissingDirectoryFailsWithTheSystemError) {
  sys.launcher.missingDirectories.insert("X:\\gone");
  EXPECT_FALSE(ChangeDirectory("X:\\gone"));
  EXPECT_EQ(LastSystemError(), 3u);
  EXPECT_TRUE(ChangeDirectory("D:\\data"));
  EXPECT_EQ(sys.launcher.currentDirectory, "D:\\data");
}
