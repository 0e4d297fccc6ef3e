// A small X client for the window and keystroke tests: a top-level window
// with the title given on the command line and a one-line text field that
// takes what is typed into it and writes it to a file when asked to close.
//
//   tarvxclient --title TEXT [--out FILE] [--iconic] [--hang] [--no-protocols]
//               [--wm-name-only] [--desktop N | --move N]
//   tarvxclient --end-server PID
//
// --iconic  starts iconified: a window manager maps it as an icon; without
//           one it is left unmapped until someone maps it.
// --hang    serves no events at all once the window is set up (a hung program):
//           it neither reads keys nor answers close requests or pings. It
//           ends when its connection is closed (XKillClient).
// --no-protocols  takes part in no WM_PROTOCOLS (it cannot be asked to
//           close; it ends when its window is destroyed).
// --wm-name-only  names the window the old way only: WM_NAME, in STRING
//           (Latin-1) where the title fits, else in COMPOUND_TEXT.
// --desktop N  asks to be shown on desktop N (from 0) of the window manager
//           (_NET_WM_DESKTOP set before the window is mapped).
// --move N  once the window manager shows the window, asks it to move the
//           window to desktop N, and takes its title only when it has: a
//           case that waits for the title finds the window moved.
// --end-server PID  ends the X server with that process id (the case's own,
//           which the runner names) and returns once the server has dropped
//           this client's connection, as it drops every client's.
// The title is UTF-8 text; it is set as _NET_WM_NAME and as WM_NAME. The
// client takes part in WM_DELETE_WINDOW and _NET_WM_PING. What it is typed
// it writes in UTF-8.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#include <xkbcommon/xkbcommon.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "util/TextEncoding.h"

namespace {

struct TOptions {
  std::string title, out;
  bool iconic = false, hang = false, protocols = true, wmNameOnly = false;
  long desktop = -1;    // -1: wherever the manager puts it
  long move = -1;       // -1: stays where it was put
  pid_t endServer = 0;  // the server to end instead of showing a window
};

bool ParseOptions(int argc, char** argv, TOptions& options) {
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--title" && i + 1 < argc)
      options.title = argv[++i];
    else if (arg == "--out" && i + 1 < argc)
      options.out = argv[++i];
    else if (arg == "--iconic")
      options.iconic = true;
    else if (arg == "--hang")
      options.hang = true;
    else if (arg == "--no-protocols")
      options.protocols = false;
    else if (arg == "--wm-name-only")
      options.wmNameOnly = true;
    else if (arg == "--desktop" && i + 1 < argc)
      options.desktop = std::atol(argv[++i]);
    else if (arg == "--move" && i + 1 < argc)
      options.move = std::atol(argv[++i]);
    else if (arg == "--end-server" && i + 1 < argc)
      options.endServer = static_cast<pid_t>(std::atol(argv[++i]));
    else
      return false;
  }
  return !options.title.empty() || options.endServer > 0;
}

class TClient {
 public:
  TClient(Display* display, const TOptions& options) : display_(display), options_(options) {}

  void Create() {
    Window root = DefaultRootWindow(display_);
    window_ = XCreateSimpleWindow(display_, root, 10, 10, 320, 60, 1, BlackPixel(display_, 0),
                                  WhitePixel(display_, 0));
    XSelectInput(display_, window_, KeyPressMask | ExposureMask | StructureNotifyMask | PropertyChangeMask);
    if (options_.move < 0) SetNames();
    SetHints();
    Atom protocols[] = {Atom_("WM_DELETE_WINDOW"), Atom_("_NET_WM_PING")};
    if (options_.protocols) XSetWMProtocols(display_, window_, protocols, 2);
    long pid = getpid();
    XChangeProperty(display_, window_, Atom_("_NET_WM_PID"), XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(&pid), 1);
    if (options_.desktop >= 0)
      XChangeProperty(display_, window_, Atom_("_NET_WM_DESKTOP"), XA_CARDINAL, 32, PropModeReplace,
                      reinterpret_cast<unsigned char*>(&options_.desktop), 1);
    if (!options_.iconic || WindowManagerRuns()) XMapWindow(display_, window_);
    XFlush(display_);
  }

