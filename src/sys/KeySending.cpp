// Keystroke sending: a key description is decoded into characters and
// translated into keystrokes (modifiers pressed and released, keys tapped,
// characters typed), which are then played as key events, one keystroke at
// a time, each read by the window in front before the next is sent.
//
// Translation keeps four pending modifiers (set by "+", "^", "%" and the
// modifier key names) and a group depth; a pending modifier is released
// after the next key, or after the group "(...)" that follows it.
#include <algorithm>
#include <stdexcept>
#include <vector>

#include "sys/VirtualKeys.h"
#include "sys/Winfuncs.h"
#include "util/StringFuncs.h"
#include "util/TarvCommon.h"

namespace {

constexpr const char* kNoKeyboardMessage =
    "/sendkeys: keystrokes cannot be sent on this system (no window system)";
constexpr const char* kRefusedMessage =
    "/sendkeys: the system refused the keystrokes (the window in front may belong to a program with higher "
    "rights)";
// A longer repeat would take hours to type; it is a mistake in the script.
constexpr int32_t kMaxKeyRepeat = 65535;

constexpr uint8_t kShiftScan = 42;  // the left Shift key's scan code
// The high byte of a character's key: the modifiers it needs (Ctrl and Alt
// together are AltGr).
constexpr uint8_t kNeedsShift = 1;
constexpr uint8_t kNeedsCtrlOrAlt = 6;

struct TSpecialKey {
  const char* name;       // with its braces, in capitals
  uint8_t vk;             // kVkNone: the name types nothing
  bool modifier = false;  // pressed until the modifiers are released
};

// Searched in this order.
constexpr TSpecialKey kSpecialKeys[] = {
    {"{WIN}", kVkLeftWin, true},
    {"{WINDOWS}", kVkLeftWin, true},
    {"{ALT}", kVkAlt, true},
    {"{SHIFT}", kVkShift, true},
    {"{CTRL}", kVkCtrl, true},
    {"{BACKSPACE}", kVkBackspace},
    {"{BS}", kVkBackspace},
    {"{BKSP}", kVkBackspace},
    {"{BREAK}", kVkNone},
    {"{CAPSLOCK}", kVkNone},
    {"{DELETE}", kVkDelete},
    {"{DEL}", kVkDelete},
    {"{DOWN}", kVkDown},
    {"{END}", kVkEnd},
    {"{ENTER}", kVkReturn},
    {"{ESC}", kVkEscape},
    {"{HELP}", kVkNone},
    {"{HOME}", kVkHome},
    {"{INSERT}", kVkInsert},
    {"{INS}", kVkInsert},
    {"{LEFT}", kVkLeft},
    {"{NUMLOCK}", kVkNone},
    {"{PGDN}", kVkPageDown},
    {"{PGUP}", kVkPageUp},
    {"{PRTSC}", kVkNone},
    {"{RIGHT}", kVkRight},
    {"{SCROLLLOCK}", kVkNone},
    {"{TAB}", kVkTab},
    {"{UP}", kVkUp},
    {"{F1}", FunctionKey(1)},
    {"{F2}", FunctionKey(2)},
    {"{F3}", FunctionKey(3)},
    {"{F4}", FunctionKey(4)},
    {"{F5}", FunctionKey(5)},
    {"{F6}", FunctionKey(6)},
    {"{F7}", FunctionKey(7)},
    {"{F8}", FunctionKey(8)},
    {"{F9}", FunctionKey(9)},
    {"{F10}", FunctionKey(10)},
    {"{F11}", FunctionKey(11)},
    {"{F12}", FunctionKey(12)},
    {"{F13}", kVkNone},
    {"{F14}", kVkNone},
    {"{F15}", kVkNone},
    {"{F16}", kVkNone},
};
static_assert(std::size(kSpecialKeys) == 45);

// The keys that the keyboard sends with the extended-key flag.
bool IsExtendedKey(uint8_t vk) {
  return IsNavigationKey(vk) || vk == kVkInsert || vk == kVkDelete || vk == kVkLeftWin;
}

// The characters of a key name in the program's text, for matching the
// table and for messages; a character beyond ASCII matches no name.
std::string Narrow(std::u32string_view text) {
  std::string narrow;
  for (char32_t c : text) narrow += c < 0x80 ? static_cast<char>(c) : '?';
  return narrow;
}

// A key name in braces, as found in the description.
struct TKeyName {
  std::string text;  // from "{" to "}" inclusive
  const TSpecialKey* key = nullptr;
  std::string countText;  // the repeat count, when written
  bool counted = false;
};

// An entry is hit by its exact name, or by "{NAME " followed by a count.
void LookUpSpecialKey(TKeyName& name) {
  size_t blank = name.text.find(' ');
  for (const TSpecialKey& key : kSpecialKeys) {
    std::string_view entry = key.name;
    if (name.text == entry) {
      name.key = &key;
      return;
    }
    if (blank == std::string::npos) continue;
    std::string withBlank = std::string(entry.substr(0, entry.size() - 1)) + ' ';
    if (name.text.compare(0, blank + 1, withBlank) != 0) continue;
    name.key = &key;
    name.counted = true;
    name.countText = name.text.substr(blank + 1, name.text.size() - blank - 2);
    return;
  }
}

int32_t RepeatCount(const std::string& countText, const std::string& keyName) {
  int32_t count = TextToInt(countText);
  if (count > kMaxKeyRepeat)
    throw std::runtime_error("Key repeat count too large in \"" + keyName + "\" (at most " +
                             std::to_string(kMaxKeyRepeat) + ")");
  return count;
}

class TKeyTranslator {
 public:
  std::vector<TKeyStroke> Translate(std::u32string_view description) {
    for (size_t at = 0; at < description.size() && description[at] != 0;) at = Step(description, at);
    ReleaseModifiers();
    return strokes_;
  }

