#include "sys/win32/ProcessWaits.h"

#include <algorithm>

#include "util/AppServices.h"

namespace {

// MsgWaitForMultipleObjectsEx takes one handle fewer than
// WaitForMultipleObjects: the queue counts as one.
constexpr size_t kMaxHandlesWithQueue = MAXIMUM_WAIT_OBJECTS - 1;
// The longest single wait, so the elapsed time is read well before the
// 32-bit tick counter could wrap in between.
constexpr DWORD kLongestWaitMs = 60 * 60 * 1000;

// The milliseconds since the wait began, from the 32-bit tick counter: the
// difference of two readings is right across a wrap, and the waits between
// readings are far shorter than one.
class TWaitClock {
 public:
  TWaitClock() : last_(GetTickCount()) {}
  uint64_t ElapsedMs() {
    DWORD now = GetTickCount();
    elapsed_ += static_cast<DWORD>(now - last_);
    last_ = now;
    return elapsed_;
  }

 private:
  DWORD last_;
  uint64_t elapsed_ = 0;
};

// Drops the processes of the group that is waited for (the first handles)
// that have ended; a later handle is looked at once it moves up into the
// group, so a large set costs a short scan per wake. False, with the system
// error, when a handle cannot be waited for.
bool DropEnded(std::vector<HANDLE>& running) {
  size_t looked = 0;
  for (auto process = running.begin(); process != running.end() && looked < kMaxHandlesWithQueue; ++looked) {
    DWORD state = WaitForSingleObject(*process, 0);
    if (state == WAIT_FAILED) return false;
    process = state == WAIT_TIMEOUT ? process + 1 : running.erase(process);
  }
  return true;
}

// Blocks until one of the first handles is signalled, input is in the queue
// (MWMO_INPUTAVAILABLE: also input that an earlier look left there), or `ms`
// have passed.
bool WaitForHandleOrMessage(const std::vector<HANDLE>& running, DWORD ms) {
  DWORD count = static_cast<DWORD>(std::min(running.size(), kMaxHandlesWithQueue));
  return MsgWaitForMultipleObjectsEx(count, running.data(), ms, QS_ALLINPUT, MWMO_INPUTAVAILABLE) !=
         WAIT_FAILED;
}

DWORD WaitSliceMs(uint64_t timeoutMs, uint64_t elapsedMs) {
  if (timeoutMs == kWaitForever) return kLongestWaitMs;
  return static_cast<DWORD>(std::min<uint64_t>(timeoutMs - elapsedMs, kLongestWaitMs));
}

// Serves the queue until every process has ended. Each round dispatches
// what is queued first, so a quit or close request ends the program even
// when the processes have ended meanwhile.
TWaitResult ServeMessagesUntilEnded(std::vector<HANDLE> running, uint64_t timeoutMs, DWORD& error) {
  TWaitClock clock;
  for (;;) {
    PumpMessages();
    if (!DropEnded(running)) break;
    if (running.empty()) return TWaitResult::Ended;
    uint64_t elapsed = clock.ElapsedMs();
    if (timeoutMs != kWaitForever && elapsed >= timeoutMs) return TWaitResult::TimedOut;
    if (!WaitForHandleOrMessage(running, WaitSliceMs(timeoutMs, elapsed))) break;
  }
  error = GetLastError();
  return TWaitResult::Failed;
}

}  // namespace

bool WaitServingMessages(HANDLE process, uint64_t timeoutMs) {
  DWORD error = 0;
  return ServeMessagesUntilEnded({process}, timeoutMs, error) != TWaitResult::TimedOut;
}

TWaitResult WaitAllServingMessages(const std::vector<HANDLE>& processes, uint64_t timeoutMs, DWORD& error) {
  error = 0;
  if (processes.empty()) return TWaitResult::Ended;
  return ServeMessagesUntilEnded(processes, timeoutMs, error);
}
