// Program arguments on their way to a Windows program, which receives one
// command-line text and takes it apart itself (CommandLineToArgvW, or the C
// runtime's start-up code that fills argv): blanks and tabs separate
// arguments, double quotes group blanks into one argument, 2n backslashes
// before a double quote give n backslashes (and the quote groups), 2n+1 give
// n backslashes and a literal quote; other backslashes are literal.
//
// BuildWindowsCommandLine writes a list of words so that this rule gives
// back each word exactly, empty words included. Two readers of a command
// line follow other rules and get their own text: cmd.exe itself, whose
// command the script writes on purpose, and the batch files cmd.exe runs.
// All of it is plain text work, the same on every platform, so it is tested
// natively.
#pragma once

#include <string>
#include <string_view>
#include <vector>

/// The word as one argument of a Windows command line: as it is when it is
/// not empty and holds no blank, tab, line end, vertical tab or double quote;
/// otherwise in double quotes with its quotes and the backslashes before
/// them escaped.
std::string QuoteWindowsArgument(std::string_view word);
/// The words as a Windows command line, each by QuoteWindowsArgument.
std::string BuildWindowsCommandLine(const std::vector<std::string>& words);
/// A command line taken apart by the rule above.
std::vector<std::string> SplitWindowsCommandLine(std::string_view text);

/// True for cmd.exe itself: the file name "cmd" or "cmd.exe" in any case, in
/// any folder.
bool IsCmdShell(std::string_view program);
/// True for a batch file: the extension ".bat" or ".cmd" in any case.
bool IsBatchFile(std::string_view program);

/// The words of cmd.exe's own command line as the script wrote them: joined
/// by blanks, a word in double quotes only when it holds a blank.
std::string JoinShellCommand(const std::vector<std::string>& words);

/// Why cmd.exe would not hand `word` to a batch file unchanged ("holds "&",
/// which cmd.exe would run as a command"), or empty when it would.
std::string BatchArgumentProblem(std::string_view word);
/// The arguments of a batch file as cmd.exe reads them: joined by blanks, a
/// word in double quotes when it is empty or holds a character at which
/// cmd.exe splits or groups arguments. The words have no BatchArgumentProblem.
std::string JoinBatchArguments(const std::vector<std::string>& words);

/// The parameter text that gives `file` the words: the cmd.exe command, the
/// batch arguments when cmd.exe runs the file as a batch file, or the
/// Windows command line.
std::string WindowsParameterText(std::string_view file, bool batchFile,
                                 const std::vector<std::string>& words);
