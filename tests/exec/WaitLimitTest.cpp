// The time limit of the waits (TARV_WAIT_TIMEOUT) for unattended runs,
// against the fake clock: every wait gives up at the limit through its
// command's error mode, and without the variable nothing changes.
#include "exec/ExecutorHarness.h"
#include "sys/Winfuncs.h"

namespace {

class WaitLimitTest : public ExecutorTest {
 protected:
  void TearDown() override {
    SetEnvVar("TARV_WAIT_TIMEOUT", "");
    ExecutorTest::TearDown();
  }

  void SetLimit(const std::string& seconds) { SetEnvVar("TARV_WAIT_TIMEOUT", seconds); }
  uint64_t Elapsed() const { return sys.launcher.now - start_; }
  std::string LastBox() const { return ui.boxes.empty() ? "" : ui.boxes.back().text; }

 private:
  uint64_t start_ = sys.launcher.now;
};

}  // namespace

TEST_F(WaitLimitTest, AWaitedProgramThatRunsTooLongIsGivenUpAtTheLimit) {
  SetLimit("2");
  sys.launcher.QueueRunning(10000, 4);
  EXPECT_EQ(Run("{ slow.exe /wait /warn } { /pause \"errorlevel \" & errorlevel() }"), "");
  EXPECT_EQ(Elapsed(), 2000u);
  ASSERT_EQ(ui.boxes.size(), 2u);
  EXPECT_EQ(ui.boxes[0].text, "/wait gave up after 2 seconds waiting for \"slow.exe\" to end");
  EXPECT_EQ(ui.boxes[1].text, "errorlevel 259");  // still running
  EXPECT_EQ(sys.launcher.closed, sys.launcher.waitedFor);

  // Without an error mode the run stops; a limit of one second says so.
  SetLimit(" 1 ");
  sys.launcher.QueueRunning(10000);
  EXPECT_EQ(Run("\"C:\\My Apps\\slow.exe\" /wait"),
            Report("\"C:\\My Apps\\slow.exe\"/wait",
                   "/wait gave up after 1 second waiting for \"C:\\My Apps\\slow.exe\" to end"));

  // A program that ends in time is waited for as ever; so is any program
  // once the script has emptied the variable.
  sys.launcher.QueueRunning(800, 5);
  EXPECT_EQ(Run("{ quick.exe /wait } { /set TARV_WAIT_TIMEOUT = \"\" }"), "");
  EXPECT_EQ(RunState().LastExitCode, 5u);
  sys.launcher.QueueRunning(60000, 6);
  EXPECT_EQ(Run("slow.exe /wait"), "");
  EXPECT_EQ(RunState().LastExitCode, 6u);
  EXPECT_EQ(Elapsed(), 2000u + 1000u + 800u + 60000u);
}

TEST_F(WaitLimitTest, ADocumentServedByARunningProgramIsGivenUpAtTheLimit) {
  SetLimit("0.75");
  sys.launcher.ServeNextWithoutProcess();
  sys.launcher.associations["REPORT.TXT"] = "C:\\TOOLS\\VIEWER.EXE";
  sys.processes.Add(12, "C:\\TOOLS\\VIEWER.EXE");
  sys.processes.unopenable.insert(12);  // it is looked at every 500 ms
  EXPECT_EQ(Run("report.txt /wait /warn"), "");
  EXPECT_EQ(LastBox(), "/wait gave up after 0.75 seconds waiting for \"report.txt\" to end");
  EXPECT_EQ(sys.launcher.messageWaits, (std::vector<uint32_t>{500, 250}));
}

