#include "util/Environment.h"

#include <cerrno>
#include <cstdlib>

#include "util/SysFiles.h"

TEnvLookup GetEnvVar(const std::string& name) {
  TEnvLookup lookup;
  const char* value = name.empty() ? nullptr : std::getenv(name.c_str());
  if (value == nullptr) return lookup;
  lookup.status = TEnvStatus::Found;
  lookup.value = value;
  return lookup;
}

bool SetEnvVar(const std::string& name, const std::string& value) {
  if (setenv(name.c_str(), value.c_str(), 1) == 0) return true;
  SetLastSystemError(static_cast<uint32_t>(errno));
  return false;
}
