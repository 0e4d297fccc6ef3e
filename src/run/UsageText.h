// The program's usage text, generated from the manual page's source
// (docs/tarv32.1.md) into UsageText.cpp, so that --help and tarv32(1) say the
// same. TarvMain.cpp puts it together for the platform.
#pragma once

#include <cstddef>
#include <string_view>

/// One command-line form: its arguments after the program name, and what it
/// does.
struct TUsageForm {
  std::string_view arguments;
  std::string_view meaning;
};

/// What the program does, as lines that end in "\n".
extern const char* const kUsageSummary;
extern const TUsageForm kUsageForms[];
extern const size_t kUsageFormCount;
/// Where the Linux package installs the user guide.
extern const char* const kUserGuidePath;
