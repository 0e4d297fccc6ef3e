// keyseen.dll: notes, from inside the program under test, every key message
// that the hooked thread takes from its queue (keyseen.h), for tarvdriver's
// `keys` to see which of its keys reached a window.
#include "keyseen.h"

namespace {

// The block stays mapped for the life of the process: later drivers typing
// into the same thread open the same block and count on from where it is.
TKeySeen* SharedRecord() {
  static TKeySeen* record = nullptr;
  static DWORD recordThread = 0;
  if (record && recordThread == GetCurrentThreadId()) return record;
  HANDLE mapping = OpenFileMappingA(FILE_MAP_WRITE, FALSE, KeySeenName(GetCurrentThreadId()).c_str());
  if (!mapping) return nullptr;
  record = static_cast<TKeySeen*>(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, sizeof(TKeySeen)));
  recordThread = GetCurrentThreadId();
  return record;
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK KeySeenHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION) {
    if (TKeySeen* record = SharedRecord()) {
      TKeySeenEntry& entry = record->entries[record->count % TKeySeen::kEntries];
      entry = {wParam, (lParam & 0x80000000) != 0};
      MemoryBarrier();
      record->count = record->count + 1;
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}
