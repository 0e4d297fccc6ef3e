// tarvdriver: drives the windows of another program from a Wine test.
//
// Each subcommand finds a visible top-level window of another process by its
// exact caption (class "#32770", the dialogs and message boxes, unless
// --class names another or "*"), waiting up to --timeout milliseconds for
// it, and then reads or acts on it:
//
//   wait CAPTION                  the window exists
//   gone CAPTION                  wait until no such window is left
//   keys CAPTION KEY...           makes the window the one in front, then
//                                 types the keys (xdotool's names: "alt+f",
//                                 "Home", "x") into its thread, each once the
//                                 one before reached a window there (a key
//                                 Wine dropped goes out again); returns once
//                                 the last was handled
//   idle CAPTION                  the window's thread has handled what
//                                 reached its queue before this call
//   painted CAPTION               the window and its children have painted
//                                 every pending change (for screenshots)
//   rect CAPTION                  "window L T W H client CW CH"
//   controls CAPTION              the window line, then one line per visible child:
//                                 "control ID CLASS L T W H len=N TEXT"
//                                 (client coordinates; text escaped, cut at 400)
//   text CAPTION ID               the child's whole text, raw, on stdout
//   click CAPTION BUTTONTEXT      presses the child button with that text
//   mouse CAPTION ID              clicks the centre of child ID with the
//                                 left mouse button, once no other window
//                                 covers it; returns once it was handled
//   settext CAPTION ID TEXT       sets the child's text
//   resize CAPTION W H            sets the window's outer size
//   show CAPTION maximize|restore maximises or restores the window as its
//                                 caption buttons do, then "rect"'s line
//   items CAPTION ID              the entries of list box ID, one per line
//   select CAPTION ID INDEX       selects entry INDEX of list box ID, as a
//                                 click does (its owner hears of the change)
//   extent CAPTION ID             "extent E client W" of list box ID: its
//                                 horizontal extent and its client width
//   close CAPTION                 posts the window a close request
//   title CLASS                   the texts of top-level windows of that
//                                 class in other processes, one per line
//   run COMMANDLINE...            starts a program, waits, "exit CODE"
//   running EXE COUNT             wait until at least COUNT processes of
//                                 that file name (any letter case) run
//   end EXE                       ends every process of that file name;
//                                 "ended N"
//   open VERB FILE                has the shell carry out VERB on FILE, as
//                                 Explorer does on a double click ("open")
//                                 or a context-menu choice; waits for the
//                                 program it started, "exit CODE" (or
//                                 "started" when the shell gave no process)
//   dpi                           the screen's pixels per inch
//   owner CAPTION                 "owner TEXT enabled|disabled" of the window's
//                                 owner, or "owner none"
//   cuts CAPTION [ID=TEXT...]     "cut ID CLASS needs WxH has WxH TEXT" for every
//                                 visible static text or button caption that
//                                 does not fit its control, and for each TEXT
//                                 that control ID would show, then "checked N"
//                                 (measured by textfit.dll, see Cuts)
//
// Texts of other processes' controls are read with WM_GETTEXT, which works
// across processes where GetWindowTextA does not. Exit status: 0 done,
// 1 bad usage, 2 window or control not found in time, 3 the action failed.
#include <windows.h>
#include <fcntl.h>
#include <io.h>
#include <objbase.h>
#include <shellapi.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "keyseen.h"
#include "textfit.h"

namespace {

struct TOptions {
  std::string windowClass = "#32770";
  DWORD timeoutMs = 60000;
};

constexpr DWORD kPollMs = 50;
constexpr UINT kSendTimeoutMs = 10000;

std::string ClassOf(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof(name));
  return name;
}

bool SendWithTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR* result = nullptr) {
  DWORD_PTR ignored = 0;
  return SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                             result ? result : &ignored) != 0;
}

std::string TextOf(HWND window) {
  DWORD_PTR length = 0;
  if (!SendWithTimeout(window, WM_GETTEXTLENGTH, 0, 0, &length)) return "";
  std::string text(length + 1, '\0');
  DWORD_PTR copied = 0;
  SendWithTimeout(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), &copied);
  text.resize(copied);
  return text;
}

struct TSearch {
  const std::string* caption;
  const std::string* windowClass;
  std::vector<HWND> found;
};

bool IsOtherProcess(HWND window) {
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  return pid != GetCurrentProcessId();
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<TSearch*>(param);
  if (!IsWindowVisible(window) || !IsOtherProcess(window)) return TRUE;
  if (*search->windowClass != "*" && ClassOf(window) != *search->windowClass) return TRUE;
  char text[1024] = {};
  GetWindowTextA(window, text, sizeof(text));
  if (*search->caption == text) search->found.push_back(window);
  return TRUE;
}

HWND FindNow(const std::string& caption, const TOptions& options) {
  TSearch search{&caption, &options.windowClass, {}};
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
  return search.found.empty() ? nullptr : search.found.front();
}

