#include "editor/TarvPList.h"

#include <algorithm>

#include "lang/Vocabulary.h"
#include "sys/SystemServices.h"
#include "sys/Winfuncs.h"
#include "util/StringFuncs.h"

namespace {

// The command lexer takes at most 254 characters for an argument, quotes
// and backslashes included: a longer title is cut to a begins-with pattern
// short enough even when every character of it needs a backslash.
constexpr size_t kLongestTitlePart = 120;

bool IsControl(char c) { return static_cast<unsigned char>(c) < ' '; }

bool NeedsQuotes(const std::string& title) {
  return title.empty() || title.front() == '"' || title.front() == '/' || title.front() == ' ' ||
         title.back() == ' ';
}

// An expression string: a backslash keeps a double quote inside and doubles
// a backslash.
std::string ExpressionString(const std::string& text) {
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') quoted += '\\';
    quoted += c;
  }
  return quoted + '"';
}

}  // namespace

std::string ActivateLineOf(std::string title) {
  auto cut = std::find_if(title.begin(), title.end(), IsControl);
  if (cut - title.begin() > static_cast<std::ptrdiff_t>(kLongestTitlePart))
    cut = title.begin() + kLongestTitlePart;
  if (cut != title.end()) title.replace(cut, title.end(), "*");
  return CommandWord(_ACTIVATE) + " " + (NeedsQuotes(title) ? ExpressionString(title) : title);
}

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
  IWindowSystem& windows = *SystemServices().windows;
  const uint32_t self = CurrentProcessId();
  for (uint32_t i = 0; i < FoundWindowCount(); ++i)
    if (windows.OwningProcessId(FoundWindows()[i]) != self) Entries.push_back(FoundWindowTitles()[i]);
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
