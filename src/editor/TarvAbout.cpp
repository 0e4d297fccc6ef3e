#include "editor/TarvAbout.h"

#include <exception>

#include "run/TarvMain.h"
#include "util/MessageBoxes.h"
#include "util/StringFuncs.h"

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

// A failure to start the address is shown here: it must not leave the
// window's message handler.
void Label6Click(const std::string& address) {
  try {
    RunCommandText(Quoted(address));
  } catch (const std::exception& failure) {
    ShowError(std::string("TARV32: ") + failure.what());
  }
}