HWND WaitForWindow(const std::string& caption, const TOptions& options) {
  DWORD start = GetTickCount();
  for (;;) {
    if (HWND window = FindNow(caption, options)) return window;
    if (GetTickCount() - start >= options.timeoutMs) break;
    Sleep(kPollMs);
  }
  std::fprintf(stderr, "tarvdriver: no window \"%s\" of class \"%s\" within %lu ms\n", caption.c_str(),
               options.windowClass.c_str(), static_cast<unsigned long>(options.timeoutMs));
  return nullptr;
}

std::string Escaped(const std::string& text, size_t limit) {
  std::string out;
  for (size_t i = 0; i < text.size() && i < limit; ++i) {
    switch (text[i]) {
      case '\r': out += "\\r"; break;
      case '\n': out += "\\n"; break;
      case '\t': out += "\\t"; break;
      case '\\': out += "\\\\"; break;
      default: out += text[i];
    }
  }
  if (text.size() > limit) out += "...";
  return out;
}

void PrintWindowLine(HWND window) {
  RECT outer, client;
  GetWindowRect(window, &outer);
  GetClientRect(window, &client);
  std::printf("window %ld %ld %ld %ld client %ld %ld\n", outer.left, outer.top, outer.right - outer.left,
              outer.bottom - outer.top, client.right, client.bottom);
}

BOOL CALLBACK PrintControl(HWND child, LPARAM param) {
  HWND parent = reinterpret_cast<HWND>(param);
  // Direct visible children only: a message box keeps unused buttons hidden.
  if (GetParent(child) != parent || !IsWindowVisible(child)) return TRUE;
  RECT rect;
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
  std::string text = TextOf(child);
  std::printf("control %d %s %ld %ld %ld %ld len=%u %s\n", GetDlgCtrlID(child), ClassOf(child).c_str(),
              rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
              static_cast<unsigned>(text.size()), Escaped(text, 400).c_str());
  return TRUE;
}

struct TButtonSearch {
  const std::string* text;
  HWND found;
};

BOOL CALLBACK FindButton(HWND child, LPARAM param) {
  auto* search = reinterpret_cast<TButtonSearch*>(param);
  if (ClassOf(child) == "Button" && TextOf(child) == *search->text) {
    search->found = child;
    return FALSE;
  }
  return TRUE;
}

int Wait(const std::string& caption, const TOptions& options) {
  HWND window = WaitForWindow(caption, options);
  if (!window) return 2;
  std::printf("found %s\n", caption.c_str());
  return 0;
}

int Gone(const std::string& caption, const TOptions& options) {
  DWORD start = GetTickCount();
  while (FindNow(caption, options)) {
    if (GetTickCount() - start >= options.timeoutMs) {
      std::fprintf(stderr, "tarvdriver: window \"%s\" still there after %lu ms\n", caption.c_str(),
                   static_cast<unsigned long>(options.timeoutMs));
      return 2;
    }
    Sleep(kPollMs);
  }
  std::printf("gone %s\n", caption.c_str());
  return 0;
}

// Two round trips through the window's queue: the first lets its thread turn
// input that had already arrived into messages, the second returns once
// those have been handled (or a modal loop has taken over).
bool SyncWithQueue(HWND window) {
  return SendWithTimeout(window, WM_NULL, 0, 0) && SendWithTimeout(window, WM_NULL, 0, 0);
}

int Idle(const std::string& caption, const TOptions& options) {
  HWND window = WaitForWindow(caption, options);
  if (!window) return 2;
  if (!SyncWithQueue(window)) return 3;
  std::printf("idle %s\n", caption.c_str());
  return 0;
}

// Makes the window the one in front and waits until it is and its thread
// has taken that in; nullptr (said on stderr) when that did not happen.
HWND BringToFront(const std::string& caption, const TOptions& options) {
  HWND window = WaitForWindow(caption, options);
  if (!window) return nullptr;
  DWORD start = GetTickCount();
  while (GetForegroundWindow() != window) {
    if (GetTickCount() - start >= options.timeoutMs) {
      std::fprintf(stderr, "tarvdriver: \"%s\" not in front after %lu ms\n", caption.c_str(),
                   static_cast<unsigned long>(options.timeoutMs));
      return nullptr;
    }
    SetForegroundWindow(window);
    Sleep(kPollMs);
  }
  return SyncWithQueue(window) ? window : nullptr;
}

// The virtual keys of the key names the cases type (xdotool's names).
struct TKeyName {
  const char* name;
  WORD virtualKey;
  bool extended;
};
constexpr TKeyName kKeyNames[] = {
    {"Return", VK_RETURN, false},  {"Escape", VK_ESCAPE, false}, {"Tab", VK_TAB, false},
    {"BackSpace", VK_BACK, false}, {"space", VK_SPACE, false},   {"Delete", VK_DELETE, true},
    {"Home", VK_HOME, true},       {"End", VK_END, true},        {"Up", VK_UP, true},
    {"Down", VK_DOWN, true},       {"Left", VK_LEFT, true},      {"Right", VK_RIGHT, true},
    {"Prior", VK_PRIOR, true},     {"Next", VK_NEXT, true},      {"alt", VK_MENU, false},
    {"ctrl", VK_CONTROL, false},   {"shift", VK_SHIFT, false},
};

