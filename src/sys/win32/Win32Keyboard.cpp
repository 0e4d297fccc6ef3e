// Synthetic keystrokes on Win32: the keyboard layout's look-ups, SendInput
// (which types into whatever window has the focus), and the wait until the
// window in front has read what was sent.
//
// What the wait relies on: SendInput only queues the events; the system
// hands them to the input queue of the thread that has the focus, which
// reads them, in order, whenever it gets round to it. A thread's key state
// (GetKeyState) changes only as the thread reads key messages, and our
// thread shares it while attached to the target's input (AttachThreadInput).
// So a keystroke is sent in two parts: up to its last key press, then the
// rest. Once the key shows down, the target has read the first part (and,
// the queue being in order, everything sent before it); the rest is sent,
// and once every key it lets go shows up again, the target has read the
// whole keystroke. Without the attachment (refused, or a hung target) we
// fall back to a WM_NULL round trip, which proves only that the target's
// message loop has run since.
//
// Attaching resets the shared key state (documented, and so under Wine),
// which would drop a modifier that the script holds: we stay attached while
// any key we pressed is down, and attach afresh only when no key is held or
// the window in front belongs to another thread.
// clang-format off
// The interface comes before windows.h, whose A/W selector macros would
// otherwise rename its methods.
#include "sys/win32/Win32BackEnd.h"
#include <windows.h>
#include <map>
#include <set>
#include <utility>
#undef MapVirtualKey
// clang-format on

namespace {

constexpr DWORD kPollMs = 1;

bool IsEndRequest(const MSG& msg) {
  if (msg.message == WM_QUIT || msg.message == WM_CLOSE) return true;
  return msg.message == WM_SYSCOMMAND && msg.wParam == SC_CLOSE;
}

// Typing must not end the program half-way, and a quit or close request
// must not be lost either: it goes back into the queue, where the next
// serving of the queue outside the typing honours it.
void RequeueEndRequest(const MSG& msg) {
  if (msg.message == WM_QUIT)
    PostQuitMessage(static_cast<int>(msg.wParam));
  else if (msg.hwnd)
    PostMessageA(msg.hwnd, msg.message, msg.wParam, msg.lParam);
  else
    PostThreadMessageA(GetCurrentThreadId(), msg.message, msg.wParam, msg.lParam);
}

// Dispatches what is queued; false (and the request requeued) when a quit
// or close request was found.
bool DispatchQueued() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (IsEndRequest(msg)) {
      RequeueEndRequest(msg);
      return false;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return true;
}

void AddUnit(std::vector<INPUT>& inputs, WORD vk, WORD scan, DWORD flags) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = vk;
  input.ki.wScan = scan;
  input.ki.dwFlags = flags;
  inputs.push_back(input);
}

// A character event is one or two UTF-16 units, each sent as itself.
void AddEvent(std::vector<INPUT>& inputs, const TKeyEvent& event) {
  DWORD up = event.up ? KEYEVENTF_KEYUP : 0;
  if (event.virtualKey != 0) {
    AddUnit(inputs, event.virtualKey, event.scan, up | (event.extended ? KEYEVENTF_EXTENDEDKEY : 0));
    return;
  }
  char32_t c = event.character;
  if (c < 0x10000) return AddUnit(inputs, 0, static_cast<WORD>(c), up | KEYEVENTF_UNICODE);
  c -= 0x10000;
  AddUnit(inputs, 0, static_cast<WORD>(0xD800 + (c >> 10)), up | KEYEVENTF_UNICODE);
  AddUnit(inputs, 0, static_cast<WORD>(0xDC00 + (c & 0x3FF)), up | KEYEVENTF_UNICODE);
}

WORD KeyOf(const INPUT& input) { return input.ki.wVk ? input.ki.wVk : VK_PACKET; }
bool IsUp(const INPUT& input) { return (input.ki.dwFlags & KEYEVENTF_KEYUP) != 0; }

// Where the second part of a keystroke starts: after its last press that is
// let go later in the keystroke (0: no such press; all is one part).
size_t SplitPoint(const std::vector<INPUT>& inputs) {
  for (size_t i = inputs.size(); i-- > 0;) {
    if (IsUp(inputs[i])) continue;
    for (size_t j = i + 1; j < inputs.size(); ++j)
      if (IsUp(inputs[j]) && KeyOf(inputs[j]) == KeyOf(inputs[i])) return i + 1;
  }
  return 0;
}

