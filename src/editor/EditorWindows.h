// The editor's windows as the commands /edit, /plist and /wlist open them.
// The Windows program shows real modal windows; the console interface lists
// processes and windows on standard output and has no editor.
#pragma once

#include <string>

class IEditorWindows {
 public:
  virtual ~IEditorWindows() = default;
  /// Opens the command-file editor on `path` (untitled when empty) and
  /// returns when it is closed.
  virtual void OpenEditor(const std::string& path) = 0;
  /// Shows the process list (or, in window mode, the window list) and
  /// returns when it is closed.
  virtual void ShowProcessList(bool windowMode) = 0;
};

/// The editor windows in use: the console's until others are installed.
IEditorWindows& EditorWindows();
/// Installs `windows` (not owned) and returns the previous ones.
IEditorWindows* SetEditorWindows(IEditorWindows* windows);
