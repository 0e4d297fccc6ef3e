#include "sys/x11/X11Clients.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <string_view>

#include "sys/x11/X11Display.h"
#include "util/TextEncoding.h"

namespace {

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

// The clients that an EWMH window manager says it manages, in ascending id.
std::vector<Window> ManagedClients(Display* display) {
  TX11Property list =
      ReadProperty(display, DefaultRootWindow(display), X11Display().AtomNamed("_NET_CLIENT_LIST"));
  std::vector<Window> managed(list.items.begin(), list.items.end());
  std::sort(managed.begin(), managed.end());
  return managed;
}

// The client inside a window manager's frame: the first window with
// WM_STATE, or that the manager lists, in the frame's subtree; or None.
Window ClientInFrame(Display* display, Window frame, const std::vector<Window>& managed) {
  if (std::binary_search(managed.begin(), managed.end(), frame) || HasWmState(display, frame)) return frame;
  for (Window child : Children(display, frame))
    if (Window client = ClientInFrame(display, child, managed)) return client;
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

// Latin-1 text (the STRING type of X properties) as UTF-8.
std::string Latin1ToUtf8(std::string_view latin1) {
  std::string utf8;
  for (char c : latin1) AppendUtf8(utf8, static_cast<unsigned char>(c));
  return utf8;
}

// Text that a client says is UTF-8, with each malformed byte as U+FFFD: a
// title that the program matches and writes is always well-formed.
std::string WellFormedUtf8(std::string_view text) {
  if (IsValidUtf8(text)) return std::string(text);
  std::string utf8;
  for (char32_t c : DecodeUtf8(text)) AppendUtf8(utf8, c);
  return utf8;
}

// A STRING property is Latin-1 by the ICCCM, but programs that store a
// UTF-8 title with XStoreName are common; Latin-1 text with characters
// beyond ASCII is hardly ever well-formed UTF-8, so such bytes are UTF-8.
std::string StringPropertyText(std::string_view bytes) {
  return IsValidUtf8(bytes) ? std::string(bytes) : Latin1ToUtf8(bytes);
}

// WM_NAME in whatever encoding it has: STRING, or COMPOUND_TEXT,
// UTF8_STRING and the rest through Xlib's conversion to UTF-8.
std::string EncodedName(Display* display, Window window) {
  XTextProperty property;
  if (!XGetWMName(display, window, &property) || !property.value) return "";
  std::string text;
  char** list = nullptr;
  int count = 0;
  if (property.encoding == XA_STRING) {
    text = StringPropertyText({reinterpret_cast<char*>(property.value), property.nitems});
  } else if (Xutf8TextPropertyToTextList(display, &property, &list, &count) >= Success && count > 0) {
    text = WellFormedUtf8(list[0]);
  }
  if (list) XFreeStringList(list);
  XFree(property.value);
  return text;
}

}  // namespace

std::vector<Window> ClientWindows(Display* display) {
  std::vector<Window> clients;
  const std::vector<Window> managed = ManagedClients(display);
  for (Window child : Children(display, DefaultRootWindow(display))) {
    if (Window client = ClientInFrame(display, child, managed))
      clients.push_back(client);
    else if (IsUnmanagedClient(display, child))
      clients.push_back(child);
  }
  std::sort(clients.begin(), clients.end());
  return clients;
}

std::string ClientTitle(Display* display, Window window) {
  TX11Property name = ReadProperty(display, window, X11Display().AtomNamed("_NET_WM_NAME"));
  if (name.format == 8 && name.type == X11Display().AtomNamed("UTF8_STRING"))
    return WellFormedUtf8(name.bytes);
  return EncodedName(display, window);
}

std::string ClientClass(Display* display, Window window) {
  XClassHint hint{nullptr, nullptr};
  if (!XGetClassHint(display, window, &hint)) return "";
  std::string className = hint.res_class ? hint.res_class : "";
  if (hint.res_name) XFree(hint.res_name);
  if (hint.res_class) XFree(hint.res_class);
  return StringPropertyText(className);
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
