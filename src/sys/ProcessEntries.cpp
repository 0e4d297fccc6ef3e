// The running processes: the indexed enumeration over one picture, and
// ending a process.
#include <algorithm>
#include <stdexcept>

#include "sys/Winfuncs.h"
#include "sys/WinfuncsState.h"
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

}  // namespace

bool GetProcessEntry(int index, uint32_t& pid, std::string& path) {
  std::vector<TProcessEntry>& picture = WinfuncsState().processPicture;
  if (index == 1) picture = Processes().TakeSnapshot();
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

bool KillProcess(uint32_t pid) {
  TProcessHandle process = Processes().OpenProcess(kProcessTerminate, pid);
  if (process == 0)
    throw std::runtime_error("Function OpenProcess failed: " + SystemMessage(LastSystemError()));
  TProcessCloser closer(process);
  if (!Processes().TerminateProcess(process, 1))
    throw std::runtime_error("Function TerminateProcess failed: " + SystemMessage(LastSystemError()));
  return true;
}

uint32_t CurrentProcessId() { return Processes().CurrentProcessId(); }
