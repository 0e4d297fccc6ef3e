// The editor's windows of the Windows program: /edit, /plist and /wlist (and
// a start without arguments) open the real modal windows, unless the program
// runs with the console interface (TARV_UI=console), where nobody may be
// there to close them.
#include "editor/ConsoleEditorWindows.h"
#include "editor/win32/EditorViews.h"
#include "util/ConsoleUI.h"

namespace {

class TWin32EditorWindows : public IEditorWindows {
 public:
  void OpenEditor(const std::string& path) override { editorwin::ShowEditorView(path); }
  void ShowProcessList(bool windowMode) override { editorwin::ShowProcessListView(windowMode); }
};

bool ConsoleInterfaceInUse() { return &UserInterface() == &ConsoleUserInterface(); }

}  // namespace

IEditorWindows& EditorWindows() {
  static TWin32EditorWindows windows;
  return ConsoleInterfaceInUse() ? ConsoleEditorWindows() : windows;
}
