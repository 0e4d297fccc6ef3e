#include "exec/TarvExec.h"

#include <exception>
#include <iterator>

#include "exec/CommandHandlers.h"
#include "exec/ScriptRunner.h"
#include "expr/TarvExpr.h"
#include "lang/TarvLex.h"
#include "sys/Winfuncs.h"
#include "util/AppServices.h"
#include "util/MessageBoxes.h"
#include "util/StringFuncs.h"
#include "util/TarvCommon.h"

const std::string& TPreparedArgs::Item(size_t i) const {
  static const std::string empty;
  return i < list.size() ? list[i] : empty;
}

namespace {

bool TakesRestOfLine(const Tcmdrec& command) {
  return command.KeywordIndex != 0 && KeywordRecord(command.KeywordIndex).takesRestOfLine;
}

TPreparedArgs PrepareInternal(const Tcmdrec& command) {
  TPreparedArgs args;
  const TCmdTexts& items = command.Args;
  if (items.size() < 2) return args;
  if (TakesRestOfLine(command)) {
    // A rest-of-line argument is taken as written, unless it is quoted: then
    // all of it is one expression.
    args.text =
        items[1].starts_with('"') ? EvaluateExpression(command.CommandText(1)) : std::string(items[1]);
    args.list = {std::string(items[0]), args.text};
    return args;
  }
  args.list.emplace_back(items[0]);
  for (size_t i = 1; i < items.size(); ++i) args.list.push_back(EvaluateExpression(items[i]));
  return args;
}

// Each argument's value is one word for the program, as it is: the
// launcher writes it for the program's reader (WindowsArguments.h).
TPreparedArgs PrepareExternal(const Tcmdrec& command) {
  TPreparedArgs args;
  args.list.push_back(Quoted(EvaluateExpression(command.Args.front())));
  for (size_t i = 1; i < command.Args.size(); ++i) args.list.push_back(EvaluateExpression(command.Args[i]));
  return args;
}

void RunExternalProgram(const Tcmdrec& command, TPreparedArgs& args, const std::string& programText) {
  const std::string& word = args.Item(0);
  if (ExtensionLower(word) == ".qd" && args.list.size() == 1) {
    // A command file without arguments runs as a nested script.
    RunCommandText("@" + word);
    return;
  }
  TRunState& run = RunState();
  run.LaunchFlags = ProgramLaunchFlags(command.Options);
  // The words move on to the start: they are not needed here afterwards.
  std::vector<std::string> arguments(std::make_move_iterator(args.list.begin() + 1),
                                     std::make_move_iterator(args.list.end()));
  StartProgram(programText, std::move(arguments), run.WorkDir, run.LaunchFlags);
}

// A command whose argument is empty (/edit of an untitled file) leaves a
// blank at the end of its text; the title shows one blank before the dash.
void SetCommandTitle(const Tcmdrec& command) {
  IUserInterface& ui = UserInterface();
  std::string title = command.CommandText(0);
  title.erase(title.find_last_not_of(' ') + 1);
  title.append(" - ").append(LastWord(ui.AppTitle()));
  ui.SetAppTitle(title);
}

void SetErrorMode(const Tcmdrec& command) { RunState().LaunchFlags = ErrorModeFlags(command.Options); }

}  // namespace

void Execute(const Tcmdrec& command) {
  SetCommandTitle(command);
  PumpMessages();
  if (command.Kind == 0) {
    TPreparedArgs args = PrepareExternal(command);
    // The program text is the evaluated word itself. Evaluating it a second
    // time in quotes would only strip the quotes, but would also fold "\\"
    // (a UNC path) and break on a value that holds a double quote.
    std::string programText = args.Item(0).substr(1, args.Item(0).size() - 2);
    RunExternalProgram(command, args, programText);
    return;
  }
  SetErrorMode(command);
  TPreparedArgs args = PrepareInternal(command);
  switch (command.Kind) {
    case _DO: RunDoCommand(command); return;
    case _IF: RunIfCommand(command); return;
    default: break;
  }
  if (RunEditorCommand(command, args) || RunInternalCommand(command, args)) return;
  RaiseScriptError("INTERNAL ERROR: Unknown internal command: " + std::string(command.Args.front()));
}

void RunCommand(const Tcmdrec& command, bool execEnabled) {
  try {
    if (RunState().DebugTraceOn || !execEnabled) command.LogCommand();
    if (execEnabled || command.Kind == _AT || command.Kind == _IF || command.Kind == _DO) Execute(command);
  } catch (const std::exception& failure) {
    RaiseScriptError("ERROR: The following command: \r\n" + command.CommandText(0) +
                     "\r\nFailed with the following error(s):\r\n" + failure.what());
  }
}
