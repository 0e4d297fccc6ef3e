// The running processes on Win32, from one of two back ends bound at run
// time so that the program starts on systems that lack either: the
// tool-help functions of kernel32 (tried first) and psapi.dll, which takes
// over for good once kernel32 is found without tool-help.
//
// The psapi back end writes a line to the debug trace at every step, as an
// enumeration by index would: for each index "in GetProcNT", the loading
// and EnumProcesses steps at index 1, then per process its steps up to
// "GetProcNT: exiting"; the index after the last process writes only
// "in GetProcNT". A failing call of either back end raises
// std::runtime_error with the system's own words.
#include <windows.h>
// After windows.h, which it needs.
#include <tlhelp32.h>

#include <stdexcept>

#include "sys/win32/Win32BackEnd.h"
#include "util/StreamFuncs.h"
#include "util/SysFiles.h"

namespace {

// The system's words for an error, without the "ERROR n: " prefix.
std::string SystemMessage(DWORD code) {
  std::string text = WinErrorText(code);
  size_t colon = text.find(": ");
  return colon == std::string::npos ? text : text.substr(colon + 2);
}

[[noreturn]] void RaiseSystemFailure(const std::string& what) {
  throw std::runtime_error(what + SystemMessage(GetLastError()));
}

// --- Tool-help ----------------------------------------------------------

using TCreateSnapshot = HANDLE(WINAPI*)(DWORD, DWORD);
using TProcessWalk = BOOL(WINAPI*)(HANDLE, PROCESSENTRY32*);

struct TToolHelp {
  bool enabled = true;  // off for good once kernel32 lacks a function
  HMODULE library = nullptr;
  TCreateSnapshot createSnapshot = nullptr;
  TProcessWalk first = nullptr;
  TProcessWalk next = nullptr;
};

TToolHelp& ToolHelp() {
  static TToolHelp toolHelp;
  return toolHelp;
}

template <typename TFunction>
TFunction Bind(HMODULE library, const char* name) {
  return reinterpret_cast<TFunction>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

// Loads kernel32 and binds the three functions; false (and tool-help off)
// when one is missing.
bool BindToolHelp(TToolHelp& toolHelp) {
  if (toolHelp.library) return true;
  HMODULE library = LoadLibraryA("KERNEL32.DLL");
  if (!library) RaiseSystemFailure("KERNEL32.DLL: ");
  toolHelp.createSnapshot = Bind<TCreateSnapshot>(library, "CreateToolhelp32Snapshot");
  toolHelp.first = Bind<TProcessWalk>(library, "Process32First");
  toolHelp.next = Bind<TProcessWalk>(library, "Process32Next");
  if (!toolHelp.createSnapshot || !toolHelp.first || !toolHelp.next) {
    toolHelp.enabled = false;
    FreeLibrary(library);
    return false;
  }
  toolHelp.library = library;
  return true;
}

// Closes the snapshot however the walk ends.
class TSnapshot {
 public:
  explicit TSnapshot(HANDLE handle) : handle_(handle) {}
  ~TSnapshot() { CloseHandle(handle_); }
  TSnapshot(const TSnapshot&) = delete;
  TSnapshot& operator=(const TSnapshot&) = delete;
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

// The record as the 32-bit program hands it to tool-help.
static_assert(sizeof(void*) != 4 || sizeof(PROCESSENTRY32) == 296);

TProcessEntry EntryOf(const PROCESSENTRY32& record) {
  TProcessEntry entry{static_cast<uint32_t>(record.th32ProcessID), record.szExeFile};
  entry.facts.parentPid = static_cast<uint32_t>(record.th32ParentProcessID);
  return entry;
}

std::vector<TProcessEntry> WalkSnapshot(const TToolHelp& toolHelp) {
  HANDLE handle = toolHelp.createSnapshot(TH32CS_SNAPPROCESS, 0);
  if (!handle || handle == INVALID_HANDLE_VALUE)
    RaiseSystemFailure("Function CreateToolHelp32Snapshot failed: ");
  TSnapshot snapshot(handle);
  PROCESSENTRY32 record = {};
  record.dwSize = sizeof(record);
  if (!toolHelp.first(snapshot.get(), &record)) RaiseSystemFailure("Function Process32First failed: ");
  std::vector<TProcessEntry> entries{EntryOf(record)};
  for (;;) {
    record.dwSize = sizeof(record);
    if (!toolHelp.next(snapshot.get(), &record)) break;
    entries.push_back(EntryOf(record));
  }
  return entries;
}

// --- psapi (GetProcNT) ----------------------------------------------------

using TEnumProcesses = BOOL(WINAPI*)(DWORD*, DWORD, DWORD*);
using TEnumProcessModules = BOOL(WINAPI*)(HANDLE, HMODULE*, DWORD, DWORD*);
using TGetModuleFileNameExW = DWORD(WINAPI*)(HANDLE, HMODULE, wchar_t*, DWORD);

constexpr DWORD kFirstProcessTableSize = 500;
constexpr DWORD kQueryAndRead = PROCESS_QUERY_INFORMATION | PROCESS_VM_READ;
constexpr DWORD kModulePathSize = MAX_PATH;

struct TPsapi {
  HMODULE library = nullptr;
  TEnumProcesses enumProcesses = nullptr;
  TEnumProcessModules enumProcessModules = nullptr;
  TGetModuleFileNameExW moduleFileName = nullptr;
};

TPsapi& Psapi() {
  static TPsapi psapi;
  return psapi;
}

template <typename TFunction>
TFunction BindPsapiFunction(HMODULE library, const char* name) {
  auto function = Bind<TFunction>(library, name);
  if (!function) throw std::runtime_error(std::string("Function ") + name + " not found in PSAPI.DLL ");
  return function;
}

void LoadPsapi(TPsapi& psapi) {
  if (psapi.library) return;
  DebugTrace("GetProcNT: loading library");
  HMODULE library = LoadLibraryA("psapi.dll");
  if (!library) RaiseSystemFailure("PSAPI.DLL: ");
  psapi.enumProcessModules = BindPsapiFunction<TEnumProcessModules>(library, "EnumProcessModules");
  psapi.enumProcesses = BindPsapiFunction<TEnumProcesses>(library, "EnumProcesses");
  psapi.moduleFileName = BindPsapiFunction<TGetModuleFileNameExW>(library, "GetModuleFileNameExW");
  psapi.library = library;
  DebugTrace("GetProcNT: done loading library");
}

// Every process identifier. The table grows until it holds them all: a
// full table may have left processes out.
std::vector<DWORD> EnumerateIds(const TPsapi& psapi) {
  DebugTrace("GetProcNT: doing EnumProcesses");
  std::vector<DWORD> ids(kFirstProcessTableSize);
  DWORD bytes = 0;
  for (;;) {
    DWORD size = static_cast<DWORD>(ids.size() * sizeof(DWORD));
    if (!psapi.enumProcesses(ids.data(), size, &bytes)) bytes = 0;
    if (bytes < size) break;
    ids.resize(ids.size() * 2);
  }
  DWORD count = bytes / sizeof(DWORD);
  DebugTrace("nProdIds = " + std::to_string(count) + ", maxProc=" + std::to_string(ids.size()) +
             ", nbytes=" + std::to_string(bytes));
  ids.resize(count);
  return ids;
}

std::string AnsiText(const wchar_t* text) {
  int size = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 1) return "";
  std::string result(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, text, -1, result.data(), size, nullptr, nullptr);
  result.resize(static_cast<size_t>(size - 1));
  return result;
}

// The executable's path, empty when the process cannot be inspected.
std::string ExecutablePath(const TPsapi& psapi, DWORD pid) {
  DebugTrace("GetProcNT: doing OpenProcess");
  HANDLE process = OpenProcess(kQueryAndRead, FALSE, pid);
  if (!process) return "";
  DebugTrace("GetProcNT: doing EnumProcessModules");
  std::string path;
  HMODULE executable = nullptr;
  DWORD needed = 0;
  if (psapi.enumProcessModules(process, &executable, sizeof(executable), &needed)) {
    wchar_t name[kModulePathSize] = {};
    if (psapi.moduleFileName(process, executable, name, kModulePathSize) > 0) path = AnsiText(name);
  }
  DebugTrace("GetProcNT: doing CloseHandle(hProc)");
  CloseHandle(process);
  return path;
}

class TWin32ProcessList : public IProcessList {
 public:
  // psapi names no parents: without tool-help, only the run itself is known
  // among its starters.
  std::vector<TProcessEntry> TakeSnapshot() override {
    std::vector<TProcessEntry> entries;
    if (!ToolHelpSnapshot(entries)) entries = PsapiSnapshot();
    AddProcessFacts(entries);
    return entries;
  }

  TProcessHandle OpenProcess(uint32_t access, uint32_t pid) override {
    return reinterpret_cast<TProcessHandle>(::OpenProcess(access, FALSE, pid));
  }

  bool TerminateProcess(TProcessHandle process, uint32_t exitCode) override {
    return ::TerminateProcess(reinterpret_cast<HANDLE>(process), exitCode) != 0;
  }

  uint32_t CurrentProcessId() override { return GetCurrentProcessId(); }

  bool IsNoSuchProcess(uint32_t error) override { return error == ERROR_INVALID_PARAMETER; }
};

}  // namespace

bool ToolHelpSnapshot(std::vector<TProcessEntry>& entries) {
  TToolHelp& toolHelp = ToolHelp();
  if (!toolHelp.enabled || !BindToolHelp(toolHelp)) return false;
  entries = WalkSnapshot(toolHelp);
  return true;
}

std::vector<TProcessEntry> PsapiSnapshot() {
  TPsapi& psapi = Psapi();
  DebugTrace("in GetProcNT");
  LoadPsapi(psapi);
  std::vector<TProcessEntry> entries;
  for (DWORD pid : EnumerateIds(psapi)) {
    if (!entries.empty()) DebugTrace("in GetProcNT");
    DebugTrace("GetProcNT: assigning pid");
    entries.push_back({static_cast<uint32_t>(pid), ExecutablePath(psapi, pid)});
    DebugTrace("GetProcNT: exiting");
  }
  // The index after the last process, which answers that there is none.
  if (!entries.empty()) DebugTrace("in GetProcNT");
  return entries;
}

IProcessList& Win32ProcessList() {
  static TWin32ProcessList processes;
  return processes;
}
