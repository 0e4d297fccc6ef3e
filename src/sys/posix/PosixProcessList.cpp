// The running processes from /proc: the executable path is the target of
// /proc/<pid>/exe (empty when it cannot be read: another user's process, a
// kernel thread, a zombie). A process whose executable can be read also
// carries the names ps shows for it: its comm (at most 15 characters) and
// the file name of its first argument, which name a program started through
// a symbolic link (sh for dash) as it was started. A process that cannot be
// inspected gets no names, so /kill never picks what it could not end.
// Processes are opened by pid through a pidfd, so a handle keeps naming the
// same process even if its pid is reused.
//
// The facts that keep a process out of /kill's reach come from
// /proc/<pid>/stat and status: init (pid 1) and kernel threads (the
// PF_KTHREAD flag, or kthreadd as their parent) are the system's own; a real
// uid other than ours is another user's. A daemon is a process in a session
// other than ours whose parent is init: the system started it, or it
// detached itself from its terminal the way daemons do (fork, setsid, the
// parent exits). A program of the user's own started from another terminal
// or from the desktop is in another session too, but its parent is that
// terminal's shell or the desktop's launcher, so it stays within reach.
// (A subreaper that adopts orphans in place of init cannot be told from /proc
// and is not looked for: what it adopts stays within reach, as the user's.)
#include <dirent.h>
#include <signal.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "sys/posix/PosixBackEnd.h"
#include "sys/posix/ProcessHandles.h"
#include "util/SysFiles.h"