// A single letter or digit, F1-F12, or a name of the table; nullopt for others.
std::optional<TKeyName> KeyNamed(const std::string& name) {
  for (const TKeyName& key : kKeyNames)
    if (name == key.name) return key;
  if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0])))
    return TKeyName{"", static_cast<WORD>(std::toupper(static_cast<unsigned char>(name[0]))), false};
  int number = name.size() >= 2 && name[0] == 'F' ? std::atoi(name.c_str() + 1) : 0;
  if (number >= 1 && number <= 12) return TKeyName{"", static_cast<WORD>(VK_F1 + number - 1), false};
  return std::nullopt;
}

// The thread that owns the window the keys are for. The driver shares its
// input state, so GetKeyState here tells which keys that thread has taken
// from its queue; keyseen.dll, hooked into the thread, notes which of them
// reached a window.
struct TKeyTarget {
  HWND window;
  DWORD threadId;
  HANDLE thread;
  const TKeySeen* seen;
};

bool ThreadEnded(const TKeyTarget& target) { return WaitForSingleObject(target.thread, 0) == WAIT_OBJECT_0; }

bool OfTargetThread(HWND window, const TKeyTarget& target) {
  return window && GetWindowThreadProcessId(window, nullptr) == target.threadId;
}

// A key goes to the window that has the focus when it is sent: the thread
// must own the window in front and have finished activating it, so that the
// focus is inside it (a key sent halfway would go to the bare frame).
bool ReadyForKeys(const TKeyTarget& target) {
  HWND front = GetForegroundWindow();
  GUITHREADINFO info = {};
  info.cbSize = sizeof(info);
  return OfTargetThread(front, target) && GetGUIThreadInfo(target.threadId, &info) &&
         info.hwndActive == front && info.hwndFocus &&
         (info.hwndFocus == front || IsChild(front, info.hwndFocus));
}

// What the thread has in front and in focus, for a report.
std::string FocusReport(const TKeyTarget& target) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof(info);
  GetGUIThreadInfo(target.threadId, &info);
  HWND front = GetForegroundWindow();
  char text[256] = {};
  if (front) GetWindowTextA(front, text, sizeof(text));
  return "in front \"" + std::string(text) + "\", active " +
         (info.hwndActive ? ClassOf(info.hwndActive) : "none") + ", focus " +
         (info.hwndFocus ? ClassOf(info.hwndFocus) : "none");
}

// Waits until the thread is ready for a key. Where the front went to no
// window or to another program's, the window is brought back, as a user
// would.
bool WaitUntilReadyForKeys(const std::string& chord, const TKeyTarget& target, const TOptions& options) {
  DWORD start = GetTickCount();
  while (!ReadyForKeys(target)) {
    if (GetTickCount() - start >= options.timeoutMs) {
      std::fprintf(stderr, "tarvdriver: at \"%s\", the window is not ready for keys: %s\n", chord.c_str(),
                   FocusReport(target).c_str());
      return false;
    }
    if (!OfTargetThread(GetForegroundWindow(), target) && IsWindow(target.window))
      SetForegroundWindow(target.window);
    Sleep(kPollMs);
  }
  return true;
}

bool KeyIsDown(WORD virtualKey) { return (GetKeyState(virtualKey) & 0x8000) != 0; }

// Whether the hook noted the key event after its first `before` notes.
bool NotedKeyEvent(const TKeyTarget& target, LONG before, const TKeyName& key, bool down) {
  for (LONG i = before; i < target.seen->count; ++i) {
    const TKeySeenEntry& entry = target.seen->entries[i % TKeySeen::kEntries];
    if (entry.virtualKey == key.virtualKey && entry.released == !down) return true;
  }
  return false;
}

enum class TKeyFate { Reached, Dropped, NotTaken };

// Waits until the thread has taken the key event sent after `before` notes.
// The hook notes a key before the thread's key state changes, so a changed
// state without a note means Wine dropped the key for want of a focus
// window. Where the state already was what the event makes it (the event
// goes out again after a drop), two round trips through the queue, which
// the thread answers only after taking what came before, stand in for it.
TKeyFate AwaitKeyEvent(const std::string& chord, const TKeyName& key, bool down, LONG before,
                       bool stateBefore, const TKeyTarget& target, const TOptions& options) {
  DWORD start = GetTickCount();
  for (;;) {
    const bool stateNow = KeyIsDown(key.virtualKey);  // read before the notes: see above
    if (NotedKeyEvent(target, before, key, down) || ThreadEnded(target)) return TKeyFate::Reached;
    if (stateBefore != down && stateNow == down) return TKeyFate::Dropped;
    if (stateBefore == down) {
      SyncWithQueue(target.window);
      SyncWithQueue(target.window);
      return NotedKeyEvent(target, before, key, down) || ThreadEnded(target) ? TKeyFate::Reached
                                                                             : TKeyFate::Dropped;
    }
    if (GetTickCount() - start >= options.timeoutMs) {
      std::fprintf(stderr, "tarvdriver: the key %u of \"%s\" was not taken within %lu ms\n", key.virtualKey,
                   chord.c_str(), static_cast<unsigned long>(options.timeoutMs));
      return TKeyFate::NotTaken;
    }
    Sleep(5);
  }
}

