// The application window: the program's presence on the taskbar.
//
// The program never has a main window: the editor and every dialog are shown
// modally without an owner. So that the taskbar still shows what the program
// runs (the application title), one top-level window of our own class is
// created on first use and shown with zero size and without activation; its
// text is the title. It lives until the program ends. A close request sent
// to it is ignored (the program ends through the message queue instead).
//
// The window walk of the scripting commands (/waitfor, /waitclose,
// /activate...) must skip this window: its title holds the running command,
// so "/waitclose *Notepad*" would otherwise match "/waitclose *Notepad* -
// Tarv32" and wait forever. IsOwnAppWindow tells it apart.
#pragma once

#include <windows.h>

#include <string_view>

/// Window class of the application window.
inline constexpr char kAppWindowClass[] = "TTarvApplication";

/// Sets the text of the application window, creating and showing the window
/// first when it does not exist yet.
void SetAppWindowTitle(std::string_view title);

/// The application window of this process, or nullptr before its first use.
HWND AppWindowHandle();

/// True for this process's own application window.
bool IsOwnAppWindow(HWND window);
