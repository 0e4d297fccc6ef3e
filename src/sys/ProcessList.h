// The platform's view of the running processes: a picture of them (pid and
// executable path) and opening one by pid, to wait for it or to end it. The
// handles it opens belong to the same family as the launcher's, so the
// launcher waits for them, reads their exit codes and closes them.
//
// As with the launcher, failing calls return 0/false and leave the reason in
// LastSystemError; a picture that cannot be taken raises std::runtime_error
// with the back end's own words.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "sys/ProgramLauncher.h"

/// The access rights that the callers ask for (Win32 values).
constexpr uint32_t kProcessTerminate = 0x0001;
constexpr uint32_t kProcessSynchronizeQuery = 0x00100400;  // SYNCHRONIZE | PROCESS_QUERY_INFORMATION

/// What the platform knows of a process that decides whether /kill may end
/// it. The platform fills in what it can tell; the rules built on these facts
/// (ProcessProtection in Winfuncs) are the same everywhere.
struct TProcessFacts {
  uint32_t parentPid = 0;  // 0: none or unknown
  // When it started, in the platform's own units; 0: unknown. A process
  // starts after its parent, so a "parent" that started later is a process
  // that reused the parent's pid (Windows reuses pids of ended parents).
  uint64_t startTime = 0;
  // Non-empty for the system's own processes, naming what it is ("init",
  // "kernel thread", "service", "critical process", "desktop shell").
  std::string systemRole;
  bool otherUser = false;  // runs as another user
  // Outside every login of the user: on POSIX a daemon (another session, and
  // init as its parent), on Windows another logon session.
  bool outsideLogin = false;
};

struct TProcessEntry {
  TProcessEntry(uint32_t pid = 0, std::string path = {}, std::vector<std::string> shownNames = {},
                TProcessFacts facts = {})
      : pid(pid), path(std::move(path)), shownNames(std::move(shownNames)), facts(std::move(facts)) {}

  uint32_t pid = 0;
  std::string path;  // executable path; empty when the process could not be inspected
  // Further names the system shows for the process (none on Windows): on
  // Linux the name in ps (its comm) and its first argument, so that a program
  // started through a symbolic link (sh for dash) is found by the name it
  // was started with. They may repeat the executable's file name.
  std::vector<std::string> shownNames;
  TProcessFacts facts;
};

class IProcessList {
 public:
  virtual ~IProcessList() = default;
  /// Every running process, in the system's order.
  virtual std::vector<TProcessEntry> TakeSnapshot() = 0;
  /// 0 when the process cannot be opened with `access`.
  virtual TProcessHandle OpenProcess(uint32_t access, uint32_t pid) = 0;
  virtual bool TerminateProcess(TProcessHandle process, uint32_t exitCode) = 0;
  virtual uint32_t CurrentProcessId() = 0;
  /// True when `error`, left by a failed OpenProcess, says that no process
  /// has that pid (any more): ESRCH, ERROR_INVALID_PARAMETER.
  virtual bool IsNoSuchProcess(uint32_t error) = 0;
};
