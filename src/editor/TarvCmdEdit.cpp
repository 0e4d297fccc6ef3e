#include "editor/TarvCmdEdit.h"

#include <algorithm>

#include "editor/TarvInput.h"
#include "lang/TarvLex.h"
#include "lang/TarvYacc.h"
#include "lang/Vocabulary.h"
#include "util/StringFuncs.h"

namespace {

constexpr char kQuote = '"';

bool IsCommentMark(char c) { return c == ';' || c == '#'; }

bool IsCommentOrFileMark(char c) { return IsCommentMark(c) || c == '@'; }

// Tokens a command can begin with: "@", an internal command, or the atom
// that names a program.
bool BeginsCommand(int token) {
  if (token == _AT || token == ID || token == QSTR || token == NUM) return true;
  const int slot = KeywordSlotOfToken(token);
  return slot > 0 && KeywordRecord(slot).isCommand;
}

// Where the token just read begins in its line. The lexer's column is that
// of the next character (1 for the first), and a token of one line is all
// in yytext.
size_t TokenStart(const TTarvLex& lexer) {
  const size_t end = static_cast<size_t>(lexer.ColNo() - 1);
  return end >= lexer.yytext.size() ? end - lexer.yytext.size() : 0;
}

std::string WithoutLeadingBlanks(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t");
  return first == std::string::npos ? std::string() : text.substr(first);
}

}  // namespace

TOptionList OptionsOfControls(const ICommandDialogControls& controls) {
  TOptionList options;
  for (const TOptionRec* option : OptionsInDialogOrder())
    if (controls.Checked(option->control)) options.push_back(option->token);
  return options;
}

TCommandFields ReadFields(const ICommandDialogControls& controls) {
  return {controls.ProgText(), controls.ArgsText(), OptionsOfControls(controls)};
}

bool IsProgramText(const std::string& prog) {
  if (prog.empty()) return true;
  return prog.front() != '/' && !IsCommentMark(prog.front()) && prog != "@";
}

TOptionList OptionsWritten(const std::string& prog, std::span<const int32_t> options) {
  if (TrimBlanks(prog).empty() || IsCommentOrFileMark(prog.front())) return {};
  const bool program = IsProgramText(prog);
  TOptionList written;
  for (const int32_t code : options)
    for (const TOptionRec& option : CommandOptions())
      if (option.token == code && (program || option.group == TOptionGroup::ErrorMode))
        written.push_back(code);
  return written;
}

std::string BuildCommandLine(const std::string& prog, std::span<const int32_t> options,
                             const std::string& argsField) {
  // An empty command box gives no program and no options: what is left is the
  // argument text alone (a blank line when it is empty too).
  if (TrimBlanks(prog).empty()) return TrimBlanks(argsField);
  // A mark alone is joined to its text: "@" with a file name, ";" with a note.
  if (IsCommentOrFileMark(prog.front()) && prog.size() == 1) return prog + argsField;
  std::string line = prog;
  if (IsProgramText(prog) && prog.find(' ') != std::string::npos && prog.front() != kQuote)
    line = Quoted(prog);
  const TOptionList written = OptionsWritten(prog, options);
  // A blank before the options: glued to some command words they would read
  // as part of them.
  if (!written.empty()) line.append(" ").append(OptionsText(written));
  if (!argsField.empty()) line.append(" ").append(argsField);
  return line;
}

std::string LineToWrite(const TCommandFields& now, const TLoadedLine* loaded) {
  if (loaded != nullptr && now == loaded->fields) return loaded->line;
  return BuildCommandLine(now.prog, now.options, now.args);
}

std::optional<TLineParts> SplitCommandLine(const std::string& line) {
  TTextStream input(line + "\r\n"), output, errors;
  TTarvLex lexer;
  lexer.Attach(&input, "COMMAND", &output, &errors);
  if (!BeginsCommand(lexer.yylex())) return std::nullopt;
  TLineParts parts;
  const size_t commandStart = TokenStart(lexer);
  parts.command = line.substr(commandStart, lexer.yytext.size());
  int token = lexer.yylex();
  while (IsOptionToken(token)) token = lexer.yylex();
  // The line end (or the end of the input) leaves no arguments.
  if (token != NL && token != 0) parts.arguments = line.substr(std::min(TokenStart(lexer), line.size()));
  return parts;
}

