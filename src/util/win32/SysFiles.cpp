#include "util/SysFiles.h"

#include <windows.h>

#include <stdexcept>

#include "util/StreamFuncs.h"
#include "util/win32/WideText.h"

namespace {

constexpr DWORD kNeutralLanguage = 0x0800;  // neutral language, system default sublanguage
constexpr DWORD kMessageBufferSize = 1024;
constexpr DWORD kShareReadWrite = FILE_SHARE_READ | FILE_SHARE_WRITE;

intptr_t HandleValue(HANDLE handle) {
  return handle == INVALID_HANDLE_VALUE ? -1 : reinterpret_cast<intptr_t>(handle);
}

HANDLE AsHandle(intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

/// The system's text of the code in the neutral language; empty when the
/// system has none. Inserts (%1 ...) stay as written: there is nothing to
/// put in them, and without FORMAT_MESSAGE_IGNORE_INSERTS such a text
/// cannot be had at all (193, "%1 is not a valid Win32 application").
std::string SystemText(DWORD code) {
  char text[kMessageBufferSize];
  DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
                                kNeutralLanguage, text, kMessageBufferSize, nullptr);
  return std::string(text, length);
}

[[noreturn]] void RaiseWriteFailure(const std::string& path) {
  throw std::runtime_error("I/O error " + std::to_string(GetLastError()) + ": cannot write " + path);
}

}  // namespace

uint32_t LastSystemError() { return GetLastError(); }
void SetLastSystemError(uint32_t code) { SetLastError(code); }

std::string WinErrorText(uint32_t code) {
  std::string result = "ERROR " + std::to_string(code);
  const std::string text = SystemText(code);
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

namespace {

// The full path: the steps below (and Wine's ReplaceFile) need no working
// directory then.
std::wstring FullPath(const std::wstring& path) {
  wchar_t full[MAX_PATH * 4];
  const DWORD length = GetFullPathNameW(path.c_str(), MAX_PATH * 4, full, nullptr);
  return length > 0 && length < MAX_PATH * 4 ? std::wstring(full, length) : path;
}

std::wstring FolderOf(const std::wstring& path) {
  const size_t separator = path.find_last_of(L"\\/");
  return separator == std::wstring::npos ? L"." : path.substr(0, separator + 1);
}

// A new file beside the old one, written and flushed; empty on failure.
std::wstring WriteTemporaryBeside(const std::wstring& path, std::string_view bytes) {
  wchar_t temporary[MAX_PATH + 16] = {};
  if (!GetTempFileNameW(FolderOf(path).c_str(), L"tv~", 0, temporary)) return L"";
  HANDLE file =
      CreateFileW(temporary, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  bool written = file != INVALID_HANDLE_VALUE;
  for (size_t done = 0; written && done < bytes.size();) {
    DWORD count = 0;
    written =
        WriteFile(file, bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &count, nullptr) &&
        count > 0;
    done += count;
  }
  written = written && FlushFileBuffers(file);
  const DWORD error = GetLastError();
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  if (written) return temporary;
  DeleteFileW(temporary);
  SetLastError(error);
  return L"";
}

// ReplaceFile keeps the old file's attributes, security and streams (the
// download mark among them); a file that is not there yet is simply moved
// into place.
bool PutInPlace(const std::wstring& path, const std::wstring& temporary) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES)
    return MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_WRITE_THROUGH);
  if (ReplaceFileW(path.c_str(), temporary.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                   nullptr)) {
    SetFileAttributesW(path.c_str(),
                       attributes);  // kept already, except where ReplaceFile falls short (Wine)
    return true;
  }
  // The old file is gone already; only the new one is left to move.
  if (GetLastError() == ERROR_UNABLE_TO_MOVE_REPLACEMENT)
    return MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_WRITE_THROUGH);
  return false;
}

}  // namespace

bool SysSaveFile(const std::string& path, std::string_view bytes) {
  const std::wstring widePath = FullPath(WideOf(path));
  const std::wstring temporary = WriteTemporaryBeside(widePath, bytes);
  if (temporary.empty()) return false;
  if (PutInPlace(widePath, temporary)) return true;
  const DWORD error = GetLastError();
  DeleteFileW(temporary.c_str());
  SetLastError(error);
  return false;
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
