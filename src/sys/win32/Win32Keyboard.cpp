// Synthetic keystrokes on Win32: the keyboard layout's look-ups, SendInput
// (which types into whatever window has the focus), and the wait until the
// window in front has read what was sent.
//
// What the wait relies on: SendInput only queues the events; the system
// hands them to the input queue of the thread that has the focus, and that
// thread reads them whenever it gets round to it. A thread's key state
// (GetKeyState) changes only when the thread reads a key message, and the
// low bit of a key's state flips with every press of the key that is read.
// Attached to the target thread's input (AttachThreadInput), our thread
// shares that key state. So before sending a keystroke we note the state of
// its last pressed key; once that bit has flipped and the key is up again,
// the target has read every event of the keystroke. Without the attachment
// (refused, or a hung target) we fall back to a WM_NULL round trip, which
// proves only that the target's message loop has run since.

// clang-format off
// The interface comes before windows.h, whose A/W selector macros would
// otherwise rename its methods.
#include "sys/win32/Win32BackEnd.h"
#include <windows.h>
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

// The key whose state shows that a sequence has been read: its last press.
WORD LastPressedKey(const std::vector<INPUT>& inputs) {
  for (auto input = inputs.rbegin(); input != inputs.rend(); ++input)
    if (!(input->ki.dwFlags & KEYEVENTF_KEYUP)) return input->ki.wVk ? input->ki.wVk : VK_PACKET;
  return 0;
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

  int16_t KeyForCharacter(char32_t character) override {
    if (character >= 0x10000) return -1;
    return ::VkKeyScanW(static_cast<WCHAR>(character));
  }

  uint32_t MapVirtualKey(uint32_t virtualKey) override {
    return ::MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
  }

  bool SendKeyEvents(const std::vector<TKeyEvent>& events) override {
    std::vector<INPUT> inputs;
    for (const TKeyEvent& event : events) AddEvent(inputs, event);
    if (inputs.empty()) return true;
    Detach();
    WatchTarget(LastPressedKey(inputs));
    UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    return sent == inputs.size();
  }

  bool WaitUntilKeysTaken(uint32_t timeoutMs) override {
    bool taken = WaitForTarget(timeoutMs);
    Detach();
    target_ = nullptr;
    return taken;
  }

  // Dispatches what is queued, so that the program's own windows take the
  // keys too; stops before a quit or close request.
  bool ProcessMessages() override { return DispatchQueued(); }

 private:
  // Notes the window in front and the state of `key` as its thread sees it.
  void WatchTarget(WORD key) {
    target_ = GetForegroundWindow();
    key_ = key;
    if (!target_ || !key_) return;
    targetThread_ = GetWindowThreadProcessId(target_, nullptr);
    DWORD self = GetCurrentThreadId();
    // A hung thread would never read the keys; attaching to it gains nothing.
    if (targetThread_ != self && !IsHungAppWindow(target_) && AttachThreadInput(self, targetThread_, TRUE))
      attachedThread_ = targetThread_;
    keyStateBefore_ = GetKeyState(key_);
  }

  bool CanReadTargetKeyState() const { return attachedThread_ != 0 || targetThread_ == GetCurrentThreadId(); }

  bool KeyWasRead() const {
    SHORT state = GetKeyState(key_);
    return ((state ^ keyStateBefore_) & 1) != 0 && (state & 0x8000) == 0;
  }

  bool WaitForTarget(uint32_t timeoutMs) {
    if (!target_ || !key_ || !IsWindow(target_)) return true;
    if (!CanReadTargetKeyState()) {
      DWORD_PTR result = 0;
      return SendMessageTimeoutA(target_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, timeoutMs, &result) != 0;
    }
    DWORD start = GetTickCount();
    for (;;) {
      // Our own window in front reads its keys only when we serve the queue.
      // A request to end the program stops the typing anyway.
      if (targetThread_ == GetCurrentThreadId() && !DispatchQueued()) return true;
      if (KeyWasRead()) return true;
      if (GetTickCount() - start >= timeoutMs) return false;
      MsgWaitForMultipleObjects(0, nullptr, FALSE, kPollMs, QS_ALLINPUT);
    }
  }

  void Detach() {
    if (attachedThread_) AttachThreadInput(GetCurrentThreadId(), attachedThread_, FALSE);
    attachedThread_ = 0;
  }

  HWND target_ = nullptr;
  DWORD targetThread_ = 0;
  DWORD attachedThread_ = 0;
  WORD key_ = 0;
  SHORT keyStateBefore_ = 0;
};

}  // namespace

IKeyboard& Win32Keyboard() {
  static TWin32Keyboard keyboard;
  return keyboard;
}
