// How the POSIX back end opens what a script names, as the Windows shell
// would: an executable file runs with the request's words as its arguments
// (each word one argument, as it is), a ".sh" script that is not executable
// runs under /bin/sh, and any other file (a document, a directory) goes to
// xdg-open when the system has it.
//
// A name with a "/" is a path (relative ones from the working directory,
// "./tool" for a program there); a bare name is looked for in PATH only, as
// a shell does, so a file of the working directory never stands in for a
// system program.
#pragma once

#include <string>
#include <vector>

#include "sys/ProgramLauncher.h"

struct TLaunchPlan {
  std::string executable;         // the file to execute
  std::vector<std::string> argv;  // argv[0] first
  std::string directory;          // absolute working directory
  bool document = false;          // opened by xdg-open, without the parameters
};

/// 0 with the plan filled, or the errno that explains why the request cannot
/// be served (ENOENT for a missing file or directory, EACCES for a file that
/// nothing can open).
int PlanLaunch(const TShellRequest& request, TLaunchPlan& plan);
