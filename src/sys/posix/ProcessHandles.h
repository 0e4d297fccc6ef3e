// Process handles of the POSIX back end, shared by the launcher and the
// process list. A handle names either a child that this program started
// (waited for and reaped with waitpid, its exit status kept) or a process
// opened by pid through a pidfd (waited for with poll; its exit status is
// known only when it is a child of this program). Waiting never polls in a
// loop: both ways block in the kernel.
#pragma once

#include <sys/types.h>

#include <cstdint>

#include "sys/ProgramLauncher.h"

struct TPosixProcess {
  pid_t pid = 0;
  bool startedHere = false;  // a child started by the launcher: waitpid reaps it
  int pidfd = -1;            // for a process opened by pid
  bool ended = false;
  int status = 0;  // waitpid status once ended (started here only)
  // Set when /kill of this program ended it (KillProcess): the child then
  // reports this code, as a terminated process does on Windows, instead of
  // 128 + the signal's number.
  bool killedHere = false;
  uint32_t killedExitCode = 0;
};

TProcessHandle AddProcessHandle(const TPosixProcess& process);
/// nullptr for a handle that is not open.
TPosixProcess* FindProcessHandle(TProcessHandle handle);
/// Closes the pidfd, if any, and forgets the handle. False when not open.
bool RemoveProcessHandle(TProcessHandle handle);

/// The child started here with that pid that has not been reaped, or nullptr.
TPosixProcess* FindRunningChild(pid_t pid);

/// The pid behind an open handle, 0 for none (for tests and diagnostics).
pid_t ProcessIdOfHandle(TProcessHandle handle);

/// A pidfd for the process (readable once it has ended), or -1 with errno
/// set where the kernel has none.
int OpenPidfd(pid_t pid);
