// Entry of the native program: the console interface, the POSIX command line.
#include <csignal>

#include "run/TarvMain.h"
#include "util/AppServices.h"
#include "util/StringFuncs.h"
#include "util/posix/CommandLine.h"

int main(int argc, char** argv) {
  // A write past a file-size limit fails with EFBIG and is reported, rather
  // than ending the program (and an editor's unsaved work) with a signal.
  std::signal(SIGXFSZ, SIG_IGN);
  SetCommandLineArgs(argc, argv);
  EndProgram(TarvMain(ProgramArguments()));
}
