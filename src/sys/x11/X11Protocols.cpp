#include "sys/x11/X11Protocols.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "sys/x11/X11Clients.h"
#include "sys/x11/X11Display.h"

namespace {

constexpr auto kPollInterval = std::chrono::milliseconds(10);

Atom AtomNamed(const char* name) { return X11Display().AtomNamed(name); }

XEvent ProtocolMessage(Window window, Atom protocol, long stamp) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = AtomNamed("WM_PROTOCOLS");
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(protocol);
  event.xclient.data.l[1] = stamp;
  event.xclient.data.l[2] = static_cast<long>(window);
  return event;
}

// The answer to a ping comes back to the root window as the same message.
bool IsAnswer(const XEvent& event, Window window, long stamp) {
  const XClientMessageEvent& message = event.xclient;
  return message.message_type == AtomNamed("WM_PROTOCOLS") &&
         message.data.l[0] == static_cast<long>(AtomNamed("_NET_WM_PING")) && message.data.l[1] == stamp &&
         message.data.l[2] == static_cast<long>(window);
}

bool AwaitAnswer(Display* display, Window window, long stamp, uint32_t timeoutMs) {
  Window root = DefaultRootWindow(display);
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    XEvent event;
    while (XCheckTypedWindowEvent(display, root, ClientMessage, &event))
      if (IsAnswer(event, window, stamp)) return true;
    if (std::chrono::steady_clock::now() >= deadline || X11Display().Lost()) return false;
    std::this_thread::sleep_for(kPollInterval);
  }
}

// An unmapped window of our own whose property changes tell the time. It
// lives as long as the connection: the display is opened once per run.
Window TimeWindow(Display* display) {
  static Window window = None;
  if (window != None) return window;
  XSetWindowAttributes attributes{};
  attributes.event_mask = PropertyChangeMask;
  window = XCreateWindow(display, DefaultRootWindow(display), -1, -1, 1, 1, 0, CopyFromParent, InputOnly,
                         CopyFromParent, CWEventMask, &attributes);
  return window;
}

}  // namespace

Time ServerTime(Display* display) {
  Window window = TimeWindow(display);
  // Appending nothing changes no value but still makes a PropertyNotify,
  // which is in the queue once the server has answered the sync.
  XChangeProperty(display, window, AtomNamed("_TARV32_TIME"), XA_STRING, 8, PropModeAppend, nullptr, 0);
  XSync(display, False);
  XEvent event;
  Time time = CurrentTime;
  while (XCheckTypedWindowEvent(display, window, PropertyNotify, &event)) time = event.xproperty.time;
  return time;
}

bool TakesPartIn(Display* display, Window window, const char* protocol) {
  Atom* protocols = nullptr;
  int count = 0;
  if (!XGetWMProtocols(display, window, &protocols, &count)) return false;
  Atom wanted = AtomNamed(protocol);
  bool found = std::find(protocols, protocols + count, wanted) != protocols + count;
  XFree(protocols);
  return found;
}

void SendDeleteWindow(Display* display, Window window) {
  XEvent event = ProtocolMessage(window, AtomNamed("WM_DELETE_WINDOW"), CurrentTime);
  XSendEvent(display, window, False, NoEventMask, &event);
  XSync(display, False);
}

bool PingAnswered(Display* display, Window window, uint32_t timeoutMs) {
  static long lastStamp = 0;
  long stamp = ++lastStamp;
  Window root = DefaultRootWindow(display);
  // Answers go to the root window; only while waiting for one does this
  // connection listen there, and it drops whatever else came meanwhile.
  XSelectInput(display, root, SubstructureNotifyMask);
  XEvent ping = ProtocolMessage(window, AtomNamed("_NET_WM_PING"), stamp);
  XSendEvent(display, window, False, NoEventMask, &ping);
  XSync(display, False);
  bool answered = AwaitAnswer(display, window, stamp, timeoutMs);
  XSelectInput(display, root, NoEventMask);
  XSync(display, True);
  return answered;
}

Window PingableFocusClient(Display* display) {
  Window focus = None;
  int revert = 0;
  XGetInputFocus(display, &focus, &revert);
  Window root = DefaultRootWindow(display);
  for (Window at = focus; at != None && at != PointerRoot && at != root; at = ParentOf(display, at))
    if (TakesPartIn(display, at, "_NET_WM_PING")) return at;
  return None;
}
