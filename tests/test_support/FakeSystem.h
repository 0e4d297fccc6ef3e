// Scriptable fakes of the system service interfaces, installed together as
// the services record for the lifetime of a FakeSystem. They record what the
// code under test asked for (programs started with which file, arguments,
// directory and show mode; waits; closed handles; window actions; key events)
// and answer from what the test set up (exit codes, failures, processes, a
// window tree, a keyboard layout). The Winfuncs tables start empty.
//
//   FakeSystem sys;
//   sys.launcher.QueueExitCodes({0, 3, 0});   // the next three starts
//   StartProgram("a.exe", "", "", 0x805);      // pending, exit code 0
//   sys.launcher.starts[0].request.file        // "a.exe"
//   sys.windows.Add(sys.windows.Desktop(), "Report - Editor", "Edit", 7);
//   sys.processes.Add(12, "C:\\BIN\\NOTEPAD.EXE");
//   sys.keyboard.Played()                      // "SHIFT v A v A ^ SHIFT ^"
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "sys/WindowsArguments.h"
#include "sys/Winfuncs.h"
#include "util/SysFiles.h"
#include "util/TextEncoding.h"

class FakeLauncher : public IProgramLauncher {
 public:
  struct Start {
    TShellRequest request;
    TProcessHandle process;  // 0: served without a process, or failed
  };
  struct Outcome {
    enum Kind { NewProcess, ServedWithoutProcess, Failure } kind = NewProcess;
    uint32_t value = 0;  // exit code of the new process, or the error of a failure
    uint64_t runMs = 0;  // how long the new process runs on the clock
  };

  /// The next starts create processes that end with these codes.
  void QueueExitCodes(std::initializer_list<uint32_t> codes) {
    for (uint32_t code : codes) outcomes.push_back({Outcome::NewProcess, code});
  }
  /// The next start creates a process that ends `runMs` after its start.
  void QueueRunning(uint64_t runMs, uint32_t exitCode = 0) {
    outcomes.push_back({Outcome::NewProcess, exitCode, runMs});
  }
  void FailNextStart(uint32_t error) { outcomes.push_back({Outcome::Failure, error}); }
  void ServeNextWithoutProcess() { outcomes.push_back({Outcome::ServedWithoutProcess, 0}); }

  TProcessHandle NewHandle(uint32_t exitCode) {
    TProcessHandle handle = nextHandle++;
    exitCodes[handle] = exitCode;
    open.insert(handle);
    return handle;
  }

  bool RunsThroughCmd(const std::string& file, const std::string&) override {
    return batchFilesRunThroughCmd && IsBatchFile(file);
  }
  bool ShellExecute(const TShellRequest& request, TProcessHandle& process) override {
    Outcome outcome;
    if (!outcomes.empty()) {
      outcome = outcomes.front();
      outcomes.pop_front();
    }
    process = outcome.kind == Outcome::NewProcess ? NewHandle(outcome.value) : 0;
    if (process != 0 && outcome.runMs > 0) endsAt[process] = now + outcome.runMs;
    starts.push_back({request, process});
    if (outcome.kind == Outcome::Failure) SetLastSystemError(outcome.value);
    return outcome.kind != Outcome::Failure;
  }
  bool WaitForProcess(TProcessHandle process, uint64_t timeoutMs) override {
    waitedFor.push_back(process);
    if (!RunClockUntilEnded({process}, timeoutMs)) return false;
    if (onWait) onWait(process);
    return true;
  }
  TWaitResult WaitForProcesses(const std::vector<TProcessHandle>& processes, uint64_t timeoutMs) override {
    waitAllCalls.push_back(processes);
    if (waitAllError != 0) {
      SetLastSystemError(waitAllError);
      return TWaitResult::Failed;
    }
    return RunClockUntilEnded(processes, timeoutMs) ? TWaitResult::Ended : TWaitResult::TimedOut;
  }
  bool HasEnded(TProcessHandle process) override {
    if (endedEarly.count(process)) return true;
    return !openedByPid.count(process) && endsAt[process] <= now;
  }
  bool GetExitCode(TProcessHandle process, uint32_t& exitCode) override {
    if (unreadableExitCodes.count(process) || !open.count(process)) {
      SetLastSystemError(6);  // ERROR_INVALID_HANDLE
      return false;
    }
    exitCode = endsAt[process] > now ? 259 : exitCodes[process];  // STILL_ACTIVE while it runs
    return true;
  }
  void CloseProcess(TProcessHandle process) override {
    closed.push_back(process);
    open.erase(process);
  }
  bool FindExecutable(const std::string& file, const std::string& directory, std::string& executable,
                      uint32_t& error) override {
    lookups.push_back({file, directory});
    auto found = associations.find(file);
    if (found == associations.end()) {
      error = 31;  // SE_ERR_NOASSOC
      return false;
    }
    executable = found->second;
    return true;
  }
  uint32_t WaitForMessages(uint32_t ms) override {
    messageWaits.push_back(ms);
    now += ms;
    if (onMessageWait) onMessageWait(ms);
    return 258;
  }
  uint64_t TickCount() override { return now; }
  void Pause(uint32_t ms) override {
    pauses.push_back(ms);
    now += ms;
    if (onPause) onPause(ms);
  }
  std::string CurrentDirectory() override { return currentDirectory; }
  bool SetCurrentDirectory(const std::string& directory) override {
    if (missingDirectories.count(directory)) {
      SetLastSystemError(3);  // ERROR_PATH_NOT_FOUND
      return false;
    }
    currentDirectory = directory;
    return true;
  }

