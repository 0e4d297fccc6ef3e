// sysprobe: runs one piece of the Win32 system services, or measures a
// program, as its first argument says, and prints what came of it.
//
//   toolhelp                 the tool-help process picture: "pid PATH" lines
//   psapi TRACEFILE          the psapi picture (GetProcNT) with the debug
//                            trace switched on into TRACEFILE: "pid PATH" lines
//   self                     "self PID" (to find itself in the pictures)
//   cpu COMMANDLINE...       starts the program, waits for it, then prints
//                            "exit CODE cpu_ms N wall_ms N" (CPU time of the
//                            program itself, user plus kernel)
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "run/TarvCommon.h"
#include "sys/win32/Win32BackEnd.h"

namespace {

void Say(const std::string& line) {
  std::printf("%s\n", line.c_str());
  std::fflush(stdout);
}

void PrintEntries(const std::vector<TProcessEntry>& entries) {
  for (const TProcessEntry& entry : entries) Say(std::to_string(entry.pid) + " " + entry.path);
}

uint64_t Milliseconds(const FILETIME& time) {
  return ((uint64_t(time.dwHighDateTime) << 32) | time.dwLowDateTime) / 10000;
}

std::string Quoted(const std::string& word) {
  return word.find_first_of(" \t") == std::string::npos && !word.empty() ? word : "\"" + word + "\"";
}

int MeasureProgram(const std::vector<std::string>& words) {
  std::string line;
  for (const std::string& word : words) line += (line.empty() ? "" : " ") + Quoted(word);
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process = {};
  DWORD started = GetTickCount();
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    Say("cannot start: error " + std::to_string(GetLastError()));
    return 3;
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD wall = GetTickCount() - started;
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  FILETIME created, ended, kernel, user;
  GetProcessTimes(process.hProcess, &created, &ended, &kernel, &user);
  Say("exit " + std::to_string(code) + " cpu_ms " +
      std::to_string(Milliseconds(kernel) + Milliseconds(user)) + " wall_ms " + std::to_string(wall));
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
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
  if (args.size() == 1 && args[0] == "self") {
    Say("self " + std::to_string(GetCurrentProcessId()));
    return 0;
  }
  if (args.size() >= 2 && args[0] == "cpu") return MeasureProgram({args.begin() + 1, args.end()});
  std::fputs("usage: sysprobe toolhelp | psapi TRACEFILE | self | cpu COMMANDLINE...\n", stderr);
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
