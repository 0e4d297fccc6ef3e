// Starting and waiting for programs on POSIX. Programs start with
// posix_spawn, which reports a failed exec before it returns, so a program
// that cannot run is a failed start with the system's reason. There is no
// message queue: waits block in waitpid or poll (a time-limited wait for a
// child polls its pidfd), and the timed message wait is a plain sleep.
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>

#include "sys/posix/LaunchPlan.h"
#include "sys/posix/PosixBackEnd.h"
#include "sys/posix/ProcessHandles.h"
#include "util/SysFiles.h"

extern char** environ;

namespace {

constexpr uint32_t kStillActive = 259;
constexpr uint32_t kWaitTimeout = 258;

// A signal gives 128 + its number, unless our own /kill sent it: a program
// ended by /kill reports the code /kill gave, as on Windows. (A child that
// had exited before the signal came keeps its own status.)
uint32_t SignalExitCode(const TPosixProcess* process, int signal) {
  bool ours = process && process->killedHere && (signal == SIGKILL || signal == SIGTERM);
  return ours ? process->killedExitCode : 128u + static_cast<uint32_t>(signal);
}

// Exit status as Windows would report it.
uint32_t ExitCodeOf(const TPosixProcess& process) {
  const int status = process.status;
  if (WIFEXITED(status)) return static_cast<uint32_t>(WEXITSTATUS(status));
  if (WIFSIGNALED(status)) return SignalExitCode(&process, WTERMSIG(status));
  return static_cast<uint32_t>(status);
}

// Returns the spawn's error number, 0 when the program runs.
int Spawn(const TLaunchPlan& plan, pid_t& pid) {
  std::vector<char*> argv;
  for (const std::string& argument : plan.argv) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawnattr_t attributes;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addchdir_np(&actions, plan.directory.c_str());
  posix_spawnattr_init(&attributes);
  sigset_t none;
  sigemptyset(&none);
  posix_spawnattr_setsigmask(&attributes, &none);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK);
  int error = posix_spawn(&pid, plan.executable.c_str(), &actions, &attributes, argv.data(), environ);
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
  return error;
}

uint64_t MonotonicUs() {
  timespec now{};
  ::clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<uint64_t>(now.tv_sec) * 1000000u + static_cast<uint64_t>(now.tv_nsec) / 1000u;
}

uint64_t MonotonicMs() { return MonotonicUs() / 1000u; }

void SleepMs(uint32_t ms) {
  timespec interval{static_cast<time_t>(ms / 1000), static_cast<long>(ms % 1000) * 1000000L};
  ::nanosleep(&interval, nullptr);
}

// The end of a wait on the monotonic clock.
class TDeadline {
 public:
  // A time limit too long to count in microseconds is none.
  explicit TDeadline(uint64_t timeoutMs) : end_(kWaitForever) {
    const uint64_t now = MonotonicUs();
    if (timeoutMs < (kWaitForever - now) / 1000u) end_ = now + timeoutMs * 1000u;
  }
  bool Unlimited() const { return end_ == kWaitForever; }
  // Rounded up, so that it reads 0 only once the whole time has passed (a
  // wait never gives up a fraction of a millisecond early).
  uint64_t RemainingMs() const {
    if (Unlimited()) return kWaitForever;
    uint64_t now = MonotonicUs();
    return end_ > now ? (end_ - now + 999u) / 1000u : 0;
  }
  // The timeout argument of poll: -1 for none, capped to an int.
  int PollMs() const {
    return Unlimited() ? -1 : static_cast<int>(std::min<uint64_t>(RemainingMs(), INT32_MAX));
  }

 private:
  uint64_t end_;  // microseconds, or kWaitForever
};

// Waits until the pidfd is readable (the process has ended). False when the
// deadline passed first or poll failed.
bool PollEnded(int pidfd, const TDeadline& deadline) {
  for (;;) {
    pollfd ready{pidfd, POLLIN, 0};
    int count = ::poll(&ready, 1, deadline.PollMs());
    if (count > 0) return true;
    if (count == 0 || errno != EINTR) return false;
  }
}

bool ReapChild(TPosixProcess& process, int options) {
  pid_t done;
  do done = ::waitpid(process.pid, &process.status, options);
  while (done < 0 && errno == EINTR);
  process.ended = done == process.pid;
  return process.ended;
}

// A child with a time limit: its pidfd tells when it has ended; where the
// kernel has no pidfds, the child is looked at every few milliseconds.
bool WaitForChild(TPosixProcess& process, const TDeadline& deadline) {
  if (deadline.Unlimited()) return ReapChild(process, 0);
  int pidfd = OpenPidfd(process.pid);
  if (pidfd >= 0) {
    bool ended = PollEnded(pidfd, deadline);
    ::close(pidfd);
    return ended && ReapChild(process, 0);
  }
  constexpr uint32_t kLookEveryMs = 20;
  while (!ReapChild(process, WNOHANG)) {
    uint64_t left = deadline.RemainingMs();
    if (left == 0) return false;
    SleepMs(static_cast<uint32_t>(std::min<uint64_t>(left, kLookEveryMs)));
  }
  return true;
}

