// The parameter text of a program start, taken apart into arguments the way
// a Windows program's start-up code does it, so that a script passes the
// same arguments on both systems: blanks and tabs separate arguments, double
// quotes group blanks into one argument, 2n backslashes before a double quote
// give n backslashes (and the quote groups), 2n+1 give n backslashes and a
// literal quote; other backslashes are literal.
#pragma once

#include <string>
#include <string_view>
#include <vector>

std::vector<std::string> SplitWindowsCommandLine(std::string_view text);