// Sends one key event of CHORD once the thread is ready for it, and waits
// until it has reached a window of the thread; a key Wine dropped goes out
// again. The release of a key that closed the window (and maybe ended the
// program) goes out unchecked.
bool SendKeyEvent(const std::string& chord, const TKeyName& key, bool down, const TKeyTarget& target,
                  const TOptions& options) {
  const bool closedByIt = !down && (ThreadEnded(target) || !IsWindow(target.window));
  constexpr int kAttempts = 3;
  for (int attempt = 1; attempt <= kAttempts; ++attempt) {
    if (!closedByIt && !WaitUntilReadyForKeys(chord, target, options)) return false;
    const bool stateBefore = KeyIsDown(key.virtualKey);
    const LONG before = target.seen->count;
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key.virtualKey;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(key.virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = (down ? 0 : KEYEVENTF_KEYUP) | (key.extended ? KEYEVENTF_EXTENDEDKEY : 0);
    if (SendInput(1, &input, sizeof(input)) != 1) return false;
    if (closedByIt) return true;
    switch (AwaitKeyEvent(chord, key, down, before, stateBefore, target, options)) {
      case TKeyFate::Reached: return true;
      case TKeyFate::NotTaken: return false;
      case TKeyFate::Dropped:
        std::fprintf(stderr, "tarvdriver: the %s of key %u of \"%s\" reached no window (%s); sent again\n",
                     down ? "press" : "release", key.virtualKey, chord.c_str(), FocusReport(target).c_str());
    }
  }
  std::fprintf(stderr, "tarvdriver: the key %u of \"%s\" reached no window %d times\n", key.virtualKey,
               chord.c_str(), kAttempts);
  return false;
}

// Types one chord such as "alt+f": its keys pressed in order, released in
// the reverse order.
bool SendChord(const std::string& chord, const TKeyTarget& target, const TOptions& options) {
  std::vector<TKeyName> keys;
  for (size_t from = 0; from <= chord.size();) {
    size_t plus = chord.find('+', from + 1);
    if (plus == std::string::npos) plus = chord.size();
    std::optional<TKeyName> key = KeyNamed(chord.substr(from, plus - from));
    if (!key) {
      std::fprintf(stderr, "tarvdriver: no key named \"%s\" in \"%s\"\n",
                   chord.substr(from, plus - from).c_str(), chord.c_str());
      return false;
    }
    keys.push_back(*key);
    from = plus + 1;
  }
  for (const TKeyName& key : keys)
    if (!SendKeyEvent(chord, key, true, target, options)) return false;
  for (auto key = keys.rbegin(); key != keys.rend(); ++key)
    if (!SendKeyEvent(chord, *key, false, target, options)) return false;
  return true;
}

// keyseen.dll hooked into the thread the keys are for, and the block where
// it notes the keys that thread takes (keyseen.h).
class TKeyWatch {
 public:
  bool Start(DWORD threadId) {
    HMODULE dll = LoadLibraryA("keyseen.dll");
    FARPROC hook = dll ? GetProcAddress(dll, "KeySeenHook") : nullptr;
    mapping_ = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(TKeySeen),
                                  KeySeenName(threadId).c_str());
    seen_ = mapping_ ? static_cast<TKeySeen*>(MapViewOfFile(mapping_, FILE_MAP_READ, 0, 0, sizeof(TKeySeen)))
                     : nullptr;
    hook_ = hook && seen_
                ? SetWindowsHookExA(WH_KEYBOARD, reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(hook)),
                                    dll, threadId)
                : nullptr;
    if (!hook_) std::fprintf(stderr, "tarvdriver: cannot watch the keys (error %lu)\n", GetLastError());
    return hook_ != nullptr;
  }
  ~TKeyWatch() {
    if (hook_) UnhookWindowsHookEx(hook_);
    if (seen_) UnmapViewOfFile(seen_);
    if (mapping_) CloseHandle(mapping_);
  }
  const TKeySeen* Seen() const { return seen_; }

 private:
  HANDLE mapping_ = nullptr;
  TKeySeen* seen_ = nullptr;
  HHOOK hook_ = nullptr;
};

// Brings the window in front and types the chords into its thread one at a
// time: each key event waits until it reached a window of the thread, and
// the last returns once the thread has handled it. Keys never go to a
// window of another thread, whatever has the X focus.
int Keys(const std::string& caption, const std::vector<std::string>& chords, const TOptions& options) {
  HWND window = BringToFront(caption, options);
  if (!window) return 2;
  MSG ignored;
  PeekMessageA(&ignored, nullptr, 0, 0, PM_NOREMOVE);  // AttachThreadInput needs our queue
  TKeyTarget target{window, GetWindowThreadProcessId(window, nullptr), nullptr, nullptr};
  TKeyWatch watch;
  if (!watch.Start(target.threadId)) return 3;
  target.seen = watch.Seen();
  target.thread = OpenThread(SYNCHRONIZE, FALSE, target.threadId);
  if (!target.thread || !AttachThreadInput(GetCurrentThreadId(), target.threadId, TRUE)) {
    std::fprintf(stderr, "tarvdriver: cannot share the input of \"%s\"\n", caption.c_str());
    return 3;
  }
  bool typed = true;
  std::string typedWhere;  // each chord and the focus it went to
  for (const std::string& chord : chords) {
    if (!(typed = WaitUntilReadyForKeys(chord, target, options))) break;
    typedWhere += " " + chord + " (" + FocusReport(target) + ")";
    if (!(typed = SendChord(chord, target, options))) break;
  }
  AttachThreadInput(GetCurrentThreadId(), target.threadId, FALSE);
  if (typed && IsWindow(window) && !ThreadEnded(target)) typed = SyncWithQueue(window);
  CloseHandle(target.thread);
  if (!typed) return 3;
  std::printf("keys %s:%s\n", caption.c_str(), typedWhere.c_str());
  return 0;
}

