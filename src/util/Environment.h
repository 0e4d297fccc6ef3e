// The process environment as the run needs it: reading a variable for the
// expression language and setting one for /set, in this program's own
// environment (programs started afterwards inherit it).
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

enum class TEnvStatus { Found, NotFound, Failed };

struct TEnvLookup {
  TEnvStatus status = TEnvStatus::NotFound;
  std::string value;   // the whole value when found, however long
  uint32_t error = 0;  // the system error code when the look-up failed
};

/// Looks the variable up; a variable set to the empty text is Found.
TEnvLookup GetEnvVar(const std::string& name);

/// Sets the variable; false on failure, with the system error readable
/// through LastSystemError.
bool SetEnvVar(const std::string& name, const std::string& value);

/// Every variable of this program's environment as name and value. Entries
/// the system keeps for itself (Windows' per-drive directories, "=C:") are
/// left out: they are not variables a script can set.
std::vector<std::pair<std::string, std::string>> EnvironmentVariables();

/// Removes the variable; false on failure.
bool RemoveEnvVar(const std::string& name);