bool Send(const INPUT* inputs, size_t count) {
  return SendInput(static_cast<UINT>(count), const_cast<INPUT*>(inputs), sizeof(INPUT)) == count;
}

// The keyboard layout of the window in front: the one whose keys it reads.
HKL TargetLayout() {
  HWND front = GetForegroundWindow();
  return GetKeyboardLayout(front ? GetWindowThreadProcessId(front, nullptr) : 0);
}

// The shift states that type characters: none, Shift, AltGr (Ctrl+Alt) and
// Shift+AltGr, in the high byte as VkKeyScan gives them.
constexpr BYTE kShiftStates[] = {0, 1, 6, 7};

// The key that types the character, found by asking the layout key by key.
// VkKeyScanEx alone misses characters of some layouts' shift levels (Wine's
// US layout knows no key for "(" or ")"). -1 when no key types it alone.
SHORT SearchLayout(WCHAR character, HKL layout) {
  BYTE state[256] = {};
  for (BYTE shift : kShiftStates) {
    state[VK_SHIFT] = (shift & 1) ? 0x80 : 0;
    state[VK_CONTROL] = state[VK_MENU] = (shift & 6) ? 0x80 : 0;
    for (UINT vk = 0x20; vk < 0xFF; ++vk) {
      WCHAR typed[4] = {};
      const UINT scan = MapVirtualKeyExW(vk, MAPVK_VK_TO_VSC, layout);
      // Flag 4: the look-up leaves the keyboard's dead-key state alone.
      if (scan != 0 && ToUnicodeEx(vk, scan, state, typed, 4, 4, layout) == 1 && typed[0] == character)
        return static_cast<SHORT>(shift << 8 | vk);
    }
  }
  return -1;
}

class TWin32Keyboard : public IKeyboard {
 public:
  bool CanSendKeys() override { return true; }

  std::u32string DecodeText(std::string_view text) override {
    if (text.empty()) return {};
    int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    std::u32string characters;
    for (size_t i = 0; i < wide.size(); ++i) {
      char32_t c = static_cast<char16_t>(wide[i]);
      if (c >= 0xD800 && c < 0xDC00 && i + 1 < wide.size()) {
        char32_t low = static_cast<char16_t>(wide[i + 1]);
        if (low >= 0xDC00 && low < 0xE000) {
          c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
          ++i;
        }
      }
      characters += c;
    }
    return characters;
  }

  // A dead key (the accent keys of many layouts, the quote keys of US
  // International) types nothing by itself and changes the next character:
  // such a character is reported as having no key, so it is typed as itself.
  // The layout is the target's: the window in front reads the keys through
  // its own layout, which may differ from ours.
  int16_t KeyForCharacter(char32_t character) override {
    if (character >= 0x10000) return -1;
    const HKL layout = TargetLayout();
    auto [found, isNew] = keys_.try_emplace({layout, character}, 0);
    if (isNew) found->second = LookUpKey(static_cast<WCHAR>(character), layout);
    return found->second;
  }

  uint32_t MapVirtualKey(uint32_t virtualKey) override {
    return ::MapVirtualKeyExW(virtualKey, MAPVK_VK_TO_VSC, TargetLayout());
  }

  bool SendKeyEvents(const std::vector<TKeyEvent>& events) override {
    std::vector<INPUT> inputs;
    for (const TKeyEvent& event : events) AddEvent(inputs, event);
    if (inputs.empty()) return true;
    HWND front = GetForegroundWindow();
    DWORD frontThread = front ? GetWindowThreadProcessId(front, nullptr) : 0;
    if (!attachedThread_ || frontThread != attachedThread_) {
      Detach();
      AttachToTarget(front);
    }
    target_ = front;
    NoteHeldKeys(inputs);
    size_t split = SplitPoint(inputs);
    if (split > 0) {
      if (!Send(inputs.data(), split)) return false;
      // A target that does not read the press in time is not waited for
      // again within the keystroke; the rest goes after it all the same.
      targetResponds_ = WaitForKeys(inputs.data(), split, timeoutMs_);
    }
    pending_.assign(inputs.begin() + static_cast<std::ptrdiff_t>(split), inputs.end());
    return Send(pending_.data(), pending_.size());
  }