// RDW_UPDATENOW sends WM_PAINT to every window of the tree that has
// something to paint and returns when they have painted; the round trips
// then let the owner's thread hand its drawing to the display while idle.
int Painted(const std::string& caption, const TOptions& options) {
  HWND window = WaitForWindow(caption, options);
  if (!window) return 2;
  if (!RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN) || !SyncWithQueue(window))
    return 3;
  std::printf("painted %s\n", caption.c_str());
  return 0;
}

int Rect(const std::string& caption, const TOptions& options) {
  HWND window = WaitForWindow(caption, options);
  if (!window) return 2;
  PrintWindowLine(window);
  return 0;
}

int Controls(const std::string& caption, const TOptions& options) {
  HWND window = WaitForWindow(caption, options);
  if (!window) return 2;
  PrintWindowLine(window);
  EnumChildWindows(window, PrintControl, reinterpret_cast<LPARAM>(window));
  return 0;
}

HWND ChildById(HWND window, const std::string& id) {
  HWND child = GetDlgItem(window, std::atoi(id.c_str()));
  if (!child) std::fprintf(stderr, "tarvdriver: no control %s\n", id.c_str());
  return child;
}

int Text(const std::string& caption, const std::string& id, const TOptions& options) {
  HWND window = WaitForWindow(caption, options);
  HWND child = window ? ChildById(window, id) : nullptr;
  if (!child) return 2;
  std::string text = TextOf(child);
  std::fwrite(text.data(), 1, text.size(), stdout);
  return 0;
}

int Click(const std::string& caption, const std::string& buttonText, const TOptions& options) {
  HWND window = WaitForWindow(caption, options);
  if (!window) return 2;
  TButtonSearch search{&buttonText, nullptr};
  EnumChildWindows(window, FindButton, reinterpret_cast<LPARAM>(&search));
  if (!search.found) {
    std::fprintf(stderr, "tarvdriver: no button \"%s\" in \"%s\"\n", buttonText.c_str(), caption.c_str());
    return 2;
  }
  // The button is pressed from its own thread's queue, so that the dialog's
  // modal loop ends the dialog while this program goes on.
  if (!PostMessageA(search.found, BM_CLICK, 0, 0)) return 3;
  std::printf("clicked %s\n", buttonText.c_str());
  return 0;
}

// An absolute pointer position for SendInput: the screen spans 0-65535.
LONG Normalised(LONG pixel, int screenSize) { return MulDiv(pixel, 65535, screenSize - 1); }

// Clicks the centre of child ID with the left button, as a user does, once
// the child is what the system finds there. The click is sent as input, so
// Wine picks its window from its own window list, not from the X server's
// (which keeps a closed dialog's window until its thread next talks to it).
int Mouse(const std::string& caption, const std::string& id, const TOptions& options) {
  HWND window = BringToFront(caption, options);
  HWND child = window ? ChildById(window, id) : nullptr;
  if (!child) return 2;
  RECT rect;
  GetWindowRect(child, &rect);
  const POINT centre{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  DWORD start = GetTickCount();
  while (GetAncestor(WindowFromPoint(centre), GA_ROOT) != window) {
    if (GetTickCount() - start >= options.timeoutMs) {
      std::fprintf(stderr, "tarvdriver: another window covers control %s of \"%s\"\n", id.c_str(),
                   caption.c_str());
      return 3;
    }
    Sleep(kPollMs);
  }
  INPUT inputs[3] = {};
  for (INPUT& input : inputs) {
    input.type = INPUT_MOUSE;
    input.mi.dx = Normalised(centre.x, GetSystemMetrics(SM_CXSCREEN));
    input.mi.dy = Normalised(centre.y, GetSystemMetrics(SM_CYSCREEN));
  }
  inputs[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_ABSOLUTE;
  inputs[2].mi.dwFlags = MOUSEEVENTF_LEFTUP | MOUSEEVENTF_ABSOLUTE;
  if (SendInput(3, inputs, sizeof(INPUT)) != 3 || !SyncWithQueue(window)) return 3;
  std::printf("mouse %s %s\n", caption.c_str(), id.c_str());
  return 0;
}

int SetText(const std::string& caption, const std::string& id, const std::string& text,
            const TOptions& options) {
  HWND window = WaitForWindow(caption, options);
  HWND child = window ? ChildById(window, id) : nullptr;
  if (!child) return 2;
  return SendWithTimeout(child, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str())) ? 0 : 3;
}

int Resize(const std::string& caption, int width, int height, const TOptions& options) {
  HWND window = WaitForWindow(caption, options);
  if (!window) return 2;
  if (!SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE))
    return 3;
  SendWithTimeout(window, WM_NULL, 0, 0);  // the owner has handled the resize
  PrintWindowLine(window);
  return 0;
}

