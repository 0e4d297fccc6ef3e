// The star patterns, the depth-first window walk and the window actions.
//
// The window set may change while it is walked. A window that closes while
// the walk is at it has no next sibling any more (nor has one that is
// closing and has already left the z-order), which looks like the end of
// its level; the walk then picks the level up again from the parent's
// first child, skipping the children it has already seen, so the windows
// after the closed one are still found and none is considered twice.
#include <unordered_set>

#include "sys/Winfuncs.h"
#include "sys/WinfuncsState.h"

namespace {

// How often one level of the walk picks up again: a desktop whose windows
// keep opening and closing cannot keep a search going for ever.
constexpr int kMaxLevelRestarts = 100;

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

namespace {

// True when the walk of `parent`'s children must pick up again: no next
// sibling came back because `child` has closed or is closing, not because
// it was the last, and the parent is still there to walk.
bool LevelWasCutShort(TWindowHandle parent, TWindowHandle child, int restarts) {
  return restarts < kMaxLevelRestarts && !Windows().IsLastSibling(child) && Windows().WindowExists(parent);
}

// Walks one child: its own children first, then the child itself.
void VisitWindow(TWindowHandle child, uint32_t pid, const std::string& titlePattern,
                 const std::string& classPattern) {
  SystemServices().pumpMessages();
  EnumMatchingWindows(child, pid, titlePattern, classPattern);
  if (pid == 0 || pid == Windows().OwningProcessId(child)) ConsiderWindow(child, titlePattern, classPattern);
}

// The children of `parent` in z-order, each visited once.
void WalkChildren(TWindowHandle parent, uint32_t pid, const std::string& titlePattern,
                  const std::string& classPattern) {
  std::unordered_set<TWindowHandle> visited;
  int restarts = 0;
  TWindowHandle child = Windows().FirstChild(parent);
  while (child != 0) {
    if (visited.insert(child).second) VisitWindow(child, pid, titlePattern, classPattern);
    TWindowHandle next = Windows().NextSibling(child);
    if (next == 0 && LevelWasCutShort(parent, child, restarts)) {
      ++restarts;
      next = Windows().FirstChild(parent);
    }
    child = next;
  }
}

}  // namespace

int EnumMatchingWindows(TWindowHandle parent, uint32_t pid, const std::string& titlePattern,
                        const std::string& classPattern) {
  TWinfuncsState& state = WinfuncsState();
  if (state.walkDepth == 0) {
    StartSearch();
    if (parent == 0) parent = Windows().DesktopWindow();
  }
  {
    TWalkLevel level;
    WalkChildren(parent, pid, titlePattern, classPattern);
  }
  if (state.windowsConsidered == 0) return -1;
  return static_cast<int>(state.foundWindows.size());
}

std::string WindowSystemUnavailable() { return Windows().Unavailable(); }

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

namespace {

// Waits, serving messages, until the window is in front or the deadline passed.
bool CameToFront(TWindowHandle window) {
  constexpr uint32_t kPollMs = 50;
  for (uint32_t waited = 0;; waited += kPollMs) {
    if (Windows().IsForeground(window)) return true;
    if (waited >= kForegroundDeadlineMs) return false;
    SleepWithMessages(kPollMs);
  }
}

}  // namespace

bool ActivateWindow(TWindowHandle window) {
  if (Windows().IsMinimized(window)) Windows().Restore(window);
  bool inFront = false;
  for (TForegroundMeans means :
       {TForegroundMeans::Direct, TForegroundMeans::AttachedInput, TForegroundMeans::AltKey}) {
    inFront =
        Windows().IsForeground(window) || (Windows().SetForeground(window, means) && CameToFront(window));
    if (inFront) break;
  }
  SystemServices().pumpMessages();
  return inFront;
}

TSendOutcome SendCloseToWindow(TWindowHandle window) {
  TSendOutcome outcome = Windows().SendClose(window, kWindowReplyTimeoutMs);
  SystemServices().pumpMessages();
  return outcome;
}

TSendOutcome SendQuitToWindow(TWindowHandle window) {
  TSendOutcome outcome = Windows().SendQuit(window, kWindowReplyTimeoutMs);
  SystemServices().pumpMessages();
  return outcome;
}
