#include "util/AppServices.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "util/StringFuncs.h"

namespace {

// The program never has a main window, so a close request taken from the
// queue ends the program just as a quit request does.
bool EndsProgram(const MSG& msg) {
  if (msg.message == WM_QUIT || msg.message == WM_CLOSE) return true;
  return msg.message == WM_SYSCOMMAND && msg.wParam == SC_CLOSE;
}

std::string CommandLineText() {
  const char* line = GetCommandLineA();
  return line ? line : "";
}

}  // namespace

std::string ProgramArguments() { return ArgumentsOfCommandLine(CommandLineText()); }

void PumpMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (EndsProgram(msg)) EndProgram(static_cast<int>(msg.wParam));
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

void EndProgram(int exitCode) {
  std::fflush(nullptr);
  std::exit(exitCode);
}

// The Windows program shows real dialogs; its console interface is chosen for
// unattended runs, which must never stop for input.
bool IsInteractiveTerminal(std::FILE*) { return false; }
