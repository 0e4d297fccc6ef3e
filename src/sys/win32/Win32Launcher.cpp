// Starting programs through the shell and waiting for them on Win32.
//
// The file and directory texts go to the shell as they are, and the
// arguments as the parameter text their reader takes apart into the same
// words (WindowsArguments.h), of any length: nothing is copied into fixed
// buffers on the way. Only the
// look-up of a document's program has a fixed result buffer, because
// FindExecutableA writes into one of MAX_PATH characters.

// clang-format off
// The interfaces come before windows.h, whose A/W selector macros would
// otherwise rename their methods; shellapi.h needs windows.h before it.
#include "sys/win32/Win32BackEnd.h"
#include <windows.h>
#include <shellapi.h>
#undef ShellExecute
#undef FindExecutable
#undef SetCurrentDirectory
// clang-format on

#include "sys/WindowsArguments.h"
#include "sys/win32/ProcessWaits.h"
#include "util/StreamFuncs.h"
#include "util/StringFuncs.h"

namespace {

constexpr DWORD kWakeOnAnyMessage = 0xFF;  // QS_* of every kind of input and message
constexpr size_t kExecutableBufferSize = 513;
constexpr uintptr_t kLastShellError = 32;  // results up to this are errors

// The shell's record as the 32-bit program hands it over.
static_assert(sizeof(void*) != 4 || sizeof(SHELLEXECUTEINFOA) == 60);

HANDLE AsHandle(TProcessHandle process) { return reinterpret_cast<HANDLE>(process); }

bool FileExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The extension with which the shell finds a program named without one: the
// first of the program extensions found in the working directory, else on
// the search path. Empty when none is found.
std::string ExtensionFound(const std::string& file, const std::string& directory) {
  static const char* const kExtensions[] = {".com", ".exe", ".bat", ".cmd"};
  bool relative = file.find(':') == std::string::npos && file.rfind("\\", 0) != 0;
  std::string inDirectory = relative ? directory + "\\" + file : file;
  for (const char* extension : kExtensions)
    if (FileExists(inDirectory + extension)) return extension;
  char found[MAX_PATH];
  for (const char* extension : kExtensions)
    if (relative && SearchPathA(nullptr, file.c_str(), extension, MAX_PATH, found, nullptr) != 0)
      return extension;
  return "";
}

// The new process's handle value: the system gives the lowest free slot of
// the handle table, so values that keep growing over many starts mean
// handles kept open (programs that ended must not leave theirs behind).
// Wine counts no handles (GetProcessHandleCount gives 0), hence the value.
void TraceProcessHandle(HANDLE process) {
  DebugTrace("started process handle " + std::to_string(reinterpret_cast<uintptr_t>(process)));
}

class TWin32Launcher : public IProgramLauncher {
 public:
  bool RunsThroughCmd(const std::string& file, const std::string& directory) override {
    if (!ExtensionLower(file).empty()) return IsBatchFile(file);
    return IsBatchFile(ExtensionFound(file, directory));
  }

  bool ShellExecute(const TShellRequest& request, TProcessHandle& process) override {
    bool batchFile = RunsThroughCmd(request.file, request.directory);
    std::string parameters = WindowsParameterText(request.file, batchFile, request.arguments);
    SHELLEXECUTEINFOA info = {};
    info.cbSize = sizeof(info);
    // NOASYNC: the shell finishes its work (a DDE conversation, a COM
    // server's activation) before it returns; the program may end or start
    // waiting right after the call.
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
    info.lpFile = request.file.c_str();
    info.lpParameters = parameters.c_str();
    info.lpDirectory = request.directory.c_str();
    info.nShow = request.showCommand;
    if (!::ShellExecuteExA(&info)) return false;
    process = reinterpret_cast<TProcessHandle>(info.hProcess);
    if (info.hProcess) TraceProcessHandle(info.hProcess);
    return true;
  }

  bool WaitForProcess(TProcessHandle process, uint64_t timeoutMs) override {
    return WaitServingMessages(AsHandle(process), timeoutMs);
  }

  TWaitResult WaitForProcesses(const std::vector<TProcessHandle>& processes, uint64_t timeoutMs) override {
    std::vector<HANDLE> handles;
    for (TProcessHandle process : processes) handles.push_back(AsHandle(process));
    DWORD error = 0;
    TWaitResult result = WaitAllServingMessages(handles, timeoutMs, error);
    SetLastError(error);
    return result;
  }

  bool HasEnded(TProcessHandle process) override {
    return WaitForSingleObject(AsHandle(process), 0) == WAIT_OBJECT_0;
  }

  bool GetExitCode(TProcessHandle process, uint32_t& exitCode) override {
    DWORD code = 0;
    if (!GetExitCodeProcess(AsHandle(process), &code)) return false;
    exitCode = code;
    return true;
  }

  void CloseProcess(TProcessHandle process) override { CloseHandle(AsHandle(process)); }

  bool FindExecutable(const std::string& file, const std::string& directory, std::string& executable,
                      uint32_t& error) override {
    char found[kExecutableBufferSize] = {};
    auto result = reinterpret_cast<uintptr_t>(::FindExecutableA(file.c_str(), directory.c_str(), found));
    if (result <= kLastShellError) {
      error = static_cast<uint32_t>(result);
      return false;
    }
    executable = found;
    return true;
  }

  uint32_t WaitForMessages(uint32_t ms) override {
    return MsgWaitForMultipleObjects(0, nullptr, FALSE, ms, kWakeOnAnyMessage);
  }

  // GetTickCount wraps after 49.7 days; counting the wraps keeps the clock
  // going forward (it is read at least once a wait, far more often).
  uint64_t TickCount() override {
    DWORD now = GetTickCount();
    if (now < lastTick_) wraps_ += uint64_t(1) << 32;
    lastTick_ = now;
    return wraps_ + now;
  }

  void Pause(uint32_t ms) override { ::Sleep(ms); }

  std::string CurrentDirectory() override {
    DWORD size = GetCurrentDirectoryA(0, nullptr);
    if (size == 0) return "";
    std::string directory(size, '\0');
    DWORD length = GetCurrentDirectoryA(size, directory.data());
    directory.resize(length < size ? length : 0);
    return directory;
  }

  bool SetCurrentDirectory(const std::string& directory) override {
    return ::SetCurrentDirectoryA(directory.c_str()) != 0;
  }

 private:
  DWORD lastTick_ = 0;
  uint64_t wraps_ = 0;
};

}  // namespace

IProgramLauncher& Win32Launcher() {
  static TWin32Launcher launcher;
  return launcher;
}
