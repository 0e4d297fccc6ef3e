// /edit, /plist and /wlist hand the run to a window of the editor and go on
// when the user closes it.

#include "exec/CommandHandlers.h"
#include "exec/EditorWindows.h"
#include "lang/TarvYaccRules.h"
#include "lang/Vocabulary.h"
#include "sys/Winfuncs.h"
#include "util/TarvCommon.h"

namespace {

// The window list needs windows to list; where none can be reached (before
// or while listing them) the command says why through its error mode.
void ShowWindowList() {
  std::string reason = WindowSystemUnavailable();
  if (!reason.empty()) return ReportCommandError(CommandWord(_WLIST) + ": " + reason);
  EditorWindows().ShowProcessList(true);
  reason = WindowSystemUnavailable();
  if (!reason.empty()) ReportCommandError("/wlist: " + reason);
}

}  // namespace

bool RunEditorCommand(const Tcmdrec& command, const TPreparedArgs& args) {
  switch (command.Kind) {
    case _EDIT: EditorWindows().OpenEditor(args.text); return true;
    case _PLIST: EditorWindows().ShowProcessList(false); return true;
    case _WLIST: ShowWindowList(); return true;
    default: return false;
  }
}
