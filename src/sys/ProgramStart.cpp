// Starting programs, the pending-programs table and the waits of Winfuncs.
#include <stdexcept>

#include "run/TarvCommon.h"
#include "sys/Winfuncs.h"
#include "sys/WinfuncsState.h"
#include "util/MessageBoxes.h"
#include "util/StreamFuncs.h"
#include "util/StringFuncs.h"
#include "util/SysFiles.h"

namespace {

constexpr const char* kCrLf = "\r\n";

IProgramLauncher& Launcher() { return *SystemServices().launcher; }

std::string WithoutQuotes(const std::string& text) { return ReplaceAll(text, "\"", ""); }

std::string DirectoryOrCurrent(const std::string& directory) {
  return directory.empty() ? Launcher().CurrentDirectory() : directory;
}

// Reads the exit code into `exitCode`; shows the failure and leaves
// `exitCode` alone when it cannot be read.
bool ReadExitCode(TProcessHandle process, uint32_t& exitCode) {
  if (Launcher().GetExitCode(process, exitCode)) return true;
  ShowError("Could not get exit status for process - " + WinErrorText(LastSystemError()));
  return false;
}

void WaitForProcess(TProcessHandle process) {
  Launcher().WaitForProcess(process);
  ReadExitCode(process, RunState().LastExitCode);
  Launcher().CloseProcess(process);
}

void ReportStartFailure(const std::string& program, uint32_t error, uint32_t flags) {
  std::string message = "Could not start application \"" + program + "\"" + kCrLf + WinErrorText(error);
  if (flags & lfIgnoreFailure) return;
  if (flags & lfWarnOnFailure) {
    ShowWarning(message);
  } else if (flags & lfRaiseOnFailure) {
    throw ESystemError(message);
  } else {
    ShowError(message);
    // The run ended in an error box: say so in the exit status.
    SystemServices().endProgram(1);
  }
}

void FollowStartedProgram(const std::string& program, const std::string& directory, TProcessHandle process,
                          uint32_t flags) {
  bool wait = (flags & lfWait) != 0;
  if (process != 0) {
    if (wait)
      WaitForProcess(process);
    else
      WinfuncsState().pendingPrograms.push_back(process);
  } else if (wait) {
    // Served by a program that was already running: wait for that one.
    WaitForProgramByName(FindProgramExecutable(program, directory));
  }
}

// The file part of a name: everything after its last "\" (or "/").
std::string FilePart(std::string_view name) {
  size_t cut = name.find_last_of("\\/");
  return std::string(cut == std::string_view::npos ? name : name.substr(cut + 1));
}

// One pass of the wait by name: waits for each running process whose file
// name matches. True when at least one was found.
bool WaitForMatchingProcesses(const std::string& nameUpper) {
  bool found = false;
  uint32_t pid = 0;
  std::string path;
  for (int index = 1; GetProcessEntry(index, pid, path); ++index) {
    std::string file = ProcessFileNameUpper(path);
    if (file.empty() || !MatchWildcard(file, nameUpper)) continue;
    found = true;
    TProcessHandle process = SystemServices().processes->OpenProcess(kProcessSynchronizeQuery, pid);
    if (process != 0)
      WaitForProcess(process);
    else
      SleepWithMessages(500);
  }
  return found;
}

}  // namespace

int StartProgram(const std::string& program, const std::string& parameters, const std::string& directory,
                 uint32_t flags) {
  TShellRequest request{WithoutQuotes(program), parameters, DirectoryOrCurrent(directory),
                        static_cast<int>(flags & 0xFF)};
  TProcessHandle process = 0;
  if (!Launcher().ShellExecute(request, process)) {
    ReportStartFailure(program, LastSystemError(), flags);
    return -1;
  }
  FollowStartedProgram(program, directory, process, flags);
  return 0;
}

void WaitForAllPrograms() {
  std::vector<TProcessHandle>& pending = WinfuncsState().pendingPrograms;
  RunState().LastExitCode = 0;
  if (pending.empty()) return;
  if (!Launcher().WaitForProcesses(pending))
    ShowError("Error waiting for all processes: " + WinErrorText(LastSystemError()));
  for (TProcessHandle process : pending) {
    uint32_t exitCode = 0;
    if (ReadExitCode(process, exitCode) && exitCode != 0) RunState().LastExitCode = exitCode;
    Launcher().CloseProcess(process);
  }
  pending.clear();
}

size_t PendingProgramCount() { return WinfuncsState().pendingPrograms.size(); }

void ForgetPendingPrograms() {
  std::vector<TProcessHandle>& pending = WinfuncsState().pendingPrograms;
  for (TProcessHandle process : pending) Launcher().CloseProcess(process);
  pending.clear();
}

void WaitForProgramByName(const std::string& name) {
  std::string nameUpper = UpperCase(FilePart(name));
  while (WaitForMatchingProcesses(nameUpper)) {
  }
}

std::string FindProgramExecutable(const std::string& program, const std::string& directory) {
  std::string name = UpperCase(WithoutQuotes(program));
  std::string extension = ExtensionLower(name);
  if (extension.empty() || extension == ".exe" || extension == ".bat") return name;
  std::string executable;
  uint32_t error = 0;
  if (!Launcher().FindExecutable(name, DirectoryOrCurrent(directory), executable, error))
    throw ESystemError("Could not find executable for \"" + program + "\"" + kCrLf + WinErrorText(error));
  return executable;
}

void SleepWithMessages(uint32_t ms) {
  // A 64-bit tick count: the deadline never wraps.
  uint64_t deadline = Launcher().TickCount() + ms;
  SystemServices().pumpMessages();
  for (uint64_t now = Launcher().TickCount(); now < deadline; now = Launcher().TickCount()) {
    // Only what is left: a message shortly before the deadline must not
    // start a whole new interval.
    uint32_t result = Launcher().WaitForMessages(static_cast<uint32_t>(deadline - now));
    DebugTrace("MsgWaitForMultipleObjects() returned " + std::to_string(result));
    SystemServices().pumpMessages();
  }
}

bool ChangeDirectory(const std::string& path) { return Launcher().SetCurrentDirectory(path); }

std::string CurrentDirectory() { return Launcher().CurrentDirectory(); }
