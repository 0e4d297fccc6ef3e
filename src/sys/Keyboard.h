// The platform's synthetic keyboard: the layout look-ups and keybd_event that
// playing a key-code string needs. Winfuncs translates key descriptions and
// decides which events to send; the keyboard only carries them out.
#pragma once

#include <cstdint>
#include <string>

constexpr uint32_t kKeyEventKeyUp = 2;  // KEYEVENTF_KEYUP

class IKeyboard {
 public:
  virtual ~IKeyboard() = default;
  /// False where the system has no window system to type into.
  virtual bool CanSendKeys() = 0;
  /// Why keys cannot be sent, in words for the user; empty when they can or
  /// when the reason is no more than that there is no window system.
  virtual std::string Unavailable() { return {}; }
  /// VkKeyScanA: virtual key in the low byte, shift state in the high byte;
  /// -1 when the layout has no key for the character.
  virtual int16_t VkKeyScan(unsigned char character) = 0;
  /// MapVirtualKeyA(virtualKey, 0): the scan code.
  virtual uint32_t MapVirtualKey(uint32_t virtualKey) = 0;
  virtual void KeybdEvent(uint8_t virtualKey, uint8_t scan, uint32_t flags) = 0;
  /// The toolkit's processing of pending messages; never ends the program.
  virtual void ProcessMessages() = 0;
};
