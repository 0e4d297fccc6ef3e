// Keystroke sending: a key description is translated into a string of
// one-byte internal key codes, which is then played as synthetic key events.
//
// Translation keeps four pending modifiers (set by "+", "^", "%" and the
// modifier key names) and a group depth; a pending modifier is released
// after the next key, or after the group "(...)" that follows it.
#include <stdexcept>

#include "run/TarvCommon.h"
#include "sys/Winfuncs.h"
#include "util/StringFuncs.h"

namespace {

constexpr const char* kNoKeyboardMessage =
    "/sendkeys: keystrokes cannot be sent on this system (no window system)";
// A longer repeat would take hours to type; it is a mistake in the script.
constexpr int32_t kMaxKeyRepeat = 65535;

struct TSpecialKey {
  const char* name;  // with its braces, in capitals
  uint8_t code;
};

// Searched in this order; names without a key of their own type nothing (0).
constexpr TSpecialKey kSpecialKeys[] = {
    {"{WIN}", 226},     {"{WINDOWS}", 226},  {"{ALT}", 254},  {"{SHIFT}", 250},  {"{CTRL}", 252},
    {"{BACKSPACE}", 8}, {"{BS}", 8},         {"{BKSP}", 8},   {"{BREAK}", 0},    {"{CAPSLOCK}", 0},
    {"{DELETE}", 249},  {"{DEL}", 249},      {"{DOWN}", 243}, {"{END}", 241},    {"{ENTER}", 13},
    {"{ESC}", 27},      {"{HELP}", 0},       {"{HOME}", 240}, {"{INSERT}", 248}, {"{INS}", 248},
    {"{LEFT}", 244},    {"{NUMLOCK}", 0},    {"{PGDN}", 247}, {"{PGUP}", 246},   {"{PRTSC}", 0},
    {"{RIGHT}", 245},   {"{SCROLLLOCK}", 0}, {"{TAB}", 9},    {"{UP}", 242},     {"{F1}", 228},
    {"{F2}", 229},      {"{F3}", 230},       {"{F4}", 231},   {"{F5}", 232},     {"{F6}", 233},
    {"{F7}", 234},      {"{F8}", 235},       {"{F9}", 236},   {"{F10}", 237},    {"{F11}", 238},
    {"{F12}", 239},     {"{F13}", 0},        {"{F14}", 0},    {"{F15}", 0},      {"{F16}", 0},
};
static_assert(std::size(kSpecialKeys) == 45);

// Virtual keys of Home, End, Up, Down, Left, Right, PgUp, PgDn, Insert, Delete.
constexpr uint8_t kNavigationKeys[] = {36, 35, 38, 40, 37, 39, 33, 34, 45, 46};

constexpr uint8_t kVkShift = 16;
constexpr uint8_t kVkLeftWin = 0x5B;
constexpr uint8_t kShiftScan = 42;

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
  std::string Translate(std::string_view description) {
    for (size_t at = 0; at < description.size() && description[at] != '\0';) at = Step(description, at);
    ReleaseModifiers();
    return codes_;
  }

 private:
  // Handles the character at `at`; returns where the next step starts.
  size_t Step(std::string_view description, size_t at) {
    switch (char c = description[at]) {
      case '+': Press(kKeyShiftDown, shift_); break;
      case '^': Press(kKeyCtrlDown, ctrl_); break;
      case '%': Press(kKeyAltDown, alt_); break;
      case '~': codes_ += '\r'; break;
      case '(': OpenGroup(); break;
      case ')': CloseGroup(); break;
      case '{': return Braced(description, at);
      default: Plain(std::string(1, c));
    }
    return at + 1;
  }

  void Press(uint8_t code, bool& pending) {
    codes_ += static_cast<char>(code);
    pending = true;
  }

  // A parenthesis groups keys only after a prefix; otherwise it is typed.
  void OpenGroup() {
    if (AnyPending())
      ++depth_;
    else
      Plain("(");
  }

  void CloseGroup() {
    if (depth_ < 1) return Plain(")");
    --depth_;
    ReleaseModifiers();
  }

  void Plain(const std::string& text) {
    codes_ += text;
    ReleaseModifiers();
  }

  // An opening brace without a closing one ends the description.
  size_t Braced(std::string_view description, size_t at) {
    size_t close = description.find('}', at + 1);
    if (close == std::string_view::npos) return description.size();
    TKeyName name;
    name.text = description.substr(at, close - at + 1);
    LookUpSpecialKey(name);
    if (name.key)
      SpecialKey(name);
    else
      RepeatedText(name.text);
    return close + 1;
  }

