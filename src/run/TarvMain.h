// Program entry.
//
// One start of the program does one run: the argument text is classified,
// wrapped into a command text when it names a command file, parsed and run.
// A failure that reaches the top ends in one "TARV32: " error box; the run
// log is shown in the Information dialog at the end.
#pragma once

#include <string>
#include <string_view>
#include <vector>

/// The command text that the argument text stands for: a bare command-file
/// name becomes an @ command with the name in double quotes.
std::string DispatchText(std::string_view argumentText);

/// How the program presents itself on its platform in the texts of first
/// contact.
struct TProgramFace {
  std::string_view program;                     // "tarv32", "tarv32.exe"
  std::string_view version;                     // the project version, "1.0.0"
  std::vector<std::string_view> helpArguments;  // the first is shown in the usage
  std::string_view userGuide;                   // where the user guide is installed
};

/// The usage for --help (the platform's help arguments) and the version
/// line for --version, when the argument text is exactly one of them; ""
/// for every other text, which is a command text as always.
std::string FirstContactText(std::string_view argumentText, const TProgramFace& face);

/// Runs one start of the program and returns its exit status: 0 after a
/// run that succeeded, 1 after one that ended in the "TARV32: " error box.
int TarvMain(const std::string& argumentText);
