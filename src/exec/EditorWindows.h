// The editor's windows as the commands /edit, /plist and /wlist open them.
//
// The executor sees only this interface; the editor implements it, and the
// build picks the implementation: the Windows program shows real modal
// windows (the console ones when it runs with the console interface), the
// native program lists processes and windows on standard output and has no
// editor.
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

/// The editor windows of this build for the user interface in use (defined
/// in the editor's platform folder).
IEditorWindows& EditorWindows();
