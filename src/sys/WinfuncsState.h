// The process-wide tables of Winfuncs, in one place: the programs started
// without waiting, the picture of the running processes that
// GetProcessEntry reads, and the result of the last window search.
#pragma once

#include <string>
#include <vector>

#include "sys/ProcessList.h"
#include "sys/WindowSystem.h"

// A program started without waiting, until /waitall reads its exit code.
struct TPendingProgram {
  // 0 once the program has ended and its handle was given back (its exit
  // code is then in exitCode): an ended program holds no handle and, on
  // POSIX, leaves no zombie while it waits for /waitall.
  TProcessHandle process = 0;
  uint32_t exitCode = 0;
  std::string name;  // the program text, for messages
};

struct TWinfuncsState {
  std::vector<TPendingProgram> pendingPrograms;  // waited for by WaitForAllPrograms
  std::vector<TProcessEntry> processPicture;     // taken at GetProcessEntry index 1
  // The processes this program was started from, in the current picture;
  // found when /kill first asks (ancestorsKnown), again for each picture.
  std::vector<uint32_t> ancestors;
  bool ancestorsKnown = false;
  std::vector<TWindowHandle> foundWindows;
  std::vector<std::string> foundWindowTitles;
  int windowsConsidered = 0;  // by the running window walk
  int walkDepth = 0;          // 0 outside a window walk
};

TWinfuncsState& WinfuncsState();