  // Script
  std::deque<Outcome> outcomes;         // default: a new process ending with 0
  bool batchFilesRunThroughCmd = true;  // as on Windows
  std::set<TProcessHandle> unreadableExitCodes;
  std::set<TProcessHandle> endedEarly;   // ended, whatever endsAt says (a process that exited by itself)
  std::set<TProcessHandle> openedByPid;  // run until endedEarly says otherwise
  uint32_t waitAllError = 0;             // non-zero: the wait for all fails
  std::map<std::string, std::string> associations;  // file (as asked) -> executable
  std::set<std::string> missingDirectories;
  std::string currentDirectory = "C:\\WORK";
  std::function<void(TProcessHandle)> onWait;
  std::function<void(uint32_t)> onMessageWait;
  std::function<void(uint32_t)> onPause;
  uint64_t now = 1000;                        // the clock; advanced by waits and pauses
  std::map<TProcessHandle, uint64_t> endsAt;  // processes that end later than their wait begins

  // Record
  std::vector<Start> starts;
  std::vector<TProcessHandle> waitedFor;
  std::vector<std::vector<TProcessHandle>> waitAllCalls;
  std::vector<TProcessHandle> closed;
  std::vector<std::pair<std::string, std::string>> lookups;
  std::vector<uint32_t> messageWaits;
  std::vector<uint32_t> pauses;
  std::map<TProcessHandle, uint32_t> exitCodes;
  std::set<TProcessHandle> open;

 private:
  // Moves the clock to the end of the last of the processes, or by the
  // timeout when that comes first. True when they have all ended.
  bool RunClockUntilEnded(const std::vector<TProcessHandle>& processes, uint64_t timeoutMs) {
    uint64_t last = now;
    for (TProcessHandle process : processes) last = std::max(last, endsAt[process]);
    if (timeoutMs != kWaitForever && last > now + timeoutMs) {
      now += timeoutMs;
      return false;
    }
    now = last;
    return true;
  }

  TProcessHandle nextHandle = 100;
};

/// The facts of a listed process, for FakeProcessList::Add.
inline TProcessFacts ProcessFacts(uint32_t parentPid, uint64_t startTime = 0, std::string systemRole = {},
                                  bool otherUser = false, bool outsideLogin = false) {
  TProcessFacts facts;
  facts.parentPid = parentPid;
  facts.startTime = startTime;
  facts.systemRole = std::move(systemRole);
  facts.otherUser = otherUser;
  facts.outsideLogin = outsideLogin;
  return facts;
}

class FakeProcessList : public IProcessList {
 public:
  explicit FakeProcessList(FakeLauncher& launcher) : launcher_(launcher) {}

  void Add(uint32_t pid, const std::string& path, TProcessFacts facts = {}) {
    processes.push_back({pid, path, {}, std::move(facts)});
  }
  void Remove(uint32_t pid) {
    std::erase_if(processes, [pid](const TProcessEntry& entry) { return entry.pid == pid; });
  }

