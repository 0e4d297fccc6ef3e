// Writes random words as a Windows command line and takes it apart again:
// every word must come back exactly, empty ones included. The input is the
// words separated by NUL bytes (a command line never holds a NUL); no input
// is no words.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "sys/WindowsArguments.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::string> words;
  if (size > 0) words.emplace_back();
  for (size_t i = 0; i < size; ++i) {
    if (data[i] == 0)
      words.emplace_back();
    else
      words.back() += static_cast<char>(data[i]);
  }
  if (SplitWindowsCommandLine(BuildWindowsCommandLine(words)) != words) __builtin_trap();
  return 0;
}
