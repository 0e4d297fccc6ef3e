#include "sys/posix/ProcessHandles.h"

#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <map>

namespace {

std::map<TProcessHandle, TPosixProcess> handles;
TProcessHandle lastHandle = 0;

}  // namespace

TProcessHandle AddProcessHandle(const TPosixProcess& process) {
  handles[++lastHandle] = process;
  return lastHandle;
}

TPosixProcess* FindProcessHandle(TProcessHandle handle) {
  auto found = handles.find(handle);
  return found == handles.end() ? nullptr : &found->second;
}

bool RemoveProcessHandle(TProcessHandle handle) {
  auto found = handles.find(handle);
  if (found == handles.end()) return false;
  if (found->second.pidfd >= 0) ::close(found->second.pidfd);
  handles.erase(found);
  return true;
}

TPosixProcess* FindRunningChild(pid_t pid) {
  for (auto& [handle, process] : handles)
    if (process.startedHere && !process.ended && process.pid == pid) return &process;
  return nullptr;
}

pid_t ProcessIdOfHandle(TProcessHandle handle) {
  TPosixProcess* process = FindProcessHandle(handle);
  return process ? process->pid : 0;
}

int OpenPidfd(pid_t pid) {
#ifdef SYS_pidfd_open
  return static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
#else
  errno = ENOSYS;
  return -1;
#endif
}
