#include "util/ConsoleUI.h"

#include "util/AppServices.h"
#include "util/CodePages.h"
#include "util/StringFuncs.h"
#include "util/TerminalText.h"

namespace {

void WriteAll(std::FILE* file, std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), file);
  std::fflush(file);
}

// A message may quote what came from outside (a title, a program's output);
// its own line breaks stay, every other control is shown, not obeyed.
std::string Shown(std::string_view text) {
  return TerminalSafe(WithPlatformLineEnds(text), ProgramTextIsUtf8(), TTerminalLines::Multiple);
}

}  // namespace

std::string WithPlatformLineEnds(std::string_view text) {
  // Text-mode streams of the Windows runtime turn "\n" into CR LF themselves.
  return ReplaceAll(text, "\r\n", "\n");
}

TConsoleUI::TConsoleUI(std::FILE* in, std::FILE* out, std::FILE* err)
    : in_(in), out_(out), err_(err), interactive_(IsInteractiveTerminal(in)) {}

int TConsoleUI::ReadAnswerLine() {
  int first = std::fgetc(in_);
  for (int c = first; c != EOF && c != '\n';) c = std::fgetc(in_);
  return first;
}

void TConsoleUI::ShowBox(TBoxKind kind, std::string_view text) {
  WriteAll(err_, std::string(BoxCaption(kind)) + ": " + Shown(text) + "\n");
  if (!interactive_) return;
  WriteAll(err_, "Press Enter to continue...");
  ReadAnswerLine();
}

// The answer is No unless the user types y: the default either way.
bool TConsoleUI::AskYesNo(std::string_view question, bool) {
  WriteAll(err_, "Confirm: " + Shown(question) + " [y/N] ");
  if (!interactive_) {
    WriteAll(err_, "N\n");
    return false;
  }
  int c = ReadAnswerLine();
  return c == 'y' || c == 'Y';
}

void TConsoleUI::ShowInfoDialog(std::string_view text) {
  std::string out = Shown(text);
  if (out.empty() || out.back() != '\n') out += '\n';
  WriteAll(out_, out);
}

TConsoleUI& ConsoleUserInterface() {
  static TConsoleUI console(stdin, stdout, stderr);
  return console;
}
