// The About window's texts (frmAbout).
//
// When the window is created, getver fills the version and copyright labels
// from the program's version resource; without one the labels keep their
// designed captions. The link label runs its address as an external program,
// so the shell opens it with its default handler.
#pragma once

#include <string>

#include "editor/VersionResource.h"

/// The address the link label shows and opens.
inline constexpr char kDownloadAddress[] = "https://tarv32.example.org/download";

struct TAboutTexts {
  std::string Version = "<versionInfo ver";         // lblVersion as designed
  std::string Copyright = "Copyright in TarvMain";  // lblCopyright as designed
};

/// The value of `name`, or "<" + name + " not available>".
std::string VersionValue(const IVersionStrings& strings, const std::string& name);

/// The label texts for `strings` (null: no version resource).
TAboutTexts getver(const IVersionStrings* strings);

/// Opens the address of the link label; a failure shows the "TARV32: " box.
void Label6Click(const std::string& address);
