// The environment on POSIX. setenv keeps every value it was ever given (the
// C library cannot know whether someone still holds an old getenv pointer),
// so a loop that sets a counter would grow the process without bound. This
// program copies every value at once, so it owns the "name=value" strings
// itself: putenv puts our string into the environment and the one it
// replaced is released. A new value that fits the string already in the
// environment is written into it in place (a counter set in a loop needs
// no allocation and no putenv), once getenv shows the environment still
// holds that very string.

#include "util/Environment.h"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>

#include "util/SysFiles.h"

namespace {

// A "name=value" string this program has put into the environment, and
// the room it has for a value.
struct TOwnedEntry {
  std::unique_ptr<char[]> text;
  size_t valueRoom = 0;
};

// The entries this program has put into the environment, by name.
std::map<std::string, TOwnedEntry, std::less<>>& OwnedEntries() {
  static std::map<std::string, TOwnedEntry, std::less<>> entries;
  return entries;
}

TOwnedEntry EnvironmentEntry(const std::string& name, const std::string& value) {
  std::string text = name + "=" + value;
  TOwnedEntry entry{std::make_unique<char[]>(text.size() + 1), value.size()};
  text.copy(entry.text.get(), text.size());
  entry.text[text.size()] = '\0';
  return entry;
}

// Writes the value into the entry already in the environment; false when
// there is none of ours, it has no room, or the environment no longer holds it.
bool OverwriteInPlace(const std::string& name, const std::string& value) {
  auto& entries = OwnedEntries();
  auto found = entries.find(name);
  if (found == entries.end() || value.size() > found->second.valueRoom) return false;
  char* valueText = found->second.text.get() + name.size() + 1;
  if (std::getenv(name.c_str()) != valueText) return false;
  value.copy(valueText, value.size());
  valueText[value.size()] = '\0';
  return true;
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
  if (OverwriteInPlace(name, value)) return true;
  TOwnedEntry entry = EnvironmentEntry(name, value);
  if (putenv(entry.text.get()) != 0) {
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