 private:
  // Handles the character at `at`; returns where the next step starts.
  size_t Step(std::u32string_view description, size_t at) {
    switch (char32_t c = description[at]) {
      case '+': Press(kVkShift, shift_); break;
      case '^': Press(kVkCtrl, ctrl_); break;
      case '%': Press(kVkAlt, alt_); break;
      case '~': Add(TKeyStroke::Tap, kVkReturn); break;
      case '(': OpenGroup(); break;
      case ')': CloseGroup(); break;
      case '{': return Braced(description, at);
      default: Plain(std::u32string(1, c));
    }
    return at + 1;
  }

  void Add(TKeyStroke::Kind kind, uint8_t vk, char32_t character = 0) {
    strokes_.push_back({kind, vk, character});
  }

  void Press(uint8_t vk, bool& pending) {
    Add(TKeyStroke::Press, vk);
    pending = true;
  }

  // A parenthesis groups keys only after a prefix; otherwise it is typed.
  void OpenGroup() {
    if (AnyPending())
      ++depth_;
    else
      Plain(U"(");
  }

  void CloseGroup() {
    if (depth_ < 1) return Plain(U")");
    --depth_;
    ReleaseModifiers();
  }

  // Characters of the user's text; a control character is the key of its
  // code (VirtualKeys.h checks those that have a name).
  void Plain(std::u32string_view text) {
    for (char32_t c : text) {
      if (c < 32)
        Add(TKeyStroke::Tap, static_cast<uint8_t>(c));
      else
        Add(TKeyStroke::Type, 0, c);
    }
    ReleaseModifiers();
  }

  // An opening brace without a closing one ends the description.
  size_t Braced(std::u32string_view description, size_t at) {
    size_t close = description.find(U'}', at + 1);
    if (close == std::u32string_view::npos) return description.size();
    std::u32string_view text = description.substr(at, close - at + 1);
    TKeyName name;
    name.text = Narrow(text);
    LookUpSpecialKey(name);
    if (name.key)
      SpecialKey(name);
    else
      RepeatedText(text);
    return close + 1;
  }

  void SpecialKey(const TKeyName& name) {
    int32_t count = name.counted ? RepeatCount(name.countText, name.text) : 1;
    const TSpecialKey& key = *name.key;
    if (key.vk != kVkNone)
      for (int32_t i = 0; i < count; ++i) Add(key.modifier ? TKeyStroke::Press : TKeyStroke::Tap, key.vk);
    if (!key.modifier) return ReleaseModifiers();
    switch (key.vk) {
      case kVkLeftWin: win_ = true; break;
      case kVkShift: shift_ = true; break;
      case kVkCtrl: ctrl_ = true; break;
      default: alt_ = true;
    }
  }

