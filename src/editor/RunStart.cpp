#include "editor/RunStart.h"

#include <set>

#include "sys/Winfuncs.h"
#include "util/Environment.h"
#include "util/TarvCommon.h"

TRunStart TRunStart::Capture() {
  TRunStart start;
  start.directory_ = CurrentDirectory();
  start.environment_ = EnvironmentVariables();
  return start;
}

void TRunStart::Restore() const {
  ResetRunSwitches();
  ForgetPendingPrograms();
  if (!directory_.empty()) ChangeDirectory(directory_);
  RestoreEnvironment();
}

// Variables added since the capture go first, then every captured value is
// set where it differs. In that order a name that differs only in letter
// case (one variable on Windows) ends with its captured value.
void TRunStart::RestoreEnvironment() const {
  std::set<std::string> captured;
  for (const auto& [name, value] : environment_) captured.insert(name);
  for (const auto& [name, value] : EnvironmentVariables())
    if (!captured.count(name)) RemoveEnvVar(name);
  for (const auto& [name, value] : environment_) {
    TEnvLookup now = GetEnvVar(name);
    if (now.status != TEnvStatus::Found || now.value != value) SetEnvVar(name, value);
  }
}
