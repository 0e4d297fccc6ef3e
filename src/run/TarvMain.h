// Program entry.
//
// One start of the program does one run: the argument text is classified,
// wrapped into a command text when it names a command file, parsed and run.
// A failure that reaches the top ends in one "TARV32: " error box; the run
// log is shown in the Information dialog at the end.
#pragma once

#include <string>
#include <string_view>

/// The command text that the argument text stands for: a bare command-file
/// name becomes an @ command with the name in double quotes.
std::string DispatchText(std::string_view argumentText);

/// Runs one start of the program and returns its exit status: 0 after a
/// run that succeeded, 1 after one that ended in the "TARV32: " error box.
int TarvMain(const std::string& argumentText);
