// State that a whole run shares, and the two ways a run reports trouble.
//
// The run-wide switches live in one TRunState of the main thread: the script
// changes them with /set and /cd, and they keep their values across nested
// command files and blocks for the rest of the process. A failure either
// stops the run (EScriptError, raised through RaiseScriptError) or goes
// through the error mode of the failing command (ReportCommandError).
//
// Every layer reads these switches and raises these errors, so they sit at
// the bottom, beside the message boxes they report through.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "util/StreamFuncs.h"

/// Launch-flag bits: the show mode sits in the low byte.
constexpr uint32_t lfWait = 0x100;
constexpr uint32_t lfIgnoreFailure = 0x200;
constexpr uint32_t lfWarnOnFailure = 0x400;
constexpr uint32_t lfRaiseOnFailure = 0x800;
constexpr uint32_t lfShowModeMask = 0xFF;

/// Show modes of a program's first window (the system's SW_* values).
constexpr uint32_t smHide = 0;
constexpr uint32_t smShowMaximized = 3;
constexpr uint32_t smShow = 5;
constexpr uint32_t smMinimize = 6;
constexpr uint32_t smShowMinNoActive = 7;

/// Where the debug trace goes until /set debug names another file.
extern const char* const kDefaultDebugTraceFile;

struct TRunState {
  TTextStream RunLog;          // lines logged while DebugLog is on
  uint32_t LaunchFlags = 0;    // show mode and error mode of the current command
  std::string WorkDir;         // working directory of every program start
  bool ExecEnabled = true;     // false: a dry run that only echoes commands
  int32_t WaitInterval = 500;  // ms between the polls of /waitfor and /waitclose
  bool DebugLog = false;       // lets LogMessage write to the run log
  bool DebugTraceOn = false;   // switches the debug trace file on
  std::string DebugTraceFile = kDefaultDebugTraceFile;
  bool ParserTrace = false;   // trace lines of lexers and parsers
  uint32_t LastExitCode = 0;  // what errorlevel() reads
};

/// The run state of this process.
TRunState& RunState();
/// Back to the initial values (a new process; used by tests).
void ResetRunState();
/// The switches, directory text, error mode and exit code back to their
/// initial values; the run log keeps its lines (they are shown at the end
/// of the process).
void ResetRunSwitches();

/// A failure that stops the run; it carries only its message.
class EScriptError : public std::runtime_error {
 public:
  explicit EScriptError(const std::string& message) : std::runtime_error(message) {}
};

/// A failure of a system service (starting a program, finding its executable).
class ESystemError : public std::runtime_error {
 public:
  explicit ESystemError(const std::string& message) : std::runtime_error(message) {}
};

/// Resets the application title to the program's own title and raises
/// EScriptError with the message.
[[noreturn]] void RaiseScriptError(const std::string& message);

/// Applies the error mode of the current command: /ignore drops the message,
/// /warn shows it in an error box, otherwise it becomes a script error.
void ReportCommandError(const std::string& message);

/// Appends the text and CR LF to the run log while the debug log is on.
void LogMessage(std::string_view text);