  // Serves events until asked to close; returns the exit status.
  int Run() {
    // Hung from the start, so that no ping is ever answered.
    if (options_.hang) Hang();
    if (options_.move >= 0) MoveToDesktop();
    for (;;) {
      XEvent event;
      XNextEvent(display_, &event);
      if (event.type == KeyPress) Typed(event.xkey);
      if (event.type == Expose) Draw();
      if (event.type == ClientMessage && Message(event.xclient)) return 0;
      if (event.type == DestroyNotify) return 0;
    }
  }

 private:
  Atom Atom_(const char* name) { return XInternAtom(display_, name, False); }

  // Waits (as long as it takes: the case waits for the title with a
  // deadline) until the property changes to a value that pleases `done`.
  template <typename Done>
  void AwaitProperty(const char* name, Done done) {
    for (;;) {
      XEvent event;
      XWindowEvent(display_, window_, PropertyChangeMask, &event);
      if (event.xproperty.atom == Atom_(name) && done()) return;
    }
  }

  long Cardinal(const char* name) {
    Atom type;
    int format;
    unsigned long count, remaining;
    unsigned char* data = nullptr;
    XGetWindowProperty(display_, window_, Atom_(name), 0, 1, False, AnyPropertyType, &type, &format, &count,
                       &remaining, &data);
    long value = data && count == 1 ? *reinterpret_cast<long*>(data) : -1;
    if (data) XFree(data);
    return value;
  }

  // Managed (WM_STATE set), then moved as a pager would ask (_NET_WM_DESKTOP
  // message, source 2), then titled.
  void MoveToDesktop() {
    AwaitProperty("WM_STATE", [] { return true; });
    XEvent move{};
    move.xclient.type = ClientMessage;
    move.xclient.window = window_;
    move.xclient.message_type = Atom_("_NET_WM_DESKTOP");
    move.xclient.format = 32;
    move.xclient.data.l[0] = options_.move;
    move.xclient.data.l[1] = 2;
    XSendEvent(display_, DefaultRootWindow(display_), False,
               SubstructureNotifyMask | SubstructureRedirectMask, &move);
    AwaitProperty("_NET_WM_DESKTOP", [&] { return Cardinal("_NET_WM_DESKTOP") == options_.move; });
    SetNames();
    XFlush(display_);
  }

  bool WindowManagerRuns() {
    Atom type;
    int format;
    unsigned long count, remaining;
    unsigned char* data = nullptr;
    XGetWindowProperty(display_, DefaultRootWindow(display_), Atom_("_NET_SUPPORTING_WM_CHECK"), 0, 1, False,
                       XA_WINDOW, &type, &format, &count, &remaining, &data);
    bool runs = data && count == 1;
    if (data) XFree(data);
    return runs;
  }

  void SetNames() {
    char* list[] = {options_.title.data()};
    XTextProperty name{};
    if (Xutf8TextListToTextProperty(display_, list, 1, XStdICCTextStyle, &name) == Success) {
      XSetWMName(display_, window_, &name);
      XFree(name.value);
    }
    if (!options_.wmNameOnly)
      XChangeProperty(display_, window_, Atom_("_NET_WM_NAME"), Atom_("UTF8_STRING"), 8, PropModeReplace,
                      reinterpret_cast<const unsigned char*>(options_.title.data()),
                      static_cast<int>(options_.title.size()));
    XClassHint classHint{const_cast<char*>("tarvxclient"), const_cast<char*>("TarvXClient")};
    XSetClassHint(display_, window_, &classHint);
  }

  void SetHints() {
    XWMHints hints{};
    hints.flags = InputHint | StateHint;
    hints.input = True;
    hints.initial_state = options_.iconic ? IconicState : NormalState;
    XSetWMHints(display_, window_, &hints);
  }

  // The connection stays open but nothing is read from it any more. Once
  // the server drops it (the client was killed), the program ends at once:
  // any further call on the connection would only report it broken.
  [[noreturn]] void Hang() {
    XFlush(display_);
    pollfd connection{ConnectionNumber(display_), 0, 0};
    while (!(connection.revents & (POLLHUP | POLLERR))) poll(&connection, 1, -1);
    _exit(2);
  }

