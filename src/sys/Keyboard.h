// The platform's synthetic keyboard. Winfuncs translates a key description
// into key events (virtual keys with their scan codes, and characters that
// the layout has no key for) and decides which events to send; the keyboard
// carries them out, answers the layout look-ups, and tells when the window
// that took the keys has read them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

/// One synthetic keyboard event: a virtual key going down or up, or, when
/// `virtualKey` is 0, a character typed as itself whatever the layout
/// (Win32: SendInput with KEYEVENTF_UNICODE).
struct TKeyEvent {
  uint8_t virtualKey = 0;
  uint16_t scan = 0;
  char32_t character = 0;  // a Unicode code point, for a character event
  bool up = false;
  bool extended = false;  // an extended key (arrows, Home, Insert, Windows...)

  bool operator==(const TKeyEvent&) const = default;
};

class IKeyboard {
 public:
  virtual ~IKeyboard() = default;
  /// False where the system has no window system to type into.
  virtual bool CanSendKeys() = 0;
  /// Why keys cannot be sent, in words for the user; empty when they can or
  /// when the reason is no more than that there is no window system.
  virtual std::string Unavailable() { return {}; }
  /// The characters of a text of the program (Win32: the ANSI code page,
  /// MultiByteToWideChar with CP_ACP) as Unicode code points.
  virtual std::u32string DecodeText(std::string_view text) = 0;
  /// VkKeyScanW: virtual key in the low byte, shift state in the high byte
  /// (1 Shift, 2 Ctrl, 4 Alt); -1 when the layout has no key for it, or only
  /// a dead key (one that changes the next character instead of typing).
  virtual int16_t KeyForCharacter(char32_t character) = 0;
  /// MapVirtualKey(virtualKey, MAPVK_VK_TO_VSC): the scan code.
  virtual uint32_t MapVirtualKey(uint32_t virtualKey) = 0;
  /// Sends the events in order to whatever window has the keyboard focus; a
  /// back end may wait within, up to the deadline last given to
  /// WaitUntilKeysTaken, for the target to read part of them. False when the
  /// system refused them (all or some: Win32 SendInput blocked by a window of
  /// higher integrity).
  virtual bool SendKeyEvents(const std::vector<TKeyEvent>& events) = 0;
  /// Returns when the thread of the window in front has read every event sent
  /// so far (true), or false when it had not within `timeoutMs`. With no
  /// window in front there is nobody to wait for: true at once.
  virtual bool WaitUntilKeysTaken(uint32_t timeoutMs) = 0;
  /// The toolkit's processing of pending messages; never ends the program.
  /// False when a request to end the program is waiting (it stays queued
  /// for the next serving of the queue outside the typing).
  virtual bool ProcessMessages() = 0;
};