// /waitall takes no options: giving up stops the run.
TEST_F(WaitLimitTest, WaitallGivesUpKeepingThePendingProgramsForALaterWait) {
  sys.launcher.QueueExitCodes({0});
  sys.launcher.QueueRunning(10000, 3);
  sys.launcher.QueueRunning(10000, 0);
  EXPECT_EQ(Run("{ a.exe } { \"C:\\My Apps\\b.exe\" } { c.exe } { /set TARV_WAIT_TIMEOUT = 3 }"), "");
  EXPECT_EQ(Run("/waitall"), Report("/waitall",
                                    "/waitall gave up after 3 seconds waiting for 2 of 3 programs to end: "
                                    "\"C:\\My Apps\\b.exe\", \"c.exe\""));
  EXPECT_EQ(Elapsed(), 3000u);
  EXPECT_EQ(RunState().LastExitCode, 259u);
  EXPECT_EQ(PendingProgramCount(), 3u);
  // Only a.exe, which had ended, gave back its handle (at the next start).
  EXPECT_EQ(sys.launcher.closed.size(), 1u);

  SetLimit("");
  EXPECT_EQ(Run("/waitall"), "");
  EXPECT_EQ(RunState().LastExitCode, 3u);
  EXPECT_EQ(PendingProgramCount(), 0u);
  EXPECT_EQ(Elapsed(), 10000u);
}

TEST_F(WaitLimitTest, WindowWaitsPollThroughTheClockAndGiveUpAtTheLimit) {
  SetLimit("1.2");
  RunState().WaitInterval = 500;
  EXPECT_EQ(Run("/waitfor /warn Untitled - Notepad"), "");
  EXPECT_EQ(LastBox(), "/waitfor gave up after 1.2 seconds waiting for \"Untitled - Notepad\" window");
  // The last pause ends at the limit, where the last search is made.
  EXPECT_EQ(sys.launcher.pauses, (std::vector<uint32_t>{500, 500, 200}));

  TWindowHandle report = sys.windows.Add(sys.windows.Desktop(), "Report - Editor");
  EXPECT_EQ(Run("/waitclose Report*"),
            Report("/waitclose Report*",
                   "/waitclose gave up after 1.2 seconds waiting for \"Report*\" window to close"));

  // A window that comes (or goes) within the limit ends the wait.
  sys.launcher.pauses.clear();
  sys.launcher.onPause = [&](uint32_t) {
    if (sys.launcher.pauses.size() == 2) sys.windows.Remove(report);
  };
  EXPECT_EQ(Run("/waitclose Report*"), "");
  EXPECT_EQ(sys.launcher.pauses.size(), 2u);
  EXPECT_EQ(ui.boxes.size(), 1u);

  // Without a limit the wait polls a whole interval at a time for as long
  // as it takes.
  SetLimit("");
  sys.launcher.pauses.clear();
  sys.launcher.onPause = [&](uint32_t) {
    if (sys.launcher.pauses.size() == 8) sys.windows.Add(sys.windows.Desktop(), "Untitled - Notepad");
  };
  EXPECT_EQ(Run("/waitfor Untitled - Notepad"), "");
  EXPECT_EQ(sys.launcher.pauses, std::vector<uint32_t>(8, 500));
}

TEST_F(WaitLimitTest, ABadLimitStopsTheRunWhateverTheErrorModeAndStartsNothing) {
  const std::string reason =
      "\": it should be a number of seconds (for example 30), or empty for no time limit";
  SetLimit("abc");
  EXPECT_EQ(Run("tool.exe /wait /ignore"),
            Report("tool.exe/ignore/wait", "TARV_WAIT_TIMEOUT is \"abc" + reason));
  EXPECT_TRUE(sys.launcher.starts.empty());
  SetLimit("-5");
  EXPECT_EQ(Run("/waitfor /ignore x"), Report("/waitfor/ignore x", "TARV_WAIT_TIMEOUT is \"-5" + reason));
  SetLimit("1.5s");
  EXPECT_EQ(Run("/waitall"), Report("/waitall", "TARV_WAIT_TIMEOUT is \"1.5s" + reason));
  EXPECT_TRUE(sys.launcher.pauses.empty());
}
