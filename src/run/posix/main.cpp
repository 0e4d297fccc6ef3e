// Entry of the native program: the console interface, the POSIX command line.
#include "run/TarvMain.h"
#include "util/AppServices.h"
#include "util/StringFuncs.h"
#include "util/posix/CommandLine.h"

int main(int argc, char** argv) {
  SetCommandLineArgs(argc, argv);
  EndProgram(TarvMain(ProgramArguments()));
}
