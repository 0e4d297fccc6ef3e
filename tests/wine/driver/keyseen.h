// What keyseen.dll tells tarvdriver: each key message that the thread the
// driver types into took from its queue, in a block of shared memory named
// after that thread. Wine drops a key that finds no focus window when it is
// taken (the thread's key state still changes), so only this record shows
// that a key reached a window.
#pragma once

#include <windows.h>

#include <string>

struct TKeySeenEntry {
  WPARAM virtualKey;
  BOOL released;
};

// One writer (the hooked thread); `count` grows after its entry is written.
struct TKeySeen {
  static constexpr LONG kEntries = 64;
  volatile LONG count;
  TKeySeenEntry entries[kEntries];
};

inline std::string KeySeenName(DWORD threadId) { return "TarvKeySeen-" + std::to_string(threadId); }
