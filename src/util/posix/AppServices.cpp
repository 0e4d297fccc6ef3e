#include "util/AppServices.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "util/StringFuncs.h"
#include "util/posix/CommandLine.h"

namespace {

std::vector<std::string> programArgs;

// An argument that already holds a double quote was quoted for the command
// language by its writer and goes in as written.
bool NeedsQuotes(const std::string& arg) {
  return arg.empty() || (arg.find_first_of(" \t") != std::string::npos && arg.find('"') == std::string::npos);
}

}  // namespace

void SetCommandLineArgs(int argc, char** argv) { programArgs.assign(argv + (argc > 0 ? 1 : 0), argv + argc); }

std::string JoinCommandArguments(const std::vector<std::string>& args) {
  if (args.size() == 1) return args[0];
  std::string text;
  for (size_t i = 0; i < args.size(); ++i) {
    if (i > 0) text += ' ';
    text += NeedsQuotes(args[i]) ? Quoted(args[i]) : args[i];
  }
  return text;
}

std::string ProgramArguments() { return TrimBlanks(JoinCommandArguments(programArgs)); }

// Without a window system there is no message queue to serve.
void PumpMessages() {}

void EndProgram(int exitCode) {
  std::fflush(nullptr);
  std::exit(exitCode);
}

bool IsInteractiveTerminal(std::FILE* stream) { return stream && ::isatty(::fileno(stream)) == 1; }
