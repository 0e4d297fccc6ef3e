// The version resource of tarv32.exe through version.dll.
#include "editor/VersionResource.h"

#include <windows.h>

#include <cstring>
#include <vector>

namespace {

class TVersionBuffer : public IVersionStrings {
 public:
  explicit TVersionBuffer(std::vector<char> data) : data_(std::move(data)) {}

  std::optional<std::string> Value(const std::string& name) const override {
    std::string path = "\\StringFileInfo\\040904E4\\" + name;
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(data_.data(), path.c_str(), &value, &length) || value == nullptr) return std::nullopt;
    const char* text = static_cast<const char*>(value);
    return std::string(text, strnlen(text, length));
  }

 private:
  std::vector<char> data_;
};

std::string OwnExecutablePath() {
  std::vector<char> path(MAX_PATH);
  for (;;) {
    DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return std::string();
    if (length < path.size()) return std::string(path.data(), length);
    path.resize(path.size() * 2);
  }
}

}  // namespace

std::unique_ptr<IVersionStrings> OwnVersionStrings() {
  const std::string path = OwnExecutablePath();
  DWORD ignored = 0;
  DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
  if (size == 0) return nullptr;
  std::vector<char> data(size);
  if (!GetFileVersionInfoA(path.c_str(), 0, size, data.data())) return nullptr;
  return std::make_unique<TVersionBuffer>(std::move(data));
}

std::string OwnProgramDirectory() {
  const std::string path = OwnExecutablePath();
  const size_t separator = path.find_last_of("\\/");
  return separator == std::string::npos ? std::string() : path.substr(0, separator);
}
