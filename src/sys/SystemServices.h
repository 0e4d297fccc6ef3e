// The record of system services that Winfuncs works through: the four
// platform interfaces and the two process-level actions that the waits and
// walks use (serving the message queue, ending the program). The platform's
// real record is chosen by the build (posix/ or win32/ PlatformServices);
// tests install a record of fakes, the same way they install a user interface.
#pragma once

#include <functional>

#include "sys/Keyboard.h"
#include "sys/ProcessList.h"
#include "sys/ProgramLauncher.h"
#include "sys/WindowSystem.h"

struct TSystemServices {
  IProgramLauncher* launcher = nullptr;
  IProcessList* processes = nullptr;
  IWindowSystem* windows = nullptr;
  IKeyboard* keyboard = nullptr;
  /// PumpMessages of the common utilities (may end the program).
  std::function<void()> pumpMessages;
  /// EndProgram of the common utilities. A test's replacement may return;
  /// callers then carry on as if the program had gone on.
  std::function<void(int exitCode)> endProgram;
};

/// The services in use: the platform's until others are installed.
const TSystemServices& SystemServices();
/// Installs `services` (the interfaces are not owned) and returns the
/// previous record.
TSystemServices SetSystemServices(const TSystemServices& services);
/// This platform's real services; defined by the platform's PlatformServices.
TSystemServices PlatformSystemServices();
