#include "editor/TarvAbout.h"

#include "sys/SystemServices.h"
#include "util/MessageBoxes.h"
#include "util/StreamFuncs.h"
#include "util/SysFiles.h"

namespace {

constexpr int kShowNormal = 1;  // SW_SHOWNORMAL
#ifdef _WIN32
constexpr char kPathSeparator = '\\';
#else
constexpr char kPathSeparator = '/';
#endif

bool FileCanBeRead(const std::string& path) {
  const intptr_t file = SysOpenFile(path, kOfRead | kOfShareDenyNone);
  if (file < 0) return false;
  SysCloseFile(file);
  return true;
}

std::string InDirectory(const std::string& directory, const char* name) {
  if (directory.empty()) return name;
  const char last = directory.back();
  return last == '\\' || last == '/' ? directory + name : directory + kPathSeparator + name;
}

}  // namespace

std::string VersionValue(const IVersionStrings& strings, const std::string& name) {
  std::optional<std::string> value = strings.Value(name);
  return value ? *value : "<" + name + " not available>";
}

TAboutTexts getver(const IVersionStrings* strings) {
  TAboutTexts texts;
  if (strings == nullptr) return texts;
  texts.Version = "Version " + VersionValue(*strings, "FileVersion");
  texts.Copyright = VersionValue(*strings, "LegalCopyright");
  return texts;
}

std::string UserGuidePath(const std::string& programDirectory) {
  for (const char* name : kUserGuideFiles) {
    std::string path = InDirectory(programDirectory, name);
    if (FileCanBeRead(path)) return path;
  }
  return std::string();
}

// The guide is a document, not a program: the shell opens it directly,
// without the run machinery that a command line would go through.
void Label6Click(const std::string& programDirectory) {
  const std::string path = UserGuidePath(programDirectory);
  if (path.empty())
    return ShowError("The user guide (" + std::string(kUserGuideFiles[0]) + ") is missing from \"" +
                     programDirectory + "\". Reinstall Tarv32 to get it back.");
  TShellRequest request{path, {}, programDirectory, kShowNormal};
  TProcessHandle process = 0;
  if (!SystemServices().launcher->ShellExecute(request, process))
    return ShowError("Could not open the user guide \"" + path + "\"\r\n" + WinErrorText(LastSystemError()));
  if (process != 0) SystemServices().launcher->CloseProcess(process);
}
