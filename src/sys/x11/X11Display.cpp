#include "sys/x11/X11Display.h"

#include <X11/Xatom.h>

#include <cstdlib>

namespace {

unsigned long errorCount = 0;

int RecordError(Display*, XErrorEvent*) {
  ++errorCount;
  return 0;
}

// Property values longer than this are cut: titles and lists are short.
constexpr long kMaxPropertyLongs = 1 << 16;

}  // namespace

std::string NoDisplayReason(const char* display, const char* waylandDisplay) {
  if (display && *display) return std::string("no X display: cannot open display \"") + display + "\"";
  std::string reason = "no X display: DISPLAY is not set";
  if (waylandDisplay && *waylandDisplay) reason += " (a Wayland session needs XWayland for window commands)";
  return reason;
}

void TX11Display::Open() {
  tried_ = true;
  const char* name = std::getenv("DISPLAY");
  if (name && *name) display_ = XOpenDisplay(name);
  if (!display_) {
    unavailable_ = NoDisplayReason(name, std::getenv("WAYLAND_DISPLAY"));
    return;
  }
  XSetErrorHandler(RecordError);
  XSetIOErrorHandler(OnConnectionBroken);
  XSetIOErrorExitHandler(display_, ContinueAfterBreak, this);
}

// Xlib's own handler would print its complaint and end the program; the
// complaint is ours to word, in the command's error.
int TX11Display::OnConnectionBroken(Display*) {
  X11Display().MarkLost();
  return 0;
}

// Returning from here lets the Xlib call that met the break return its
// failure; Xlib's further calls on the connection fail at once. The
// Display stays allocated (never closed): callers in the middle of a
// request still hold it.
void TX11Display::ContinueAfterBreak(Display*, void* self) { static_cast<TX11Display*>(self)->MarkLost(); }

void TX11Display::MarkLost() {
  if (lost_) return;
  lost_ = true;
  unavailable_ = std::string("X display \"") + DisplayString(display_) + "\" was lost";
}

Display* TX11Display::Get() {
  if (!tried_) Open();
  return lost_ ? nullptr : display_;
}

const std::string& TX11Display::Unavailable() {
  if (!tried_) Open();
  return unavailable_;
}

Window TX11Display::Root() {
  Display* display = Get();
  return display ? DefaultRootWindow(display) : None;
}

Atom TX11Display::AtomNamed(const char* name) {
  Display* display = Get();
  return display ? XInternAtom(display, name, False) : None;
}

TX11Display& X11Display() {
  static TX11Display display;
  return display;
}

TX11ErrorTrap::TX11ErrorTrap() : errorsBefore_(errorCount) {}
TX11ErrorTrap::~TX11ErrorTrap() = default;

bool TX11ErrorTrap::Failed(Display* display) {
  XSync(display, False);
  return errorCount != errorsBefore_;
}

TX11Property ReadProperty(Display* display, Window window, Atom property) {
  TX11Property result;
  unsigned long count = 0, remaining = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(display, window, property, 0, kMaxPropertyLongs, False, AnyPropertyType,
                         &result.type, &result.format, &count, &remaining, &data) != Success)
    return {};
  if (data && result.format == 8) result.bytes.assign(reinterpret_cast<char*>(data), count);
  // Xlib hands 32-bit items over as longs, whatever the size of a long.
  if (data && result.format == 32) {
    auto* longs = reinterpret_cast<unsigned long*>(data);
    result.items.assign(longs, longs + count);
  }
  if (data) XFree(data);
  return result;
}

Window ReadWindowProperty(Display* display, Window window, Atom property) {
  TX11Property value = ReadProperty(display, window, property);
  if (value.format != 32 || value.items.empty()) return None;
  return static_cast<Window>(value.items.front());
}
