// Starting programs, the pending-programs table and the waits of Winfuncs.
#include <algorithm>
#include <cstdio>
#include <stdexcept>

#include "sys/WaitLimit.h"
#include "sys/WindowsArguments.h"
#include "sys/Winfuncs.h"
#include "sys/WinfuncsState.h"
#include "util/MessageBoxes.h"
#include "util/StreamFuncs.h"
#include "util/StringFuncs.h"
#include "util/SysFiles.h"
#include "util/TarvCommon.h"

namespace {

constexpr const char* kCrLf = "\r\n";
// The exit code of a program that still runs: errorlevel() after a wait
// that gave up.
constexpr uint32_t kStillActive = 259;
// The pause of the wait by name on a process it cannot open.
constexpr uint32_t kUnopenablePauseMs = 500;
// How many of the programs still running a /waitall that gave up names.
constexpr size_t kMostNamedPrograms = 5;

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

// Waits for the process within the limit and reads its exit code; closes
// the handle either way. False when the limit passed first.
bool WaitForProcess(TProcessHandle process, const TWaitLimit& limit) {
  bool ended = Launcher().WaitForProcess(process, limit.RemainingMs());
  if (ended) ReadExitCode(process, RunState().LastExitCode);
  Launcher().CloseProcess(process);
  return ended;
}

// A start that failed or was refused, through the command's error mode.
void ReportStartFailure(const std::string& message, uint32_t flags) {
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

// The word as a message shows it: in double quotes, a control character as
// its code, so that a line end cannot break the message.
std::string ShownWord(const std::string& word) {
  std::string shown;
  for (char c : word) {
    auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte != 0x7F) {
      shown += c;
      continue;
    }
    char code[8];
    std::snprintf(code, sizeof code, "\\x%02X", byte);
    shown += code;
  }
  return Quoted(shown);
}

// Why an argument cannot reach the program as it is, or empty. No command
// line carries a NUL; cmd.exe, which runs batch files on Windows, would
// turn some characters into commands.
std::string ArgumentProblem(const std::string& word, bool throughCmd) {
  if (word.find('\0') != std::string::npos) return "holds a NUL character, which no command line can carry";
  return throughCmd ? BatchArgumentProblem(word) : "";
}

// The refusal of the first argument that cannot be passed, or empty.
std::string RefusedArgument(const TShellRequest& request) {
  bool throughCmd = Launcher().RunsThroughCmd(request.file, request.directory);
  for (size_t i = 0; i < request.arguments.size(); ++i) {
    std::string problem = ArgumentProblem(request.arguments[i], throughCmd);
    if (problem.empty()) continue;
    return "Could not start " + std::string(throughCmd ? "batch file " : "application ") +
           Quoted(request.file) + ": argument " + std::to_string(i + 1) + " " +
           ShownWord(request.arguments[i]) + " " + problem;
  }
  return "";
}

enum class TPassResult { NoneRunning, SomeRunning, GaveUp };

// One pass of the wait by name: waits for each running process whose file
// name matches, within the limit.
TPassResult WaitForMatchingProcesses(const std::string& nameUpper, const TWaitLimit& limit) {
  bool found = false;
  uint32_t pid = 0;
  std::string path;
  for (int index = 1; GetProcessEntry(index, pid, path); ++index) {
    std::string file = ProcessFileNameUpper(path);
    if (file.empty() || !MatchWildcard(file, nameUpper)) continue;
    found = true;
    if (limit.Passed()) return TPassResult::GaveUp;
    TProcessHandle process = SystemServices().processes->OpenProcess(kProcessSynchronizeQuery, pid);
    if (process == 0)
      SleepWithMessages(static_cast<uint32_t>(std::min<uint64_t>(kUnopenablePauseMs, limit.RemainingMs())));
    else if (!WaitForProcess(process, limit))
      return TPassResult::GaveUp;
  }
  return found ? TPassResult::SomeRunning : TPassResult::NoneRunning;
}

// False when the limit passed while a matching process still ran.
bool WaitByName(const std::string& name, const TWaitLimit& limit) {
  std::string nameUpper = UpperCase(AfterLastSeparator(name));
  for (;;) {
    TPassResult pass = WaitForMatchingProcesses(nameUpper, limit);
    if (pass != TPassResult::SomeRunning) return pass == TPassResult::NoneRunning;
  }
}

void AddPendingProgram(const std::string& program, TProcessHandle process) {
  WinfuncsState().pendingPrograms.push_back({process, 0, WithoutQuotes(program)});
}

// Gives back the handle of each pending program that has ended (on POSIX
// this reaps its zombie), keeping its exit code for /waitall. A code that
// cannot be read keeps the handle: /waitall reports the failure.
void ReapEndedPrograms() {
  for (TPendingProgram& program : WinfuncsState().pendingPrograms) {
    if (program.process == 0 || !Launcher().HasEnded(program.process)) continue;
    if (!Launcher().GetExitCode(program.process, program.exitCode)) continue;
    Launcher().CloseProcess(program.process);
    program.process = 0;
  }
}

std::vector<TProcessHandle> RunningPendingPrograms() {
  std::vector<TProcessHandle> running;
  for (const TPendingProgram& program : WinfuncsState().pendingPrograms)
    if (program.process != 0) running.push_back(program.process);
  return running;
}

// Waits for a program started with lfWait. False when the limit passed first.
bool WaitForStartedProgram(const std::string& program, const std::string& directory, TProcessHandle process,
                           const TWaitLimit& limit) {
  if (process != 0) return WaitForProcess(process, limit);
  // Served by a program that was already running: wait for that one.
  return WaitByName(FindProgramExecutable(program, directory), limit);
}

// The programs of the table that still run, named for a message: at most a
// few names, then how many more.
std::string StillRunningPrograms(size_t& count) {
  std::string names;
  count = 0;
  for (const TPendingProgram& program : WinfuncsState().pendingPrograms) {
    uint32_t exitCode = 0;
    if (program.process == 0 || !Launcher().GetExitCode(program.process, exitCode) ||
        exitCode != kStillActive)
      continue;
    if (++count <= kMostNamedPrograms) names += (names.empty() ? "" : ", ") + Quoted(program.name);
  }
  if (count > kMostNamedPrograms) names += " and " + std::to_string(count - kMostNamedPrograms) + " more";
  return names;
}

// A /waitall that gave up leaves the table as it is: a later /waitall waits
// for the same programs again.
void ReportWaitAllGaveUp(const TWaitLimit& limit) {
  RunState().LastExitCode = kStillActive;
  size_t running = 0;
  std::string names = StillRunningPrograms(running);
  std::string what = std::to_string(running) + " of " + std::to_string(PendingProgramCount()) +
                     " programs to end" + (names.empty() ? "" : ": " + names);
  ReportCommandError(limit.GaveUpMessage("/waitall", what));
}

}  // namespace

