#include "util/SysFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

#include "util/StreamFuncs.h"

uint32_t LastSystemError() { return static_cast<uint32_t>(errno); }
void SetLastSystemError(uint32_t code) { errno = static_cast<int>(code); }

std::string WinErrorText(uint32_t code) {
  std::string text = "ERROR " + std::to_string(code);
  if (code == 0 || code > 4095) return text;
  const char* message = std::strerror(static_cast<int>(code));
  if (!message || std::strncmp(message, "Unknown error", 13) == 0) return text;
  return text + ": " + message + "\r\n";
}

intptr_t SysOpenFile(const std::string& name, int mode) {
  int flags = (mode & kOfWrite) ? O_WRONLY : O_RDONLY;
  int fd = ::open(name.c_str(), flags | O_CLOEXEC);
  return fd < 0 ? -1 : fd;
}

int SysReadFile(intptr_t handle, char* buffer, int size) {
  ssize_t n;
  do n = ::read(static_cast<int>(handle), buffer, static_cast<size_t>(size));
  while (n < 0 && errno == EINTR);
  return static_cast<int>(n);
}

uint64_t SysFileSize(intptr_t handle) {
  struct stat status {};
  if (::fstat(static_cast<int>(handle), &status) != 0 || status.st_size < 0) return 0;
  return static_cast<uint64_t>(status.st_size);
}

int SysWriteFile(intptr_t handle, const char* bytes, int size) {
  int done = 0;
  while (done < size) {
    ssize_t n = ::write(static_cast<int>(handle), bytes + done, static_cast<size_t>(size - done));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return -1;
    done += static_cast<int>(n);
  }
  return done;
}

void SysCloseFile(intptr_t handle) { ::close(static_cast<int>(handle)); }

bool SysCreateEmptyFile(const std::string& name) {
  if (::unlink(name.c_str()) != 0 && errno != ENOENT) return false;
  int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  ::close(fd);
  return true;
}

void SysAppendLine(const std::string& path, std::string_view line) {
  int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0) throw std::runtime_error("I/O error " + std::to_string(errno) + ": cannot write " + path);
  std::string bytes(line);
  bytes += "\r\n";
  bool ok = SysWriteFile(fd, bytes.data(), static_cast<int>(bytes.size())) >= 0;
  ::close(fd);
  if (!ok) throw std::runtime_error("I/O error " + std::to_string(errno) + ": cannot write " + path);
}
