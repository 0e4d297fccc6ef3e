// The POSIX back ends under the shared algorithms: real programs, real
// processes, real waits.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include "exec/ScriptRunner.h"
#include "sys/Winfuncs.h"
#include "sys/posix/ProcessHandles.h"
#include "test_support/RecordingUI.h"
#include "test_support/TempDir.h"
#include "util/Environment.h"
#include "util/StringFuncs.h"
#include "util/SysFiles.h"
#include "util/TarvCommon.h"

namespace {

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double SecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

bool HasChildren() { return waitpid(-1, nullptr, WNOHANG) != -1 || errno != ECHILD; }

class PosixServices : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetRunState();
    ResetWinfuncsState();
    previous_ = SetSystemServices(PlatformSystemServices());
  }
  void TearDown() override {
    WaitForAllPrograms();
    ResetRunState();
    SetSystemServices(previous_);
  }

  std::string Script(const std::string& name, const std::string& body, mode_t mode = 0755) {
    std::string path = dir.Write(name, body);
    chmod(path.c_str(), mode);
    return path;
  }

  TempDir dir;
  RecordingUI ui;

 private:
  TSystemServices previous_;
};

}  // namespace

TEST_F(PosixServices, WaitingForAProgramGivesItsExitCode) {
  EXPECT_EQ(StartProgram("/bin/sh", {"-c", "exit 3"}, "", 0x905), 0);
  EXPECT_EQ(RunState().LastExitCode, 3u);
  EXPECT_FALSE(HasChildren());
}

TEST_F(PosixServices, AProgramNameIsFoundInPath) {
  StartProgram("sh", {"-c", "exit 4"}, "", 0x905);
  EXPECT_EQ(RunState().LastExitCode, 4u);
}

TEST_F(PosixServices, AProgramEndedByASignalReportsOneHundredTwentyEightPlusTheSignal) {
  StartProgram("/bin/sh", {"-c", "kill -9 $$"}, "", 0x905);
  EXPECT_EQ(RunState().LastExitCode, 137u);
}

TEST_F(PosixServices, TheProgramGetsEachWordAsOneArgumentAsItIs) {
  Script("args", "#!/bin/sh\nfor a in \"$@\"; do printf '[%s]\\n' \"$a\"; done > args.out\n");
  StartProgram(dir.Path("args"), {"a \"q\" b", "", "t\tab", "C:\\my dir\\", "x&y", "*"}, dir.Root(), 0x905);
  EXPECT_EQ(dir.Read("args.out"), "[a \"q\" b]\n[]\n[t\tab]\n[C:\\my dir\\]\n[x&y]\n[*]\n");
}

TEST_F(PosixServices, TheProgramRunsInTheGivenDirectory) {
  std::filesystem::create_directory(dir.Path("work dir"));
  StartProgram("/bin/sh", {"-c", "pwd > where.out"}, dir.Path("work dir"), 0x905);
  EXPECT_EQ(dir.Read("work dir/where.out"), std::filesystem::canonical(dir.Path("work dir")).string() + "\n");
}

// A file of the working directory never stands in for a program of PATH.
TEST_F(PosixServices, ABareProgramNameIsLookedForInPathOnly) {
  Script("tarv_local_tool", "#!/bin/sh\nexit 6\n");
  EXPECT_EQ(StartProgram("tarv_local_tool", {}, dir.Root(), 0x205), -1);
  EXPECT_EQ(LastSystemError(), uint32_t(ENOENT));
  StartProgram("./tarv_local_tool", {}, dir.Root(), 0x905);
  EXPECT_EQ(RunState().LastExitCode, 6u);
}

TEST_F(PosixServices, AShellScriptThatIsNotExecutableRunsUnderSh) {
  Script("job.sh", "echo \"$1\" > job.out\nexit 5\n", 0644);
  StartProgram("\"" + dir.Path("job.sh") + "\"", {"one arg"}, dir.Root(), 0x905);
  EXPECT_EQ(RunState().LastExitCode, 5u);
  EXPECT_EQ(dir.Read("job.out"), "one arg\n");
}

TEST_F(PosixServices, AMissingProgramIsAFailedStartWithTheSystemsReason) {
  try {
    StartProgram("/nonexistent/prog", {}, "", 0x805);
    FAIL() << "no error";
  } catch (const ESystemError& error) {
    EXPECT_STREQ(
        error.what(),
        "Could not start application \"/nonexistent/prog\"\r\nERROR 2: No such file or directory\r\n");
  }
  EXPECT_EQ(PendingProgramCount(), 0u);
}

TEST_F(PosixServices, AMissingWorkingDirectoryIsAFailedStart) {
  EXPECT_EQ(StartProgram("/bin/true", {}, dir.Path("gone"), 0x405), -1);
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].text,
            "Could not start application \"/bin/true\"\r\nERROR 2: No such file or directory\r\n");
}

