// Fuzz target: a whole dry run of any bytes, once as a command file (under
// its path) and once as a command text (under "ARGS"), against the fake
// system services and a recording user interface.
//
// A dry run echoes every command to the run log and executes only @, /if
// and /do (a /do makes exactly one pass), so nothing here can block: no
// program starts, and /sleep, /pause and the waits are not executed. A
// script error or any other std::exception is an expected end of a run;
// anything else escaping, a sanitizer report, or a dry run that touched the
// system (a program start, a window action, a keystroke, a killed process)
// is a finding.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#include "exec/ScriptRunner.h"
#include "test_support/FakeSystem.h"
#include "test_support/RecordingUI.h"
#include "util/TarvCommon.h"

namespace {

// One scratch command file per fuzzing process.
const std::string& ScratchPath() {
  static const std::string path = "/tmp/tarv-wholerun-" + std::to_string(::getpid()) + ".qd";
  return path;
}

void WriteScratchFile(const uint8_t* data, size_t size) {
  std::FILE* file = std::fopen(ScratchPath().c_str(), "wb");
  if (file == nullptr) std::abort();
  if (size > 0 && std::fwrite(data, 1, size, file) != size) std::abort();
  std::fclose(file);
}

void RequireUntouched(const FakeSystem& sys) {
  bool touched = !sys.launcher.starts.empty() || !sys.launcher.waitedFor.empty() ||
                 !sys.launcher.waitAllCalls.empty() || !sys.windows.foreground.empty() ||
                 !sys.windows.closed.empty() || !sys.windows.quit.empty() || !sys.keyboard.events.empty() ||
                 !sys.processes.killed.empty() || !sys.programEnds.empty();
  if (touched) {
    std::fprintf(stderr, "a dry run used the system services\n");
    std::abort();
  }
}

template <class TRun>
void DryRun(TRun run) {
  ResetRunState();
  RunState().ExecEnabled = false;
  RunState().DebugLog = true;
  FakeSystem sys;
  RecordingUI ui;
  try {
    run();
  } catch (const EScriptError&) {
  } catch (const std::exception&) {
  }
  RequireUntouched(sys);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  WriteScratchFile(data, size);
  DryRun([] { RunCommandFile(ScratchPath()); });
  std::string text(reinterpret_cast<const char*>(data), size);
  DryRun([&text] { RunCommandText(text); });
  return 0;
}
