#include <gtest/gtest.h>

#include <stdexcept>

#include "sys/Winfuncs.h"
#include "test_support/FakeSystem.h"

TEST(GetProcessEntry, YieldsEveryProcessOnceThenNoMore) {
  FakeSystem sys;
  sys.processes.Add(4, "  C:\\BIN\\A.EXE\r\n");
  sys.processes.Add(9, "");
  uint32_t pid = 0;
  std::string path;
  ASSERT_TRUE(GetProcessEntry(1, pid, path));
  EXPECT_EQ(pid, 4u);
  EXPECT_EQ(path, "C:\\BIN\\A.EXE");
  ASSERT_TRUE(GetProcessEntry(2, pid, path));
  EXPECT_EQ(pid, 9u);
  EXPECT_EQ(path, "");
  EXPECT_FALSE(GetProcessEntry(3, pid, path));
  EXPECT_EQ(sys.processes.snapshots, 1);
}

TEST(GetProcessEntry, IndexOneTakesAFreshPicture) {
  FakeSystem sys;
  sys.processes.Add(4, "A.EXE");
  uint32_t pid = 0;
  std::string path;
  GetProcessEntry(1, pid, path);
  sys.processes.Add(5, "B.EXE");
  EXPECT_FALSE(GetProcessEntry(2, pid, path));
  GetProcessEntry(1, pid, path);
  EXPECT_TRUE(GetProcessEntry(2, pid, path));
  EXPECT_EQ(pid, 5u);
}

TEST(ProcessFileNameUpper, TakesTheFilePartOfWindowsAndPosixPaths) {
  EXPECT_EQ(ProcessFileNameUpper("C:\\Windows\\notepad.exe"), "NOTEPAD.EXE");
  EXPECT_EQ(ProcessFileNameUpper("/usr/bin/sleep"), "SLEEP");
  EXPECT_EQ(ProcessFileNameUpper("calc.exe"), "CALC.EXE");
  EXPECT_EQ(ProcessFileNameUpper(""), "");
}

TEST(KillProcess, TerminatesWithExitCodeOneAndClosesTheHandle) {
  FakeSystem sys;
  sys.processes.Add(12, "C:\\X.EXE");
  EXPECT_TRUE(KillProcess(12));
  EXPECT_EQ(sys.processes.opens, (std::vector<std::pair<uint32_t, uint32_t>>{{kProcessTerminate, 12}}));
  EXPECT_EQ(sys.processes.killed, (std::vector<std::pair<uint32_t, uint32_t>>{{12, 1}}));
  EXPECT_EQ(sys.launcher.closed.size(), 1u);
}

// A process that ends between the picture and the kill is gone, as asked;
// one that cannot be opened while it runs is a failure.
TEST(KillProcess, AProcessThatEndedMeanwhileCountsAsEndedARefusedOpenFails) {
  FakeSystem sys;
  sys.processes.Add(12, "C:\\X.EXE");
  sys.processes.Add(13, "C:\\X.EXE");
  sys.processes.Add(14, "C:\\X.EXE");
  sys.processes.vanishing.insert(12);
  sys.processes.exitedBeforeKill.insert(13);
  sys.processes.unopenable.insert(14);
  EXPECT_TRUE(KillProcess(12));
  EXPECT_TRUE(KillProcess(13));
  EXPECT_TRUE(KillProcess(77));  // never there
  EXPECT_TRUE(sys.processes.killed.empty());
  try {
    KillProcess(14);
    FAIL() << "no error";
  } catch (const std::runtime_error& error) {
    std::string message = error.what();
    EXPECT_EQ(message.rfind("Function OpenProcess failed: ", 0), 0u) << message;
    EXPECT_EQ(message.find("ERROR 5"), std::string::npos) << "the system's words only";
  }
}

// Which processes /kill leaves alone, and why. The program (4242) was
// started from 30, which 20 started; 20's parent 10 started after it, so 10
// reused the pid of 20's ended parent and is no ancestor.
TEST(ProcessProtection, SparesTheRunItsStartersTheSystemAndOtherUsers) {
  struct Case {
    uint32_t pid;
    TProcessFacts facts;
    std::string protection;
  };
  const std::vector<Case> cases = {
      {10, ProcessFacts(0, 900), ""},
      {20, ProcessFacts(10, 100), "this program was started from it"},
      {30, ProcessFacts(20, 200), "this program was started from it"},
      {4242, ProcessFacts(30, 300), "it is this program"},
      {1, ProcessFacts(0, 1, "init"), "it is a system process (init)"},
      {50, ProcessFacts(1, 50, "service"), "it is a system process (service)"},
      {60, ProcessFacts(30, 600, "", true), "it belongs to another user"},
      {70, ProcessFacts(1, 700, "", false, true),
       "it runs outside the user's logins (a daemon or another logon session)"},
      {80, ProcessFacts(4242, 800), ""},  // a program the run started
      {90, ProcessFacts(99, 900), ""},    // from another terminal
  };
  FakeSystem sys;
  for (const Case& c : cases) sys.processes.Add(c.pid, "C:\\P.EXE", c.facts);
  uint32_t pid = 0;
  std::string path;
  for (int index = 1; GetProcessEntry(index, pid, path); ++index)
    EXPECT_EQ(ProcessProtection(index), cases[size_t(index) - 1].protection) << "pid " << pid;
}
TEST(KillProcess, ARefusedTerminationNamesTerminateProcessAndClosesTheHandle) {
  FakeSystem sys;
  sys.processes.Add(12, "C:\\X.EXE");
  sys.processes.unkillable.insert(12);
  try {
    KillProcess(12);
    FAIL() << "no error";
  } catch (const std::runtime_error& error) {
    EXPECT_EQ(std::string(error.what()).rfind("Function TerminateProcess failed: ", 0), 0u);
  }
  EXPECT_EQ(sys.launcher.closed.size(), 1u);
}

TEST(CurrentProcessId, ComesFromTheProcessList) {
  FakeSystem sys;
  EXPECT_EQ(CurrentProcessId(), 4242u);
}
