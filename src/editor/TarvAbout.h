// The About window's texts (frmAbout).
//
// When the window is created, getver fills the version and copyright labels
// from the program's version resource; without one the labels keep their
// designed captions. The link label offers the user guide that the package
// puts beside tarv32.exe (the HTML page and its Markdown source): the shell
// opens it with the program the system has for it.
#pragma once

#include <array>
#include <string>

#include "editor/VersionResource.h"

/// The guide's files beside the program, the page first.
inline constexpr std::array<const char*, 2> kUserGuideFiles = {"user-guide.html", "user-guide.md"};

struct TAboutTexts {
  std::string Version = "<versionInfo ver";         // lblVersion as designed
  std::string Copyright = "Copyright in TarvMain";  // lblCopyright as designed
};

/// The value of `name`, or "<" + name + " not available>".
std::string VersionValue(const IVersionStrings& strings, const std::string& name);

/// The label texts for `strings` (null: no version resource).
TAboutTexts getver(const IVersionStrings* strings);

/// The first guide file found in `programDirectory`; empty when there is none.
std::string UserGuidePath(const std::string& programDirectory);

/// Opens the user guide in `programDirectory` with the shell; a guide that
/// is missing or cannot be opened is explained in an error box.
void Label6Click(const std::string& programDirectory);
