// uiprobe: calls one piece of the Win32 user interface or the process
// services, as its first argument says, and prints what came of it, so that
// a Wine test can drive the real dialogs from outside and check the result.
//
//   error|info|warning TEXT   a message box; "closed" afterwards
//   ask TEXT                  the Confirm box; "answer yes" or "answer no"
//   infodlg LINES             the Information dialog with LINES numbered lines
//   infodlg-mixed             the Information dialog with lone LF line ends
//                             and a NUL character in its text
//   title TEXT                sets the application title, then an Information
//                             box "title set" keeps the program alive
//   errortext CODE            "ours: " + WinErrorText, "system: " + the text of
//                             FormatMessageA (or "(none)"), both escaped
//   pump-empty                PumpMessages on an empty queue; "returned"
//   pump-dispatch             a posted window message is delivered; "dispatched N"
//   pump-post MESSAGE WPARAM  posts the thread message (quit, close, sysclose)
//                             and pumps; the program should end with WPARAM
//   version PATH              FileVersion, LegalCopyright and ProductName of
//                             the version resource of PATH
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "util/AppServices.h"
#include "util/MessageBoxes.h"
#include "util/SysFiles.h"
#include "util/win32/GuiUserInterface.h"

namespace {

void Say(const std::string& line) {
  std::printf("%s\n", line.c_str());
  std::fflush(stdout);
}

std::string Escaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\r')
      out += "\\r";
    else if (c == '\n')
      out += "\\n";
    else
      out += c;
  }
  return out;
}

std::string NumberedLines(int count) {
  std::string text;
  char line[96];
  for (int i = 1; i <= count; ++i) {
    std::snprintf(line, sizeof(line), "Line %05d of the run log: echo command number %d\r\n", i, i);
    text += line;
  }
  return text;
}

std::string SystemText(DWORD code) {
  char text[256];
  DWORD length =
      FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, code, 0x0800, text, sizeof(text), nullptr);
  return length ? std::string(text, length) : "(none)";
}

int dispatched = 0;

LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_APP) ++dispatched;
  return DefWindowProcA(window, message, wParam, lParam);
}

int PumpDispatch() {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = CountingProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "TarvProbeCounter";
  RegisterClassA(&windowClass);
  HWND window = CreateWindowA("TarvProbeCounter", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  PostMessageA(window, WM_APP, 0, 0);
  PostMessageA(window, WM_APP, 0, 0);
  PumpMessages();
  Say("dispatched " + std::to_string(dispatched));
  return 0;
}

UINT MessageNamed(const std::string& name) {
  if (name == "quit") return WM_QUIT;
  if (name == "close") return WM_CLOSE;
  if (name == "sysclose") return WM_SYSCOMMAND;
  return 0;
}

int PumpPosted(const std::string& name, const std::string& wParam) {
  UINT message = MessageNamed(name);
  if (message == 0) return 1;
  WPARAM value = message == WM_SYSCOMMAND ? SC_CLOSE : std::strtoul(wParam.c_str(), nullptr, 10);
  PostThreadMessageA(GetCurrentThreadId(), message, value, 0);
  PumpMessages();
  Say("pump returned");
  return 99;
}

std::string VersionValue(const std::string& block, const char* name) {
  std::string path = "\\StringFileInfo\\040904E4\\";
  path += name;
  char* value = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(block.data(), path.c_str(), reinterpret_cast<void**>(&value), &length) || !value)
    return std::string("<") + name + " not available>";
  return value;
}

int Version(const std::string& file) {
  DWORD ignored = 0;
  DWORD size = GetFileVersionInfoSizeA(file.c_str(), &ignored);
  if (size == 0) {
    Say("no version resource");
    return 3;
  }
  std::string block(size, '\0');
  if (!GetFileVersionInfoA(file.c_str(), 0, size, block.data())) return 3;
  for (const char* name : {"FileVersion", "LegalCopyright", "ProductName"})
    Say(std::string(name) + "=" + VersionValue(block, name));
  return 0;
}

int Dispatch(const std::string& command, const std::string& arg, const std::string& arg2) {
  if (command == "error")
    ShowError(arg);
  else if (command == "info")
    ShowInfo(arg);
  else if (command == "warning")
    ShowWarning(arg);
  else if (command == "ask") {
    Say(AskYesNo(arg) ? "answer yes" : "answer no");
    return 0;
  } else if (command == "infodlg")
    UserInterface().ShowInfoDialog(NumberedLines(std::atoi(arg.c_str())));
  else if (command == "infodlg-mixed")
    UserInterface().ShowInfoDialog(std::string("first\nsecond\r\nthird\0fourth", 26));
  else if (command == "title") {
    UserInterface().SetAppTitle(arg);
    Say("title " + UserInterface().AppTitle());
    ShowInfo("title set");
  } else if (command == "errortext") {
    DWORD code = std::strtoul(arg.c_str(), nullptr, 10);
    Say("ours: " + Escaped(WinErrorText(code)));
    Say("system: " + Escaped(SystemText(code)));
    return 0;
  } else if (command == "pump-empty") {
    DWORD start = GetTickCount();
    PumpMessages();
    Say("returned after " + std::to_string(GetTickCount() - start) + " ms");
    return 0;
  } else if (command == "pump-dispatch")
    return PumpDispatch();
  else if (command == "pump-post")
    return PumpPosted(arg, arg2);
  else if (command == "version")
    return Version(arg);
  else {
    std::fprintf(stderr, "uiprobe: unknown command \"%s\"\n", command.c_str());
    return 1;
  }
  Say("closed");
  return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  MSG msg;
  PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
  SetUserInterface(&GuiUserInterface());
  std::string command = __argc > 1 ? __argv[1] : "";
  std::string arg = __argc > 2 ? __argv[2] : "";
  std::string arg2 = __argc > 3 ? __argv[3] : "";
  EndProgram(Dispatch(command, arg, arg2));
}
