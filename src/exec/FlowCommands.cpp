// /do ... /while and /if ... /else.
//
// Conditions are expressions evaluated anew for every test; their value must
// be a number, zero being false. A /do body absorbs every failure inside it:
// the pass ends, errorlevel() reads 1, and the loop goes on with its test.

#include <exception>

#include "exec/CommandHandlers.h"
#include "exec/ScriptRunner.h"
#include "expr/TarvExpr.h"
#include "util/StringFuncs.h"
#include "util/TarvCommon.h"

namespace {

void LogCondition(const Tcmdrec& command, bool value) {
  if (!RunState().DebugLog) return;  // the run log is written only then
  LogMessage(command.Condition.str() + (value ? " is TRUE" : " is FALSE"));
}

// One pass of the body; false when it failed.
bool RunDoPass(const Tcmdrec& command) {
  LogMessage("*** BEGIN /do command block");
  bool ok = true;
  try {
    RunCommandList(*command.Block);
  } catch (...) {
    ok = false;
  }
  if (!ok) {
    RunState().LastExitCode = 1;
    LogMessage("*** /do block failed");
  }
  LogMessage("*** END /do command block");
  return ok;
}

}  // namespace

bool ConditionToInt(const std::string& text, int32_t& value) {
  TIntegerScan scan = ScanInteger(text, kHexDollar);
  if (!scan.Valid()) return false;
  value = scan.Value();
  return true;
}

void RunDoCommand(const Tcmdrec& command) {
  RunState().LastExitCode = 0;
  int32_t n = 0;
  do {
    RunDoPass(command);
    std::string result = EvaluateExpression(command.Condition);
    if (!ConditionToInt(result, n)) {
      ReportCommandError("Bad /while expression result: \"" + result + "\" - should be numeric");
      return;
    }
    if (!RunState().ExecEnabled) n = 0;  // a dry run makes exactly one pass
    LogCondition(command, n != 0);
  } while (n != 0);
}

void RunIfCommand(const Tcmdrec& command) {
  std::string result = EvaluateExpression(command.Condition);
  int32_t n = 0;
  if (!ConditionToInt(result, n)) {
    ReportCommandError("Bad /if expression result: \"" + result + "\" - should be numeric");
    return;
  }
  LogCondition(command, n != 0);
  if (n != 0) {
    LogMessage("*** BEGIN THEN block");
    RunCommandList(*command.Block);
    LogMessage("*** END THEN block");
  } else {
    LogMessage("*** BEGIN ELSE block");
    if (command.ElseBlock) RunCommandList(*command.ElseBlock);
    LogMessage("*** END ELSE block");
  }
}
