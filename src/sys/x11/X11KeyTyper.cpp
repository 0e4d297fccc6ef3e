#include "sys/x11/X11KeyTyper.h"

#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <algorithm>
#include <map>

#include "sys/VirtualKeys.h"
#include "sys/x11/X11Display.h"

namespace {

bool IsShift(KeySym keysym) { return keysym == XK_Shift_L || keysym == XK_Shift_R; }

}  // namespace

KeySym KeysymForVirtualKey(unsigned vk) {
  static const std::map<unsigned, KeySym> keys = {
      {kVkBackspace, XK_BackSpace}, {kVkTab, XK_Tab},       {kVkReturn, XK_Return},  {kVkShift, XK_Shift_L},
      {kVkCtrl, XK_Control_L},      {kVkAlt, XK_Alt_L},     {kVkEscape, XK_Escape},  {kVkSpace, XK_space},
      {kVkPageUp, XK_Prior},        {kVkPageDown, XK_Next}, {kVkEnd, XK_End},        {kVkHome, XK_Home},
      {kVkLeft, XK_Left},           {kVkUp, XK_Up},         {kVkRight, XK_Right},    {kVkDown, XK_Down},
      {kVkInsert, XK_Insert},       {kVkDelete, XK_Delete}, {kVkLeftWin, XK_Super_L}};
  // The letter and digit keys are their capitals' and digits' codes.
  if (vk >= '0' && vk <= '9') return XK_0 + (vk - '0');
  if (vk >= 'A' && vk <= 'Z') return XK_a + (vk - 'A');
  if (vk >= kVkF1 && vk <= kVkF12) return XK_F1 + (vk - kVkF1);
  auto found = keys.find(vk);
  return found == keys.end() ? NoSymbol : found->second;
}

KeySym KeysymForCharacter(char32_t c) {
  if (c == '\r' || c == '\n') return XK_Return;
  if (c == '\t') return XK_Tab;
  if ((c >= 0x20 && c <= 0x7E) || (c >= 0xA0 && c <= 0xFF)) return c;
  if (c > 0xFF && c <= 0x10FFFF) return 0x1000000 + c;
  return NoSymbol;
}

bool TX11KeyTyper::Usable() {
  int event = 0, error = 0, major = 0, minor = 0;
  return XTestQueryExtension(display_, &event, &error, &major, &minor);
}

void TX11KeyTyper::Fake(KeyCode keycode, bool down) {
  XTestFakeKeyEvent(display_, keycode, down ? True : False, CurrentTime);
}

// The key of the keysym, borrowing a spare one when the map has none. The
// layout is read afresh: Xlib's own copy of the map is brought up to date
// only by events that the program does not read.
KeyCode TX11KeyTyper::KeycodeOf(KeySym keysym) {
  KeyCode keycode = TX11Layout(display_).Find(keysym).keycode;
  Touch(keycode);
  return keycode != 0 ? keycode : Borrow(keysym);
}

bool TX11KeyTyper::Key(KeySym keysym, bool down) {
  KeyCode keycode = KeycodeOf(keysym);
  if (keycode == 0) return false;
  Fake(keycode, down);
  if (IsShift(keysym)) shiftsDown_ += down ? 1 : -1;
  return true;
}

// The keys of the modifiers a level needs, less a Shift that the script
// holds: under it a first-level key gives its second level, as the same key
// does on Windows ("+-" types "_").
std::vector<KeyCode> TX11KeyTyper::ModifierKeysToPress(const TX11Layout& layout, unsigned modifiers) const {
  if (shiftsDown_ > 0) modifiers &= ~ShiftMask;
  std::vector<KeyCode> keys;
  for (unsigned bit = 1; bit != 0 && bit <= modifiers; bit <<= 1)
    if (modifiers & bit) keys.push_back(layout.ModifierKey(bit));
  return keys;
}

bool TX11KeyTyper::Type(KeySym keysym) {
  TX11Layout layout(display_);
  TKeyPlace place = layout.Find(keysym);  // a keycode borrowed earlier too
  Touch(place.keycode);
  if (place.keycode == 0) place = {Borrow(keysym), 0};
  if (place.keycode == 0) return false;
  std::vector<KeyCode> modifiers = ModifierKeysToPress(layout, place.modifiers);
  for (KeyCode modifier : modifiers) Fake(modifier, true);
  Fake(place.keycode, true);
  Fake(place.keycode, false);
  for (auto modifier = modifiers.rbegin(); modifier != modifiers.rend(); ++modifier) Fake(*modifier, false);
  return true;
}

// A keycode that the keyboard map leaves empty, not yet borrowed; 0 if none.
KeyCode TX11KeyTyper::SpareKeycode() {
  int low = 0, high = 0, perKeycode = 0;
  XDisplayKeycodes(display_, &low, &high);
  KeySym* map = XGetKeyboardMapping(display_, static_cast<KeyCode>(low), high - low + 1, &perKeycode);
  KeyCode spare = 0;
  for (int keycode = high; keycode >= low && spare == 0; --keycode) {
    bool empty = true;
    for (int i = 0; i < perKeycode; ++i) empty = empty && map[(keycode - low) * perKeycode + i] == NoSymbol;
    bool taken =
        std::any_of(borrowed_.begin(), borrowed_.end(), [&](auto& b) { return b.keycode == keycode; });
    if (empty && !taken) spare = static_cast<KeyCode>(keycode);
  }
  XFree(map);
  return spare;
}

void TX11KeyTyper::Touch(KeyCode keycode) {
  for (TBorrowed& borrowed : borrowed_)
    if (borrowed.keycode == keycode) borrowed.lastUse = TClock::now();
}

// Gives up the borrowed keycode pressed longest ago; 0 when none is.
KeyCode TX11KeyTyper::LeastRecentlyUsed() {
  auto oldest = std::min_element(borrowed_.begin(), borrowed_.end(),
                                 [](auto& a, auto& b) { return a.lastUse < b.lastUse; });
  if (oldest == borrowed_.end()) return 0;
  KeyCode keycode = oldest->keycode;
  borrowed_.erase(oldest);
  return keycode;
}

KeyCode TX11KeyTyper::Borrow(KeySym keysym) {
  KeyCode keycode = SpareKeycode();
  if (keycode == 0) keycode = LeastRecentlyUsed();
  if (keycode == 0) return 0;
  KeySym both[2] = {keysym, keysym};
  XChangeKeyboardMapping(display_, keycode, 2, both, 1);
  XSync(display_, False);
  borrowed_.push_back({keycode, keysym, TClock::now()});
  return keycode;
}

void TX11KeyTyper::RestoreKeyboardMapping(std::chrono::milliseconds idle) {
  // A lost server took its keyboard map with it: nothing to give back.
  if (X11Display().Lost()) return borrowed_.clear();
  auto restored = std::remove_if(borrowed_.begin(), borrowed_.end(), [&](const TBorrowed& borrowed) {
    if (TClock::now() - borrowed.lastUse < idle) return false;
    KeySym none[2] = {NoSymbol, NoSymbol};
    XChangeKeyboardMapping(display_, borrowed.keycode, 2, none, 1);
    return true;
  });
  if (restored != borrowed_.end()) XSync(display_, False);
  borrowed_.erase(restored, borrowed_.end());
}
