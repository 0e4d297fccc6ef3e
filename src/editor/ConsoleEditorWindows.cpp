#include "editor/ConsoleEditorWindows.h"

#include <cstdio>

#include "editor/TarvPList.h"
#include "lang/Vocabulary.h"
#include "util/CodePages.h"
#include "util/TarvCommon.h"
#include "util/TerminalText.h"

namespace {

class TConsoleEditorWindows : public IEditorWindows {
 public:
  void OpenEditor(const std::string& path) override {
    RaiseScriptError(
        CommandWord(_EDIT) + (path.empty() ? std::string() : " \"" + path + "\"") +
        ": the command-file editor needs the Windows program (tarv32.exe without TARV_UI=console)");
  }

  void ShowProcessList(bool windowMode) override {
    TPListModel list;
    list.WindowMode = windowMode;
    list.ResetAndRefresh();
    std::printf("%s\n", list.Caption.c_str());
    // Titles and process names are whatever their programs chose: each is
    // written as one line that cannot order the terminal about.
    for (const std::string& entry : list.Entries)
      std::printf("%s\n", TerminalSafe(entry, ProgramTextIsUtf8()).c_str());
    std::fflush(stdout);
  }
};

}  // namespace

IEditorWindows& ConsoleEditorWindows() {
  static TConsoleEditorWindows console;
  return console;
}
