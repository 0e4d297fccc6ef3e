// sysprobe: runs one piece of the Win32 system services, or posts a message
// to another program, as its first argument says, and prints what came of it.
//
//   toolhelp                 the tool-help process picture: "pid PATH" lines
//   psapi TRACEFILE          the psapi picture (GetProcNT) with the debug
//                            trace switched on into TRACEFILE: "pid PATH" lines
//   findexe FILE DIR         the program that serves FILE: "found PATH" or
//                            "error N" (the shell's look-up)
//   waitname NAME            waits until no process named NAME runs (the
//                            wait by executable name); "ended after N ms"
//   waitbad                  waits for all of a set holding a value that is
//                            no handle: "failed N" with the wait's system error
//   post CLASS MESSAGE WPARAM   posts quit, close or sysclose (WM_SYSCOMMAND
//                            SC_CLOSE) with WPARAM to the first top-level
//                            window of CLASS, waiting up to 10 s for one;
//                            or sysmenu (WM_SYSCOMMAND SC_KEYMENU for the
//                            space bar: the window's thread opens the system
//                            menu in a modal loop) or cancelmode
//                            (WM_CANCELMODE: that modal loop ends), which
//                            ignore WPARAM
//   save FILE TEXT           saves TEXT as FILE the way the editor does: "saved",
//                            or "failed: " and the system error text
//   errortext CODE           the system error text of CODE, as messages show it
//   readtext FILE            reads a text file as the program does, in this
//                            program's code page (no UTF-8 manifest: the
//                            system's ANSI page, as on older Windows): "text"
//                            and the bytes in hexadecimal, or "failed: WHY"
#include <windows.h>

#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "sys/Winfuncs.h"
#include "sys/win32/Win32BackEnd.h"
#include "util/SysFiles.h"
#include "util/TarvCommon.h"
#include "util/TextFiles.h"

namespace {

void Say(const std::string& line) {
  std::printf("%s\n", line.c_str());
  std::fflush(stdout);
}

void PrintEntries(const std::vector<TProcessEntry>& entries) {
  for (const TProcessEntry& entry : entries) Say(std::to_string(entry.pid) + " " + entry.path);
}

struct TPosted {
  UINT message;
  WPARAM wParam;  // replaces the caller's, where the message needs its own
  LPARAM lParam;
};

bool MessageNamed(const std::string& name, WPARAM wParam, TPosted& posted) {
  if (name == "quit")
    posted = {WM_QUIT, wParam, 0};
  else if (name == "close")
    posted = {WM_CLOSE, wParam, 0};
  else if (name == "sysclose")
    posted = {WM_SYSCOMMAND, SC_CLOSE, 0};
  else if (name == "sysmenu")
    posted = {WM_SYSCOMMAND, SC_KEYMENU, ' '};
  else if (name == "cancelmode")
    posted = {WM_CANCELMODE, 0, 0};
  else
    return false;
  return true;
}

int PostToWindow(const std::string& windowClass, const std::string& name, WPARAM wParam) {
  TPosted message{};
  if (!MessageNamed(name, wParam, message)) return 2;
  for (int i = 0; i < 200; ++i) {
    if (HWND window = FindWindowA(windowClass.c_str(), nullptr)) {
      bool posted = PostMessageA(window, message.message, message.wParam, message.lParam);
      Say(posted ? "posted" : "not posted: error " + std::to_string(GetLastError()));
      return posted ? 0 : 3;
    }
    Sleep(50);
  }
  Say("no window of class " + windowClass);
  return 3;
}

int FindExecutableOf(const std::string& file, const std::string& directory) {
  std::string executable;
  uint32_t error = 0;
  if (Win32Launcher().FindExecutable(file, directory, executable, error))
    Say("found " + executable);
  else
    Say("error " + std::to_string(error));
  return 0;
}

int WaitByName(const std::string& name) {
  DWORD start = GetTickCount();
  WaitForProgramByName(name);
  Say("ended after " + std::to_string(GetTickCount() - start) + " ms");
  return 0;
}

// A value that names no handle of this process: a closed handle would not
// do, because a handle opened later may take its value.
int WaitForInvalidHandle() {
  HANDLE invalid = reinterpret_cast<HANDLE>(uintptr_t(0x7FFFFFF0));
  if (Win32Launcher().WaitForProcesses({reinterpret_cast<TProcessHandle>(invalid)}, kWaitForever) ==
      TWaitResult::Ended) {
    Say("waited");
  } else {
    Say("failed " + std::to_string(GetLastError()));
  }
  return 0;
}

int ReadText(const std::string& path) {
  std::string text;
  TFileEncoding encoding;
  if (!ReadTextFile(path, text, encoding)) throw std::runtime_error("cannot read " + path);
  std::string hex = "text";
  char byte[4];
  for (unsigned char c : text) std::snprintf(byte, sizeof byte, " %02x", c), hex += byte;
  Say(hex);
  return 0;
}

int Run(const std::vector<std::string>& args) {
  if (args.size() == 1 && args[0] == "toolhelp") {
    std::vector<TProcessEntry> entries;
    if (!ToolHelpSnapshot(entries)) Say("no tool-help");
    PrintEntries(entries);
    return 0;
  }
  if (args.size() == 2 && args[0] == "psapi") {
    RunState().DebugTraceOn = true;
    RunState().DebugTraceFile = args[1];
    PrintEntries(PsapiSnapshot());
    return 0;
  }
  if (args.size() == 3 && args[0] == "findexe") return FindExecutableOf(args[1], args[2]);
  if (args.size() == 2 && args[0] == "waitname") return WaitByName(args[1]);
  if (args.size() == 1 && args[0] == "waitbad") return WaitForInvalidHandle();
  if (args.size() == 2 && args[0] == "readtext") return ReadText(args[1]);
  if (args.size() == 3 && args[0] == "save")
    return Say(SysSaveFile(args[1], args[2]) ? "saved" : "failed: " + WinErrorText(LastSystemError())), 0;
  if (args.size() == 2 && args[0] == "errortext") return Say(WinErrorText(std::stoul(args[1]))), 0;
  if (args.size() == 4 && args[0] == "post")
    return PostToWindow(args[1], args[2], static_cast<WPARAM>(std::stoul(args[3])));
  std::fputs(
      "usage: sysprobe toolhelp | psapi TRACEFILE | findexe FILE DIR | waitname NAME | waitbad | post CLASS "
      "MESSAGE WPARAM | readtext FILE | errortext CODE | save FILE TEXT\n",
      stderr);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return Run({argv + 1, argv + argc});
  } catch (const std::exception& error) {
    Say(std::string("failed: ") + error.what());
    return 1;
  }
}
