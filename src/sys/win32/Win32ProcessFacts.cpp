// What Windows tells of each listed process for /kill's rules (TProcessFacts).
//
// The system's own processes are: the idle process and the kernel (pids 0
// and 4), services (the service control manager lists their pids; session
// 0 holds them and nothing of a user's since Vista), the service control
// manager itself (the parent of every service), processes the system marks
// critical (IsProcessCritical, Windows 8.1 on, bound at run time), and the
// process that owns the desktop or shell window (explorer): ending it ends
// the user's desktop. A process whose logon session (ProcessIdToSessionId)
// is not ours runs outside the user's login; one whose token names another
// user is another user's. What cannot be read stays unknown: the process is
// then judged on the rest, and a process the run may not inspect is one it
// may not end either.
#include <windows.h>

#include <algorithm>
#include <memory>
#include <set>
#include <vector>

#include "sys/win32/Win32BackEnd.h"

namespace {

constexpr DWORD kIdlePid = 0;
constexpr DWORD kKernelPid = 4;
constexpr DWORD kServicesSession = 0;
constexpr DWORD kQueryLimited = 0x1000;  // PROCESS_QUERY_LIMITED_INFORMATION, Vista on

using TIsProcessCritical = BOOL(WINAPI*)(HANDLE, PBOOL);

// Closes a handle however the inspection ends.
struct THandleCloser {
  void operator()(void* handle) const { CloseHandle(handle); }
};
using TOwnedHandle = std::unique_ptr<void, THandleCloser>;

struct TServiceManagerCloser {
  void operator()(SC_HANDLE handle) const { CloseServiceHandle(handle); }
};

// Opened for queries, or empty: the limited right first (all that a
// protected process grants), the full one on systems older than Vista.
TOwnedHandle OpenForQuery(DWORD pid) {
  HANDLE process = OpenProcess(kQueryLimited, FALSE, pid);
  if (!process) process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, pid);
  return TOwnedHandle(process);
}

// The user SID of the process's token, as bytes; empty when unreadable.
std::vector<BYTE> TokenUser(HANDLE process) {
  HANDLE token = nullptr;
  if (!OpenProcessToken(process, TOKEN_QUERY, &token)) return {};
  TOwnedHandle owned(token);
  DWORD size = 0;
  GetTokenInformation(token, ::TokenUser, nullptr, 0, &size);
  std::vector<BYTE> buffer(size);
  if (size == 0 || !GetTokenInformation(token, ::TokenUser, buffer.data(), size, &size)) return {};
  PSID sid = reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid;
  const BYTE* bytes = static_cast<const BYTE*>(sid);
  return std::vector<BYTE>(bytes, bytes + GetLengthSid(sid));
}

// The pids of the running services, from the service control manager.
std::set<DWORD> ServicePids() {
  std::set<DWORD> pids;
  std::unique_ptr<SC_HANDLE__, TServiceManagerCloser> manager(
      OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ENUMERATE_SERVICE));
  if (!manager) return pids;
  DWORD needed = 0, count = 0, resume = 0;
  EnumServicesStatusExA(manager.get(), SC_ENUM_PROCESS_INFO, SERVICE_WIN32, SERVICE_ACTIVE, nullptr, 0,
                        &needed, &count, &resume, nullptr);
  std::vector<BYTE> buffer(needed);
  resume = 0;
  if (needed == 0 ||
      !EnumServicesStatusExA(manager.get(), SC_ENUM_PROCESS_INFO, SERVICE_WIN32, SERVICE_ACTIVE,
                             buffer.data(), needed, &needed, &count, &resume, nullptr))
    return pids;
  const auto* services = reinterpret_cast<const ENUM_SERVICE_STATUS_PROCESSA*>(buffer.data());
  for (DWORD i = 0; i < count; ++i)
    if (services[i].ServiceStatusProcess.dwProcessId != 0)
      pids.insert(services[i].ServiceStatusProcess.dwProcessId);
  return pids;
}

DWORD WindowOwner(HWND window) {
  DWORD pid = 0;
  if (window) GetWindowThreadProcessId(window, &pid);
  return pid;
}

// What is the same for every process of one picture.
struct TSystemView {
  DWORD ourSession = 0;
  bool ourSessionKnown = false;
  std::vector<BYTE> ourUser;
  std::set<DWORD> services;
  std::set<DWORD> serviceManagers;  // parents of services
  std::set<DWORD> desktopOwners;
  TIsProcessCritical isCritical = nullptr;
};

TSystemView ViewOf(const std::vector<TProcessEntry>& entries) {
  TSystemView view;
  view.ourSessionKnown = ProcessIdToSessionId(GetCurrentProcessId(), &view.ourSession) != 0;
  view.ourUser = TokenUser(GetCurrentProcess());
  view.services = ServicePids();
  for (const TProcessEntry& entry : entries)
    if (view.services.count(entry.pid) && entry.facts.parentPid != 0)
      view.serviceManagers.insert(entry.facts.parentPid);
  for (HWND window : {GetShellWindow(), GetDesktopWindow()})
    if (DWORD owner = WindowOwner(window); owner != 0 && owner != GetCurrentProcessId())
      view.desktopOwners.insert(owner);
  HMODULE kernel = GetModuleHandleA("kernel32.dll");
  if (kernel)
    view.isCritical = reinterpret_cast<TIsProcessCritical>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "IsProcessCritical")));
  return view;
}

uint64_t CreationTime(HANDLE process) {
  FILETIME created{}, exited{}, kernel{}, user{};
  if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) return 0;
  return (uint64_t(created.dwHighDateTime) << 32) | created.dwLowDateTime;
}

std::string SystemRole(const TSystemView& view, DWORD pid, DWORD session, bool sessionKnown) {
  if (pid == kIdlePid || pid == kKernelPid) return "kernel";
  if (view.services.count(pid)) return "service";
  if (view.serviceManagers.count(pid)) return "service control manager";
  // A run that is itself in session 0 is a service's: session 0 tells nothing.
  if (sessionKnown && session == kServicesSession && view.ourSessionKnown &&
      view.ourSession != kServicesSession)
    return "session 0";
  if (view.desktopOwners.count(pid)) return "desktop shell";
  return "";
}

void InspectProcess(const TSystemView& view, TProcessEntry& entry) {
  TProcessFacts& facts = entry.facts;
  DWORD session = 0;
  bool sessionKnown = ProcessIdToSessionId(entry.pid, &session) != 0;
  facts.outsideLogin = sessionKnown && view.ourSessionKnown && session != view.ourSession;
  facts.systemRole = SystemRole(view, entry.pid, session, sessionKnown);
  TOwnedHandle process = OpenForQuery(entry.pid);
  if (!process) return;
  facts.startTime = CreationTime(process.get());
  BOOL critical = FALSE;
  if (facts.systemRole.empty() && view.isCritical && view.isCritical(process.get(), &critical) && critical)
    facts.systemRole = "critical process";
  std::vector<BYTE> user = TokenUser(process.get());
  facts.otherUser = !user.empty() && !view.ourUser.empty() && user != view.ourUser;
}

}  // namespace

void AddProcessFacts(std::vector<TProcessEntry>& entries) {
  const TSystemView view = ViewOf(entries);
  for (TProcessEntry& entry : entries) InspectProcess(view, entry);
}
