#include "sys/posix/LaunchPlan.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "util/StringFuncs.h"

namespace {

bool IsExecutableFile(const std::string& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

bool Exists(const std::string& path) {
  struct stat info;
  return ::stat(path.c_str(), &info) == 0;
}

std::string CurrentDirectoryText() {
  char buffer[4096];
  return ::getcwd(buffer, sizeof buffer) ? buffer : ".";
}

std::string Absolute(const std::string& path) {
  return !path.empty() && path[0] == '/' ? path : CurrentDirectoryText() + "/" + path;
}

// The first executable file of that name in PATH, or empty.
std::string SearchPath(const std::string& name) {
  const char* path = std::getenv("PATH");
  std::string list = path ? path : "/usr/bin:/bin";
  for (size_t start = 0; start <= list.size();) {
    size_t end = list.find(':', start);
    if (end == std::string::npos) end = list.size();
    std::string folder = end == start ? "." : list.substr(start, end - start);
    if (IsExecutableFile(folder + "/" + name)) return Absolute(folder + "/" + name);
    start = end + 1;
  }
  return "";
}

// The full path of the file the request names, or empty (errno set).
std::string ResolveFile(const std::string& file, const std::string& directory) {
  errno = ENOENT;
  if (file.empty()) return "";
  if (file.find('/') != std::string::npos) {
    std::string path = file[0] == '/' ? file : directory + "/" + file;
    return Exists(path) ? path : "";
  }
  std::string found = SearchPath(file);
  if (found.empty()) errno = ENOENT;
  return found;
}

int CheckDirectory(const std::string& directory) {
  struct stat info;
  if (::stat(directory.c_str(), &info) != 0) return errno;
  return S_ISDIR(info.st_mode) ? 0 : ENOTDIR;
}

bool IsShellScript(const std::string& path) { return ExtensionLower(path) == ".sh"; }

// The program that runs `path`, with the arguments before the parameters.
int ChooseRunner(const std::string& path, TLaunchPlan& plan) {
  if (IsExecutableFile(path)) {
    plan.executable = path;
    plan.argv = {path};
  } else if (IsShellScript(path)) {
    plan.executable = "/bin/sh";
    plan.argv = {"/bin/sh", path};
  } else {
    plan.executable = SearchPath("xdg-open");
    if (plan.executable.empty()) return EACCES;
    plan.argv = {plan.executable, path};
    plan.document = true;
  }
  return 0;
}

}  // namespace

int PlanLaunch(const TShellRequest& request, TLaunchPlan& plan) {
  plan.directory = Absolute(request.directory.empty() ? "." : request.directory);
  if (int error = CheckDirectory(plan.directory)) return error;
  std::string path = ResolveFile(request.file, plan.directory);
  if (path.empty()) return errno;
  if (int error = ChooseRunner(path, plan)) return error;
  // A document is opened as it is, as the Windows shell does.
  if (plan.document) return 0;
  plan.argv.insert(plan.argv.end(), request.arguments.begin(), request.arguments.end());
  return 0;
}
