// The state a run starts from.
//
// A process does one run, so its run-wide state starts fresh by itself. The
// editor runs one file after another in the same process: each of its runs
// must start as a fresh process would, not with the switches, directory,
// environment or started programs that an earlier run left behind (a
// "/set exec = off" in one file would make every later run a silent dry run).
// TRunStart keeps the process's directory and environment from the moment it
// is captured and puts everything back before a run.
#pragma once

#include <string>
#include <utility>
#include <vector>

class TRunStart {
 public:
  /// The process's current directory and environment as they are now.
  static TRunStart Capture();

  /// Gives the next run a fresh start: the run switches take their initial
  /// values (the run log is kept), programs started without waiting are
  /// forgotten, and the directory and environment captured come back.
  void Restore() const;

 private:
  void RestoreEnvironment() const;

  std::string directory_;
  std::vector<std::pair<std::string, std::string>> environment_;
};
