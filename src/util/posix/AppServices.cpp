#include "util/AppServices.h"

#include <cstdio>
#include <cstdlib>

#include "util/posix/CommandLine.h"

namespace {

std::string commandLine;

bool NeedsQuotes(const std::string& arg) {
  return arg.empty() || arg.find_first_of(" \t") != std::string::npos;
}

}  // namespace

void SetCommandLineArgs(int argc, char** argv) {
  commandLine.clear();
  for (int i = 0; i < argc; ++i) {
    std::string arg = argv[i];
    if (i > 0) commandLine += ' ';
    commandLine += NeedsQuotes(arg) ? "\"" + arg + "\"" : arg;
  }
}

std::string CommandLineText() { return commandLine; }

// Without a window system there is no message queue to serve.
void PumpMessages() {}

void EndProgram(int exitCode) {
  std::fflush(nullptr);
  std::exit(exitCode);
}
