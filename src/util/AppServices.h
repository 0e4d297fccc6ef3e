// Process-level services of the platform that the common utilities need:
// serving the message queue and the orderly end of the program. (The
// program's argument text, ProgramArguments, is the platform's too.)
#pragma once

#include <cstdio>
#include <string>

/// Handles every message already queued for this thread and returns when the
/// queue is empty; never waits. A quit or close request taken from the queue
/// ends the program with the message's wParam as exit status.
void PumpMessages();

/// Ends the program in order (output flushed) with the exit status.
[[noreturn]] void EndProgram(int exitCode);

/// True when the stream is a terminal that a user answers at, so that the
/// console interface may wait for input there. False on Windows, where the
/// console interface serves unattended runs only.
bool IsInteractiveTerminal(std::FILE* stream);
