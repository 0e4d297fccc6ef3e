// The list of running processes or open windows behind /plist and /wlist.
//
// TPListModel is the window's logic without the window: Refresh fills the
// entries and the caption for the mode, Find narrows them to the entries that
// contain a text (process names in any letter case, window titles exactly).
// The Win32 dialog and the console listing both show this model.
//
// The window list leaves out every window of Tarv32's own process: the list
// dialog, its buttons, the editor behind it and their hidden helpers are
// never what a script is written to find.
#pragma once

#include <string>
#include <vector>

/// The command line that activates the window titled `title`. A title that
/// the rest of a line cannot carry as written (it begins with a double quote
/// or a slash, or has blanks at its ends that the editor would drop) goes in
/// as a quoted expression; one that holds a line break, or is too long for
/// one argument, is cut into a begins-with pattern.
std::string ActivateLineOf(std::string title);

class TPListModel {
 public:
  bool WindowMode = false;   // true: window titles; false: processes
  std::string Filter = "*";  // the star pattern entries must match
  std::string Caption = "Running processes";
  std::vector<std::string> Entries;

  /// Lists every entry again (the Refresh button, and every activation).
  void ResetAndRefresh();
  /// Lists the entries that contain `text`; an empty text lists everything.
  void Find(const std::string& text);
  void Refresh();

 private:
  void RefreshWindows();
  void RefreshProcesses();
};