// The system command goes through the window's own queue, as a click on
// its caption button does; the window line follows once the window has
// taken its new state.
int Show(const std::string& caption, const std::string& how, const TOptions& options) {
  HWND window = WaitForWindow(caption, options);
  if (!window) return 2;
  const bool maximize = how == "maximize";
  if (!PostMessageA(window, WM_SYSCOMMAND, maximize ? SC_MAXIMIZE : SC_RESTORE, 0)) return 3;
  for (DWORD start = GetTickCount(); (IsZoomed(window) != FALSE) != maximize;) {
    if (GetTickCount() - start >= options.timeoutMs) return 3;
    Sleep(kPollMs);
  }
  if (!SyncWithQueue(window)) return 3;
  PrintWindowLine(window);
  return 0;
}

// The system copies list box texts across processes for these messages;
// Wine copies them as UTF-16 whichever function sends them, so the wide one
// does, and the text is made ANSI here.
std::string ListItem(HWND list, WPARAM index) {
  DWORD_PTR length = 0;
  if (!SendWithTimeout(list, LB_GETTEXTLEN, index, 0, &length) || length == static_cast<DWORD_PTR>(LB_ERR))
    return "";
  std::wstring wide(length + 1, L'\0');
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(wide.data()), SMTO_ABORTIFHUNG,
                           kSendTimeoutMs, &copied) ||
      copied > length)
    return "";
  wide.resize(copied);
  std::string text(wide.size() * 2 + 1, '\0');
  const int bytes = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), text.data(),
                                        static_cast<int>(text.size()), nullptr, nullptr);
  text.resize(bytes > 0 ? bytes : 0);
  return text;
}

int Items(const std::string& caption, const std::string& id, const TOptions& options) {
  HWND window = WaitForWindow(caption, options);
  HWND list = window ? ChildById(window, id) : nullptr;
  if (!list) return 2;
  DWORD_PTR count = 0;
  if (!SendWithTimeout(list, LB_GETCOUNT, 0, 0, &count)) return 3;
  for (DWORD_PTR i = 0; i < count; ++i) std::printf("%s\n", Escaped(ListItem(list, i), 400).c_str());
  return 0;
}

int Select(const std::string& caption, const std::string& id, int index, const TOptions& options) {
  HWND window = WaitForWindow(caption, options);
  HWND list = window ? ChildById(window, id) : nullptr;
  if (!list) return 2;
  DWORD_PTR result = 0;
  if (!SendWithTimeout(list, LB_SETCURSEL, index, 0, &result) || static_cast<LRESULT>(result) != index)
    return 3;
  const WPARAM change = MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE);
  if (!SendWithTimeout(window, WM_COMMAND, change, reinterpret_cast<LPARAM>(list))) return 3;
  std::printf("selected %d\n", index);
  return 0;
}

int Extent(const std::string& caption, const std::string& id, const TOptions& options) {
  HWND window = WaitForWindow(caption, options);
  HWND list = window ? ChildById(window, id) : nullptr;
  if (!list) return 2;
  DWORD_PTR extent = 0;
  if (!SyncWithQueue(window) || !SendWithTimeout(list, LB_GETHORIZONTALEXTENT, 0, 0, &extent)) return 3;
  RECT client;
  GetClientRect(list, &client);
  std::printf("extent %lu client %ld\n", static_cast<unsigned long>(extent), client.right);
  return 0;
}

int Close(const std::string& caption, const TOptions& options) {
  HWND window = WaitForWindow(caption, options);
  if (!window) return 2;
  if (!PostMessageA(window, WM_CLOSE, 0, 0)) return 3;
  std::printf("close posted to %s\n", caption.c_str());
  return 0;
}

BOOL CALLBACK PrintTitleOfClass(HWND window, LPARAM param) {
  if (IsOtherProcess(window) && ClassOf(window) == *reinterpret_cast<const std::string*>(param)) {
    char text[1024] = {};
    GetWindowTextA(window, text, sizeof(text));
    std::printf("%s\n", text);
  }
  return TRUE;
}

int Title(const std::string& windowClass) {
  EnumWindows(PrintTitleOfClass, reinterpret_cast<LPARAM>(&windowClass));
  return 0;
}

std::string QuotedCommandLine(const std::vector<std::string>& words) {
  std::string line;
  for (const std::string& word : words) {
    if (!line.empty()) line += ' ';
    line += word.find_first_of(" \t") == std::string::npos && !word.empty() ? word : "\"" + word + "\"";
  }
  return line;
}

int Run(const std::vector<std::string>& words) {
  std::string line = QuotedCommandLine(words);
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                      &process)) {
    std::fprintf(stderr, "tarvdriver: cannot start %s (error %lu)\n", line.c_str(), GetLastError());
    return 3;
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  std::printf("exit %lu\n", static_cast<unsigned long>(code));
  return 0;
}

