// Entry of the Win32 program: the thread's message queue, the common
// controls, the user interface (real dialogs, or the console interface when
// TARV_UI is "console" for unattended runs), then one run.
#include <windows.h>
#include <commctrl.h>

#include "editor/win32/Win32EditorWindows.h"
#include "run/TarvMain.h"
#include "run/win32/GuiUserInterface.h"
#include "util/AppServices.h"
#include "util/ConsoleUI.h"
#include "util/StringFuncs.h"

namespace {

// Thread messages posted to the program (the waiter threads, a quit request)
// need the queue to exist from the start.
void CreateMessageQueue() {
  MSG msg;
  PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
}

void InitCommonControls6() {
  INITCOMMONCONTROLSEX controls = {};
  controls.dwSize = sizeof(controls);
  controls.dwICC = ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES;
  InitCommonControlsEx(&controls);
}

bool ConsoleRequested() {
  char value[16] = {};
  DWORD length = GetEnvironmentVariableA("TARV_UI", value, sizeof(value));
  return length > 0 && length < sizeof(value) && lstrcmpiA(value, "console") == 0;
}

void InstallUserInterface() {
  if (ConsoleRequested()) {
    SetUserInterface(&ConsoleUserInterface());
    return;
  }
  TGuiUI& gui = GuiUserInterface();
  SetUserInterface(&gui);
  InstallWin32EditorWindows();
  gui.ShowAppTitle();
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  CreateMessageQueue();
  InitCommonControls6();
  InstallUserInterface();
  EndProgram(TarvMain(ProgramArguments()));
}
