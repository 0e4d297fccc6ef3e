// The environment on POSIX. setenv keeps every value it was ever given (the
// C library cannot know whether someone still holds an old getenv pointer),
// so a loop that sets a counter would grow the process without bound. This
// program copies every value at once, so it owns the "name=value" strings
// itself: putenv puts our string into the environment and the one it
// replaced is released.

#include "util/Environment.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>

#include <unistd.h>

#include "util/SysFiles.h"

namespace {

// The "name=value" strings this program has put into the environment.
std::map<std::string, std::unique_ptr<char[]>>& OwnedEntries() {
  static std::map<std::string, std::unique_ptr<char[]>> entries;
  return entries;
}

std::unique_ptr<char[]> EnvironmentEntry(const std::string& name, const std::string& value) {
  std::string text = name + "=" + value;
  auto entry = std::make_unique<char[]>(text.size() + 1);
  text.copy(entry.get(), text.size());
  entry[text.size()] = '\0';
  return entry;
}

}  // namespace

TEnvLookup GetEnvVar(const std::string& name) {
  TEnvLookup lookup;
  const char* value = name.empty() ? nullptr : std::getenv(name.c_str());
  if (value == nullptr) return lookup;
  lookup.status = TEnvStatus::Found;
  lookup.value = value;
  return lookup;
}

bool SetEnvVar(const std::string& name, const std::string& value) {
  // The names setenv refuses: putenv would read them as something else.
  if (name.empty() || name.find('=') != std::string::npos) {
    SetLastSystemError(EINVAL);
    return false;
  }
  std::unique_ptr<char[]> entry = EnvironmentEntry(name, value);
  if (putenv(entry.get()) != 0) {
    SetLastSystemError(static_cast<uint32_t>(errno));
    return false;
  }
  // The environment now points at the new entry; the old one is ours to free.
  OwnedEntries()[name] = std::move(entry);
  return true;
}

std::vector<std::pair<std::string, std::string>> EnvironmentVariables() {
  std::vector<std::pair<std::string, std::string>> variables;
  for (char** entries = environ; *entries != nullptr; ++entries) {
    const char* entry = *entries;
    const char* equals = std::strchr(entry, '=');
    if (equals == nullptr || equals == entry) continue;
    variables.emplace_back(std::string(entry, equals), std::string(equals + 1));
  }
  return variables;
}

bool RemoveEnvVar(const std::string& name) {
  if (unsetenv(name.c_str()) != 0) {
    SetLastSystemError(static_cast<uint32_t>(errno));
    return false;
  }
  OwnedEntries().erase(name);  // no longer in the environment
  return true;
}
