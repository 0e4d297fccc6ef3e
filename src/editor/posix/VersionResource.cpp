// The POSIX program carries no version resource: the About texts stay as
// designed.
#include "editor/VersionResource.h"

#include <filesystem>

std::unique_ptr<IVersionStrings> OwnVersionStrings() { return nullptr; }

std::string OwnProgramDirectory() {
  std::error_code failure;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", failure);
  return failure ? std::string() : program.parent_path().string();
}
