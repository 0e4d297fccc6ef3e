#include "util/Environment.h"

#include <windows.h>

#include <cstring>
#include <vector>

// The buffer starts at the size that holds every ordinary value and grows to
// what the system asks for, so a long value comes back whole.
TEnvLookup GetEnvVar(const std::string& name) {
  TEnvLookup lookup;
  std::vector<char> buffer(256);
  for (;;) {
    SetLastError(ERROR_SUCCESS);
    DWORD length = GetEnvironmentVariableA(name.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) {
      DWORD error = GetLastError();
      if (error == ERROR_SUCCESS) {  // set to the empty text
        lookup.status = TEnvStatus::Found;
      } else if (error != ERROR_ENVVAR_NOT_FOUND) {
        lookup.status = TEnvStatus::Failed;
        lookup.error = error;
      }
      return lookup;
    }
    if (length < buffer.size()) {
      lookup.status = TEnvStatus::Found;
      lookup.value.assign(buffer.data(), length);
      return lookup;
    }
    buffer.resize(length);  // length includes the terminator here
  }
}

bool SetEnvVar(const std::string& name, const std::string& value) {
  return SetEnvironmentVariableA(name.c_str(), value.c_str()) != 0;
}

std::vector<std::pair<std::string, std::string>> EnvironmentVariables() {
  std::vector<std::pair<std::string, std::string>> variables;
  char* block = GetEnvironmentStringsA();
  if (block == nullptr) return variables;
  // "name=value" entries one after the other, each ended by NUL, the block by
  // an empty entry. A name never holds "=" after its first character.
  for (const char* entry = block; *entry != '\0'; entry += std::strlen(entry) + 1) {
    const char* equals = std::strchr(entry + 1, '=');
    if (entry[0] == '=' || equals == nullptr) continue;
    variables.emplace_back(std::string(entry, equals), std::string(equals + 1));
  }
  FreeEnvironmentStringsA(block);
  return variables;
}

bool RemoveEnvVar(const std::string& name) { return SetEnvironmentVariableA(name.c_str(), nullptr) != 0; }
