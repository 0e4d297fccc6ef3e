#include "sys/x11/X11Clients.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <algorithm>

#include "sys/x11/X11Display.h"

namespace {

// Title and class texts are read into 256-byte buffers elsewhere: the same
// limit here keeps titles alike on every platform.
constexpr size_t kMaxTitle = 254;

std::vector<Window> Children(Display* display, Window window) {
  Window root = None, parent = None;
  Window* children = nullptr;
  unsigned int count = 0;
  if (!XQueryTree(display, window, &root, &parent, &children, &count)) return {};
  std::vector<Window> result(children, children + count);
  if (children) XFree(children);
  return result;
}

bool HasWmState(Display* display, Window window) {
  return ReadProperty(display, window, X11Display().AtomNamed("WM_STATE")).type != None;
}

// The client inside a window manager's frame: the first window with
// WM_STATE in the frame's subtree, or None.
Window ClientInFrame(Display* display, Window frame) {
  if (HasWmState(display, frame)) return frame;
  for (Window child : Children(display, frame))
    if (Window client = ClientInFrame(display, child)) return client;
  return None;
}

// A root child that no window manager handles: a program's own window when
// it is shown, or when it waits to be shown iconic (nobody iconifies it).
bool IsUnmanagedClient(Display* display, Window window) {
  XWindowAttributes attributes;
  if (!XGetWindowAttributes(display, window, &attributes)) return false;
  if (attributes.override_redirect || attributes.c_class != InputOutput) return false;
  if (attributes.map_state != IsUnmapped) return true;
  XWMHints* hints = XGetWMHints(display, window);
  bool iconic = hints && (hints->flags & StateHint) && hints->initial_state == IconicState;
  if (hints) XFree(hints);
  return iconic;
}

std::string CutToTitle(std::string text) {
  if (text.size() > kMaxTitle) text.resize(kMaxTitle);
  return text;
}

// WM_NAME in an encoding other than STRING (COMPOUND_TEXT, say), through
// Xlib's conversion to UTF-8.
std::string EncodedName(Display* display, Window window) {
  XTextProperty property;
  if (!XGetWMName(display, window, &property) || !property.value) return "";
  std::string text;
  char** list = nullptr;
  int count = 0;
  if (property.encoding == XA_STRING) {
    text.assign(reinterpret_cast<char*>(property.value), property.nitems);
  } else if (Xutf8TextPropertyToTextList(display, &property, &list, &count) >= Success && count > 0) {
    text = Utf8ToLatin1(list[0]);
  }
  if (list) XFreeStringList(list);
  XFree(property.value);
  return text;
}

// The code point of the UTF-8 sequence at `at` (moving past it), or -1.
long NextCodePoint(const std::string& utf8, size_t& at) {
  auto byte = [&](size_t i) { return static_cast<unsigned char>(utf8[i]); };
  unsigned char lead = byte(at++);
  if (lead < 0x80) return lead;
  int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : -1;
  if (extra < 0) return -1;
  long code = lead & (0x3F >> extra);
  for (int i = 0; i < extra; ++i) {
    if (at >= utf8.size() || (byte(at) & 0xC0) != 0x80) return -1;
    code = (code << 6) | (byte(at++) & 0x3F);
  }
  return code;
}

}  // namespace

std::vector<Window> ClientWindows(Display* display) {
  std::vector<Window> clients;
  for (Window child : Children(display, DefaultRootWindow(display))) {
    if (Window client = ClientInFrame(display, child))
      clients.push_back(client);
    else if (IsUnmanagedClient(display, child))
      clients.push_back(child);
  }
  std::sort(clients.begin(), clients.end());
  return clients;
}

std::string Utf8ToLatin1(const std::string& utf8) {
  std::string text;
  for (size_t at = 0; at < utf8.size();) {
    long code = NextCodePoint(utf8, at);
    text += code >= 0 && code <= 0xFF ? static_cast<char>(code) : '?';
  }
  return text;
}

std::string ClientTitle(Display* display, Window window) {
  TX11Property name = ReadProperty(display, window, X11Display().AtomNamed("_NET_WM_NAME"));
  if (name.format == 8 && name.type == X11Display().AtomNamed("UTF8_STRING"))
    return CutToTitle(Utf8ToLatin1(name.bytes));
  return CutToTitle(EncodedName(display, window));
}

std::string ClientClass(Display* display, Window window) {
  XClassHint hint{nullptr, nullptr};
  if (!XGetClassHint(display, window, &hint)) return "";
  std::string className = hint.res_class ? hint.res_class : "";
  if (hint.res_name) XFree(hint.res_name);
  if (hint.res_class) XFree(hint.res_class);
  return CutToTitle(className);
}

uint32_t ClientProcessId(Display* display, Window window) {
  TX11Property pid = ReadProperty(display, window, X11Display().AtomNamed("_NET_WM_PID"));
  return pid.format == 32 && !pid.items.empty() ? static_cast<uint32_t>(pid.items.front()) : 0;
}

Window ParentOf(Display* display, Window window) {
  Window root = None, parent = None;
  Window* children = nullptr;
  unsigned int count = 0;
  if (!XQueryTree(display, window, &root, &parent, &children, &count)) return None;
  if (children) XFree(children);
  return parent;
}