  void SpecialKey(const TKeyName& name) {
    int32_t count = name.counted ? RepeatCount(name.countText, name.text) : 1;
    if (count > 0) codes_.append(static_cast<size_t>(count), static_cast<char>(name.key->code));
    switch (name.key->code) {
      case kKeyWinDown: win_ = true; break;
      case kKeyShiftDown: shift_ = true; break;
      case kKeyCtrlDown: ctrl_ = true; break;
      case kKeyAltDown: alt_ = true; break;
      default: ReleaseModifiers();
    }
  }

  // An unknown name: "{text count}" types text count times; without a
  // blank there is no text, so "{enter}" types nothing.
  void RepeatedText(const std::string& name) {
    size_t lastBlank = name.rfind(' ');
    std::string text = lastBlank == std::string::npos ? "" : name.substr(1, lastBlank - 1);
    size_t countStart = lastBlank == std::string::npos ? 1 : lastBlank + 1;
    int32_t count = RepeatCount(name.substr(countStart, name.size() - 1 - countStart), name);
    for (int32_t i = 0; i < count; ++i) codes_ += text;
    ReleaseModifiers();
  }

  bool AnyPending() const { return win_ || shift_ || ctrl_ || alt_; }

  void ReleaseModifiers() {
    if (depth_ > 0) return;
    if (win_) codes_ += static_cast<char>(kKeyWinUp);
    if (shift_) codes_ += static_cast<char>(kKeyShiftUp);
    if (ctrl_) codes_ += static_cast<char>(kKeyCtrlUp);
    if (alt_) codes_ += static_cast<char>(kKeyAltUp);
    win_ = shift_ = ctrl_ = alt_ = false;
  }

  std::string codes_;
  bool win_ = false, shift_ = false, ctrl_ = false, alt_ = false;
  int depth_ = 0;
};

class TKeyPlayer {
 public:
  explicit TKeyPlayer(IKeyboard& keyboard) : keyboard_(keyboard) {}

  void Play(uint8_t code) {
    if (code == kKeyWinDown || code == kKeyWinUp)
      keyboard_.KeybdEvent(kVkLeftWin, 0, code == kKeyWinUp ? kKeyEventKeyUp : 0);
    else if (code >= kKeyShiftDown)
      Modifier(code);
    else
      Key(code);
  }

 private:
  void Modifier(uint8_t code) {
    uint8_t vk = static_cast<uint8_t>(kVkShift + (code - kKeyShiftDown) / 2);
    bool down = (code % 2) == 0;
    keyboard_.KeybdEvent(vk, Scan(vk), down ? 0 : kKeyEventKeyUp);
    modifierHeld_ = down;
  }

  void Key(uint8_t code) {
    uint8_t vk = code;
    uint8_t shiftState = 0;
    if (code >= 32 && code <= 225) {
      int16_t scanned = keyboard_.VkKeyScan(code);
      if (scanned == -1) return;  // the layout has no key for it: nothing to type
      vk = static_cast<uint8_t>(scanned & 0xFF);
      shiftState = static_cast<uint8_t>((scanned >> 8) & 0xFF);
    } else if (code >= kKeyF1 && code < kKeyHome) {
      vk = static_cast<uint8_t>(code - 116);
    } else if (code >= kKeyHome) {
      vk = kNavigationKeys[code - kKeyHome];
    }
    Stroke(vk, !modifierHeld_ && shiftState != 0);
  }

  // Only Shift is ever added, and only when the script holds no modifier.
  void Stroke(uint8_t vk, bool addShift) {
    uint8_t scan = Scan(vk);
    if (addShift) keyboard_.KeybdEvent(kVkShift, kShiftScan, 0);
    keyboard_.KeybdEvent(vk, scan, 0);
    keyboard_.KeybdEvent(vk, scan, kKeyEventKeyUp);
    if (addShift) keyboard_.KeybdEvent(kVkShift, kShiftScan, kKeyEventKeyUp);
  }

  uint8_t Scan(uint8_t vk) { return static_cast<uint8_t>(keyboard_.MapVirtualKey(vk)); }

  IKeyboard& keyboard_;
  bool modifierHeld_ = false;
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

std::string TranslateKeys(std::string_view description) { return TKeyTranslator().Translate(description); }

void SendKeys(std::string_view description) {
  if (!UsableKeyboard()) return;
  SendKeyCodes(TranslateKeys(description));
}

void SendKeyCodes(std::string_view codes) {
  IKeyboard* keyboard = UsableKeyboard();
  if (!keyboard) return;
  TKeyPlayer player(*keyboard);
  for (char code : codes) {
    player.Play(static_cast<uint8_t>(code));
    keyboard->ProcessMessages();
  }
}
