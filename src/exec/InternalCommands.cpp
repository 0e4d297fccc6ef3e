// The internal commands of files, windows, processes, keys, variables and
// waiting. Most are thin: they check their argument, call one system service
// and word the failure. A missing argument always stops the run; a window,
// program or directory that is not there goes through the error mode.

#include <algorithm>
#include <stdexcept>

#include "exec/CommandHandlers.h"
#include "exec/ScriptRunner.h"
#include "lang/TarvYaccRules.h"
#include "lang/Vocabulary.h"
#include "sys/WaitLimit.h"
#include "sys/Winfuncs.h"
#include "util/AppServices.h"
#include "util/CodePages.h"
#include "util/Environment.h"
#include "util/MessageBoxes.h"
#include "util/StringFuncs.h"
#include "util/SysFiles.h"
#include "util/TarvCommon.h"
#include "util/TerminalText.h"

namespace {

// Most commands word a missing argument as an internal error: the grammar
// already refuses a command written without one, so only an argument whose
// value is empty reaches the check.
enum class TMissing { Plain, InternalError };

void RequireArgument(const std::string& argument, int kind, TMissing wording = TMissing::InternalError) {
  if (!argument.empty()) return;
  RaiseScriptError((wording == TMissing::InternalError ? "INTERNAL ERROR: " : "") + CommandWord(kind) +
                   " argument missing");
}

// False after reporting why the command's windows cannot be reached. Asked
// again after each search and action: the display may be lost meanwhile,
// and that, not the missing window, is the command's failure.
bool WindowsReachable(int kind) {
  std::string reason = WindowSystemUnavailable();
  if (reason.empty()) return true;
  ReportCommandError(CommandWord(kind) + ": " + reason);
  return false;
}

// /activate, /close and /killwindow: the first window whose title matches.
// The action returns the failure message for the window's title, or "".
void RunWindowCommand(int kind, const std::string& pattern, TMissing missingWording,
                      std::string (*action)(TWindowHandle, const std::string&)) {
  RequireArgument(pattern, kind, missingWording);
  if (!WindowsReachable(kind)) return;
  TWindowHandle window = FindWindowByTitle(pattern);
  if (!WindowsReachable(kind)) return;
  if (window == kNoWindow) {
    ReportCommandError(CommandWord(kind) + " could not find " + Quoted(pattern) + " window");
    return;
  }
  // A title may hold a line break, which would forge a line of the message.
  std::string failure = action(window, TerminalSafe(FoundWindowTitles().front(), ProgramTextIsUtf8()));
  if (WindowsReachable(kind) && !failure.empty()) ReportCommandError(failure);
}

std::string Activate(TWindowHandle window, const std::string& title) {
  if (ActivateWindow(window)) return "";
  return CommandWord(_ACTIVATE) + " could not bring " + Quoted(title) + " window to the foreground";
}

// A window that went away meanwhile is simply not affected.
std::string Close(TWindowHandle window, const std::string& title) {
  if (SendCloseToWindow(window) != TSendOutcome::NotResponding) return "";
  return CommandWord(_CLOSE) + " could not close " + Quoted(title) + " window: it is not responding";
}

std::string KillWindow(TWindowHandle window, const std::string& title) {
  if (SendQuitToWindow(window) != TSendOutcome::NotResponding) return "";
  return CommandWord(_KILLWINDOW) + " could not end " + Quoted(title) + " window: it is not responding";
}

void RunCd(const std::string& directory) {
  RunState().WorkDir = directory;  // kept even when the change fails
  if (!ChangeDirectory(directory)) {
    ReportCommandError("Could not " + CommandWord(_CD) + " to directory " + Quoted(directory) + "\r\n" +
                       WinErrorText(LastSystemError()));
    return;
  }
  // A relative directory names a different place once the program stands
  // in it: later programs get the absolute directory that /cd reached.
  RunState().WorkDir = CurrentDirectory();
}

// Ends every matching process that is in reach (ProcessProtection); each
// one left alone is named in the debug trace with the reason.
void RunKill(const std::string& argument) {
  RequireArgument(argument, _KILL, TMissing::Plain);
  const std::string pattern = UpperCase(argument);
  const uint32_t self = CurrentProcessId();
  bool found = false;
  int spared = 0;
  uint32_t pid = 0;
  std::string path;
  for (int i = 1; GetProcessEntry(i, pid, path); ++i) {
    bool matches = false;
    for (const std::string& name : ProcessNamesUpper(i)) {
      DebugTrace("name=" + Quoted(name) + ", Par=" + Quoted(pattern));
      matches = matches || MatchWildcard(name, pattern);
    }
    if (!matches) continue;
    if (std::string protection = ProcessProtection(i); !protection.empty()) {
      DebugTrace("skipping pid " + std::to_string(pid) + ": " + protection);
      // The program itself matching is no protected match: it never counts.
      if (pid != self) ++spared;
      continue;
    }
    found = true;
    DebugTrace("killing pid " + std::to_string(pid));
    KillProcess(pid);
    DebugTrace("killed pid " + std::to_string(pid));
  }
  if (found) return;
  if (spared > 0)
    ReportCommandError(
        CommandWord(_KILL) + " found only protected " + Quoted(pattern) + " programs (" +
        std::to_string(spared) +
        "): the run's own starters, system processes and other users' programs are never ended");
  else
    ReportCommandError(CommandWord(_KILL) + " could not find " + Quoted(pattern) + " program running");
}

void SetDebugSwitches(const std::string& value) {
  TRunState& run = RunState();
  const std::string mode = LowerCase(value);
  if (mode == "off") {
    run.DebugLog = run.DebugTraceOn = run.ParserTrace = false;
  } else if (mode == "on") {
    run.DebugLog = true;
    run.DebugTraceOn = run.ParserTrace = false;
  } else if (mode == "all") {
    run.DebugLog = run.DebugTraceOn = run.ParserTrace = true;
  } else if (mode == "lex") {
    run.DebugLog = run.DebugTraceOn = false;
    run.ParserTrace = true;
  } else {
    run.DebugTraceOn = true;
    run.DebugTraceFile = value;
  }
}

void RunSet(const std::string& name, const std::string& value) {
  const std::string key = LowerCase(name);
  if (key == "debug") {
    SetDebugSwitches(value);
  } else if (key == "exec") {
    RunState().ExecEnabled = LowerCase(value) != "off";
  } else if (key == "waitinternval") {
    RunState().WaitInterval = TextToInt(value);
  } else if (!SetEnvVar(name, value)) {
    RaiseScriptError(UpperCase(CommandWord(_SET)) + " failed: " + WinErrorText(LastSystemError()));
  }
}

void RunSleep(const std::string& seconds) {
  RequireArgument(seconds, _SLEEP);
  int64_t ms = int64_t{TextToInt(seconds)} * 1000;
  if (ms > INT32_MAX || ms < INT32_MIN) throw std::overflow_error("Integer overflow");
  // A negative number of seconds sleeps not at all.
  SleepWithMessages(ms > 0 ? static_cast<uint32_t>(ms) : 0);
}

// /waitfor and /waitclose: poll until a window matches (or none does), or
// until the time limit of the waits has passed. Where no window can be
// reached, there is nothing to wait for. Both word a missing argument as
// /waitfor does.
void RunWindowWait(int kind, const std::string& pattern) {
  const bool untilPresent = kind == _WAITFOR;
  RequireArgument(pattern, _WAITFOR);
  if (!WindowsReachable(kind)) return;
  TWaitLimit limit = TWaitLimit::FromEnvironment();
  for (;;) {
    PumpMessages();
    int32_t interval = RunState().WaitInterval;
    if (interval < 0) throw std::range_error("Range check error");
    // The last pause ends at the limit: the last search is made right then.
    PauseWithoutMessages(static_cast<uint32_t>(std::min<uint64_t>(interval, limit.RemainingMs())));
    bool found = FindWindowByTitle(pattern) != kNoWindow;
    if (!WindowsReachable(kind) || found == untilPresent) return;
    if (limit.Passed()) {
      ReportCommandError(limit.GaveUpMessage(
          CommandWord(kind), Quoted(pattern) + (untilPresent ? " window" : " window to close")));
      return;
    }
  }
}

}  // namespace

bool RunInternalCommand(const Tcmdrec& command, const TPreparedArgs& args) {
  const std::string& text = args.text;
  switch (command.Kind) {
    case _AT: RunCommandFile(text); return true;
    case _ACTIVATE: RunWindowCommand(_ACTIVATE, text, TMissing::InternalError, Activate); return true;
    case _CD: RunCd(text); return true;
    case _CLOSE: RunWindowCommand(_CLOSE, text, TMissing::Plain, Close); return true;
    case _KILL: RunKill(text); return true;
    case _KILLWINDOW: RunWindowCommand(_KILLWINDOW, text, TMissing::InternalError, KillWindow); return true;
    case _PAUSE: ShowInfo(text); return true;
    case _SENDKEYS:
      RequireArgument(text, _SENDKEYS);
      SendKeys(text);
      return true;
    case _SET: RunSet(args.Item(1), args.Item(2)); return true;
    case _SLEEP: RunSleep(args.Item(1)); return true;
    case _WAITALL: WaitForAllPrograms(); return true;
    case _WAITCLOSE:
    case _WAITFOR: RunWindowWait(command.Kind, text); return true;
    default: return false;
  }
}
