// The top-level client windows of an X display and what the walk reads of
// them. A client window is the one a program created and named; under a
// window manager it sits inside a frame and carries WM_STATE, or is listed in
// the manager's _NET_CLIENT_LIST (openbox takes WM_STATE off a window that it
// placed on another desktop and has never shown); without one it is a child
// of the root (mapped, or unmapped but asking to start iconic).
#pragma once

#include <X11/Xlib.h>

#include <cstdint>
#include <string>
#include <vector>

/// Every client window, in ascending window id: the order in which the
/// programs created them, which stays the same while windows are raised,
/// lowered, iconified and restored.
std::vector<Window> ClientWindows(Display* display);

/// _NET_WM_NAME, else WM_NAME, as UTF-8 (the program's text), whole.
std::string ClientTitle(Display* display, Window window);
/// The class part of WM_CLASS, as UTF-8.
std::string ClientClass(Display* display, Window window);
/// _NET_WM_PID, or 0 when the client does not say.
uint32_t ClientProcessId(Display* display, Window window);

/// The window's parent, or None when the window has gone.
Window ParentOf(Display* display, Window window);