  // An unknown name: "{text count}" types text count times; without a
  // blank there is no text, so "{enter}" types nothing.
  void RepeatedText(std::u32string_view name) {
    size_t lastBlank = name.rfind(U' ');
    std::u32string_view text = lastBlank == std::u32string_view::npos ? U"" : name.substr(1, lastBlank - 1);
    size_t countStart = lastBlank == std::u32string_view::npos ? 1 : lastBlank + 1;
    int32_t count = RepeatCount(Narrow(name.substr(countStart, name.size() - 1 - countStart)), Narrow(name));
    std::u32string repeated;
    for (int32_t i = 0; i < count; ++i) repeated += text;
    Plain(repeated);
  }

  bool AnyPending() const { return win_ || shift_ || ctrl_ || alt_; }

  void ReleaseModifiers() {
    if (depth_ > 0) return;
    if (win_) Add(TKeyStroke::Release, kVkLeftWin);
    if (shift_) Add(TKeyStroke::Release, kVkShift);
    if (ctrl_) Add(TKeyStroke::Release, kVkCtrl);
    if (alt_) Add(TKeyStroke::Release, kVkAlt);
    win_ = shift_ = ctrl_ = alt_ = false;
  }

  std::vector<TKeyStroke> strokes_;
  bool win_ = false, shift_ = false, ctrl_ = false, alt_ = false;
  int depth_ = 0;
};

// Turns keystrokes into key events and sends them. Remembers which
// modifiers are down, so that they are released however the typing ends.
class TKeyPlayer {
 public:
  explicit TKeyPlayer(IKeyboard& keyboard) : keyboard_(keyboard) {}
  TKeyPlayer(const TKeyPlayer&) = delete;
  TKeyPlayer& operator=(const TKeyPlayer&) = delete;
  ~TKeyPlayer() { ReleaseHeld(); }

  /// False when the system refused the events.
  bool Play(const TKeyStroke& stroke) {
    std::vector<TKeyEvent> events = EventsFor(stroke);
    if (events.empty()) return true;
    if (!keyboard_.SendKeyEvents(events)) {
      LetGo(events);
      return false;
    }
    if (stroke.kind == TKeyStroke::Press && !IsHeld(stroke.virtualKey)) held_.push_back(stroke.virtualKey);
    if (stroke.kind == TKeyStroke::Release) std::erase(held_, stroke.virtualKey);
    WaitUntilTaken();
    return true;
  }

  void ReleaseHeld() {
    if (held_.empty()) return;
    while (!held_.empty()) {
      uint8_t vk = held_.back();
      held_.pop_back();
      keyboard_.SendKeyEvents({KeyEvent(vk, true)});
    }
    WaitUntilTaken();
  }

 private:
  // A window that does not read its keys in time is not waited for again:
  // the keys stay in its queue, and the run goes on.
  void WaitUntilTaken() {
    bool taken = keyboard_.WaitUntilKeysTaken(waiting_ ? kKeysTakenTimeoutMs : 0);
    waiting_ = waiting_ && taken;
  }

  // Part of refused events may have gone through: every key they press is
  // let go again (letting go of a key that is up does nothing).
  void LetGo(const std::vector<TKeyEvent>& events) {
    std::vector<TKeyEvent> ups;
    for (const TKeyEvent& event : events)
      if (!event.up && event.virtualKey != 0) ups.push_back(KeyEvent(event.virtualKey, true));
    if (!ups.empty()) keyboard_.SendKeyEvents(ups);
  }

  bool IsHeld(uint8_t vk) const { return std::find(held_.begin(), held_.end(), vk) != held_.end(); }

  // Shift, Ctrl or Alt held by the script: a character's key is then
  // pressed under them alone (^A is Ctrl with the A key).
  bool ScriptHoldsModifier() const { return IsHeld(kVkShift) || IsHeld(kVkCtrl) || IsHeld(kVkAlt); }

