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

TEST(KillProcess, AProcessThatIsGoneCannotBeOpened) {
  FakeSystem sys;
  try {
    KillProcess(77);
    FAIL() << "no error";
  } catch (const std::runtime_error& error) {
    std::string message = error.what();
    EXPECT_EQ(message.rfind("Function OpenProcess failed: ", 0), 0u) << message;
    EXPECT_EQ(message.find("ERROR 87"), std::string::npos) << "the system's words only";
  }
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
