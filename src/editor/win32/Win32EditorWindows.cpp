#include "editor/win32/Win32EditorWindows.h"

#include "editor/EditorWindows.h"
#include "editor/win32/EditorViews.h"

namespace {

class TWin32EditorWindows : public IEditorWindows {
 public:
  void OpenEditor(const std::string& path) override { editorwin::ShowEditorView(path); }
  void ShowProcessList(bool windowMode) override { editorwin::ShowProcessListView(windowMode); }
};

TWin32EditorWindows windows;

}  // namespace

void InstallWin32EditorWindows() { SetEditorWindows(&windows); }