TEST_F(PosixServices, AFileThatNothingCanOpenIsAFailedStart) {
  if (system("command -v xdg-open > /dev/null 2>&1") == 0) GTEST_SKIP() << "xdg-open would open the file";
  Script("notes.txt", "text", 0644);
  EXPECT_EQ(StartProgram(dir.Path("notes.txt"), {}, "", 0x205), -1);
  EXPECT_EQ(LastSystemError(), uint32_t(EACCES));
}

TEST_F(PosixServices, WaitingForAllReapsEveryProgramAndKeepsTheLastNonZeroCode) {
  for (int i = 0; i < 20; ++i) {
    int code = i == 19 ? 0 : i == 18 ? 7 : i + 1;
    StartProgram("/bin/sh", {"-c", "sleep 0.1; exit " + std::to_string(code)}, "", 0x805);
  }
  EXPECT_EQ(PendingProgramCount(), 20u);
  double cpuBefore = CpuSeconds();
  WaitForAllPrograms();
  EXPECT_LT(CpuSeconds() - cpuBefore, 0.05) << "waiting must not spin";
  EXPECT_EQ(RunState().LastExitCode, 7u);
  EXPECT_EQ(PendingProgramCount(), 0u);
  EXPECT_FALSE(HasChildren());
}

TEST_F(PosixServices, ProcessEnumerationContainsThisProgramWithItsExecutable) {
  char self[4096];
  ssize_t length = readlink("/proc/self/exe", self, sizeof self);
  ASSERT_GT(length, 0);
  bool found = false;
  uint32_t pid = 0;
  std::string path;
  for (int index = 1; GetProcessEntry(index, pid, path); ++index)
    if (pid == uint32_t(getpid())) found = path == std::string(self, size_t(length));
  EXPECT_TRUE(found);
  EXPECT_EQ(CurrentProcessId(), uint32_t(getpid()));
}

TEST_F(PosixServices, KillProcessEndsAStartedProgram) {
  IProgramLauncher& launcher = *SystemServices().launcher;
  TProcessHandle process = 0;
  ASSERT_TRUE(launcher.ShellExecute({"sleep", {"30"}, dir.Root(), 5}, process));
  auto start = std::chrono::steady_clock::now();
  EXPECT_TRUE(KillProcess(uint32_t(ProcessIdOfHandle(process))));
  launcher.WaitForProcess(process, kWaitForever);
  uint32_t exitCode = 0;
  EXPECT_TRUE(launcher.GetExitCode(process, exitCode));
  EXPECT_EQ(exitCode, 1u);  // as on Windows, not 128 + SIGKILL
  EXPECT_LT(SecondsSince(start), 5.0);
  launcher.CloseProcess(process);
}

