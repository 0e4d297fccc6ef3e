#include "util/SysFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>
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

namespace {

// The file a path names in the end: the target of a symbolic link (of a
// chain of them), or the path itself for a file that does not exist yet.
std::string FinalTarget(const std::string& path) {
  std::string target = path;
  char link[4096];
  for (int hops = 0; hops < 40; ++hops) {
    const ssize_t length = ::readlink(target.c_str(), link, sizeof link);
    if (length < 0 || static_cast<size_t>(length) >= sizeof link) return target;
    std::string next(link, static_cast<size_t>(length));
    const size_t slash = target.rfind('/');
    if (next.front() != '/' && slash != std::string::npos) next = target.substr(0, slash + 1) + next;
    target = next;
  }
  return target;
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

// The mode and owner of the old file; a new one gets what the umask allows.
void TakeOverMode(int fd, const std::string& target) {
  struct stat old;
  if (::stat(target.c_str(), &old) == 0) {
    if (::fchown(fd, old.st_uid, old.st_gid) != 0) {
      // Another owner is for the superuser to keep; the mode still is.
    }
    ::fchmod(fd, old.st_mode & 07777);
    return;
  }
  const mode_t mask = ::umask(0);
  ::umask(mask);
  ::fchmod(fd, 0666 & ~mask);
}

bool WriteAll(int fd, std::string_view bytes) {
  for (size_t done = 0; done < bytes.size();) {
    const ssize_t count = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) return false;
    done += static_cast<size_t>(count);
  }
  return true;
}

// The new name of a renamed file is on the disk once its folder is.
void FlushFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

bool SysSaveFile(const std::string& path, std::string_view bytes) {
  const std::string target = FinalTarget(path);
  std::string temporary = FolderOf(target) + "/.tarv-save-XXXXXX";
  const int fd = ::mkstemp(temporary.data());
  if (fd < 0) return false;
  TakeOverMode(fd, target);
  bool saved = WriteAll(fd, bytes) && ::fsync(fd) == 0;
  saved = ::close(fd) == 0 && saved;
  saved = saved && ::rename(temporary.c_str(), target.c_str()) == 0;
  if (!saved) {
    const int error = errno;
    ::unlink(temporary.c_str());
    errno = error;
    return false;
  }
  FlushFolder(FolderOf(target));
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
