// /edit, /plist and /wlist hand the run to a window of the editor and go on
// when the user closes it.

#include "editor/EditorWindows.h"
#include "exec/CommandHandlers.h"
#include "lang/TarvYaccRules.h"

bool RunEditorCommand(const Tcmdrec& command, const TPreparedArgs& args) {
  switch (command.Kind) {
    case _EDIT: EditorWindows().OpenEditor(args.text); return true;
    case _PLIST: EditorWindows().ShowProcessList(false); return true;
    case _WLIST: EditorWindows().ShowProcessList(true); return true;
    default: return false;
  }
}
