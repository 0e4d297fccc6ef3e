// The Win32 implementations of the system service interfaces, gathered by
// PlatformServices into the platform's services record.
//
// The launcher starts programs through ShellExecuteExA and waits for them
// while the main thread serves its message queue; the
// process list binds tool-help (kernel32) or, where that is missing, psapi
// at run time; the window system reads the desktop's window tree and skips
// the program's own application window; the keyboard types with keybd_event.
#pragma once

#include <vector>

#include "sys/Keyboard.h"
#include "sys/ProcessList.h"
#include "sys/ProgramLauncher.h"
#include "sys/WindowSystem.h"

IProgramLauncher& Win32Launcher();
IProcessList& Win32ProcessList();
IWindowSystem& Win32WindowSystem();
IKeyboard& Win32Keyboard();

/// The process picture of the tool-help functions of kernel32. False (and
/// nothing in `entries`) when kernel32 lacks one of them; raises
/// std::runtime_error when the picture cannot be taken.
bool ToolHelpSnapshot(std::vector<TProcessEntry>& entries);
/// Fills in the facts of each entry (TProcessFacts) beyond its parent, which
/// the picture gives (tool-help only).
void AddProcessFacts(std::vector<TProcessEntry>& entries);
/// The process picture of psapi.dll (GetProcNT), writing its trace lines to
/// the debug trace; raises std::runtime_error when psapi cannot be used.
std::vector<TProcessEntry> PsapiSnapshot();
