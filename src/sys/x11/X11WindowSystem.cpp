// The window system on X: the desktop is the root window and its children
// are the top-level client windows (X11Clients), taken as one list when the
// walk starts, so the walk's order holds while windows come and go.
//
// Activation asks the window manager, where one runs, through
// _NET_ACTIVE_WINDOW, after switching to the window's desktop with
// _NET_CURRENT_DESKTOP where it lives on another (not every manager follows
// a window there itself); both requests carry the server time. Without a
// manager it maps, raises and focuses the window itself. The window is in
// front when it (or a window inside it) has the input focus.
// Closing sends WM_DELETE_WINDOW to a client that takes part in that
// protocol and destroys the window of one that does not; the quit message
// ends the client (XKillClient), which is what ending a program's message
// loop does to it.
#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <chrono>
#include <initializer_list>
#include <optional>
#include <thread>

#include "sys/posix/PosixBackEnd.h"
#include "sys/x11/X11Clients.h"
#include "sys/x11/X11Display.h"
#include "sys/x11/X11Protocols.h"

namespace {

using TClock = std::chrono::steady_clock;

// How long a window that we map ourselves may take to be shown.
constexpr auto kMapDeadline = std::chrono::milliseconds(500);
constexpr auto kPollInterval = std::chrono::milliseconds(10);
// How long a window manager may take to show another desktop.
constexpr auto kDesktopDeadline = std::chrono::milliseconds(2000);
// The _NET_WM_DESKTOP of a window shown on every desktop.
constexpr unsigned long kAllDesktops = 0xFFFFFFFF;
// _NET_ACTIVE_WINDOW source indication of a pager or similar tool: a request
// made for the user, which focus-stealing prevention lets through.
constexpr long kSourcePager = 2;

Atom AtomNamed(const char* name) { return X11Display().AtomNamed(name); }

bool WindowManagerRuns(Display* display) {
  Atom check = AtomNamed("_NET_SUPPORTING_WM_CHECK");
  Window wm = ReadWindowProperty(display, DefaultRootWindow(display), check);
  return wm != None && ReadWindowProperty(display, wm, check) == wm;
}

bool IsIconic(Display* display, Window window) {
  TX11Property state = ReadProperty(display, window, AtomNamed("WM_STATE"));
  return state.format == 32 && !state.items.empty() && state.items.front() == IconicState;
}

bool IsShown(Display* display, Window window) {
  XWindowAttributes attributes;
  return XGetWindowAttributes(display, window, &attributes) && attributes.map_state == IsViewable;
}

// True when the focus is on the window or inside it (a client may give the
// focus to one of its own children).
bool HasFocus(Display* display, Window window) {
  Window focus = None;
  int revert = 0;
  XGetInputFocus(display, &focus, &revert);
  for (Window at = focus; at != None && at != PointerRoot; at = ParentOf(display, at))
    if (at == window) return true;
  return false;
}

// Gives up at once when the display is lost meanwhile.
template <typename Condition>
bool WaitUntil(TClock::time_point deadline, Condition condition) {
  for (;;) {
    if (condition()) return true;
    if (TClock::now() >= deadline || X11Display().Lost()) return false;
    std::this_thread::sleep_for(kPollInterval);
  }
}

void SendToRoot(Display* display, Window window, Atom type, std::initializer_list<long> data) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = type;
  event.xclient.format = 32;
  std::copy(data.begin(), data.end(), event.xclient.data.l);
  XSendEvent(display, DefaultRootWindow(display), False, SubstructureRedirectMask | SubstructureNotifyMask,
             &event);
}

// A desktop number of the manager's (_NET_WM_DESKTOP of a client,
// _NET_CURRENT_DESKTOP of the root), or nothing where it keeps none.
std::optional<unsigned long> DesktopProperty(Display* display, Window window, const char* name) {
  TX11Property value = ReadProperty(display, window, AtomNamed(name));
  if (value.format != 32 || value.items.empty()) return std::nullopt;
  return value.items.front() & 0xFFFFFFFFul;  // a 32-bit item may come sign-extended
}

// The desktop that the manager must show for the window to be seen, or
// nothing when the one shown will do (the window is on it or on all, or the
// manager has no desktops).
std::optional<unsigned long> DesktopToShow(Display* display, Window window) {
  auto wanted = DesktopProperty(display, window, "_NET_WM_DESKTOP");
  auto shown = DesktopProperty(display, DefaultRootWindow(display), "_NET_CURRENT_DESKTOP");
  if (!wanted || !shown || *wanted == kAllDesktops || *wanted == *shown) return std::nullopt;
  return wanted;
}

// Asks the manager to show the desktop; true once it says it does.
bool ShowDesktop(Display* display, unsigned long desktop, Time time) {
  Window root = DefaultRootWindow(display);
  SendToRoot(display, root, AtomNamed("_NET_CURRENT_DESKTOP"),
             {static_cast<long>(desktop), static_cast<long>(time)});
  XFlush(display);
  return WaitUntil(TClock::now() + kDesktopDeadline,
                   [&] { return DesktopProperty(display, root, "_NET_CURRENT_DESKTOP") == desktop; });
}

