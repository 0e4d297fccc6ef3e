#include "run/TarvMain.h"

#include <exception>
#include <filesystem>

#include "util/MessageBoxes.h"
#include "util/StringFuncs.h"
#include "util/TarvCommon.h"

namespace {

bool IsExistingFile(const std::string& path) {
  std::error_code ignored;
  return std::filesystem::is_regular_file(path, ignored);
}

}  // namespace

std::string DispatchText(std::string_view text) {
  std::string argumentText(text);
  if (ExtensionLower(argumentText) != ".qd") return argumentText;
  switch (argumentText.empty() ? '\0' : argumentText.front()) {
    case '/':
      // An absolute POSIX path is a file, not an internal command.
      if (IsExistingFile(argumentText)) return "@\"" + argumentText + "\"";
      return argumentText;
    case '@':
    case '{': return argumentText;
    case '"': return "@" + argumentText;
    default: return "@\"" + argumentText + "\"";
  }
}

namespace {

void ShowRunLog() {
  TTextStream& log = RunState().RunLog;
  if (log.Empty()) return;
  UserInterface().ShowInfoDialog(log.Text());
  log.Clear();
}

}  // namespace

int TarvMain(const std::string& argumentText) {
  int status = 0;
  try {
    if (argumentText.empty()) {
      RunCommandText("/edit");
      return 0;  // the editor path ends without the Information dialog
    }
    RunProgramText(DispatchText(argumentText));
  } catch (const std::exception& failure) {
    ShowError(std::string("TARV32: ") + failure.what());
    status = 1;
  }
  ShowRunLog();
  return status;
}