  std::vector<TProcessEntry> TakeSnapshot() override {
    ++snapshots;
    return processes;
  }
  TProcessHandle OpenProcess(uint32_t access, uint32_t pid) override {
    opens.push_back({access, pid});
    if (vanishing.count(pid)) Remove(pid);
    bool running = std::any_of(processes.begin(), processes.end(),
                               [pid](const TProcessEntry& entry) { return entry.pid == pid; });
    if (!running || unopenable.count(pid)) {
      SetLastSystemError(running ? 5 : 87);  // ERROR_ACCESS_DENIED, ERROR_INVALID_PARAMETER
      return 0;
    }
    TProcessHandle handle = launcher_.NewHandle(0);
    launcher_.openedByPid.insert(handle);
    pidOf[handle] = pid;
    return handle;
  }
  bool TerminateProcess(TProcessHandle process, uint32_t exitCode) override {
    uint32_t pid = pidOf[process];
    if (exitedBeforeKill.count(pid)) {
      launcher_.endedEarly.insert(process);
      Remove(pid);
      SetLastSystemError(5);  // as Windows refuses an exited process
      return false;
    }
    if (unkillable.count(pid)) {
      SetLastSystemError(5);
      return false;
    }
    killed.push_back({pid, exitCode});
    Remove(pid);
    return true;
  }
  uint32_t CurrentProcessId() override { return currentPid; }
  bool IsNoSuchProcess(uint32_t error) override { return error == 87; }

  // Script
  std::vector<TProcessEntry> processes;
  std::set<uint32_t> unopenable;
  std::set<uint32_t> vanishing;         // listed, but gone before it is opened
  std::set<uint32_t> exitedBeforeKill;  // opened, but exited before the termination
  std::set<uint32_t> unkillable;
  uint32_t currentPid = 4242;

  // Record
  int snapshots = 0;
  std::vector<std::pair<uint32_t, uint32_t>> opens;   // access, pid
  std::vector<std::pair<uint32_t, uint32_t>> killed;  // pid, exit code
  std::map<TProcessHandle, uint32_t> pidOf;

 private:
  FakeLauncher& launcher_;
};

/// A window tree in z-order. Like Win32, a handle that was removed names no
/// window: it has no siblings or children, its texts are empty, and asking
/// about it leaves the tree as it was. `onTitleRead` runs after each title
/// read, so a test can close and open windows while the walk is at them.
class FakeWindowSystem : public IWindowSystem {
 public:
  struct Window {
    TWindowHandle parent = 0;
    std::vector<TWindowHandle> children;  // in z-order
    std::string title, className;
    uint32_t pid = 0;
  };

  FakeWindowSystem() { windows[kDesktop]; }
  TWindowHandle Desktop() const { return kDesktop; }
  /// Adds a window below its siblings (last in z-order).
  TWindowHandle Add(TWindowHandle parent, const std::string& title, const std::string& className = "Class",
                    uint32_t pid = 1) {
    TWindowHandle handle = NewWindow(parent, title, className, pid);
    windows[parent].children.push_back(handle);
    return handle;
  }
  /// Adds a window above its siblings, where a newly opened top-level window goes.
  TWindowHandle AddOnTop(TWindowHandle parent, const std::string& title,
                         const std::string& className = "Class", uint32_t pid = 1) {
    TWindowHandle handle = NewWindow(parent, title, className, pid);
    auto& siblings = windows[parent].children;
    siblings.insert(siblings.begin(), handle);
    return handle;
  }
  /// Takes the window out of its parent's z-order, as a window that is
  /// closing leaves it before its handle goes.
  void Unlink(TWindowHandle window) {
    const Window* found = Find(window);
    if (Window* parent = found ? Find(found->parent) : nullptr) std::erase(parent->children, window);
  }
  /// Destroys the window with all of its descendants.
  void Remove(TWindowHandle window) {
    const Window* found = Find(window);
    if (!found) return;
    for (TWindowHandle child : std::vector<TWindowHandle>(found->children)) Remove(child);
    if (Window* parent = Find(found->parent)) std::erase(parent->children, window);
    windows.erase(window);
    removed.push_back(window);
  }

