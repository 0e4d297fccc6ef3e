#include "util/Environment.h"

#include <windows.h>

#include <cwchar>
#include <vector>

#include "util/win32/WideText.h"

// Through the wide functions: the 8-bit ones count a value's length in
// characters under some systems and in bytes under others, which a UTF-8
// code page tells apart. The buffer starts at the size that holds every
// ordinary value and grows to what the system asks for, so a long value
// comes back whole.
TEnvLookup GetEnvVar(const std::string& name) {
  TEnvLookup lookup;
  const std::wstring wideName = WideOf(name);
  std::vector<wchar_t> buffer(256);
  for (;;) {
    SetLastError(ERROR_SUCCESS);
    DWORD length =
        GetEnvironmentVariableW(wideName.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
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
      lookup.value = NarrowOf(std::wstring_view(buffer.data(), length));
      return lookup;
    }
    buffer.resize(length);  // length includes the terminator here
  }
}

bool SetEnvVar(const std::string& name, const std::string& value) {
  return SetEnvironmentVariableW(WideOf(name).c_str(), WideOf(value).c_str()) != 0;
}

std::vector<std::pair<std::string, std::string>> EnvironmentVariables() {
  std::vector<std::pair<std::string, std::string>> variables;
  wchar_t* block = GetEnvironmentStringsW();
  if (block == nullptr) return variables;
  // "name=value" entries one after the other, each ended by NUL, the block by
  // an empty entry. A name never holds "=" after its first character.
  for (const wchar_t* entry = block; *entry != L'\0'; entry += std::wcslen(entry) + 1) {
    const wchar_t* equals = std::wcschr(entry + 1, L'=');
    if (entry[0] == L'=' || equals == nullptr) continue;
    variables.emplace_back(NarrowOf(std::wstring_view(entry, equals - entry)), NarrowOf(equals + 1));
  }
  FreeEnvironmentStringsW(block);
  return variables;
}

bool RemoveEnvVar(const std::string& name) {
  return SetEnvironmentVariableW(WideOf(name).c_str(), nullptr) != 0;
}
