// The internal commands of files, windows, processes, keys, variables and
// waiting. Most are thin: they check their argument, call one system service
// and word the failure. A missing argument always stops the run; a window,
// program or directory that is not there goes through the error mode.

#include <algorithm>
#include <stdexcept>

#include "exec/CommandHandlers.h"
#include "lang/TarvYaccRules.h"
#include "run/TarvMain.h"
#include "sys/WaitLimit.h"
#include "sys/Winfuncs.h"
#include "util/AppServices.h"
#include "util/Environment.h"
#include "util/MessageBoxes.h"
#include "util/StringFuncs.h"
#include "util/SysFiles.h"
#include "util/TarvCommon.h"

namespace {

void RequireArgument(const std::string& argument, const char* missingMessage) {
  if (argument.empty()) RaiseScriptError(missingMessage);
}

// False after reporting why the command's windows cannot be reached.
bool WindowsReachable(const std::string& word) {
  std::string reason = WindowSystemUnavailable();
  if (reason.empty()) return true;
  ReportCommandError(word + ": " + reason);
  return false;
}

// /activate, /close and /killwindow: the first window whose title matches.
// The action returns the failure message for the window's title, or "".
void RunWindowCommand(const std::string& word, const std::string& pattern, const char* missingMessage,
                      std::string (*action)(TWindowHandle, const std::string&)) {
  RequireArgument(pattern, missingMessage);
  if (!WindowsReachable(word)) return;
  TWindowHandle window = FindWindowByTitle(pattern);
  if (window == kNoWindow) {
    ReportCommandError(word + " could not find " + Quoted(pattern) + " window");
    return;
  }
  std::string failure = action(window, FoundWindowTitles().front());
  if (!failure.empty()) ReportCommandError(failure);
}

std::string Activate(TWindowHandle window, const std::string& title) {
  if (ActivateWindow(window)) return "";
  return "/activate could not bring " + Quoted(title) + " window to the foreground";
}

// A window that went away meanwhile is simply not affected.
std::string Close(TWindowHandle window, const std::string& title) {
  if (SendCloseToWindow(window) != TSendOutcome::NotResponding) return "";
  return "/close could not close " + Quoted(title) + " window: it is not responding";
}

std::string KillWindow(TWindowHandle window, const std::string& title) {
  if (SendQuitToWindow(window) != TSendOutcome::NotResponding) return "";
  return "/killwindow could not end " + Quoted(title) + " window: it is not responding";
}

void RunCd(const std::string& directory) {
  RunState().WorkDir = directory;  // kept even when the change fails
  if (!ChangeDirectory(directory)) {
    ReportCommandError("Could not /cd to directory " + Quoted(directory) + "\r\n" +
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
  RequireArgument(argument, "/kill argument missing");
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
        "/kill found only protected " + Quoted(pattern) + " programs (" + std::to_string(spared) +
        "): the run's own starters, system processes and other users' programs are never ended");
  else
    ReportCommandError("/kill could not find " + Quoted(pattern) + " program running");
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
    RaiseScriptError("/SET failed: " + WinErrorText(LastSystemError()));
  }
}

void RunSleep(const std::string& seconds) {
  RequireArgument(seconds, "INTERNAL ERROR: /sleep argument missing");
  int64_t ms = int64_t{TextToInt(seconds)} * 1000;
  if (ms > INT32_MAX || ms < INT32_MIN) throw std::overflow_error("Integer overflow");
  // A negative number of seconds sleeps not at all.
  SleepWithMessages(ms > 0 ? static_cast<uint32_t>(ms) : 0);
}

// /waitfor and /waitclose: poll until a window matches (or none does), or
// until the time limit of the waits has passed. Where no window can be
// reached, there is nothing to wait for.
void RunWindowWait(const std::string& word, const std::string& pattern, bool untilPresent) {
  RequireArgument(pattern, "INTERNAL ERROR: /waitfor argument missing");
  if (!WindowsReachable(word)) return;
  TWaitLimit limit = TWaitLimit::FromEnvironment();
  for (;;) {
    PumpMessages();
    int32_t interval = RunState().WaitInterval;
    if (interval < 0) throw std::range_error("Range check error");
    // The last pause ends at the limit: the last search is made right then.
    PauseWithoutMessages(static_cast<uint32_t>(std::min<uint64_t>(interval, limit.RemainingMs())));
    if ((FindWindowByTitle(pattern) != kNoWindow) == untilPresent) return;
    if (limit.Passed()) {
      ReportCommandError(
          limit.GaveUpMessage(word, Quoted(pattern) + (untilPresent ? " window" : " window to close")));
      return;
    }
  }
}

}  // namespace

bool RunInternalCommand(const Tcmdrec& command, const TPreparedArgs& args) {
  const std::string& text = args.text;
  switch (command.Kind) {
    case _AT: RunCommandFile(text); return true;
    case _ACTIVATE:
      RunWindowCommand("/activate", text, "INTERNAL ERROR: /activate argument missing", Activate);
      return true;
    case _CD: RunCd(text); return true;
    case _CLOSE: RunWindowCommand("/close", text, "/close argument missing", Close); return true;
    case _KILL: RunKill(text); return true;
    case _KILLWINDOW:
      RunWindowCommand("/killwindow", text, "INTERNAL ERROR: /killwindow argument missing", KillWindow);
      return true;
    case _PAUSE: ShowInfo(text); return true;
    case _SENDKEYS:
      RequireArgument(text, "INTERNAL ERROR: /sendkeys argument missing");
      SendKeys(text);
      return true;
    case _SET: RunSet(args.Item(1), args.Item(2)); return true;
    case _SLEEP: RunSleep(args.Item(1)); return true;
    case _WAITALL: WaitForAllPrograms(); return true;
    case _WAITCLOSE: RunWindowWait("/waitclose", text, false); return true;
    case _WAITFOR: RunWindowWait("/waitfor", text, true); return true;
    default: return false;
  }
}
