#include "run/TarvMain.h"

#include "run/TarvCommon.h"

// The command language front end and the executor are not part of this
// build yet: every run entry reports that plainly instead of doing nothing.
void RunCommandText(const std::string& text) {
  RaiseScriptError("Cannot run \"" + text + "\": the command language is not available in this build");
}

void RunCommandFile(const std::string& path) {
  RaiseScriptError("Cannot run \"" + path + "\": the command language is not available in this build");
}

std::string EvalExpr(const std::string& text) {
  RaiseScriptError("Cannot evaluate \"" + text + "\": the expression language is not available in this build");
}
