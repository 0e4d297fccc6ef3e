// The platform's side of starting programs and waiting for them, at the level
// of the shell and kernel primitives (ShellExecuteEx, the waits that serve
// the message queue, GetExitCodeProcess, FindExecutable, MsgWait...). The
// decisions on top of them (launch flags, failure texts, the pending table,
// the wait by executable name) are written once in Winfuncs against this
// interface, so each platform supplies only the primitives.
//
// Failing calls return false (or a zero handle) and leave the reason in the
// system error of the thread (LastSystemError), as Win32 does with
// GetLastError; callers read it right after the call.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

/// An open process: a Win32 process handle, or a back end's own token. Zero
/// is never a process.
using TProcessHandle = uintptr_t;

/// The time limit of a wait that has none.
constexpr uint64_t kWaitForever = UINT64_MAX;

/// How a wait for a set of processes came out.
enum class TWaitResult { Ended, TimedOut, Failed };

/// What the shell is asked to open.
struct TShellRequest {
  std::string file;                    // program, script or document, without quotes
  std::vector<std::string> arguments;  // each word the program is to receive, as it is
  std::string directory;               // working directory of the new process, never empty
  int showCommand = 0;                 // the SW_* value for the program's first window
};

class IProgramLauncher {
 public:
  virtual ~IProgramLauncher() = default;

  /// True when cmd.exe would run the file as a batch file, reading its
  /// arguments by its own rules: one named with the extension .bat or .cmd,
  /// or one the shell finds for a name without an extension. An argument
  /// that cmd.exe would turn into a command is then refused before the start.
  virtual bool RunsThroughCmd(const std::string& file, const std::string& directory) = 0;

  /// Opens the file. True when the shell accepted the request; `process` is
  /// then the new process, or 0 when the request was served without a new
  /// process (a program already running took the document).
  virtual bool ShellExecute(const TShellRequest& request, TProcessHandle& process) = 0;

  /// Returns when the process has ended, serving the thread's messages
  /// meanwhile (a quit or close request may end the program inside). False
  /// when `timeoutMs` passed first. A handle that cannot be waited for counts
  /// as ended: reading its exit code reports the problem.
  virtual bool WaitForProcess(TProcessHandle process, uint64_t timeoutMs) = 0;

  /// Returns when every process of the set has ended, serving messages, or
  /// when `timeoutMs` has passed. Any number of processes. Failed leaves the
  /// reason in the system error; the processes may then still run.
  virtual TWaitResult WaitForProcesses(const std::vector<TProcessHandle>& processes, uint64_t timeoutMs) = 0;

  /// True once the process has ended; returns at once and serves no
  /// messages. On POSIX a child that has ended is reaped here.
  virtual bool HasEnded(TProcessHandle process) = 0;

  /// The exit code of an ended process (259, STILL_ACTIVE, while it runs).
  virtual bool GetExitCode(TProcessHandle process, uint32_t& exitCode) = 0;
  virtual void CloseProcess(TProcessHandle process) = 0;

  /// The program that serves `file` (a document's associated program). On
  /// failure `error` is the look-up's result number, shown with WinErrorText.
  virtual bool FindExecutable(const std::string& file, const std::string& directory, std::string& executable,
                              uint32_t& error) = 0;

  /// Waits until a message arrives or `ms` have passed (MsgWaitForMultipleObjects
  /// with no handles); returns the wait's result, 258 (WAIT_TIMEOUT) on timeout.
  virtual uint32_t WaitForMessages(uint32_t ms) = 0;
  /// Milliseconds of a clock that never goes back and does not wrap.
  virtual uint64_t TickCount() = 0;
  /// Sleeps `ms` without serving messages (the pause between two window
  /// searches of /waitfor and /waitclose).
  virtual void Pause(uint32_t ms) = 0;

  virtual std::string CurrentDirectory() = 0;
  virtual bool SetCurrentDirectory(const std::string& directory) = 0;
};
