// Entry of the Win32 program: the thread's message queue, COM, the common
// controls, the user interface (real dialogs, or the console interface when
// TARV_UI is "console" for unattended runs), then one run.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "run/TarvMain.h"
#include "util/AppServices.h"
#include "util/ConsoleUI.h"
#include "util/StringFuncs.h"
#include "util/win32/GuiUserInterface.h"

namespace {

// Thread messages posted to the program (a quit request) need the queue to
// exist from the start.
void CreateMessageQueue() {
  MSG msg;
  PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
}

// The shell hands documents and addresses to their programs through COM
// and DDE on the calling thread, which must be a single-threaded apartment
// (OLE1 DDE is not wanted). The apartment is left when the program ends:
// EndProgram leaves through exit on this thread, which destroys the guard.
class TComApartment {
 public:
  TComApartment()
      : entered_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}
  ~TComApartment() {
    if (entered_) CoUninitialize();
  }
  TComApartment(const TComApartment&) = delete;
  TComApartment& operator=(const TComApartment&) = delete;

 private:
  bool entered_;
};

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
  gui.ShowAppTitle();
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  CreateMessageQueue();
  static TComApartment com;
  InitCommonControls6();
  InstallUserInterface();
  EndProgram(TarvMain(ProgramArguments()));
}
