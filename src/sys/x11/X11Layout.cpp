#include "sys/x11/X11Layout.h"

#include <X11/keysym.h>
#include <xkbcommon/xkbcommon.h>

#include <bit>

namespace {

// Keysyms from here up to the Unicode ones are function, keypad, modifier
// and dead keys: xkbcommon gives some of them a character (KP_0 is "0",
// BackSpace is U+0008), but pressing them types no such character.
constexpr KeySym kFirstFunctionKeysym = 0xFD00;
constexpr KeySym kFirstUnicodeKeysym = 0x1000000;

// The keys whose press sets the modifiers they are mapped to and nothing
// else. Mode_switch, mapped to a modifier as well, switches the group.
bool SetsLevelModifier(KeySym keysym) {
  return keysym == XK_Shift_L || keysym == XK_Shift_R || keysym == XK_ISO_Level3_Shift ||
         keysym == XK_ISO_Level5_Shift;
}

int CountOf(unsigned modifiers) { return std::popcount(modifiers); }

}  // namespace

std::optional<unsigned> ModifiersForLevel(const std::vector<TLevelEntry>& entries, int level,
                                          unsigned pressable) {
  if (level == 0) return 0u;
  std::optional<unsigned> fewest;
  for (const TLevelEntry& entry : entries) {
    if (entry.level != level || (entry.modifiers & ~pressable) != 0) continue;
    if (!fewest || CountOf(entry.modifiers) < CountOf(*fewest)) fewest = entry.modifiers;
  }
  return fewest;
}

uint8_t WindowsShiftState(unsigned modifiers) {
  uint8_t state = (modifiers & ShiftMask) ? 1 : 0;
  if ((modifiers & ~ShiftMask) != 0) state |= 6;
  return state;
}

char32_t CharacterOfKeysym(KeySym keysym) {
  if (keysym >= kFirstFunctionKeysym && keysym < kFirstUnicodeKeysym) return 0;
  return xkb_keysym_to_utf32(static_cast<xkb_keysym_t>(keysym));
}

TX11Layout::TX11Layout(Display* display) {
  xkb_ = XkbGetMap(display, XkbKeyTypesMask | XkbKeySymsMask | XkbModifierMapMask, XkbUseCoreKbd);
  if (!xkb_) return;
  XkbStateRec state;
  if (XkbGetState(display, XkbUseCoreKbd, &state) == Success) group_ = state.group;
  FindModifierKeys();
}

TX11Layout::~TX11Layout() {
  if (xkb_) XkbFreeKeyboard(xkb_, 0, True);
}

void TX11Layout::FindModifierKeys() {
  for (int keycode = xkb_->min_key_code; keycode <= xkb_->max_key_code; ++keycode) {
    if (XkbKeyNumGroups(xkb_, keycode) == 0 || !SetsLevelModifier(XkbKeySymEntry(xkb_, keycode, 0, 0)))
      continue;
    for (int index = 0; index < 8; ++index) {
      if (!(xkb_->map->modmap[keycode] & (1u << index)) || modifierKeys_[index] != 0) continue;
      modifierKeys_[index] = static_cast<KeyCode>(keycode);
      pressable_ |= 1u << index;
    }
  }
}

KeyCode TX11Layout::ModifierKey(unsigned modifier) const {
  if (CountOf(modifier) != 1 || modifier > 0xFF) return 0;
  return modifierKeys_[std::countr_zero(modifier)];
}

std::optional<TKeyPlace> TX11Layout::PlaceOnKey(KeyCode keycode, KeySym keysym, char32_t character) const {
  int groups = XkbKeyNumGroups(xkb_, keycode);
  if (groups == 0) return std::nullopt;
  // A key with fewer groups wraps the group number, as XKB does by default.
  int group = group_ % groups;
  XkbKeyTypePtr type = XkbKeyKeyType(xkb_, keycode, group);
  std::vector<TLevelEntry> entries;
  for (int i = 0; i < type->map_count; ++i)
    if (type->map[i].active) entries.push_back({type->map[i].mods.mask, type->map[i].level});
  std::optional<TKeyPlace> best;
  for (int level = 0; level < type->num_levels; ++level) {
    KeySym there = XkbKeySymEntry(xkb_, keycode, level, group);
    if (there != keysym && (character == 0 || CharacterOfKeysym(there) != character)) continue;
    std::optional<unsigned> modifiers = ModifiersForLevel(entries, level, pressable_);
    if (modifiers && (!best || CountOf(*modifiers) < CountOf(best->modifiers)))
      best = {{keycode, *modifiers}};
  }
  return best;
}

TKeyPlace TX11Layout::Find(KeySym keysym) const {
  if (!xkb_ || keysym == NoSymbol) return {};
  char32_t character = CharacterOfKeysym(keysym);
  std::optional<TKeyPlace> best;
  for (int keycode = xkb_->min_key_code; keycode <= xkb_->max_key_code; ++keycode) {
    std::optional<TKeyPlace> place = PlaceOnKey(static_cast<KeyCode>(keycode), keysym, character);
    if (place && (!best || CountOf(place->modifiers) < CountOf(best->modifiers))) best = place;
  }
  return best.value_or(TKeyPlace{});
}
