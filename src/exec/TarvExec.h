// Running one command object.
//
// RunCommand is what a command list calls for each command: it echoes the
// command when asked, applies the dry-run rule (only @, /if and /do still run,
// so that the commands inside files and blocks are reached and echoed), and
// wraps any failure into the failure report that names the command. Nested
// files and blocks wrap again, so a deep failure reaches the user as a chain
// of reports, outermost command first.
//
// Execute shows the command in the application title, serves the message
// queue, sets the command's error mode, evaluates its arguments and hands it
// to its handler: flow control, the internal commands, the editor's windows,
// or the external-program part that starts a program through the shell.
#pragma once

#include "lang/TarvCmd2Obj.h"

void RunCommand(const Tcmdrec& command, bool execEnabled);
void Execute(const Tcmdrec& command);