  bool WaitUntilKeysTaken(uint32_t timeoutMs) override {
    timeoutMs_ = timeoutMs;
    bool taken = targetResponds_ && WaitForKeys(pending_.data(), pending_.size(), timeoutMs);
    pending_.clear();
    targetResponds_ = true;
    if (held_.empty()) Detach();
    return taken;
  }

  // Dispatches what is queued, so that the program's own windows take the
  // keys too; stops before a quit or close request.
  bool ProcessMessages() override { return DispatchQueued(); }

 private:
  static SHORT LookUpKey(WCHAR character, HKL layout) {
    SHORT key = ::VkKeyScanExW(character, layout);
    if (key == -1) key = SearchLayout(character, layout);
    if (key == -1) return -1;
    const bool deadKey = (::MapVirtualKeyExW(key & 0xFF, MAPVK_VK_TO_CHAR, layout) & 0x80000000u) != 0;
    return deadKey ? -1 : key;
  }

  void NoteHeldKeys(const std::vector<INPUT>& inputs) {
    for (const INPUT& input : inputs) {
      if (IsUp(input))
        held_.erase(KeyOf(input));
      else
        held_.insert(KeyOf(input));
    }
  }

  // Notes the window in front and attaches to its thread's input.
  void AttachToTarget(HWND front) {
    target_ = front;
    targetThread_ = target_ ? GetWindowThreadProcessId(target_, nullptr) : 0;
    DWORD self = GetCurrentThreadId();
    // A hung thread would never read the keys; attaching to it gains nothing.
    if (target_ && targetThread_ != self && !IsHungAppWindow(target_) &&
        AttachThreadInput(self, targetThread_, TRUE))
      attachedThread_ = targetThread_;
  }

  bool CanReadTargetKeyState() const { return attachedThread_ != 0 || targetThread_ == GetCurrentThreadId(); }

  // Every key of the events shows as the last of them left it.
  static bool KeysRead(const INPUT* inputs, size_t count) {
    for (size_t i = 0; i < count; ++i) {
      bool laterEventOfKey = false;
      for (size_t j = i + 1; j < count && !laterEventOfKey; ++j)
        laterEventOfKey = KeyOf(inputs[j]) == KeyOf(inputs[i]);
      if (laterEventOfKey) continue;
      bool down = (GetKeyState(KeyOf(inputs[i])) & 0x8000) != 0;
      if (down == IsUp(inputs[i])) return false;
    }
    return true;
  }

  bool WaitForKeys(const INPUT* inputs, size_t count, uint32_t timeoutMs) {
    if (!target_ || count == 0 || !IsWindow(target_)) return true;
    if (!CanReadTargetKeyState()) {
      DWORD_PTR result = 0;
      return SendMessageTimeoutA(target_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, timeoutMs, &result) != 0;
    }
    DWORD start = GetTickCount();
    for (;;) {
      // Our own window in front reads its keys only when we serve the queue.
      // A request to end the program stops the typing anyway.
      if (targetThread_ == GetCurrentThreadId() && !DispatchQueued()) return true;
      if (KeysRead(inputs, count)) return true;
      if (GetTickCount() - start >= timeoutMs) return false;
      MsgWaitForMultipleObjects(0, nullptr, FALSE, kPollMs, QS_ALLINPUT);
    }
  }

  void Detach() {
    if (attachedThread_) AttachThreadInput(GetCurrentThreadId(), attachedThread_, FALSE);
    attachedThread_ = 0;
    target_ = nullptr;
  }

  HWND target_ = nullptr;
  DWORD targetThread_ = 0;
  DWORD attachedThread_ = 0;
  std::vector<INPUT> pending_;  // the last part sent, not yet known to be read
  uint32_t timeoutMs_ = 5000;   // the caller's deadline, as last given (also for the presses)
  bool targetResponds_ = true;
  std::set<WORD> held_;                             // keys we pressed and have not let go
  std::map<std::pair<HKL, char32_t>, SHORT> keys_;  // layouts' keys of the characters typed so far
};

}  // namespace

IKeyboard& Win32Keyboard() {
  static TWin32Keyboard keyboard;
  return keyboard;
}
