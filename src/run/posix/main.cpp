// Entry of the native program: the console interface, the POSIX command line.
#include <csignal>
#include <iostream>

#include "TarvVersion.h"
#include "run/TarvMain.h"
#include "run/UsageText.h"
#include "util/AppServices.h"
#include "util/StringFuncs.h"
#include "util/posix/CommandLine.h"

namespace {

const TProgramFace kFace = {"tarv32", TARV_VERSION_TEXT, {"--help", "-h"}, kUserGuidePath};

}  // namespace

int main(int argc, char** argv) {
  // A write past a file-size limit fails with EFBIG and is reported, rather
  // than ending the program (and an editor's unsaved work) with a signal.
  std::signal(SIGXFSZ, SIG_IGN);
  SetCommandLineArgs(argc, argv);
  if (const std::string text = FirstContactText(ProgramArguments(), kFace); !text.empty()) {
    std::cout << text << std::flush;
    EndProgram(std::cout ? 0 : 1);
  }
  EndProgram(TarvMain(ProgramArguments()));
}