  std::vector<TKeyEvent> EventsFor(const TKeyStroke& stroke) {
    switch (stroke.kind) {
      case TKeyStroke::Press: return {KeyEvent(stroke.virtualKey, false)};
      case TKeyStroke::Release: return {KeyEvent(stroke.virtualKey, true)};
      case TKeyStroke::Tap: return Tapped(stroke.virtualKey, false);
      default: return Typed(stroke.character);
    }
  }

  // A character goes through its key where the layout has one that Shift,
  // AltGr (Ctrl with Alt) or both reach; otherwise (no key, or one that
  // needs Ctrl or Alt alone, which would trigger shortcuts) it is typed as
  // itself.
  std::vector<TKeyEvent> Typed(char32_t character) {
    int16_t key = keyboard_.KeyForCharacter(character);
    uint8_t vk = static_cast<uint8_t>(key & 0xFF);
    uint8_t shiftState = static_cast<uint8_t>((key >> 8) & 0xFF);  // modifiers in the high byte
    if (ScriptHoldsModifier() && key != -1) return Tapped(vk, false);
    const uint8_t ctrlAlt = shiftState & kNeedsCtrlOrAlt;
    if (key == -1 || (ctrlAlt != 0 && ctrlAlt != kNeedsCtrlOrAlt))
      return {{0, 0, character, false}, {0, 0, character, true}};
    return Tapped(vk, (shiftState & kNeedsShift) != 0, ctrlAlt != 0);
  }

  std::vector<TKeyEvent> Tapped(uint8_t vk, bool addShift, bool addAltGr = false) {
    std::vector<TKeyEvent> events;
    if (addAltGr) events.insert(events.end(), {KeyEvent(kVkCtrl, false), KeyEvent(kVkAlt, false)});
    if (addShift) events.push_back({kVkShift, kShiftScan});
    events.push_back(KeyEvent(vk, false));
    events.push_back(KeyEvent(vk, true));
    if (addShift) events.push_back({kVkShift, kShiftScan, 0, true});
    if (addAltGr) events.insert(events.end(), {KeyEvent(kVkAlt, true), KeyEvent(kVkCtrl, true)});
    return events;
  }

  // The Windows key goes without a scan code, as the system's own does.
  TKeyEvent KeyEvent(uint8_t vk, bool up) {
    uint16_t scan = vk == kVkLeftWin ? 0 : static_cast<uint16_t>(keyboard_.MapVirtualKey(vk));
    return {vk, scan, 0, up, IsExtendedKey(vk)};
  }

  IKeyboard& keyboard_;
  std::vector<uint8_t> held_;  // modifiers down, in the order pressed
  bool waiting_ = true;
};

// The keyboard, or nullptr after reporting why keys cannot be sent here.
IKeyboard* UsableKeyboard() {
  IKeyboard* keyboard = SystemServices().keyboard;
  if (keyboard && keyboard->CanSendKeys()) return keyboard;
  std::string reason = keyboard ? keyboard->Unavailable() : "";
  ReportCommandError(reason.empty() ? kNoKeyboardMessage : "/sendkeys: " + reason);
  return nullptr;
}

}  // namespace

std::vector<TKeyStroke> TranslateKeys(std::u32string_view description) {
  return TKeyTranslator().Translate(description);
}

void SendKeys(std::string_view description) {
  IKeyboard* keyboard = UsableKeyboard();
  if (!keyboard) return;
  std::vector<TKeyStroke> strokes = TranslateKeys(keyboard->DecodeText(description));
  // Whatever an earlier command left unread goes first; this also gives the
  // keyboard this command's deadline afresh.
  keyboard->WaitUntilKeysTaken(kKeysTakenTimeoutMs);
  bool refused = false;
  {
    TKeyPlayer player(*keyboard);
    for (const TKeyStroke& stroke : strokes) {
      if (!player.Play(stroke)) {
        refused = true;
        break;
      }
      // A request to end the program stops the typing; the player releases
      // the modifiers, and the request ends the program after the command.
      if (!keyboard->ProcessMessages()) break;
    }
  }
  if (!refused) return;
  // Keys are refused when the keyboard went away meanwhile (a lost display),
  // and that is the reason to give.
  std::string reason = keyboard->Unavailable();
  ReportCommandError(reason.empty() ? kRefusedMessage : "/sendkeys: " + reason);
}
