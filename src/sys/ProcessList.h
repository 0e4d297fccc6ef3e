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

struct TProcessEntry {
  TProcessEntry(uint32_t pid = 0, std::string path = {}, std::vector<std::string> shownNames = {})
      : pid(pid), path(std::move(path)), shownNames(std::move(shownNames)) {}

  uint32_t pid = 0;
  std::string path;  // executable path; empty when the process could not be inspected
  // Further names the system shows for the process (none on Windows): on
  // Linux the name in ps (its comm) and its first argument, so that a program
  // started through a symbolic link (sh for dash) is found by the name it
  // was started with. They may repeat the executable's file name.
  std::vector<std::string> shownNames;
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
};
