// The keyboard on X: virtual keys become keysyms and go through XTest
// (X11KeyTyper). Letters, digits and the blank are keys with virtual keys of
// their own, as on Windows, so that "^c" is Ctrl with the C key; whether
// they need Shift is what the layout in use says (the digits of a French
// layout do). Every other character, and one that needs AltGr, is typed as
// itself: by its keysym, with the key and level the layout puts it on, or
// on a borrowed spare key where the layout has none.
//
// The program's 8-bit text is UTF-8.
#include <chrono>
#include <memory>
#include <thread>

#include "sys/posix/PosixBackEnd.h"
#include "sys/x11/X11Display.h"
#include "sys/x11/X11KeyTyper.h"
#include "sys/x11/X11Layout.h"
#include "sys/x11/X11Protocols.h"
#include "util/TextEncoding.h"

namespace {

// X tells nobody when a client that does not answer pings has read its
// keys, and a client looks a key up in the keyboard map when it reads it:
// typing waits this long after the server took a borrowed key, and the key
// keeps its character until it has not been pressed for kBorrowedKeyHold,
// for a client that reads late on a busy machine.
constexpr auto kReadingTime = std::chrono::milliseconds(100);
constexpr auto kBorrowedKeyHold = std::chrono::milliseconds(2000);

// The virtual key of a letter, digit or the blank (that of the capital for
// a small letter), 0 for any other character.
uint8_t VirtualKeyOf(char32_t c) {
  if (c >= 'a' && c <= 'z') return static_cast<uint8_t>(c - 'a' + 'A');
  if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ' ') return static_cast<uint8_t>(c);
  return 0;
}

class TX11Keyboard : public IKeyboard {
 public:
  bool CanSendKeys() override {
    TX11KeyTyper* typer = Typer();
    return typer && typer->Usable();
  }
  std::string Unavailable() override {
    if (!X11Display().Unavailable().empty()) return X11Display().Unavailable();
    return CanSendKeys() ? "" : "the X server has no XTest extension to send keystrokes through";
  }
  // A malformed byte becomes U+FFFD, which is typed: the user sees it.
  std::u32string DecodeText(std::string_view text) override { return DecodeUtf8(text); }
  int16_t KeyForCharacter(char32_t c) override {
    uint8_t vk = VirtualKeyOf(c);
    Display* display = X11Display().Get();
    if (vk == 0 || !display) return -1;  // typed as itself
    TKeyPlace place = TX11Layout(display).Find(KeysymForCharacter(c));
    if (place.keycode == 0) return -1;
    // A level beyond Shift is reached with the level-3 key, which the
    // virtual keys Ctrl and Alt are not on X: the typer presses it itself.
    const uint8_t shiftState = WindowsShiftState(place.modifiers);
    if (shiftState & ~1u) return -1;
    return static_cast<int16_t>(vk | shiftState << 8);
  }
  uint32_t MapVirtualKey(uint32_t) override { return 0; }  // X keys need no scan codes

  bool SendKeyEvents(const std::vector<TKeyEvent>& events) override {
    TX11KeyTyper* typer = Typer();
    if (!typer) return false;
    TX11ErrorTrap trap;
    for (const TKeyEvent& event : events)
      if (!X11Display().Lost()) Send(*typer, event);
    Display* display = X11Display().Get();
    return display && !trap.Failed(display);
  }

  // A client that answers pings has read its keys once it answers.
  bool WaitUntilKeysTaken(uint32_t timeoutMs) override {
    Display* display = X11Display().Get();
    if (!display) return true;
    XSync(display, False);
    Window client = PingableFocusClient(display);
    bool taken = client == None || PingAnswered(display, client, timeoutMs);
    if (typer_ && typer_->HasBorrowedKeycodes()) {
      bool read = client != None && taken;
      if (!read) std::this_thread::sleep_for(kReadingTime);
      typer_->RestoreKeyboardMapping(read ? std::chrono::milliseconds(0) : kBorrowedKeyHold);
    }
    return taken;
  }

  bool ProcessMessages() override { return true; }  // the console program has no message queue

 private:
  // A character event types its character when it goes down.
  static void Send(TX11KeyTyper& typer, const TKeyEvent& event) {
    if (event.virtualKey == 0) {
      if (!event.up) typer.Type(KeysymForCharacter(event.character));
    } else if (KeySym keysym = KeysymForVirtualKey(event.virtualKey); keysym != NoSymbol) {
      typer.Key(keysym, !event.up);
    }
  }

  // None once the display is gone, though the typer may live on.
  TX11KeyTyper* Typer() {
    Display* display = X11Display().Get();
    if (!display) return nullptr;
    if (!typer_) typer_ = std::make_unique<TX11KeyTyper>(display);
    return typer_.get();
  }

  std::unique_ptr<TX11KeyTyper> typer_;
};

}  // namespace

IKeyboard& PosixKeyboard() {
  static TX11Keyboard keyboard;
  return keyboard;
}
