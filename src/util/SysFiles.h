// The file and error services of the platform, as the common utilities need
// them: byte-level files on system handles, deletion, appending a line to a
// text file, the current system error code and its text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

/// The error code of the last failed system call of this thread
/// (GetLastError on Windows, errno elsewhere).
uint32_t LastSystemError();
void SetLastSystemError(uint32_t code);

/// "ERROR " + code + ": " + the system's text for it (which ends with its own
/// line end), or "ERROR " + code when the system has no text.
std::string WinErrorText(uint32_t code);

/// Opens a file with sharing allowed for others (kOfRead/kOfWrite of
/// StreamFuncs); negative on failure.
intptr_t SysOpenFile(const std::string& name, int mode);
/// Reads up to `size` bytes; returns the count, 0 at the end, negative on failure.
int SysReadFile(intptr_t handle, char* buffer, int size);
/// The size of the open file in bytes, 0 when the system cannot tell.
uint64_t SysFileSize(intptr_t handle);
/// Writes the bytes; returns the count written or a negative value.
int SysWriteFile(intptr_t handle, const char* bytes, int size);
void SysCloseFile(intptr_t handle);
/// Writes the file whole or not at all: the bytes go to a new file in the
/// same folder, which is flushed to the disk and then takes the old file's
/// place in one step, keeping its permissions (Windows: its attributes and
/// streams, the download mark among them; POSIX: its mode and owner, and a
/// symbolic link writes through to its target). False when any step fails
/// (the system error says why): the old file is then exactly as it was.
bool SysSaveFile(const std::string& path, std::string_view bytes);

/// Appends one line to a text file, creating it when it is missing. Throws
/// std::runtime_error (the input/output failure) when that is impossible.
void SysAppendLine(const std::string& path, std::string_view line);
