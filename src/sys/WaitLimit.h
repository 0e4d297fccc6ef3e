// The time limit of the waits for unattended runs. The environment variable
// TARV_WAIT_TIMEOUT holds a number of seconds ("30", "2.5"); /wait, /waitall,
// /waitfor and /waitclose give up after that long. It is read at the start
// of each wait, from the program's own environment, so a script can set or
// clear it with /set between waits. Unset or empty: the waits have no limit.
#pragma once

#include <cstdint>
#include <string>

#include "sys/ProgramLauncher.h"

/// The environment variable that limits the waits.
inline constexpr char kWaitTimeoutVariable[] = "TARV_WAIT_TIMEOUT";

class TWaitLimit {
 public:
  /// Reads the variable now and starts counting from now. Raises
  /// ESystemError naming the variable and its value when the value is not
  /// a number of seconds.
  static TWaitLimit FromEnvironment();

  bool Limited() const { return limitMs_ != kWaitForever; }
  /// The milliseconds left: kWaitForever without a limit, 0 once it passed.
  uint64_t RemainingMs() const;
  bool Passed() const { return RemainingMs() == 0; }
  /// "<command> gave up after N seconds waiting for <what>".
  std::string GaveUpMessage(const std::string& command, const std::string& what) const;

 private:
  uint64_t startMs_ = 0;
  uint64_t limitMs_ = kWaitForever;
  std::string seconds_;  // the number as the variable gave it
};