int Open(const std::string& verb, const std::string& file) {
  // The shell may hand the verb to a COM handler, so COM is set up as the
  // shell's documentation asks.
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
  SHELLEXECUTEINFOA request = {};
  request.cbSize = sizeof(request);
  request.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
  request.lpVerb = verb.c_str();
  request.lpFile = file.c_str();
  request.nShow = SW_SHOWNORMAL;
  if (!ShellExecuteExA(&request)) {
    std::fprintf(stderr, "tarvdriver: cannot %s %s (error %lu)\n", verb.c_str(), file.c_str(),
                 GetLastError());
    return 3;
  }
  // The shell gives no process handle when it hands the request on, as
  // Wine does for shortcuts.
  if (!request.hProcess) {
    std::printf("started\n");
    return 0;
  }
  WaitForSingleObject(request.hProcess, INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(request.hProcess, &code);
  CloseHandle(request.hProcess);
  std::printf("exit %lu\n", static_cast<unsigned long>(code));
  return 0;
}

// The IDs of the processes whose executable file is named EXE.
std::vector<DWORD> ProcessesNamed(const std::string& exe) {
  std::vector<DWORD> found;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return found;
  PROCESSENTRY32 entry = {};
  entry.dwSize = sizeof(entry);
  for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
    if (lstrcmpiA(entry.szExeFile, exe.c_str()) == 0) found.push_back(entry.th32ProcessID);
  CloseHandle(snapshot);
  return found;
}

int Running(const std::string& exe, size_t count, const TOptions& options) {
  DWORD start = GetTickCount();
  while (ProcessesNamed(exe).size() < count) {
    if (GetTickCount() - start >= options.timeoutMs) {
      std::fprintf(stderr, "tarvdriver: fewer than %u processes \"%s\" after %lu ms\n",
                   static_cast<unsigned>(count), exe.c_str(), static_cast<unsigned long>(options.timeoutMs));
      return 2;
    }
    Sleep(kPollMs);
  }
  std::printf("running %s\n", exe.c_str());
  return 0;
}

int End(const std::string& exe) {
  int ended = 0;
  for (DWORD id : ProcessesNamed(exe)) {
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id);
    if (!process) continue;
    if (TerminateProcess(process, 1) && WaitForSingleObject(process, kSendTimeoutMs) == WAIT_OBJECT_0)
      ++ended;
    CloseHandle(process);
  }
  std::printf("ended %d\n", ended);
  return 0;
}

int Dpi() {
  HDC screen = GetDC(nullptr);
  std::printf("%d\n", GetDeviceCaps(screen, LOGPIXELSY));
  ReleaseDC(nullptr, screen);
  return 0;
}

int Owner(const std::string& caption, const TOptions& options) {
  HWND window = WaitForWindow(caption, options);
  if (!window) return 2;
  HWND owner = GetWindow(window, GW_OWNER);
  if (!owner) {
    std::printf("owner none\n");
    return 0;
  }
  std::printf("owner %s %s\n", TextOf(owner).c_str(), IsWindowEnabled(owner) ? "enabled" : "disabled");
  return 0;
}

std::string WholeFile(const std::string& path) {
  std::string text;
  if (FILE* file = std::fopen(path.c_str(), "rb")) {
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof(buffer), file)) > 0;) text.append(buffer, n);
    std::fclose(file);
  }
  return text;
}

// The other texts, "ID=TEXT" each, as lines "ID TEXT".
void WriteOtherTexts(const std::string& path, const std::vector<std::string>& otherTexts) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return;
  for (std::string text : otherTexts) {
    const size_t equals = text.find('=');
    if (equals != std::string::npos) text[equals] = ' ';
    std::fprintf(file, "%s\n", text.c_str());
  }
  std::fclose(file);
}

// Sends the request until a report comes back: a program that has only just
// shown its window (slow under emulation) may not serve the first one in time.
std::string RequestReport(HWND window, WPARAM request, const std::string& report) {
  constexpr int kAttempts = 3;
  constexpr UINT kMeasureTimeoutMs = 20000;
  std::string text;
  for (int attempt = 0; attempt < kAttempts && text.find("checked ") == std::string::npos; ++attempt) {
    DWORD_PTR ignored = 0;
    if (!SendMessageTimeoutA(window, TextFitRequestMessage(), request, 0, SMTO_NORMAL, kMeasureTimeoutMs,
                             &ignored))
      std::fprintf(stderr, "tarvdriver: measuring request %d unanswered (error %lu)\n", attempt + 1,
                   GetLastError());
    text = WholeFile(report);
  }
  return text;
}

