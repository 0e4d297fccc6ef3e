// The POSIX command line. A shell hands the program its words already split,
// so the argument text is built from them: a single argument is the command
// text exactly as typed (quotes and all, as in tarv32 '/set X = "a b"');
// several arguments are joined by single blanks, one that is empty or holds a
// blank or tab (and no double quote of its own) going in double quotes, so
// that tarv32 notepad /wait "my file.txt" keeps the file name one word.
#pragma once

#include <string>
#include <vector>

/// Keeps the program's arguments (argv[1] onwards) for ProgramArguments.
void SetCommandLineArgs(int argc, char** argv);

/// The argument text of the arguments (program name not included).
std::string JoinCommandArguments(const std::vector<std::string>& args);
