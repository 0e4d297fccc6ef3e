// The keyboard on X: virtual keys become keysyms and go through XTest
// (X11KeyTyper). Letters, digits and the blank are keys with virtual keys of
// their own, as on Windows, so that "^c" is Ctrl with the C key; every other
// character is typed as itself, by its keysym, whatever key the layout puts
// it on, or on a borrowed spare key where the layout has none.
#include <chrono>
#include <memory>
#include <thread>

#include "sys/posix/PosixBackEnd.h"
#include "sys/x11/X11Display.h"
#include "sys/x11/X11KeyTyper.h"
#include "sys/x11/X11Protocols.h"

namespace {

// The virtual key that stands for "the character last asked about": the
// player asks for a character's key and then presses that key.
constexpr uint8_t kVkCharacter = 0xE8;  // unassigned on Windows
// X tells nobody when a client has read its keys; a client looks a key up in
// the keyboard map when it reads it, so a borrowed key keeps its character
// this long after the server took the key.
constexpr auto kReadingTime = std::chrono::milliseconds(100);
constexpr uint32_t kPingTimeoutMs = 5000;

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
  int16_t VkKeyScan(unsigned char c) override {
    if (c >= 'a' && c <= 'z') return static_cast<int16_t>(c - 'a' + 'A');
    if (c >= 'A' && c <= 'Z') return static_cast<int16_t>(0x100 | c);
    if ((c >= '0' && c <= '9') || c == ' ') return c;
    character_ = c;
    return kVkCharacter;
  }
  uint32_t MapVirtualKey(uint32_t) override { return 0; }
  void KeybdEvent(uint8_t vk, uint8_t, uint32_t flags) override {
    TX11KeyTyper* typer = Typer();
    if (!typer) return;
    bool down = !(flags & kKeyEventKeyUp);
    if (vk == kVkCharacter) {
      if (down) typer->Type(KeysymForCharacter(character_));
    } else if (KeySym keysym = KeysymForVirtualKey(vk); keysym != NoSymbol) {
      typer->Key(keysym, down);
    }
    XSync(X11Display().Get(), False);
  }
  // A borrowed key must keep its character until the target has read it.
  void ProcessMessages() override {
    if (!typer_ || !typer_->HasBorrowedKeycodes()) return;
    WaitUntilRead();
    typer_->RestoreKeyboardMapping();
  }

 private:
  TX11KeyTyper* Typer() {
    if (!typer_ && X11Display().Get()) typer_ = std::make_unique<TX11KeyTyper>(X11Display().Get());
    return typer_.get();
  }

  // A client that answers pings has read its keys once it answers; of any
  // other, X tells nothing, so it is given time to read them.
  static void WaitUntilRead() {
    Display* display = X11Display().Get();
    XSync(display, False);
    Window client = PingableFocusClient(display);
    if (client == None || !PingAnswered(display, client, kPingTimeoutMs))
      std::this_thread::sleep_for(kReadingTime);
  }

  std::unique_ptr<TX11KeyTyper> typer_;
  unsigned char character_ = 0;
};

}  // namespace

IKeyboard& PosixKeyboard() {
  static TX11Keyboard keyboard;
  return keyboard;
}
