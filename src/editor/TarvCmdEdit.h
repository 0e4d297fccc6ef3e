// The editor's command record: one line of a command file taken apart into
// the command dialog's fields and put back together from them.
//
// LoadFromLine parses the line under the source name "COMMAND" into a
// command object, and takes the dialog's fields from the line's own text:
// the command word as written in the command box, its option words in the
// option controls, and everything after them, exactly as written, in the
// argument field. Quotes, blanks and operators therefore reach the field as
// the user typed them, and putting the fields back together gives a line
// that means the same command. A line the parser rejects, a comment, or a
// line that is not one plain command (braces, several commands) is kept
// whole as the command text.
//
// EditInDialog fills the dialog and, on OK, gives back the loaded line itself
// when no field was changed (the dialog must never rewrite a line the user
// did not touch); otherwise it builds the line from the fields. After an OK
// the object holds Kind 0, the options the line carries and one argument,
// the line.
//
// A value of more than 255 characters is a parse error (and a token that
// long ends the lexer's scan), so a line longer than that is not parsed: it
// is split into its first word (the command text) and the rest, which the
// argument field shows and gives back exactly as it was.
#pragma once

#include <optional>
#include <string>

#include "editor/EditorControls.h"
#include "lang/TarvCmd2Obj.h"

/// Lines longer than this are edited as text, never parsed.
constexpr size_t kLongestParsedLine = 255;

/// What the command dialog shows: the command box, the argument field and
/// the option codes of the checked controls (in the order OptionsOfControls
/// reads them).
struct TCommandFields {
  std::string prog;
  std::string args;
  TOptionList options;
  bool operator==(const TCommandFields&) const = default;
};

/// A line as it was loaded, and the fields the dialog was filled with.
struct TLoadedLine {
  std::string line;
  TCommandFields fields;
};

/// The editor's own model of a line's command: plain owning values, with
/// the field names the command dialog works with. The editor parses a line
/// to fill it, and its file is parsed again when it runs.
struct TEditedCommand {
  int32_t Kind = 0;  // 0 for a program, a comment or a line kept as text
  TTextList Args;    // [0] keyword, program text or the whole line, then the arguments
  TOptionList Options;
};

class TTarvCmdEdit {
 public:
  TEditedCommand Command;

  void LoadFromLine(const std::string& line);
  /// Shows a command dialog of `dialogs` on the object; true after OK.
  bool EditInDialog(IEditorDialogs& dialogs);
  /// The line after a successful edit (Args item 0), empty before.
  std::string RebuiltLine() const;
  /// The command box and argument field the loaded line gives the dialog.
  const TCommandFields& LoadedFields() const { return fields_; }

 private:
  void LoadParsed(const Tcmdrec& parsed, const std::string& line);
  void LoadUnparsed(const std::string& line);
  void LoadLongLine(const std::string& line);
  void FillDialog(ICommandDialogControls& controls);
  void FillOptions(ICommandDialogControls& controls);
  void Rebuild(const ICommandDialogControls& controls, const TLoadedLine& loaded);

  std::string line_;       // the line as loaded
  TCommandFields fields_;  // its command box and argument field
};

/// The option codes of the dialog's checked controls: the check boxes
/// WaitOpt, WarnOpt, IgnoreOpt, then the radio buttons HideOpt, MinNoActOpt,
/// MaxOpt, MinOpt.
TOptionList OptionsOfControls(const ICommandDialogControls& controls);
/// The command box, the argument field and the checked options.
TCommandFields ReadFields(const ICommandDialogControls& controls);

/// True when the command box names an external program (not a comment, not
/// "@", not a slash word): the window modes and /wait apply to it.
bool IsProgramText(const std::string& prog);

/// The options of `options` that a line with this command box carries: all
/// of them for an external program, the error modes for a slash command,
/// none for comments and @ lines (window modes and /wait act on programs
/// only, and the grammar takes no other options after a slash command).
TOptionList OptionsWritten(const std::string& prog, std::span<const int32_t> options);

/// The command line made of the fields: `prog` (the command box), `options`
/// and `argsField` (the argument field's text, taken as written). A program
/// with a blank is quoted unless it already begins with a quote; options
/// follow the command word after a blank; a blank separates the arguments.
std::string BuildCommandLine(const std::string& prog, std::span<const int32_t> options,
                             const std::string& argsField);

/// The line an OK writes: the loaded line while the fields are still the
/// ones it filled in, otherwise the line built from the fields.
std::string LineToWrite(const TCommandFields& now, const TLoadedLine* loaded);

/// The parts of a line that is one plain command: the command word and what
/// follows its option words, each as written; nothing when the line does not
/// begin with a command word (a brace, a comment, a blank).
struct TLineParts {
  std::string command;
  std::string arguments;
};
std::optional<TLineParts> SplitCommandLine(const std::string& line);