void TTarvCmdEdit::LoadFromLine(const std::string& line) {
  line_ = line;
  fields_ = {};
  const std::string trimmed = TrimBlanks(line);
  if (trimmed.empty()) {
    Command.Args.clear();
    Command.Options.clear();
    return;
  }
  if (trimmed.size() > kLongestParsedLine) return LoadLongLine(line);
  try {
    TTextStream input(line + "\r\n");
    const TScript parsed = TTarvYacc().Parse(input, "COMMAND");
    // Several commands on one line ("{ /plist } { /wlist }") stay one text.
    if (parsed.size() != 1) return LoadUnparsed(line);
    LoadParsed(parsed[0], line);
  } catch (const std::exception&) {
    LoadUnparsed(line);  // the parser has shown its findings
  }
}

void TTarvCmdEdit::LoadParsed(const Tcmdrec& parsed, const std::string& line) {
  const std::optional<TLineParts> parts = SplitCommandLine(line);
  if (!parts) return LoadUnparsed(line);
  Command.Kind = parsed.Kind;
  Command.Args.assign(parsed.Args.begin(), parsed.Args.end());
  Command.Options.assign(parsed.Options.begin(), parsed.Options.end());
  fields_.prog = parts->command;
  fields_.args = parts->arguments;
}

// The whole line goes into the command box; leading blanks are left out so
// that the box begins with what decides the line's kind (";" of a comment).
void TTarvCmdEdit::LoadUnparsed(const std::string& line) {
  Command.Kind = 0;
  Command.Args = {line};
  Command.Options.clear();
  fields_.prog = WithoutLeadingBlanks(line);
  fields_.args.clear();
}

// Comments stay whole in the command text, as they do when they are short;
// anything else is split at its first word so that the argument field keeps
// the rest as written.
void TTarvCmdEdit::LoadLongLine(const std::string& line) {
  const std::string trimmed = TrimBlanks(line);
  if (IsCommentMark(trimmed.front())) return LoadUnparsed(line);
  SplitWord split = SplitFirstWord(trimmed, "\"", "\"", false);
  LoadUnparsed(split.first);
  fields_.args = split.rest;
}

bool TTarvCmdEdit::EditInDialog(IEditorDialogs& dialogs) {
  std::unique_ptr<ICommandDialogControls> controls = dialogs.CreateCommandDialog();
  FillDialog(*controls);
  const TLoadedLine loaded{line_, ReadFields(*controls)};
  TTarvInput input(*controls, &loaded);
  const bool confirmed = controls->ShowModal(input);
  if (confirmed) Rebuild(*controls, loaded);
  return confirmed;
}

void TTarvCmdEdit::FillDialog(ICommandDialogControls& controls) {
  controls.SetProgText(fields_.prog);
  controls.SetArgsText(fields_.args);
  FillOptions(controls);
}

// Check boxes show their options; the window-mode radios are set in dialog
// order, so that of several window options the last one set wins.
void TTarvCmdEdit::FillOptions(ICommandDialogControls& controls) {
  TTarvInput radios(controls);
  bool anyMode = false;
  for (const TOptionRec* option : OptionsInDialogOrder()) {
    const bool carried = std::ranges::find(Command.Options, option->token) != Command.Options.end();
    if (option->group != TOptionGroup::WindowMode) {
      controls.SetChecked(option->control, carried);
      continue;
    }
    radios.SetRadio(option->control, carried);
    anyMode = anyMode || carried;
  }
  controls.SetChecked(TOptionControl::NormalOpt, !anyMode);
}

void TTarvCmdEdit::Rebuild(const ICommandDialogControls& controls, const TLoadedLine& loaded) {
  const TCommandFields now = ReadFields(controls);
  const std::string line = LineToWrite(now, &loaded);
  Command.Kind = 0;
  if (!(now == loaded.fields)) Command.Options = OptionsWritten(now.prog, now.options);
  Command.Args = {line};
  line_ = line;
  fields_ = now;
}

std::string TTarvCmdEdit::RebuiltLine() const {
  return Command.Args.empty() ? std::string() : Command.Args[0];
}
