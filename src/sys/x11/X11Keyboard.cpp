// The keyboard on X: virtual keys become keysyms and go through XTest
// (X11KeyTyper). Letters, digits and the blank are keys with virtual keys of
// their own, as on Windows, so that "^c" is Ctrl with the C key; every other
// character is typed as itself, by its keysym, whatever key the layout puts
// it on, or on a borrowed spare key where the layout has none.
//
// The program's 8-bit text is Latin-1: each byte is the code point.
#include <chrono>
#include <memory>
#include <thread>

#include "sys/posix/PosixBackEnd.h"
#include "sys/x11/X11Display.h"
#include "sys/x11/X11KeyTyper.h"
#include "sys/x11/X11Protocols.h"

namespace {

// X tells nobody when a client that does not answer pings has read its
// keys, and a client looks a key up in the keyboard map when it reads it: a
// borrowed key keeps its character this long after the server took the key.
constexpr auto kReadingTime = std::chrono::milliseconds(100);

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
  std::u32string DecodeText(std::string_view text) override {
    std::u32string characters;
    for (char c : text) characters += static_cast<char32_t>(static_cast<unsigned char>(c));
    return characters;
  }
  int16_t KeyForCharacter(char32_t c) override {
    if (c >= 'a' && c <= 'z') return static_cast<int16_t>(c - 'a' + 'A');
    if (c >= 'A' && c <= 'Z') return static_cast<int16_t>(0x100 | c);
    if ((c >= '0' && c <= '9') || c == ' ') return static_cast<int16_t>(c);
    return -1;  // typed as itself
  }
  uint32_t MapVirtualKey(uint32_t) override { return 0; }  // X keys need no scan codes

  bool SendKeyEvents(const std::vector<TKeyEvent>& events) override {
    TX11KeyTyper* typer = Typer();
    if (!typer) return false;
    TX11ErrorTrap trap;
    for (const TKeyEvent& event : events) Send(*typer, event);
    return !trap.Failed(X11Display().Get());
  }

  // A client that answers pings has read its keys once it answers.
  bool WaitUntilKeysTaken(uint32_t timeoutMs) override {
    Display* display = X11Display().Get();
    if (!display) return true;
    XSync(display, False);
    Window client = PingableFocusClient(display);
    bool taken = client == None || PingAnswered(display, client, timeoutMs);
    if (typer_ && typer_->HasBorrowedKeycodes()) {
      if (client == None || !taken) std::this_thread::sleep_for(kReadingTime);
      typer_->RestoreKeyboardMapping();
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

  TX11KeyTyper* Typer() {
    if (!typer_ && X11Display().Get()) typer_ = std::make_unique<TX11KeyTyper>(X11Display().Get());
    return typer_.get();
  }

  std::unique_ptr<TX11KeyTyper> typer_;
};

}  // namespace

IKeyboard& PosixKeyboard() {
  static TX11Keyboard keyboard;
  return keyboard;
}
