// The ICCCM and EWMH protocols that a client takes part in, as listed in its
// WM_PROTOCOLS: WM_DELETE_WINDOW (asked to close) and _NET_WM_PING (asked to
// answer, which tells a hung client from a busy-free one); and the server
// time that requests to a window manager carry.
#pragma once

#include <X11/Xlib.h>

#include <cstdint>

bool TakesPartIn(Display* display, Window window, const char* protocol);

/// Sends WM_DELETE_WINDOW to the client window.
void SendDeleteWindow(Display* display, Window window);

/// Pings the client window (_NET_WM_PING) and waits up to `timeoutMs` for
/// its answer. A client answers after it has read every event that reached
/// it before the ping, keys included. True when it answered.
bool PingAnswered(Display* display, Window window, uint32_t timeoutMs);

/// The window that takes part in _NET_WM_PING among the focus window and its
/// ancestors, or None (no focus, or a client that does not answer pings).
Window PingableFocusClient(Display* display);

/// The server's time now. A request to a window manager made for the user
/// (_NET_ACTIVE_WINDOW, _NET_CURRENT_DESKTOP) carries the time of the user's
/// action, and managers that prevent focus stealing hold CurrentTime
/// against it; the time of a change to a property of a window of our own is
/// the time of the request. CurrentTime where none can be had.
Time ServerTime(Display* display);
