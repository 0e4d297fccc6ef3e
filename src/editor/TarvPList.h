// The list of running processes or open windows behind /plist and /wlist.
//
// TPListModel is the window's logic without the window: Refresh fills the
// entries and the caption for the mode, Find narrows them to the entries that
// contain a text (process names in any letter case, window titles exactly).
// The Win32 dialog and the console listing both show this model.
#pragma once

#include <string>
#include <vector>

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
