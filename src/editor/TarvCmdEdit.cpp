#include "editor/TarvCmdEdit.h"

#include "editor/TarvInput.h"
#include "lang/TarvLex.h"
#include "lang/TarvYacc.h"
#include "util/StringFuncs.h"

namespace {

constexpr char kQuote = '"';

bool IsCommentOrFileMark(char c) { return c == ';' || c == '#' || c == '@'; }

std::string ArgumentsField(const TCmdTexts& args) {
  std::string field;
  for (size_t i = 1; i < args.size(); ++i) {
    if (i > 1) field += ' ';
    field += Quoted(args[i]);
  }
  return field;
}

}  // namespace

TOptionList OptionsOfControls(const ICommandDialogControls& controls) {
  TOptionList options;
  for (const TOptionRec* option : OptionsInDialogOrder())
    if (controls.Checked(option->control)) options.push_back(option->token);
  return options;
}

std::string BuildCommandLine(const std::string& prog, std::span<const int32_t> options,
                             const std::string& argsField) {
  // An empty command box gives no program and no options: what is left is the
  // argument text alone (a blank line when it is empty too).
  if (TrimBlanks(prog).empty()) return TrimBlanks(argsField);
  if (IsCommentOrFileMark(prog.front())) return prog.size() == 1 ? prog + argsField : prog + " " + argsField;
  Tcmdrec optionWords;
  optionWords.Options.Assign(options, nullptr);
  const bool needsQuotes = prog.find(' ') != std::string::npos && prog.front() != kQuote;
  return (needsQuotes ? Quoted(prog) : prog) + optionWords.OptionsText() + " " + argsField;
}

void TTarvCmdEdit::LoadFromLine(const std::string& line) {
  verbatimArguments_.reset();
  const std::string trimmed = TrimBlanks(line);
  if (trimmed.empty()) {
    Command.Args.clear();
    Command.Options.clear();
    return;
  }
  if (trimmed.size() > kLongestParsedLine) return LoadLongLine(line);
  try {
    TTextStream input(line + "\r\n");
    TCmdList parsed = TTarvYacc().Parse(input, "COMMAND");
    if (parsed.empty() || !parsed.front()) return LoadUnparsed(line);
    const Tcmdrec& first = *parsed.front();
    Command.Kind = first.Kind;
    Command.Args = first.Args;
    Command.Options = first.Options;
    Command.Condition = first.Condition;
    Command.Block = first.Block;
    Command.ElseBlock = first.ElseBlock;
  } catch (const std::exception&) {
    LoadUnparsed(line);  // the parser has shown its findings
  }
}

void TTarvCmdEdit::LoadUnparsed(const std::string& line) {
  Command.Kind = 0;
  Command.Args = {line};
  Command.Options.clear();
}

// Comments stay whole in the command text, as they do when they are short;
// anything else is split at its first word so that the argument field keeps
// the rest as written.
void TTarvCmdEdit::LoadLongLine(const std::string& line) {
  const std::string trimmed = TrimBlanks(line);
  if (trimmed.front() == ';' || trimmed.front() == '#') return LoadUnparsed(line);
  SplitWord split = SplitFirstWord(trimmed, "\"", "\"", false);
  LoadUnparsed(split.first);
  verbatimArguments_ = split.rest;
}

bool TTarvCmdEdit::EditInDialog(IEditorDialogs& dialogs) {
  std::unique_ptr<ICommandDialogControls> controls = dialogs.CreateCommandDialog();
  Command.EditDialog = controls.get();
  FillDialog(*controls);
  TTarvInput input(*controls);
  const bool confirmed = controls->ShowModal(input);
  if (confirmed) Rebuild(*controls);
  Command.EditDialog = nullptr;
  return confirmed;
}

void TTarvCmdEdit::FillDialog(ICommandDialogControls& controls) {
  if (!Command.Args.empty()) controls.SetProgText(std::string(Command.Args[0]));
  if (verbatimArguments_)
    controls.SetArgsText(*verbatimArguments_);
  else if (Command.Args.size() >= 2)
    controls.SetArgsText(ArgumentsField(Command.Args));
  FillOptions(controls);
}

// Check boxes show their options; the window-mode radios are set in dialog
// order, so that of several window options the last one set wins.
void TTarvCmdEdit::FillOptions(ICommandDialogControls& controls) {
  TTarvInput radios(controls);
  bool anyMode = false;
  for (const TOptionRec* option : OptionsInDialogOrder()) {
    const bool carried = Command.HasOption(option->token);
    if (option->group != TOptionGroup::WindowMode) {
      controls.SetChecked(option->control, carried);
      continue;
    }
    radios.SetRadio(option->control, carried);
    anyMode = anyMode || carried;
  }
  controls.SetChecked(TOptionControl::NormalOpt, !anyMode);
}

void TTarvCmdEdit::Rebuild(const ICommandDialogControls& controls) {
  const std::string prog = controls.ProgText();
  const bool withOptions = !TrimBlanks(prog).empty() && !IsCommentOrFileMark(prog.front());
  Command.Kind = 0;
  Command.Options = withOptions ? OptionsOfControls(controls) : TOptionList();
  Command.Args = {BuildCommandLine(prog, Command.Options, controls.ArgsText())};
  verbatimArguments_.reset();
}

std::string TTarvCmdEdit::RebuiltLine() const {
  return Command.Args.empty() ? std::string() : std::string(Command.Args[0]);
}
