// The editor's windows for the Win32 program: /edit, /plist and /wlist (and
// a start without arguments) open the real modal windows. The Win32 start-up
// installs them when it installs the GUI user interface.
#pragma once

/// Makes EditorWindows() open the Win32 windows from now on.
void InstallWin32EditorWindows();
