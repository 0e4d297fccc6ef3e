// The script runner: a command text, a command file and a list of commands,
// each parsed completely before any of its commands runs. The executor runs
// nested files and blocks through it, and so do the program's entry and the
// editor.
#pragma once

#include <string>

#include "exec/ScriptRunner.h"
#include "lang/TarvCmd2Obj.h"

/// Parses text + CR LF under the source name "ARGS" and runs the commands.
void RunCommandText(const std::string& text);
/// Parses the command file under its path as source name and runs it.
void RunCommandFile(const std::string& path);
/// Runs each command of the list in order with the current execution switch.
void RunCommandList(const TCmdList& list);
