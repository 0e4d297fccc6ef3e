// The running processes from /proc: the executable path is the target of
// /proc/<pid>/exe (empty when it cannot be read: another user's process, a
// kernel thread, a zombie). A process whose executable can be read also
// carries the names ps shows for it: its comm (at most 15 characters) and
// the file name of its first argument, which name a program started through
// a symbolic link (sh for dash) as it was started. A process that cannot be
// inspected gets no names, so /kill never picks what it could not end.
// Processes are opened by pid through a pidfd, so a handle keeps naming the
// same process even if its pid is reused.
#include <dirent.h>
#include <signal.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
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

TProcessEntry ProcessEntry(const char* pid) {
  TProcessEntry entry(static_cast<uint32_t>(std::strtoul(pid, nullptr, 10)), ExecutablePath(pid));
  if (!entry.path.empty()) entry.shownNames = ShownNames(pid);
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
  bool TerminateProcess(TProcessHandle handle, uint32_t) override {
    TPosixProcess* process = FindProcessHandle(handle);
    int result = process ? SendSignal(*process, SIGKILL) : (errno = EBADF, -1);
    if (result == 0) return true;
    SetLastSystemError(static_cast<uint32_t>(errno));
    return false;
  }

  uint32_t CurrentProcessId() override { return static_cast<uint32_t>(::getpid()); }
};

}  // namespace

IProcessList& PosixProcessList() {
  static TPosixProcessList processes;
  return processes;
}
