// Entry of the Win32 program: first contact (/? and --version, before any
// window exists), the thread's message queue, COM, the common
// controls, the user interface (real dialogs, or the console interface when
// TARV_UI is "console" for unattended runs), then one run.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <string>

#include "TarvVersion.h"
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

const TProgramFace kFace = {"tarv32.exe", TARV_VERSION_TEXT, {"/?"}, "user-guide.html, beside tarv32.exe"};

// The text with Windows line ends, as console and file readers expect.
std::string WithCrLf(const std::string& text) {
  std::string out;
  for (char c : text) out += c == '\n' ? std::string("\r\n") : std::string(1, c);
  return out;
}

// The standard output the program was given (redirected to a file or a
// pipe), or else the console of the program that started it. A GUI program
// has neither when it is started from Explorer or a shortcut.
HANDLE FirstContactOutput() {
  HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  if (out != nullptr && out != INVALID_HANDLE_VALUE && GetFileType(out) != FILE_TYPE_UNKNOWN) return out;
  if (!AttachConsole(ATTACH_PARENT_PROCESS)) return nullptr;
  out = CreateFileA("CONOUT$", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                    nullptr);
  return out == INVALID_HANDLE_VALUE ? nullptr : out;
}

// Writes the usage or version where the user can read it: standard output
// when there is one, an Information box otherwise.
void ShowFirstContact(const std::string& text) {
  const std::string crlf = WithCrLf(text);
  if (HANDLE out = FirstContactOutput()) {
    DWORD written = 0;
    if (WriteFile(out, crlf.data(), static_cast<DWORD>(crlf.size()), &written, nullptr) &&
        written == crlf.size())
      return;
  }
  MessageBoxA(nullptr, crlf.c_str(), "Tarv32", MB_OK | MB_ICONINFORMATION);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  if (const std::string text = FirstContactText(ProgramArguments(), kFace); !text.empty()) {
    ShowFirstContact(text);
    EndProgram(0);
  }
  CreateMessageQueue();
  static TComApartment com;
  InitCommonControls6();
  InstallUserInterface();
  EndProgram(TarvMain(ProgramArguments()));
}
