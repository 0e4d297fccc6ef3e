#include "run/TarvMain.h"

#include <exception>
#include <filesystem>

#include "exec/ScriptRunner.h"
#include "util/Environment.h"
#include "util/FileOrigin.h"
#include "util/MessageBoxes.h"
#include "util/StringFuncs.h"
#include "util/TarvCommon.h"

namespace {

bool IsExistingFile(const std::string& path) {
  std::error_code ignored;
  return std::filesystem::is_regular_file(path, ignored);
}

// A file name as a quoted expression, whose reader takes "\\" for one
// backslash and "\"" for a quote but leaves a lone backslash before another
// character as it is. So a lone separator stays as written (the name reads
// as the user wrote it in messages), and every other backslash is doubled:
// a network path ("\\server\share") keeps both of its first two.
std::string QuotedFileName(std::string_view name) {
  std::string quoted = "\"";
  for (size_t at = 0; at < name.size(); ++at) {
    const char c = name[at];
    const bool lone = c == '\\' && (at == 0 || name[at - 1] != '\\') && at + 1 < name.size() &&
                      name[at + 1] != '\\' && name[at + 1] != '"';
    if ((c == '\\' && !lone) || c == '"') quoted += '\\';
    quoted += c;
  }
  return quoted + "\"";
}

// The file of "/edit NAME" as the shell's Edit verb gives it, when it
// exists: the name is then taken whole, whatever characters it holds (a
// brace would end an unquoted argument). Empty otherwise.
std::string EditedFile(std::string_view text) {
  constexpr std::string_view kEdit = "/EDIT ";
  if (text.size() <= kEdit.size() || UpperCase(text.substr(0, kEdit.size())) != kEdit) return "";
  std::string name = TrimBlanks(text.substr(kEdit.size()));
  return IsExistingFile(name) ? name : "";
}

}  // namespace

std::string DispatchText(std::string_view text) {
  std::string argumentText(text);
  if (ExtensionLower(argumentText) != ".qd") return argumentText;
  switch (argumentText.empty() ? '\0' : argumentText.front()) {
    case '/':
      // An absolute POSIX path is a file, not an internal command.
      if (IsExistingFile(argumentText)) return "@" + QuotedFileName(argumentText);
      if (std::string edited = EditedFile(argumentText); !edited.empty())
        return "/edit " + QuotedFileName(edited);
      return argumentText;
    case '@':
    case '{': return argumentText;
    case '"': return "@" + argumentText;
    default: return "@" + QuotedFileName(argumentText);
  }
}

namespace {

// The command file that the argument text names as a whole, as the shell's
// Open verb gives it; empty for any other text.
std::string NamedCommandFile(const std::string& argumentText) {
  if (ExtensionLower(argumentText) != ".qd" || !IsExistingFile(argumentText)) return "";
  return argumentText;
}

// A command file that came from the Internet runs only when the user says
// so: opening a download must not run it unseen. Unattended it is not run,
// unless TARV_RUN_DOWNLOADED=1 says that such files are expected.
bool MayRunCommandFile(const std::string& path) {
  const TFileOrigin origin = FileOrigin(path);
  if (origin == TFileOrigin::Local || GetEnvVar("TARV_RUN_DOWNLOADED").value == "1") return true;
  const std::string from = origin == TFileOrigin::Internet ? "the Internet" : "a restricted site";
  if (!UserInterface().CanAskUser()) {
    ShowError("TARV32: \"" + path + "\" was downloaded from " + from +
              " and is not run without a user to confirm it; set TARV_RUN_DOWNLOADED=1 to run it");
    return false;
  }
  return AskYesNo("\"" + path + "\" was downloaded from " + from +
                      ".\r\nRun it only if you trust where it came from.\r\n\r\nRun it now?",
                  true);
}

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
    const std::string file = NamedCommandFile(argumentText);
    if (!file.empty() && !MayRunCommandFile(file)) return 1;
    RunCommandText(DispatchText(argumentText));
  } catch (const std::exception& failure) {
    ShowError(std::string("TARV32: ") + failure.what());
    status = 1;
  }
  ShowRunLog();
  return status;
}
