// The run entry points: a command text, a command file, a command list and
// an expression. Each parse and each evaluation has its own parser with a
// fresh lexer and buffers; a text or file is parsed completely before any of
// its commands runs.

#include <algorithm>
#include <exception>
#include <vector>

#include "exec/TarvExec.h"
#include "expr/TarvExpr.h"
#include "lang/TarvYacc.h"
#include "run/TarvMain.h"
#include "util/MessageBoxes.h"
#include "util/StringFuncs.h"
#include "util/SysFiles.h"
#include "util/TarvCommon.h"

namespace {

// Command files may run each other to this depth; a file that runs itself
// ends here with a clear message instead of exhausting the stack.
constexpr int kMaxFileNesting = 100;
int fileNesting = 0;

struct NestingGuard {
  NestingGuard() { ++fileNesting; }
  ~NestingGuard() { --fileNesting; }
};

// Every block and every command file runs its list one call deeper on the
// main thread's stack. One file's parse allows about 680 nested blocks, and
// files may nest 100 deep, so together they could nest far beyond what the
// stack holds: the run stops at this depth with a message instead.
constexpr int kMaxListNesting = 1000;
int listNesting = 0;

struct ListNestingGuard {
  ListNestingGuard() { ++listNesting; }
  ~ListNestingGuard() { --listNesting; }
};

// Set while the program's own argument names a command file that has not
// run yet (RunProgramText): only that one file's commands are kept to the
// end. Files that run again and again (from a loop, an editor's Runs) are
// released after every run, so memory never grows with repeated runs.
bool keepNextFileToTheEnd = false;

// Never destroyed: the process ends with these lists.
void KeepToTheEnd(TCmdList list) {
  static auto& kept = *new std::vector<TCmdList>;
  kept.push_back(std::move(list));
}

// Reads the whole file; false with the system error readable on failure.
bool ReadWholeFile(const std::string& path, std::string& bytes) {
  intptr_t handle = SysOpenFile(path, kOfShareDenyNone);
  if (handle < 0) return false;
  // Room for the whole file at once, instead of growing (and copying) the
  // text while it is read; the size is only a hint, the reads decide.
  uint64_t size = SysFileSize(handle);
  if (size < bytes.max_size()) bytes.reserve(static_cast<size_t>(size));
  char buffer[65536];
  int n;
  while ((n = SysReadFile(handle, buffer, sizeof buffer)) > 0) bytes.append(buffer, static_cast<size_t>(n));
  uint32_t error = LastSystemError();
  SysCloseFile(handle);
  SetLastSystemError(error);
  return n == 0;
}

// A NUL byte would end the lexer's input there and drop the rest of the file
// without a word (a file saved as UTF-16 or a binary file): refuse the file,
// naming where the first one is.
void RejectNulCharacters(const std::string& path, const std::string& bytes) {
  size_t nul = bytes.find('\0');
  if (nul == std::string::npos) return;
  size_t lineStart = bytes.rfind('\n', nul);
  lineStart = lineStart == std::string::npos ? 0 : lineStart + 1;
  size_t line =
      1 + static_cast<size_t>(std::count(bytes.begin(), bytes.begin() + static_cast<ptrdiff_t>(nul), '\n'));
  RaiseScriptError("Command file \"" + path + "\" holds a NUL character at line " + std::to_string(line) +
                   ", column " + std::to_string(nul - lineStart + 1) + ": it is not a plain text file");
}

TCmdList ParseText(TTextStream& input, const std::string& sourceName) {
  TTarvYacc parser;
  return parser.Parse(input, sourceName);
}

}  // namespace

void RunCommandText(const std::string& text) {
  TTextStream input(text + "\r\n");
  RunCommandList(ParseText(input, "ARGS"));
}

void RunProgramText(const std::string& text) {
  keepNextFileToTheEnd = text.starts_with('@');
  struct Reset {
    ~Reset() { keepNextFileToTheEnd = false; }
  } reset;
  RunCommandText(text);
}

void RunCommandFile(const std::string& path) {
  std::string bytes;
  if (!ReadWholeFile(path, bytes))
    RaiseScriptError("Error occurred while opening " + path + ":\r\n" + WinErrorText(LastSystemError()));
  RejectNulCharacters(path, bytes);
  if (fileNesting >= kMaxFileNesting)
    RaiseScriptError("Command files nested more than " + std::to_string(kMaxFileNesting) + " deep: " + path);
  NestingGuard nested;
  IUserInterface& ui = UserInterface();
  std::string savedTitle = ui.AppTitle();
  ui.SetAppTitle(FileNameOnly(path) + " - " + LastWord(savedTitle));
  TTextStream input(std::move(bytes));
  const bool keep = keepNextFileToTheEnd && fileNesting == 1;
  if (keep) keepNextFileToTheEnd = false;
  TCmdList list = ParseText(input, path);
  RunCommandList(list);
  ui.SetAppTitle(savedTitle);
  if (keep) KeepToTheEnd(std::move(list));
}

void RunCommandList(const TCmdList& list) {
  if (listNesting >= kMaxListNesting)
    RaiseScriptError("Blocks and command files nested more than " + std::to_string(kMaxListNesting) +
                     " deep");
  ListNestingGuard nested;
  // The count is taken once; /set exec inside the list affects what follows.
  const size_t count = list.size();
  for (size_t i = 0; i < count; ++i) RunCommand(*list[i], RunState().ExecEnabled);
}

std::string EvalExpr(std::string_view text) { return EvaluateExpression(text); }