  void Typed(XKeyEvent& key) {
    char text[16];
    KeySym keysym = NoSymbol;
    int length = XLookupString(&key, text, sizeof text, &keysym, nullptr);
    if (keysym == XK_BackSpace) {
      while (!typed_.empty() && (typed_.back() & 0xC0) == 0x80) typed_.pop_back();  // a whole character
      if (!typed_.empty()) typed_.pop_back();
    } else if (keysym == XK_Return || keysym == XK_KP_Enter) {
      typed_ += '\n';
    } else if (key.state & ControlMask) {
      if (length == 1) typed_ += "<^" + std::string(1, static_cast<char>(keysym & 0xFF)) + ">";
    } else if (char32_t c = xkb_keysym_to_utf32(static_cast<xkb_keysym_t>(keysym)); c >= 0x20) {
      AppendUtf8(typed_, c);
    }
    Draw();
  }

  void Draw() {
    XClearWindow(display_, window_);
    XDrawString(display_, window_, DefaultGC(display_, 0), 8, 30, typed_.data(),
                static_cast<int>(typed_.size()));
  }

  // True when the client is to end.
  bool Message(const XClientMessageEvent& message) {
    if (message.message_type != Atom_("WM_PROTOCOLS")) return false;
    Atom protocol = static_cast<Atom>(message.data.l[0]);
    if (protocol == Atom_("_NET_WM_PING")) {
      XEvent reply;
      reply.xclient = message;
      reply.xclient.window = DefaultRootWindow(display_);
      XSendEvent(display_, reply.xclient.window, False, SubstructureNotifyMask | SubstructureRedirectMask,
                 &reply);
      XFlush(display_);
      return false;
    }
    if (protocol != Atom_("WM_DELETE_WINDOW")) return false;
    WriteTyped();
    return true;
  }

  void WriteTyped() {
    if (options_.out.empty()) return;
    std::FILE* file = std::fopen(options_.out.c_str(), "wb");
    if (!file) return std::perror(options_.out.c_str());
    std::fwrite(typed_.data(), 1, typed_.size(), file);
    std::fclose(file);
  }

  Display* display_;
  TOptions options_;
  Window window_ = None;
  std::string typed_;
};

// The server is gone once this client's connection reads end of file.
bool ConnectionClosed(int fd, int timeoutMs) {
  pollfd connection{fd, POLLIN, 0};
  if (poll(&connection, 1, timeoutMs) <= 0) return false;
  char byte;
  return (connection.revents & (POLLHUP | POLLERR)) || recv(fd, &byte, 1, MSG_PEEK) <= 0;
}

int EndServer(Display* display, pid_t server) {
  constexpr int kDeadlineMs = 20000;
  if (kill(server, SIGTERM) != 0) {
    std::perror("tarvxclient: kill");
    return 1;
  }
  if (ConnectionClosed(ConnectionNumber(display), kDeadlineMs)) return 0;
  std::fprintf(stderr, "tarvxclient: the X server is still there\n");
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  TOptions options;
  if (!ParseOptions(argc, argv, options)) {
    std::fprintf(stderr,
                 "usage: tarvxclient --title TEXT [--out FILE] [--iconic] [--hang] [--no-protocols]\n"
                 "                   [--wm-name-only] [--desktop N | --move N]\n"
                 "       tarvxclient --end-server PID\n");
    return 64;
  }
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "tarvxclient: cannot open display\n");
    return 1;
  }
  // A case may end the server under its windows: they end without Xlib's
  // complaint, which would be taken for the program's output.
  XSetIOErrorHandler([](Display*) -> int { _exit(3); });
  // The connection is left as the server dropped it: closing it would only
  // meet the broken socket.
  if (options.endServer > 0) return EndServer(display, options.endServer);
  int status = 0;
  {
    TClient client(display, options);
    client.Create();
    status = client.Run();
  }
  XCloseDisplay(display);
  return status;
}
