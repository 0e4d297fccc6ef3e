#include "editor/TarvPList.h"

#include "sys/Winfuncs.h"
#include "util/StringFuncs.h"

void TPListModel::ResetAndRefresh() {
  Filter.assign(1, '*');
  Refresh();
}

void TPListModel::Find(const std::string& text) {
  Filter = WindowMode ? text : UpperCase(text);
  if (!Filter.empty()) Filter = "*" + Filter + "*";
  Refresh();
}

void TPListModel::Refresh() {
  Entries.clear();
  if (WindowMode)
    RefreshWindows();
  else
    RefreshProcesses();
}

void TPListModel::RefreshWindows() {
  Caption = "List of windows";
  if (FindWindowByTitle(Filter) == kNoWindow) return;
  const std::vector<std::string>& titles = FoundWindowTitles();
  Entries.assign(titles.begin(), titles.begin() + FoundWindowCount());
}

void TPListModel::RefreshProcesses() {
  Caption = "List of running processes";
  uint32_t pid = 0;
  std::string path;
  for (int i = 1; GetProcessEntry(i, pid, path); ++i) {
    std::string name = ProcessFileNameUpper(path);
    if (!name.empty() && MatchWildcard(name, Filter)) Entries.push_back(name);
  }
}
