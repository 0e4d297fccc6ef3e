#include "sys/SystemServices.h"
#include "sys/win32/Win32BackEnd.h"
#include "util/AppServices.h"

TSystemServices PlatformSystemServices() {
  TSystemServices services;
  services.launcher = &Win32Launcher();
  services.processes = &Win32ProcessList();
  services.windows = &Win32WindowSystem();
  services.keyboard = &Win32Keyboard();
  services.pumpMessages = [] { PumpMessages(); };
  services.endProgram = [](int exitCode) { EndProgram(exitCode); };
  return services;
}