// False when the window's desktop could not be shown.
bool AskWindowManagerToActivate(Display* display, Window window) {
  Time time = ServerTime(display);
  if (auto desktop = DesktopToShow(display, window); desktop && !ShowDesktop(display, *desktop, time))
    return false;
  // Mapping an iconic client asks the manager to restore it (ICCCM).
  if (IsIconic(display, window)) XMapWindow(display, window);
  Window active = ReadWindowProperty(display, DefaultRootWindow(display), AtomNamed("_NET_ACTIVE_WINDOW"));
  SendToRoot(display, window, AtomNamed("_NET_ACTIVE_WINDOW"),
             {kSourcePager, static_cast<long>(time), static_cast<long>(active)});
  XFlush(display);
  return true;
}

void ActivateWithoutWindowManager(Display* display, Window window) {
  XMapRaised(display, window);
  if (!WaitUntil(TClock::now() + kMapDeadline, [&] { return IsShown(display, window); })) return;
  XSetInputFocus(display, window, RevertToParent, CurrentTime);
  XFlush(display);
}

class TX11WindowSystem : public IWindowSystem {
 public:
  std::string Unavailable() override { return X11Display().Unavailable(); }

  TWindowHandle DesktopWindow() override {
    Display* display = X11Display().Get();
    return display ? DefaultRootWindow(display) : 0;
  }
  bool WindowExists(TWindowHandle window) override {
    Display* display = X11Display().Get();
    XWindowAttributes attributes;
    return display && XGetWindowAttributes(display, window, &attributes);
  }
  // The list of clients is taken once per walk and never cut short.
  bool IsLastSibling(TWindowHandle) override { return true; }
  TWindowHandle FirstChild(TWindowHandle window) override {
    Display* display = X11Display().Get();
    if (!display || window != DefaultRootWindow(display)) return 0;
    clients_ = ClientWindows(display);
    return clients_.empty() ? 0 : clients_.front();
  }
  TWindowHandle NextSibling(TWindowHandle window) override {
    auto at = std::find(clients_.begin(), clients_.end(), window);
    return at == clients_.end() || at + 1 == clients_.end() ? 0 : *(at + 1);
  }
  std::string WindowTitle(TWindowHandle window) override {
    Display* display = X11Display().Get();
    return display ? ClientTitle(display, window) : "";
  }
  std::string ClassName(TWindowHandle window) override {
    Display* display = X11Display().Get();
    return display ? ClientClass(display, window) : "";
  }
  uint32_t OwningProcessId(TWindowHandle window) override {
    Display* display = X11Display().Get();
    return display ? ClientProcessId(display, window) : 0;
  }

  // Without a manager an unmapped client is an iconified one: nobody else
  // would map it. A manager may mark the windows of the desktops it does
  // not show iconic (openbox does): those are hidden, not minimized, and
  // activation shows their desktop.
  bool IsMinimized(TWindowHandle window) override {
    Display* display = X11Display().Get();
    if (!display) return false;
    if (!WindowManagerRuns(display)) return !IsShown(display, window);
    return IsIconic(display, window) && !DesktopToShow(display, window);
  }
  // Mapping asks a manager to restore the window (ICCCM); without one it
  // shows the window at once.
  void Restore(TWindowHandle window) override {
    Display* display = X11Display().Get();
    if (!display) return;
    XMapWindow(display, window);
    XSync(display, False);
  }
  // X has no foreground lock, so every means is the same request; asking
  // again helps a window that the manager had not taken on yet.
  bool SetForeground(TWindowHandle window, TForegroundMeans) override {
    if (!WindowExists(window)) return false;
    Display* display = X11Display().Get();
    if (WindowManagerRuns(display)) return AskWindowManagerToActivate(display, window);
    ActivateWithoutWindowManager(display, window);
    return true;
  }
  bool IsForeground(TWindowHandle window) override {
    Display* display = X11Display().Get();
    return display && HasFocus(display, window);
  }

  // A client that answers pings and does not answer this one is hung; a
  // client that does not take part in WM_DELETE_WINDOW has its window
  // destroyed, as a window without a close handler is.
  TSendOutcome SendClose(TWindowHandle window, uint32_t timeoutMs) override {
    if (!WindowExists(window)) return TSendOutcome::WindowGone;
    Display* display = X11Display().Get();
    if (!TakesPartIn(display, window, "WM_DELETE_WINDOW")) {
      XDestroyWindow(display, window);
      XSync(display, False);
      return TSendOutcome::Delivered;
    }
    if (TakesPartIn(display, window, "_NET_WM_PING") && !PingAnswered(display, window, timeoutMs))
      return TSendOutcome::NotResponding;
    SendDeleteWindow(display, window);
    return TSendOutcome::Delivered;
  }
  // Ending the client works whether or not it serves its events.
  TSendOutcome SendQuit(TWindowHandle window, uint32_t) override {
    if (!WindowExists(window)) return TSendOutcome::WindowGone;
    Display* display = X11Display().Get();
    XKillClient(display, window);
    XSync(display, False);
    return TSendOutcome::Delivered;
  }

 private:
  std::vector<Window> clients_;
};

}  // namespace

IWindowSystem& PosixWindowSystem() {
  static TX11WindowSystem windows;
  return windows;
}
