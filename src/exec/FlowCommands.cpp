// /do ... /while and /if ... /else.
//
// Conditions are expressions evaluated anew for every test; their value must
// be a number, zero being false. A /do body absorbs every failure inside it:
// the pass ends, errorlevel() reads 1, and the loop goes on with its test.

#include <exception>

#include "exec/CommandHandlers.h"
#include "exec/ScriptRunner.h"
#include "expr/TarvExpr.h"
#include "lang/Vocabulary.h"
#include "util/StringFuncs.h"
#include "util/TarvCommon.h"

namespace {

void LogCondition(const Tcmdrec& command, bool value) {
  if (!RunState().DebugLog) return;  // the run log is written only then
  LogMessage(std::string(command.Condition()) + (value ? " is TRUE" : " is FALSE"));
}

// A condition whose value is no number, named by the word that wrote it.
std::string BadResultMessage(int word, const std::string& result) {
  return "Bad " + CommandWord(word) + " expression result: \"" + result + "\" - should be numeric";
}

// A marker line of a /do pass; built only while the run log is written,
// for a loop makes many passes.
void LogDoMarker(const char* before, const char* after) {
  if (RunState().DebugLog) LogMessage(before + CommandWord(_DO) + after);
}

// One pass of the body; false when it failed.
bool RunDoPass(const Tcmdrec& command) {
  LogDoMarker("*** BEGIN ", " command block");
  bool ok = true;
  try {
    RunCommandList(command.Block());
  } catch (...) {
    ok = false;
  }
  if (!ok) {
    RunState().LastExitCode = 1;
    LogDoMarker("*** ", " block failed");
  }
  LogDoMarker("*** END ", " command block");
  return ok;
}

}  // namespace

bool ConditionToInt(const std::string& text, int32_t& value) { return StandardTextToInt(text, value); }

void RunDoCommand(const Tcmdrec& command) {
  RunState().LastExitCode = 0;
  int32_t n = 0;
  do {
    RunDoPass(command);
    std::string result = EvaluateExpression(command.Condition());
    if (!ConditionToInt(result, n)) {
      ReportCommandError(BadResultMessage(_WHILE, result));
      return;
    }
    if (!RunState().ExecEnabled) n = 0;  // a dry run makes exactly one pass
    LogCondition(command, n != 0);
  } while (n != 0);
}

void RunIfCommand(const Tcmdrec& command) {
  std::string result = EvaluateExpression(command.Condition());
  int32_t n = 0;
  if (!ConditionToInt(result, n)) {
    ReportCommandError(BadResultMessage(_IF, result));
    return;
  }
  LogCondition(command, n != 0);
  if (n != 0) {
    LogMessage("*** BEGIN THEN block");
    RunCommandList(command.Block());
    LogMessage("*** END THEN block");
  } else {
    LogMessage("*** BEGIN ELSE block");
    RunCommandList(command.ElseBlock());
    LogMessage("*** END ELSE block");
  }
}
