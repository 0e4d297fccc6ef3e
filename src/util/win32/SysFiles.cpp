#include "util/SysFiles.h"

#include <windows.h>

#include <stdexcept>

#include "util/StreamFuncs.h"

namespace {

constexpr DWORD kNeutralLanguage = 0x0800;  // neutral language, system default sublanguage
constexpr DWORD kMessageBufferSize = 256;
constexpr DWORD kShareReadWrite = FILE_SHARE_READ | FILE_SHARE_WRITE;

intptr_t HandleValue(HANDLE handle) {
  return handle == INVALID_HANDLE_VALUE ? -1 : reinterpret_cast<intptr_t>(handle);
}

HANDLE AsHandle(intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

/// The system's text of the code in the neutral language; empty when the
/// system has none.
std::string SystemText(DWORD code, DWORD extraFlags) {
  char text[kMessageBufferSize];
  DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | extraFlags, nullptr, code, kNeutralLanguage,
                                text, kMessageBufferSize, nullptr);
  return std::string(text, length);
}

/// True when the system text of the code holds a numbered insert (%1 ...).
/// Formatting such a text without arguments is not possible: the system
/// then has no text to give, and some systems fault instead of failing.
bool HasNumberedInsert(DWORD code) {
  const std::string text = SystemText(code, FORMAT_MESSAGE_IGNORE_INSERTS);
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] == '%' && text[i + 1] >= '1' && text[i + 1] <= '9') return true;
  }
  return false;
}

[[noreturn]] void RaiseWriteFailure(const std::string& path) {
  throw std::runtime_error("I/O error " + std::to_string(GetLastError()) + ": cannot write " + path);
}

}  // namespace

uint32_t LastSystemError() { return GetLastError(); }
void SetLastSystemError(uint32_t code) { SetLastError(code); }

std::string WinErrorText(uint32_t code) {
  std::string result = "ERROR " + std::to_string(code);
  if (HasNumberedInsert(code)) return result;
  const std::string text = SystemText(code, 0);
  if (text.empty()) return result;
  return result + ": " + text;
}

intptr_t SysOpenFile(const std::string& name, int mode) {
  DWORD access = GENERIC_READ;
  if ((mode & kOfAccessMask) == kOfWrite) access = GENERIC_WRITE;
  if ((mode & kOfAccessMask) == kOfReadWrite) access = GENERIC_READ | GENERIC_WRITE;
  HANDLE file = CreateFileA(name.c_str(), access, kShareReadWrite, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  return HandleValue(file);
}

int SysReadFile(intptr_t handle, char* buffer, int size) {
  DWORD done = 0;
  if (!ReadFile(AsHandle(handle), buffer, static_cast<DWORD>(size), &done, nullptr)) return -1;
  return static_cast<int>(done);
}

uint64_t SysFileSize(intptr_t handle) {
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(AsHandle(handle), &size) || size.QuadPart < 0) return 0;
  return static_cast<uint64_t>(size.QuadPart);
}

int SysWriteFile(intptr_t handle, const char* bytes, int size) {
  DWORD done = 0;
  if (!WriteFile(AsHandle(handle), bytes, static_cast<DWORD>(size), &done, nullptr)) return -1;
  return static_cast<int>(done);
}

void SysCloseFile(intptr_t handle) { CloseHandle(AsHandle(handle)); }

bool SysCreateEmptyFile(const std::string& name) {
  if (!DeleteFileA(name.c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND) return false;
  HANDLE file = CreateFileA(name.c_str(), GENERIC_WRITE, kShareReadWrite, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  return true;
}

void SysAppendLine(const std::string& path, std::string_view line) {
  HANDLE file = CreateFileA(path.c_str(), FILE_APPEND_DATA, kShareReadWrite, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) RaiseWriteFailure(path);
  std::string bytes(line);
  bytes += "\r\n";
  DWORD done = 0;
  bool ok =
      WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr) && done == bytes.size();
  DWORD error = GetLastError();
  CloseHandle(file);
  if (!ok) {
    SetLastError(error);
    RaiseWriteFailure(path);
  }
}
