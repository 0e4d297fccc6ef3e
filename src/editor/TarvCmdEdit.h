// The editor's command record: one line of a command file taken apart into
// the command dialog's fields and put back together from them.
//
// LoadFromLine parses the line under the source name "COMMAND" into a
// command object; a line the parser rejects (or a comment, which parses to
// nothing) is kept whole as the command text. EditInDialog fills the command
// dialog from the object and, on OK, rebuilds the line from the fields alone:
// arguments come back in double quotes, options after the program in their
// long form and fixed order, comment and @ lines as typed. After an OK the
// object holds Kind 0, the options taken from the dialog and one argument,
// the rebuilt line.
//
// The command parser cuts values to 255 characters, so a line longer than
// that is not parsed: it is split into its first word (the command text) and
// the rest, which the argument field shows and gives back exactly as it was.
// Such a line therefore comes back unchanged when confirmed as it is.
#pragma once

#include <optional>
#include <string>

#include "editor/EditorControls.h"
#include "lang/TarvCmd2Obj.h"

/// Lines longer than this are edited as text, never parsed.
constexpr size_t kLongestParsedLine = 255;

class TTarvCmdEdit {
 public:
  Tcmdrec Command;

  void LoadFromLine(const std::string& line);
  /// Shows a command dialog of `dialogs` on the object; true after OK.
  bool EditInDialog(IEditorDialogs& dialogs);
  /// The line after a successful edit (Args item 0), empty before.
  std::string RebuiltLine() const;

 private:
  void LoadUnparsed(const std::string& line);
  void LoadLongLine(const std::string& line);
  void FillDialog(ICommandDialogControls& controls);
  void FillOptions(ICommandDialogControls& controls);
  void Rebuild(const ICommandDialogControls& controls);

  std::optional<std::string> verbatimArguments_;  // the argument field of a long line
};

/// The option codes of the dialog's checked controls: the check boxes
/// WaitOpt, WarnOpt, IgnoreOpt, then the radio buttons HideOpt, MinNoActOpt,
/// MaxOpt, MinOpt; disabled controls count as they show.
TOptionList OptionsOfControls(const ICommandDialogControls& controls);

/// The command line made of the fields: `prog` (the command box), `options`
/// and `argsField` (the argument field's text).
std::string BuildCommandLine(const std::string& prog, std::span<const int32_t> options,
                             const std::string& argsField);
