// The running processes: the indexed enumeration over one picture, and
// ending a process.
#include <algorithm>
#include <stdexcept>

#include "sys/Winfuncs.h"
#include "sys/WinfuncsState.h"
#include "util/StreamFuncs.h"
#include "util/StringFuncs.h"
#include "util/SysFiles.h"

namespace {

IProcessList& Processes() { return *SystemServices().processes; }

// The system's own words for an error, without the "ERROR n: " prefix.
std::string SystemMessage(uint32_t code) {
  std::string text = WinErrorText(code);
  size_t colon = text.find(": ");
  return colon == std::string::npos ? text : text.substr(colon + 2);
}

// Closes the handle when the kill is over, however it ends.
class TProcessCloser {
 public:
  explicit TProcessCloser(TProcessHandle process) : process_(process) {}
  ~TProcessCloser() { SystemServices().launcher->CloseProcess(process_); }
  TProcessCloser(const TProcessCloser&) = delete;
  TProcessCloser& operator=(const TProcessCloser&) = delete;

 private:
  TProcessHandle process_;
};

const TProcessEntry* FindEntry(const std::vector<TProcessEntry>& picture, uint32_t pid) {
  auto found = std::find_if(picture.begin(), picture.end(),
                            [pid](const TProcessEntry& entry) { return entry.pid == pid; });
  return found == picture.end() ? nullptr : &*found;
}

// False when the parent named by `child` cannot be its parent: it started
// after the child, so it reused the pid of the real parent, which has ended.
bool StartedBefore(const TProcessEntry& parent, const TProcessEntry& child) {
  return parent.facts.startTime == 0 || child.facts.startTime == 0 ||
         parent.facts.startTime <= child.facts.startTime;
}

// The chain of parents from this program up to the first process that is not
// in the picture (the login's start, or init). The count bounds a loop that
// a picture taken while pids were reused might hold.
std::vector<uint32_t> FindAncestors(const std::vector<TProcessEntry>& picture, uint32_t self) {
  std::vector<uint32_t> ancestors;
  const TProcessEntry* child = FindEntry(picture, self);
  while (child && ancestors.size() < picture.size()) {
    const uint32_t parentPid = child->facts.parentPid;
    const TProcessEntry* parent =
        parentPid == 0 || parentPid == child->pid ? nullptr : FindEntry(picture, parentPid);
    if (!parent || !StartedBefore(*parent, *child)) break;
    ancestors.push_back(parentPid);
    child = parent;
  }
  return ancestors;
}

const std::vector<uint32_t>& Ancestors() {
  TWinfuncsState& state = WinfuncsState();
  if (!state.ancestorsKnown) {
    state.ancestors = FindAncestors(state.processPicture, CurrentProcessId());
    state.ancestorsKnown = true;
  }
  return state.ancestors;
}

bool IsAncestor(uint32_t pid) {
  const std::vector<uint32_t>& ancestors = Ancestors();
  return std::find(ancestors.begin(), ancestors.end(), pid) != ancestors.end();
}

bool HadEnded(uint32_t pid) {
  DebugTrace("pid " + std::to_string(pid) + " had already ended");
  return true;
}

}  // namespace

bool GetProcessEntry(int index, uint32_t& pid, std::string& path) {
  std::vector<TProcessEntry>& picture = WinfuncsState().processPicture;
  if (index == 1) {
    picture = Processes().TakeSnapshot();
    WinfuncsState().ancestorsKnown = false;
  }
  if (index < 1 || static_cast<size_t>(index) > picture.size()) return false;
  const TProcessEntry& entry = picture[static_cast<size_t>(index) - 1];
  pid = entry.pid;
  path = TrimBlanks(entry.path);
  return true;
}

std::string ProcessFileNameUpper(std::string_view path) {
  // Unlike FileNameOnly, a drive prefix "X:" without a separator stays.
  return UpperCase(AfterLastSeparator(path));
}

std::vector<std::string> ProcessNamesUpper(int index) {
  const std::vector<TProcessEntry>& picture = WinfuncsState().processPicture;
  if (index < 1 || static_cast<size_t>(index) > picture.size()) return {};
  const TProcessEntry& entry = picture[static_cast<size_t>(index) - 1];
  std::vector<std::string> names{ProcessFileNameUpper(TrimBlanks(entry.path))};
  for (const std::string& shown : entry.shownNames) {
    std::string name = ProcessFileNameUpper(shown);
    if (!name.empty() && std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
  }
  return names;
}

std::string ProcessProtection(int index) {
  const std::vector<TProcessEntry>& picture = WinfuncsState().processPicture;
  if (index < 1 || static_cast<size_t>(index) > picture.size()) return "";
  const TProcessEntry& entry = picture[static_cast<size_t>(index) - 1];
  const TProcessFacts& facts = entry.facts;
  // Ending the run's own process or one it was started from would end the
  // run, or the shell or window that the user started it from.
  if (entry.pid == CurrentProcessId()) return "it is this program";
  if (IsAncestor(entry.pid)) return "this program was started from it";
  if (!facts.systemRole.empty()) return "it is a system process (" + facts.systemRole + ")";
  if (facts.otherUser) return "it belongs to another user";
  if (facts.outsideLogin) return "it runs outside the user's logins (a daemon or another logon session)";
  return "";
}

bool KillProcess(uint32_t pid) {
  TProcessHandle process = Processes().OpenProcess(kProcessTerminate, pid);
  if (process == 0) {
    const uint32_t error = LastSystemError();
    // It ended between the picture and now: gone, as asked.
    if (Processes().IsNoSuchProcess(error)) return HadEnded(pid);
    throw std::runtime_error("Function OpenProcess failed: " + SystemMessage(error));
  }
  TProcessCloser closer(process);
  if (Processes().TerminateProcess(process, 1)) return true;
  const uint32_t error = LastSystemError();
  // Windows refuses to terminate a process that has already exited.
  if (SystemServices().launcher->HasEnded(process)) return HadEnded(pid);
  throw std::runtime_error("Function TerminateProcess failed: " + SystemMessage(error));
}

uint32_t CurrentProcessId() { return Processes().CurrentProcessId(); }
