// The POSIX command line: arguments joined by single blanks, an argument that
// is empty or holds a blank or tab enclosed in double quotes, so that the
// argument text comes out as a Windows command line would give it.
#pragma once

void SetCommandLineArgs(int argc, char** argv);
