// The POSIX implementations of the system service interfaces, gathered by
// PlatformServices into the platform's services record.
#pragma once

#include "sys/Keyboard.h"
#include "sys/ProcessList.h"
#include "sys/ProgramLauncher.h"
#include "sys/WindowSystem.h"

IProgramLauncher& PosixLauncher();
IProcessList& PosixProcessList();
/// A desktop without windows: every search finds nothing.
IWindowSystem& PosixWindowSystem();
/// A keyboard that cannot send keys (there is no window system to type into).
IKeyboard& PosixKeyboard();
