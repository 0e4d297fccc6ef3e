// The star patterns, the depth-first window walk and the window actions.
#include "sys/Winfuncs.h"
#include "sys/WinfuncsState.h"

namespace {

IWindowSystem& Windows() { return *SystemServices().windows; }

// Keeps the walk depth right however a level of the walk is left.
class TWalkLevel {
 public:
  TWalkLevel() { ++WinfuncsState().walkDepth; }
  ~TWalkLevel() { --WinfuncsState().walkDepth; }
  TWalkLevel(const TWalkLevel&) = delete;
  TWalkLevel& operator=(const TWalkLevel&) = delete;
};

void StartSearch() {
  TWinfuncsState& state = WinfuncsState();
  state.foundWindows.clear();
  state.foundWindowTitles.clear();
  state.windowsConsidered = 0;
}

// Counts the window as considered and keeps it when its title is not empty
// and both patterns match.
void ConsiderWindow(TWindowHandle window, const std::string& titlePattern, const std::string& classPattern) {
  TWinfuncsState& state = WinfuncsState();
  ++state.windowsConsidered;
  std::string title = Windows().WindowTitle(window);
  if (title.empty() || !MatchWildcard(title, titlePattern)) return;
  if (!MatchWildcard(Windows().ClassName(window), classPattern)) return;
  state.foundWindows.push_back(window);
  state.foundWindowTitles.push_back(title);
}

// Removes the first star of `pattern`; true when there was one.
bool RemoveFirstStar(std::string& pattern) {
  size_t star = pattern.find('*');
  if (star == std::string::npos) return false;
  pattern.erase(star, 1);
  return true;
}

}  // namespace

bool MatchWildcard(std::string_view nameText, std::string_view patternText) {
  std::string name(nameText);
  std::string pattern(patternText);
  if (pattern == "*") return true;
  if (!pattern.empty() && pattern[0] == '*') {
    pattern.erase(0, 1);
    bool trailingStar = RemoveFirstStar(pattern);
    size_t at = pattern.empty() ? std::string::npos : name.find(pattern);
    if (at == std::string::npos) return false;
    name.erase(0, at);
    if (trailingStar) pattern += '*';
  }
  size_t firstStar = pattern.find('*');
  if (pattern.empty() || firstStar == pattern.size() - 1) {
    if (!pattern.empty()) pattern.pop_back();
    if (name.size() > pattern.size()) name.resize(pattern.size());
  }
  return name == pattern;
}

int EnumMatchingWindows(TWindowHandle parent, uint32_t pid, const std::string& titlePattern,
                        const std::string& classPattern) {
  TWinfuncsState& state = WinfuncsState();
  if (state.walkDepth == 0) {
    StartSearch();
    if (parent == 0) parent = Windows().DesktopWindow();
  }
  {
    TWalkLevel level;
    for (TWindowHandle child = Windows().FirstChild(parent); child != 0;
         child = Windows().NextSibling(child)) {
      SystemServices().pumpMessages();
      EnumMatchingWindows(child, pid, titlePattern, classPattern);
      if (pid == 0 || pid == Windows().OwningProcessId(child))
        ConsiderWindow(child, titlePattern, classPattern);
    }
  }
  if (state.windowsConsidered == 0) return -1;
  return static_cast<int>(state.foundWindows.size());
}

TWindowHandle FindWindowByTitle(const std::string& titlePattern) {
  return FindWindowByTitleClass(titlePattern, "*");
}

TWindowHandle FindWindowByTitleClass(const std::string& titlePattern, const std::string& classPattern) {
  int found = EnumMatchingWindows(0, 0, titlePattern, classPattern);
  if (found <= 0) return kNoWindow;
  return WinfuncsState().foundWindows.front();
}

const std::vector<TWindowHandle>& FoundWindows() { return WinfuncsState().foundWindows; }
const std::vector<std::string>& FoundWindowTitles() { return WinfuncsState().foundWindowTitles; }
uint32_t FoundWindowCount() { return static_cast<uint32_t>(WinfuncsState().foundWindows.size()); }

void ActivateWindow(TWindowHandle window) {
  Windows().SetForeground(window);
  SystemServices().pumpMessages();
}

void SendCloseToWindow(TWindowHandle window) {
  Windows().SendClose(window);
  SystemServices().pumpMessages();
}

void SendQuitToWindow(TWindowHandle window) {
  Windows().SendQuit(window);
  SystemServices().pumpMessages();
}