  TWindowHandle DesktopWindow() override { return kDesktop; }
  bool WindowExists(TWindowHandle window) override { return Find(window) != nullptr; }
  bool IsLastSibling(TWindowHandle window) override {
    const Window* found = Find(window);
    const Window* parent = found ? Find(found->parent) : nullptr;
    return parent && !parent->children.empty() && parent->children.back() == window;
  }
  TWindowHandle FirstChild(TWindowHandle window) override {
    const Window* found = Find(window);
    return !found || found->children.empty() ? 0 : found->children.front();
  }
  TWindowHandle NextSibling(TWindowHandle window) override {
    const Window* found = Find(window);
    const Window* parent = found ? Find(found->parent) : nullptr;
    if (!parent) return 0;
    const auto& siblings = parent->children;
    for (size_t i = 0; i + 1 < siblings.size(); ++i)
      if (siblings[i] == window) return siblings[i + 1];
    return 0;
  }
  std::string WindowTitle(TWindowHandle window) override {
    titlesRead.push_back(window);
    const Window* found = Find(window);
    std::string title = found ? found->title : "";
    if (onTitleRead) onTitleRead(window);
    return title;
  }
  std::string ClassName(TWindowHandle window) override {
    const Window* found = Find(window);
    return found ? found->className : "";
  }
  uint32_t OwningProcessId(TWindowHandle window) override {
    const Window* found = Find(window);
    return found ? found->pid : 0;
  }
  bool IsMinimized(TWindowHandle window) override { return minimized.count(window) != 0; }
  /// A hung window does not restore itself.
  void Restore(TWindowHandle window) override {
    restored.push_back(window);
    if (!hung.count(window)) minimized.erase(window);
  }
  /// Refuses the first `refusals` requests, as Windows' foreground lock
  /// refuses a background process; a minimised window never comes to the front.
  bool SetForeground(TWindowHandle window, TForegroundMeans means) override {
    foregroundRequests.push_back(means);
    if (refusals > 0) {
      --refusals;
      return false;
    }
    foreground.push_back(window);
    if (!minimized.count(window)) front = window;
    return true;
  }
  bool IsForeground(TWindowHandle window) override { return window != 0 && front == window; }
  TSendOutcome SendClose(TWindowHandle window, uint32_t timeoutMs) override {
    closed.push_back(window);
    return Outcome(window, timeoutMs);
  }
  TSendOutcome SendQuit(TWindowHandle window, uint32_t timeoutMs) override {
    quit.push_back(window);
    return Outcome(window, timeoutMs);
  }

  // Script
  std::map<TWindowHandle, Window> windows;
  std::function<void(TWindowHandle)> onTitleRead;
  std::set<TWindowHandle> minimized, hung;
  int refusals = 0;  // foreground requests still to refuse
  TWindowHandle front = 0;

  // Record
  std::vector<TWindowHandle> titlesRead;  // the windows considered, in walk order
  std::vector<TWindowHandle> foreground;  // accepted requests
  std::vector<TWindowHandle> closed, quit;
  std::vector<TWindowHandle> restored;
  std::vector<TForegroundMeans> foregroundRequests;
  std::vector<uint32_t> sendTimeouts;
  std::vector<TWindowHandle> removed;

 private:
  static constexpr TWindowHandle kDesktop = 1;

  TWindowHandle NewWindow(TWindowHandle parent, const std::string& title, const std::string& className,
                          uint32_t pid) {
    TWindowHandle handle = nextHandle_++;
    windows[handle] = {parent, {}, title, className, pid};
    return handle;
  }
  TSendOutcome Outcome(TWindowHandle window, uint32_t timeoutMs) {
    sendTimeouts.push_back(timeoutMs);
    if (!Find(window)) return TSendOutcome::WindowGone;
    return hung.count(window) ? TSendOutcome::NotResponding : TSendOutcome::Delivered;
  }
  Window* Find(TWindowHandle window) {
    auto found = windows.find(window);
    return found == windows.end() ? nullptr : &found->second;
  }

  TWindowHandle nextHandle_ = 10;
};

