// Synthetic keystrokes on Win32: the keyboard layout's look-ups and
// keybd_event, which types into whatever window has the focus.

// clang-format off
// The interface comes before windows.h, whose A/W selector macros would
// otherwise rename its methods.
#include "sys/win32/Win32BackEnd.h"
#include <windows.h>
#undef VkKeyScan
#undef MapVirtualKey
// clang-format on

namespace {

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

class TWin32Keyboard : public IKeyboard {
 public:
  bool CanSendKeys() override { return true; }
  int16_t VkKeyScan(unsigned char character) override { return ::VkKeyScanA(static_cast<CHAR>(character)); }
  uint32_t MapVirtualKey(uint32_t virtualKey) override { return ::MapVirtualKeyA(virtualKey, 0); }

  void KeybdEvent(uint8_t virtualKey, uint8_t scan, uint32_t flags) override {
    keybd_event(virtualKey, scan, flags, 0);
  }

  // Dispatches what is queued, so that the program's own windows take the
  // keys too; stops before a quit or close request.
  void ProcessMessages() override {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (IsEndRequest(msg)) return RequeueEndRequest(msg);
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
};

}  // namespace

IKeyboard& Win32Keyboard() {
  static TWin32Keyboard keyboard;
  return keyboard;
}
