#include "sys/win32/ProcessWaits.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <memory>

#include "run/TarvCommon.h"
#include "util/AppServices.h"
#include "util/SysFiles.h"

namespace {

// The message a waiter posts when its wait is over.
constexpr UINT kWaitDoneMessage = WM_USER;
constexpr WPARAM kWaitDoneWParam = 1;
constexpr LPARAM kWaitDoneLParam = 2;
// How long a waiter pauses before posting again when the queue is full.
constexpr DWORD kRepostPauseMs = 10;

// What the main thread hands to a waiter, and the waiter's result.
struct TWaitJob {
  DWORD mainThread = 0;
  std::vector<HANDLE> processes;
  bool waitForAll = false;        // false: one process, WaitForSingleObject
  DWORD error = 0;                // the system error of a failed wait for all
  std::atomic<bool> done{false};  // set by the waiter before it posts
};
using TSharedJob = std::shared_ptr<TWaitJob>;

// Waits for all processes, at most MAXIMUM_WAIT_OBJECTS at a time (more
// make WaitForMultipleObjects fail at once). 0, or the failed wait's error.
DWORD WaitInGroups(const std::vector<HANDLE>& processes) {
  for (size_t start = 0; start < processes.size(); start += MAXIMUM_WAIT_OBJECTS) {
    DWORD count = static_cast<DWORD>(std::min<size_t>(MAXIMUM_WAIT_OBJECTS, processes.size() - start));
    if (WaitForMultipleObjects(count, processes.data() + start, TRUE, INFINITE) == WAIT_FAILED)
      return GetLastError();
  }
  return 0;
}

void PostWaitDone(DWORD mainThread) {
  // Posting fails only while the main thread's queue is full: try again.
  while (!PostThreadMessageA(mainThread, kWaitDoneMessage, kWaitDoneWParam, kWaitDoneLParam))
    Sleep(kRepostPauseMs);
}

// The waiter holds its own reference to the job, so the job outlives a main
// thread that stops waiting early.
DWORD WINAPI RunWaitJob(LPVOID parameter) {
  std::unique_ptr<TSharedJob> reference(static_cast<TSharedJob*>(parameter));
  TWaitJob& job = **reference;
  if (job.waitForAll)
    job.error = WaitInGroups(job.processes);
  else
    WaitForSingleObject(job.processes.front(), INFINITE);
  job.done = true;
  PostWaitDone(job.mainThread);
  return 0;
}

bool IsWaitDone(const MSG& msg) {
  return msg.hwnd == nullptr && msg.message == kWaitDoneMessage && msg.wParam == kWaitDoneWParam &&
         msg.lParam == kWaitDoneLParam;
}

// A close request that reaches the queue ends the program: there is no main
// window to take it.
bool IsCloseRequest(const MSG& msg) {
  return msg.message == WM_CLOSE || (msg.message == WM_SYSCOMMAND && msg.wParam == SC_CLOSE);
}

// Serves the queue until the waiter reports; may end the program. A wait
// may begin inside a message handled here (a script run from a window of
// the program): the done messages all look alike, so one that arrives
// before this wait's own waiter has finished belongs to a wait further out
// and goes back into the queue when this wait is over.
void ServeMessagesUntilWaitDone(const TWaitJob& job) {
  int othersDone = 0;
  MSG msg;
  for (;;) {
    BOOL result = GetMessageA(&msg, nullptr, 0, 0);
    if (result == -1) throw ESystemError("Could not read the message queue: " + WinErrorText(GetLastError()));
    if (result == 0) EndProgram(static_cast<int>(msg.wParam));
    if (IsWaitDone(msg)) {
      if (job.done) break;
      ++othersDone;
      continue;
    }
    if (IsCloseRequest(msg)) EndProgram(static_cast<int>(msg.wParam));
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  for (; othersDone > 0; --othersDone) PostWaitDone(GetCurrentThreadId());
}

// The waiter thread; its handle is closed once it has ended (it ends right
// after posting), so its result is safe to read afterwards.
class TWaiterThread {
 public:
  explicit TWaiterThread(const TSharedJob& job) {
    auto* reference = new TSharedJob(job);
    thread_ = CreateThread(nullptr, 0, RunWaitJob, reference, 0, nullptr);
    if (thread_) return;
    DWORD error = GetLastError();
    delete reference;
    throw ESystemError("Could not start waiting for the program: " + WinErrorText(error));
  }
  ~TWaiterThread() {
    if (std::uncaught_exceptions() == 0) WaitForSingleObject(thread_, INFINITE);
    CloseHandle(thread_);
  }
  TWaiterThread(const TWaiterThread&) = delete;
  TWaiterThread& operator=(const TWaiterThread&) = delete;

 private:
  HANDLE thread_ = nullptr;
};

DWORD RunWait(std::vector<HANDLE> processes, bool waitForAll) {
  // The waiter posts to this thread's queue: make sure it exists.
  MSG msg;
  PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
  auto job = std::make_shared<TWaitJob>();
  job->mainThread = GetCurrentThreadId();
  job->processes = std::move(processes);
  job->waitForAll = waitForAll;
  {
    TWaiterThread waiter(job);
    ServeMessagesUntilWaitDone(*job);
  }
  return job->error;
}

}  // namespace

void WaitServingMessages(HANDLE process) { RunWait({process}, false); }

DWORD WaitAllServingMessages(const std::vector<HANDLE>& processes) {
  if (processes.empty()) return 0;
  return RunWait(processes, true);
}