// A font handle means nothing outside the process that made it, so the
// measuring runs inside the program that shows the window: textfit.dll,
// hooked into the window's thread, measures every control when the window
// receives the request and writes its report to a file.
int Cuts(const std::string& caption, const std::vector<std::string>& otherTexts, const TOptions& options) {
  HWND window = WaitForWindow(caption, options);
  if (!window) return 2;
  HMODULE dll = LoadLibraryA("textfit.dll");
  FARPROC address = dll ? GetProcAddress(dll, "TextFitHook") : nullptr;
  if (!address) {
    std::fprintf(stderr, "tarvdriver: no textfit.dll beside the driver (error %lu)\n", GetLastError());
    return 3;
  }
  auto hook = reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(address));
  const WPARAM request = GetCurrentProcessId();
  const std::string report = TextFitReportPath(request), others = TextFitOtherTextsPath(request);
  DeleteFileA(report.c_str());
  WriteOtherTexts(others, otherTexts);
  HHOOK installed = SetWindowsHookExA(WH_CALLWNDPROC, hook, dll, GetWindowThreadProcessId(window, nullptr));
  const std::string text = installed ? RequestReport(window, request, report) : std::string();
  if (installed) UnhookWindowsHookEx(installed);
  DeleteFileA(report.c_str());
  DeleteFileA(others.c_str());
  if (text.find("checked ") == std::string::npos) {
    std::fprintf(stderr, "tarvdriver: no measurement came from the window \"%s\"\n", caption.c_str());
    return 3;
  }
  std::fwrite(text.data(), 1, text.size(), stdout);
  return 0;
}

int Usage() {
  std::fprintf(stderr,
               "usage: tarvdriver [--class NAME|*] [--timeout MS] "
               "wait|gone|idle|painted|close|rect|controls|owner CAPTION\n"
               "       tarvdriver [options] cuts CAPTION [ID=TEXT...]\n"
               "       tarvdriver [options] text|mouse|click CAPTION ID|BUTTONTEXT\n"
               "       tarvdriver [options] settext CAPTION ID TEXT | resize CAPTION W H\n"
               "       tarvdriver [options] show CAPTION maximize|restore | items|extent CAPTION ID\n"
               "       tarvdriver [options] select CAPTION ID INDEX | keys CAPTION KEY...\n"
               "       tarvdriver [--timeout MS] running EXE COUNT | end EXE\n"
               "       tarvdriver title CLASS | run COMMANDLINE... | open VERB FILE | dpi\n");
  return 1;
}

int Dispatch(const std::vector<std::string>& args, const TOptions& options) {
  if (args.empty()) return Usage();
  const std::string& command = args[0];
  size_t count = args.size() - 1;
  if (command == "dpi" && count == 0) return Dpi();
  if (command == "run" && count >= 1) return Run({args.begin() + 1, args.end()});
  if (command == "open" && count == 2) return Open(args[1], args[2]);
  if (command == "title" && count == 1) return Title(args[1]);
  if (command == "running" && count == 2)
    return Running(args[1], static_cast<size_t>(std::atoi(args[2].c_str())), options);
  if (command == "end" && count == 1) return End(args[1]);
  if (command == "wait" && count == 1) return Wait(args[1], options);
  if (command == "gone" && count == 1) return Gone(args[1], options);
  if (command == "idle" && count == 1) return Idle(args[1], options);
  if (command == "keys" && count >= 2) return Keys(args[1], {args.begin() + 2, args.end()}, options);
  if (command == "close" && count == 1) return Close(args[1], options);
  if (command == "painted" && count == 1) return Painted(args[1], options);
  if (command == "rect" && count == 1) return Rect(args[1], options);
  if (command == "controls" && count == 1) return Controls(args[1], options);
  if (command == "cuts" && count >= 1) return Cuts(args[1], {args.begin() + 2, args.end()}, options);
  if (command == "owner" && count == 1) return Owner(args[1], options);
  if (command == "text" && count == 2) return Text(args[1], args[2], options);
  if (command == "click" && count == 2) return Click(args[1], args[2], options);
  if (command == "mouse" && count == 2) return Mouse(args[1], args[2], options);
  if (command == "settext" && count == 3) return SetText(args[1], args[2], args[3], options);
  if (command == "show" && count == 2) return Show(args[1], args[2], options);
  if (command == "items" && count == 2) return Items(args[1], args[2], options);
  if (command == "extent" && count == 2) return Extent(args[1], args[2], options);
  if (command == "select" && count == 3) return Select(args[1], args[2], std::atoi(args[3].c_str()), options);
  if (command == "resize" && count == 3)
    return Resize(args[1], std::atoi(args[2].c_str()), std::atoi(args[3].c_str()), options);
  return Usage();
}

}  // namespace

int main(int argc, char** argv) {
  _setmode(_fileno(stdout), _O_BINARY);
  TOptions options;
  std::vector<std::string> args(argv + 1, argv + argc);
  while (args.size() >= 2 && (args[0] == "--class" || args[0] == "--timeout")) {
    if (args[0] == "--class")
      options.windowClass = args[1];
    else
      options.timeoutMs = static_cast<DWORD>(std::strtoul(args[1].c_str(), nullptr, 10));
    args.erase(args.begin(), args.begin() + 2);
  }
  // The runner stretches every deadline on a slow or loaded machine.
  if (const char* factor = std::getenv("TARV_WAIT_FACTOR"))
    options.timeoutMs *= std::max(1ul, std::strtoul(factor, nullptr, 10));
  int status = Dispatch(args, options);
  std::fflush(stdout);
  return status;
}
