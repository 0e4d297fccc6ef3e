// Process-level services of the platform that the common utilities need: the
// program's own command line, serving the message queue, and the orderly end
// of the program.
#pragma once

#include <string>

/// The program's full command line, program path first, as Windows gives it.
std::string CommandLineText();

/// Handles every message already queued for this thread and returns when the
/// queue is empty; never waits. A quit or close request taken from the queue
/// ends the program with the message's wParam as exit status.
void PumpMessages();

/// Ends the program in order (output flushed) with the exit status.
[[noreturn]] void EndProgram(int exitCode);
