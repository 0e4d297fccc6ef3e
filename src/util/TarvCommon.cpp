#include "util/TarvCommon.h"

#include <utility>

#include "util/MessageBoxes.h"
#include "util/StringFuncs.h"

namespace {

TRunState state;

}  // namespace

TRunState& RunState() { return state; }

void ResetRunState() { state = TRunState{}; }

void ResetRunSwitches() {
  TTextStream log = std::move(state.RunLog);
  state = TRunState{};
  state.RunLog = std::move(log);
}

void RaiseScriptError(const std::string& message) {
  IUserInterface& ui = UserInterface();
  ui.SetAppTitle(LastWord(ui.AppTitle()));
  throw EScriptError(message);
}

void ReportCommandError(const std::string& message) {
  if (state.LaunchFlags & lfIgnoreFailure) return;
  if (state.LaunchFlags & lfWarnOnFailure) {
    ShowError(message);
    return;
  }
  RaiseScriptError(message);
}

void LogMessage(std::string_view text) {
  if (state.DebugLog) StreamWriteLine(state.RunLog, text);
}
