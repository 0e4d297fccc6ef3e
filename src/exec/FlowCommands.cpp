// /do ... /while and /if ... /else.
//
// Conditions are expressions evaluated anew for every test; their value must
// be a number, zero being false. A /do body absorbs every failure inside it:
// the pass ends, errorlevel() reads 1, and the loop goes on with its test.

#include <exception>
#include <limits>

#include "exec/CommandHandlers.h"
#include "run/TarvCommon.h"
#include "run/TarvMain.h"

namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

void LogCondition(const Tcmdrec& command, bool value) {
  if (!RunState().DebugLog) return;  // the run log is written only then
  LogMessage(command.Condition + (value ? " is TRUE" : " is FALSE"));
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
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  int base = 10;
  if (i < text.size() && text[i] == '$') {
    base = 16;
    ++i;
  } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  if (i >= text.size()) return false;
  int64_t magnitude = 0;
  for (; i < text.size(); ++i) {
    int digit = base == 16 ? HexValue(text[i]) : (text[i] >= '0' && text[i] <= '9' ? text[i] - '0' : -1);
    if (digit < 0) return false;
    magnitude = magnitude * base + digit;
    if (magnitude > int64_t{1} << 32) return false;
  }
  // Hexadecimal numbers may use all 32 bits, as the system's conversion does.
  int64_t limit = base == 16 ? std::numeric_limits<uint32_t>::max() : std::numeric_limits<int32_t>::max() + int64_t{negative};
  if (magnitude > limit) return false;
  value = static_cast<int32_t>(static_cast<uint32_t>(negative ? -magnitude : magnitude));
  return true;
}

void RunDoCommand(const Tcmdrec& command) {
  RunState().LastExitCode = 0;
  int32_t n = 0;
  do {
    RunDoPass(command);
    std::string result = EvalExpr(command.Condition);
    if (!ConditionToInt(result, n)) {
      ReportCommandError("Bad /while expression result: \"" + result + "\" - should be numeric");
      return;
    }
    if (!RunState().ExecEnabled) n = 0;  // a dry run makes exactly one pass
    LogCondition(command, n != 0);
  } while (n != 0);
}

void RunIfCommand(const Tcmdrec& command) {
  std::string result = EvalExpr(command.Condition);
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