bool WaitUntilEnded(TPosixProcess& process, const TDeadline& deadline) {
  if (process.ended) return true;
  if (process.startedHere) return WaitForChild(process, deadline);
  process.ended = PollEnded(process.pidfd, deadline);
  return process.ended;
}

// The exit code of a process opened by pid: known only for a child of this
// program, read without reaping it (its starter's handle reaps it).
bool OpenedProcessExitCode(const TPosixProcess& process, uint32_t& exitCode) {
  siginfo_t info{};
  if (::waitid(P_PID, static_cast<id_t>(process.pid), &info, WEXITED | WNOHANG | WNOWAIT) != 0) return false;
  if (info.si_pid == 0) {
    exitCode = kStillActive;
  } else {
    exitCode = info.si_code == CLD_EXITED ? static_cast<uint32_t>(info.si_status)
                                          : SignalExitCode(FindRunningChild(process.pid), info.si_status);
  }
  return true;
}

bool StartedProcessExitCode(TPosixProcess& process, uint32_t& exitCode) {
  if (!process.ended) {
    pid_t done = ::waitpid(process.pid, &process.status, WNOHANG);
    if (done < 0) return false;
    process.ended = done == process.pid;
  }
  exitCode = process.ended ? ExitCodeOf(process) : kStillActive;
  return true;
}

class TPosixLauncher : public IProgramLauncher {
 public:
  // A batch file is a document here: no cmd.exe reads its arguments.
  bool RunsThroughCmd(const std::string&, const std::string&) override { return false; }

  bool ShellExecute(const TShellRequest& request, TProcessHandle& process) override {
    TLaunchPlan plan;
    pid_t pid = 0;
    int error = PlanLaunch(request, plan);
    if (error == 0) error = Spawn(plan, pid);
    if (error != 0) return Fail(error);
    TPosixProcess started;
    started.pid = pid;
    started.startedHere = true;
    process = AddProcessHandle(started);
    return true;
  }

  bool WaitForProcess(TProcessHandle handle, uint64_t timeoutMs) override {
    TPosixProcess* process = FindProcessHandle(handle);
    TDeadline deadline(timeoutMs);
    return !process || WaitUntilEnded(*process, deadline) || deadline.RemainingMs() > 0;
  }

  TWaitResult WaitForProcesses(const std::vector<TProcessHandle>& handles, uint64_t timeoutMs) override {
    TDeadline deadline(timeoutMs);
    bool waitedForAll = true;
    for (TProcessHandle handle : handles) {
      TPosixProcess* process = FindProcessHandle(handle);
      if (!process) {
        waitedForAll = Fail(EBADF);
      } else if (!WaitUntilEnded(*process, deadline)) {
        if (deadline.RemainingMs() == 0) return TWaitResult::TimedOut;
        waitedForAll = false;
      }
    }
    return waitedForAll ? TWaitResult::Ended : TWaitResult::Failed;
  }

  bool HasEnded(TProcessHandle handle) override {
    TPosixProcess* process = FindProcessHandle(handle);
    if (!process || process->ended) return true;
    if (process->startedHere) return ReapChild(*process, WNOHANG);
    pollfd ready{process->pidfd, POLLIN, 0};
    process->ended = ::poll(&ready, 1, 0) > 0;
    return process->ended;
  }

  bool GetExitCode(TProcessHandle handle, uint32_t& exitCode) override {
    TPosixProcess* process = FindProcessHandle(handle);
    if (!process) return Fail(EBADF);
    return process->startedHere ? StartedProcessExitCode(*process, exitCode)
                                : OpenedProcessExitCode(*process, exitCode);
  }

  void CloseProcess(TProcessHandle handle) override { RemoveProcessHandle(handle); }

  bool FindExecutable(const std::string& file, const std::string& directory, std::string& executable,
                      uint32_t& error) override {
    TLaunchPlan plan;
    error = static_cast<uint32_t>(PlanLaunch({file, {}, directory, 0}, plan));
    if (error == 0) executable = plan.executable;
    return error == 0;
  }

  uint32_t WaitForMessages(uint32_t ms) override {
    SleepMs(ms);  // woken early by a signal: the caller waits again
    return kWaitTimeout;
  }

  uint64_t TickCount() override { return MonotonicMs(); }

  void Pause(uint32_t ms) override { SleepMs(ms); }

  std::string CurrentDirectory() override {
    char buffer[4096];
    return ::getcwd(buffer, sizeof buffer) ? buffer : ".";
  }

  bool SetCurrentDirectory(const std::string& directory) override { return ::chdir(directory.c_str()) == 0; }

 private:
  static bool Fail(int error) {
    SetLastSystemError(static_cast<uint32_t>(error));
    return false;
  }
};

}  // namespace

IProgramLauncher& PosixLauncher() {
  static TPosixLauncher launcher;
  return launcher;
}