int StartProgram(const std::string& program, std::vector<std::string> arguments, const std::string& directory,
                 uint32_t flags) {
  TShellRequest request{WithoutQuotes(program), std::move(arguments), DirectoryOrCurrent(directory),
                        static_cast<int>(flags & lfShowModeMask)};
  if (std::string refusal = RefusedArgument(request); !refusal.empty()) {
    ReportStartFailure(refusal, flags);
    return -1;
  }
  ReapEndedPrograms();
  bool wait = (flags & lfWait) != 0;
  // Read before the start: a wrong limit must not leave a program behind.
  TWaitLimit limit = wait ? TWaitLimit::FromEnvironment() : TWaitLimit();
  TProcessHandle process = 0;
  if (!Launcher().ShellExecute(request, process)) {
    ReportStartFailure(
        "Could not start application " + Quoted(program) + kCrLf + WinErrorText(LastSystemError()), flags);
    return -1;
  }
  if (!wait) {
    if (process != 0) AddPendingProgram(program, process);
  } else if (!WaitForStartedProgram(program, directory, process, limit)) {
    RunState().LastExitCode = kStillActive;
    ReportCommandError(limit.GaveUpMessage("/wait", Quoted(WithoutQuotes(program)) + " to end"));
  }
  return 0;
}

void WaitForAllPrograms() {
  TWaitLimit limit = TWaitLimit::FromEnvironment();
  TWinfuncsState& state = WinfuncsState();
  RunState().LastExitCode = 0;
  if (state.pendingPrograms.empty()) return;
  if (std::vector<TProcessHandle> running = RunningPendingPrograms(); !running.empty()) {
    TWaitResult result = Launcher().WaitForProcesses(running, limit.RemainingMs());
    if (result == TWaitResult::TimedOut) {
      ReportWaitAllGaveUp(limit);
      return;
    }
    if (result == TWaitResult::Failed)
      ShowError("Error waiting for all processes: " + WinErrorText(LastSystemError()));
  }
  for (TPendingProgram& program : state.pendingPrograms) {
    uint32_t exitCode = program.exitCode;
    if (program.process != 0 && !ReadExitCode(program.process, exitCode)) exitCode = 0;
    if (exitCode != 0) RunState().LastExitCode = exitCode;
    if (program.process != 0) Launcher().CloseProcess(program.process);
  }
  state.pendingPrograms.clear();
}

size_t PendingProgramCount() { return WinfuncsState().pendingPrograms.size(); }

void ForgetPendingPrograms() {
  for (TProcessHandle process : RunningPendingPrograms()) Launcher().CloseProcess(process);
  WinfuncsState().pendingPrograms.clear();
}

void WaitForProgramByName(const std::string& name) { WaitByName(name, TWaitLimit()); }

std::string FindProgramExecutable(const std::string& program, const std::string& directory) {
  std::string name = UpperCase(WithoutQuotes(program));
  std::string extension = ExtensionLower(name);
  if (extension.empty() || extension == ".exe" || extension == ".bat") return name;
  std::string executable;
  uint32_t error = 0;
  if (!Launcher().FindExecutable(name, DirectoryOrCurrent(directory), executable, error))
    throw ESystemError("Could not find executable for " + Quoted(program) + kCrLf + WinErrorText(error));
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
    ReapEndedPrograms();
  }
}

void PauseWithoutMessages(uint32_t ms) {
  Launcher().Pause(ms);
  // The polls of /waitfor and /waitclose may last long: programs that end
  // meanwhile give back their handles.
  ReapEndedPrograms();
}

bool ChangeDirectory(const std::string& path) { return Launcher().SetCurrentDirectory(path); }

std::string CurrentDirectory() { return Launcher().CurrentDirectory(); }