// True once /proc shows the process under its new program: its comm and its
// first argument (the kernel sets the name before the argument list during
// exec); false after 10 s.
bool ShowsProgram(pid_t pid, const std::string& argv0) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  std::string proc = "/proc/" + std::to_string(pid);
  for (;;) {
    std::string comm, cmdline;
    std::getline(std::ifstream(proc + "/comm"), comm);
    std::getline(std::ifstream(proc + "/cmdline"), cmdline, '\0');
    if (comm == FileNameOnly(argv0).substr(0, 15) && cmdline == argv0) return true;
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

// A program started through a symbolic link runs the link's target (sleep),
// but ps names it after the link: its comm (cut to 15 characters) and its
// first argument. /kill finds it by either, and still by the target's name.
TEST_F(PosixServices, KillFindsAProgramByTheNameItWasStartedWith) {
  std::string link = "tarv_linked_sleeper_" + std::to_string(getpid());
  std::filesystem::create_symlink(std::filesystem::canonical("/bin/sleep"), dir.Path(link));
  IProgramLauncher& launcher = *SystemServices().launcher;
  auto killedBy = [&](const std::string& pattern) {
    TProcessHandle process = 0;
    if (!launcher.ShellExecute({dir.Path(link), {"30"}, dir.Root(), 5}, process))
      return std::string("no start");
    // Until the child has run exec, ps shows it under this test's own name.
    if (!ShowsProgram(ProcessIdOfHandle(process), dir.Path(link))) return std::string("never exec'd");
    RunCommandText("/kill " + pattern);
    launcher.WaitForProcess(process, kWaitForever);  // returns only once the program has ended
    uint32_t exitCode = 0;
    launcher.GetExitCode(process, exitCode);
    launcher.CloseProcess(process);
    return std::to_string(exitCode);
  };
  EXPECT_EQ(killedBy(link.substr(0, 15)), "1");  // its comm
  EXPECT_EQ(killedBy(link), "1");                // its first argument
  EXPECT_EQ(killedBy("tarv_linked_*"), "1");
  EXPECT_TRUE(ui.boxes.empty());
  EXPECT_THROW(RunCommandText("/kill " + link + "_not"), EScriptError);
}

// It may have ended between the picture and the kill: gone, as asked.
TEST_F(PosixServices, KillingAProcessThatDoesNotExistCountsAsEnded) { EXPECT_TRUE(KillProcess(0x7FFFFFF0)); }

TEST_F(PosixServices, WaitByNameWaitsUntilNoSuchProcessRuns) {
  // A name of its own, so that nobody else's processes take part.
  std::string name = "lingerer" + std::to_string(getpid());
  std::filesystem::copy_file("/bin/sleep", dir.Path(name));
  StartProgram(dir.Path(name), {"0.3"}, "", 0x805);
  auto start = std::chrono::steady_clock::now();
  WaitForProgramByName(name);
  EXPECT_GT(SecondsSince(start), 0.1);
  EXPECT_TRUE(ui.boxes.empty());
  bool running = false;
  uint32_t pid = 0;
  std::string path;
  for (int index = 1; GetProcessEntry(index, pid, path); ++index)
    running = running || ProcessFileNameUpper(path) == UpperCase(name);
  EXPECT_FALSE(running);
}

// Both waits give up at TARV_WAIT_TIMEOUT without spinning; the programs
// run on (ended here by their unique name).
TEST_F(PosixServices, WaitsGiveUpAtTheTimeLimitWithoutSpinning) {
  std::string name = "overstayer" + std::to_string(getpid());
  std::filesystem::copy_file("/bin/sleep", dir.Path(name));
  SetEnvVar("TARV_WAIT_TIMEOUT", "0.3");
  RunState().LaunchFlags = lfWarnOnFailure;
  auto start = std::chrono::steady_clock::now();
  double cpuBefore = CpuSeconds();
  StartProgram(dir.Path(name), {"5"}, "", lfWait | lfWarnOnFailure | 5);
  // The program runs for 5 s: a wait that gave up returns well before. The
  // limit is counted in whole milliseconds of the system's clock, so the
  // wait may end up to one of them short of 0.3 s.
  EXPECT_GE(SecondsSince(start), 0.299);
  EXPECT_LT(SecondsSince(start), 4.5);
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].text,
            "/wait gave up after 0.3 seconds waiting for \"" + dir.Path(name) + "\" to end");
  EXPECT_EQ(RunState().LastExitCode, 259u);

  StartProgram(dir.Path(name), {"5"}, "", 0x805);
  RunState().LaunchFlags = 0;
  start = std::chrono::steady_clock::now();
  EXPECT_THROW(WaitForAllPrograms(), EScriptError);
  EXPECT_GE(SecondsSince(start), 0.299);
  EXPECT_LT(SecondsSince(start), 4.5);
  EXPECT_EQ(PendingProgramCount(), 1u);
  // Two waits of 0.3 s each: a spinning wait would use about 0.6 s of CPU.
  EXPECT_LT(CpuSeconds() - cpuBefore, 0.25) << "waiting must not spin";

  SetEnvVar("TARV_WAIT_TIMEOUT", "");
  std::vector<pid_t> overstayers;
  uint32_t pid = 0;
  std::string path;
  for (int index = 1; GetProcessEntry(index, pid, path); ++index)
    if (ProcessFileNameUpper(path) == UpperCase(name)) overstayers.push_back(pid_t(pid));
  EXPECT_EQ(overstayers.size(), 2u);
  for (pid_t overstayer : overstayers) KillProcess(uint32_t(overstayer));
  WaitForAllPrograms();  // reaps the pending one
  EXPECT_EQ(RunState().LastExitCode, 1u);
  for (pid_t overstayer : overstayers) waitpid(overstayer, nullptr, 0);
  EXPECT_FALSE(HasChildren());
}

TEST_F(PosixServices, SleepLastsTheIntervalWithoutSpinning) {
  auto start = std::chrono::steady_clock::now();
  double cpuBefore = CpuSeconds();
  SleepWithMessages(300);
  double elapsed = SecondsSince(start);
  EXPECT_GE(elapsed, 0.3);
  EXPECT_LT(elapsed, 1.0);
  EXPECT_LT(CpuSeconds() - cpuBefore, 0.05);
}

TEST_F(PosixServices, ChangeDirectoryReportsAMissingDirectory) {
  std::string before = std::filesystem::current_path().string();
  EXPECT_FALSE(ChangeDirectory(dir.Path("gone")));
  EXPECT_EQ(LastSystemError(), uint32_t(ENOENT));
  EXPECT_TRUE(ChangeDirectory(dir.Root()));
  EXPECT_EQ(std::filesystem::current_path(), std::filesystem::canonical(dir.Root()));
  ChangeDirectory(before);
}

// Without a display (the display is opened once per process, at first use).
TEST_F(PosixServices, WithoutADisplayThereAreNoWindowsToFindAndTheReasonIsGiven) {
  unsetenv("DISPLAY");
  EXPECT_NE(WindowSystemUnavailable(), "");
  EXPECT_EQ(FindWindowByTitle("*"), kNoWindow);
  EXPECT_EQ(EnumMatchingWindows(0, 0, "*", "*"), -1);
}

TEST_F(PosixServices, WithoutADisplayKeysCannotBeSentAndTheCommandSaysWhy) {
  unsetenv("DISPLAY");
  RunState().LaunchFlags = lfWarnOnFailure;
  SendKeys("abc");
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].text, "/sendkeys: " + WindowSystemUnavailable());
  RunState().LaunchFlags = 0;
  EXPECT_THROW(SendKeys("abc"), EScriptError);
}
