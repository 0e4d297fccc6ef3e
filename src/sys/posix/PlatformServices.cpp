#include "sys/SystemServices.h"
#include "sys/posix/PosixBackEnd.h"
#include "util/AppServices.h"

TSystemServices PlatformSystemServices() {
  TSystemServices services;
  services.launcher = &PosixLauncher();
  services.processes = &PosixProcessList();
  services.windows = &PosixWindowSystem();
  services.keyboard = &PosixKeyboard();
  services.pumpMessages = [] { PumpMessages(); };
  services.endProgram = [](int exitCode) { EndProgram(exitCode); };
  return services;
}