/// A US keyboard layout for the printable ASCII characters the tests use,
/// over UTF-8 texts; the scan code of a virtual key is the
/// key plus one. Records the events and, for each wait until the keys are
/// taken, how many events had been sent by then.
class FakeKeyboard : public IKeyboard {
 public:
  bool CanSendKeys() override { return available; }
  std::u32string DecodeText(std::string_view text) override { return DecodeUtf8(text); }
  int16_t KeyForCharacter(char32_t c) override {
    if (c >= 'a' && c <= 'z') return static_cast<int16_t>(c - 'a' + 'A');
    if (c == ' ' || (c >= '0' && c <= '9')) return static_cast<int16_t>(c);
    if (c >= 'A' && c <= 'Z') return static_cast<int16_t>(0x100 | c);
    // @ needs AltGr (Ctrl+Alt), as on a German layout; | Ctrl alone.
    static const std::map<char32_t, int16_t> others = {
        {'(', 0x100 | '9'}, {')', 0x100 | '0'}, {'{', 0x1DB},       {'}', 0x1DD},
        {'~', 0x1C0},       {'!', 0x100 | '1'}, {'@', 0x600 | 'Q'}, {'|', 0x200 | 'X'}};
    auto found = others.find(c);
    return found == others.end() ? int16_t(-1) : found->second;
  }
  uint32_t MapVirtualKey(uint32_t vk) override { return vk + 1; }
  bool SendKeyEvents(const std::vector<TKeyEvent>& sent) override {
    if (refuseAt >= 0 && events.size() == static_cast<size_t>(refuseAt)) {
      refuseAt = -1;
      return false;
    }
    events.insert(events.end(), sent.begin(), sent.end());
    return true;
  }
  bool WaitUntilKeysTaken(uint32_t timeoutMs) override {
    waits.push_back(events.size());
    waitTimeouts.push_back(timeoutMs);
    return !hung;
  }
  bool ProcessMessages() override {
    ++messagesProcessed;
    return messagesProcessed != endRequestAt;
  }

  /// The events as "NAME v" (down) and "NAME ^" (up), separated by blanks; a
  /// character event as "U+XXXX v".
  std::string Played() const {
    std::string text;
    for (const TKeyEvent& event : events) {
      if (!text.empty()) text += ' ';
      text += (event.virtualKey ? KeyName(event.virtualKey) : CodePoint(event.character)) +
              (event.up ? " ^" : " v");
    }
    return text;
  }
  static std::string CodePoint(char32_t c) {
    char text[16];
    std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(c));
    return text;
  }
  static std::string KeyName(uint8_t vk) {
    static const std::map<uint8_t, std::string> names = {
        {8, "BS"},    {9, "TAB"},    {13, "ENTER"}, {16, "SHIFT"}, {17, "CTRL"}, {18, "ALT"},
        {27, "ESC"},  {33, "PGUP"},  {34, "PGDN"},  {35, "END"},   {36, "HOME"}, {37, "LEFT"},
        {38, "UP"},   {39, "RIGHT"}, {40, "DOWN"},  {45, "INS"},   {46, "DEL"},  {0x5B, "WIN"},
        {0xDB, "[{"}, {0xDD, "]}"},  {0xC0, "`~"},  {' ', "SPACE"}};
    if (auto found = names.find(vk); found != names.end()) return found->second;
    if (vk >= 112 && vk <= 123) return "F" + std::to_string(vk - 111);
    if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9')) return std::string(1, static_cast<char>(vk));
    return "VK" + std::to_string(vk);
  }

  // Script
  bool available = true;
  bool hung = false;      // the window in front never takes the keys
  int refuseAt = -1;      // >= 0: the send after this many events fails, once
  int endRequestAt = -1;  // the ProcessMessages call that finds an end request

  // Record
  std::vector<TKeyEvent> events;
  std::vector<size_t> waits;  // events sent at each wait
  std::vector<uint32_t> waitTimeouts;
  int messagesProcessed = 0;
};

/// Every fake, installed as the system services while it lives.
class FakeSystem {
 public:
  FakeSystem() {
    launcher.onWait = [this](TProcessHandle process) {
      // A process opened by pid has ended once it was waited for.
      if (auto found = processes.pidOf.find(process); found != processes.pidOf.end())
        processes.Remove(found->second);
    };
    ResetWinfuncsState();
    previous_ = SetSystemServices(Services());
  }
  ~FakeSystem() {
    ResetWinfuncsState();
    SetSystemServices(previous_);
  }
  FakeSystem(const FakeSystem&) = delete;
  FakeSystem& operator=(const FakeSystem&) = delete;

  FakeLauncher launcher;
  FakeProcessList processes{launcher};
  FakeWindowSystem windows;
  FakeKeyboard keyboard;
  int pumps = 0;                 // PumpMessages calls
  std::vector<int> programEnds;  // exit codes the program was ended with

 private:
  TSystemServices Services() {
    TSystemServices services;
    services.launcher = &launcher;
    services.processes = &processes;
    services.windows = &windows;
    services.keyboard = &keyboard;
    services.pumpMessages = [this] { ++pumps; };
    services.endProgram = [this](int exitCode) { programEnds.push_back(exitCode); };
    return services;
  }

  TSystemServices previous_;
};