namespace {

int SendSignal(const TPosixProcess& process, int signal) {
#ifdef SYS_pidfd_send_signal
  if (process.pidfd >= 0)
    return static_cast<int>(::syscall(SYS_pidfd_send_signal, process.pidfd, signal, nullptr, 0));
#endif
  return ::kill(process.pid, signal);
}

std::string ExecutablePath(const std::string& pid) {
  char buffer[4096];
  ssize_t length = ::readlink(("/proc/" + pid + "/exe").c_str(), buffer, sizeof buffer);
  return length > 0 ? std::string(buffer, static_cast<size_t>(length)) : std::string();
}

// The first line of a small /proc file, or its text up to the first NUL.
std::string ProcFileHead(const std::string& pid, const char* file, char end) {
  std::FILE* stream = std::fopen(("/proc/" + pid + "/" + file).c_str(), "rb");
  if (!stream) return "";
  std::string text;
  for (int c; text.size() < 4096 && (c = std::fgetc(stream)) != EOF && c != end && c != '\0';)
    text += static_cast<char>(c);
  std::fclose(stream);
  return text;
}

std::vector<std::string> ShownNames(const std::string& pid) {
  std::vector<std::string> names;
  if (std::string comm = ProcFileHead(pid, "comm", '\n'); !comm.empty()) names.push_back(comm);
  std::string first = ProcFileHead(pid, "cmdline", '\0');
  size_t cut = first.rfind('/');
  if (cut != std::string::npos) first.erase(0, cut + 1);
  if (!first.empty()) names.push_back(first);
  return names;
}

constexpr unsigned long kKernelThreadFlag = 0x00200000;  // PF_KTHREAD
constexpr uint32_t kInitPid = 1;
constexpr uint32_t kKernelThreadsParent = 2;  // kthreadd

// The fields of /proc/<pid>/stat that the facts need.
struct TStat {
  uint32_t parentPid = 0;
  long session = -1;
  unsigned long flags = 0;
  unsigned long long startTime = 0;
  bool read = false;
};

TStat ReadStat(const std::string& pid) {
  TStat stat;
  std::FILE* stream = std::fopen(("/proc/" + pid + "/stat").c_str(), "rb");
  if (!stream) return stat;
  char text[1024];
  size_t length = std::fread(text, 1, sizeof text - 1, stream);
  std::fclose(stream);
  text[length] = '\0';
  // The name in parentheses may hold blanks and parentheses: the fields
  // start after the last ')'.
  const char* fields = std::strrchr(text, ')');
  if (!fields) return stat;
  unsigned ppid = 0;
  // state ppid pgrp session tty tpgid flags minflt cminflt majflt cmajflt
  // utime stime cutime cstime priority nice threads itrealvalue starttime
  stat.read = std::sscanf(fields + 1,
                          " %*c %u %*d %ld %*d %*d %lu %*u %*u %*u %*u %*u %*u %*d %*d %*d %*d %*d %*d %llu",
                          &ppid, &stat.session, &stat.flags, &stat.startTime) == 4;
  stat.parentPid = ppid;
  return stat;
}

// The real uid of the process, or -1 when it cannot be read.
long RealUid(const std::string& pid) {
  std::FILE* stream = std::fopen(("/proc/" + pid + "/status").c_str(), "rb");
  if (!stream) return -1;
  long uid = -1;
  char line[256];
  while (uid < 0 && std::fgets(line, sizeof line, stream))
    if (std::strncmp(line, "Uid:", 4) == 0) uid = std::strtol(line + 4, nullptr, 10);
  std::fclose(stream);
  return uid;
}

std::string SystemRole(uint32_t pid, const TStat& stat) {
  if (pid == kInitPid) return "init";
  if ((stat.flags & kKernelThreadFlag) || pid == kKernelThreadsParent ||
      stat.parentPid == kKernelThreadsParent)
    return "kernel thread";
  return "";
}

TProcessFacts Facts(uint32_t pid, const std::string& name) {
  TProcessFacts facts;
  TStat stat = ReadStat(name);
  if (!stat.read) return facts;
  facts.parentPid = stat.parentPid;
  facts.startTime = stat.startTime;
  facts.systemRole = SystemRole(pid, stat);
  long uid = RealUid(name);
  facts.otherUser = uid >= 0 && static_cast<uid_t>(uid) != ::getuid();
  // A parent of 0 is outside this pid namespace: to us it is where init is.
  bool parentIsInit = stat.parentPid == kInitPid || stat.parentPid == 0;
  facts.outsideLogin = stat.session != static_cast<long>(::getsid(0)) && parentIsInit;
  return facts;
}

TProcessEntry ProcessEntry(const char* pid) {
  TProcessEntry entry(static_cast<uint32_t>(std::strtoul(pid, nullptr, 10)), ExecutablePath(pid));
  if (!entry.path.empty()) entry.shownNames = ShownNames(pid);
  entry.facts = Facts(entry.pid, pid);
  return entry;
}

bool IsPid(const char* name) {
  if (!*name) return false;
  for (const char* c = name; *c; ++c)
    if (*c < '0' || *c > '9') return false;
  return true;
}

class TPosixProcessList : public IProcessList {
 public:
  std::vector<TProcessEntry> TakeSnapshot() override {
    std::vector<TProcessEntry> entries;
    std::unique_ptr<DIR, int (*)(DIR*)> proc(::opendir("/proc"), ::closedir);
    if (!proc) throw std::runtime_error("Cannot read /proc: " + WinErrorText(static_cast<uint32_t>(errno)));
    while (dirent* item = ::readdir(proc.get())) {
      if (!IsPid(item->d_name)) continue;
      entries.push_back(ProcessEntry(item->d_name));
    }
    std::sort(entries.begin(), entries.end(),
              [](const TProcessEntry& a, const TProcessEntry& b) { return a.pid < b.pid; });
    return entries;
  }

  TProcessHandle OpenProcess(uint32_t, uint32_t pid) override {
    TPosixProcess process;
    process.pid = static_cast<pid_t>(pid);
    process.pidfd = OpenPidfd(process.pid);
    if (process.pidfd < 0) {
      SetLastSystemError(static_cast<uint32_t>(errno));
      return 0;
    }
    return AddProcessHandle(process);
  }

  // POSIX has no chosen exit code for a killed process: it ends by SIGKILL.
  // A child of ours that was ended so reports `exitCode` when it is reaped.
  bool TerminateProcess(TProcessHandle handle, uint32_t exitCode) override {
    TPosixProcess* process = FindProcessHandle(handle);
    int result = process ? SendSignal(*process, SIGKILL) : (errno = EBADF, -1);
    if (result != 0) {
      SetLastSystemError(static_cast<uint32_t>(errno));
      return false;
    }
    if (TPosixProcess* child = FindRunningChild(process->pid)) {
      child->killedHere = true;
      child->killedExitCode = exitCode;
    }
    return true;
  }

  uint32_t CurrentProcessId() override { return static_cast<uint32_t>(::getpid()); }

  bool IsNoSuchProcess(uint32_t error) override { return error == ESRCH; }
};

}  // namespace

IProcessList& PosixProcessList() {
  static TPosixProcessList processes;
  return processes;
}
