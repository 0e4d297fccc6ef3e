// The process-wide tables of Winfuncs, in one place: the programs started
// without waiting, the picture of the running processes that
// GetProcessEntry reads, and the result of the last window search.
#pragma once

#include <string>
#include <vector>

#include "sys/ProcessList.h"
#include "sys/WindowSystem.h"

struct TWinfuncsState {
  std::vector<TProcessHandle> pendingPrograms;   // waited for by WaitForAllPrograms
  std::vector<std::string> pendingProgramNames;  // the program text of each, for messages
  std::vector<TProcessEntry> processPicture;     // taken at GetProcessEntry index 1
  std::vector<TWindowHandle> foundWindows;
  std::vector<std::string> foundWindowTitles;
  int windowsConsidered = 0;  // by the running window walk
  int walkDepth = 0;          // 0 outside a window walk
};

TWinfuncsState& WinfuncsState();
