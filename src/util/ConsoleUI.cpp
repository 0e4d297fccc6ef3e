#include "util/ConsoleUI.h"

#include "util/StringFuncs.h"

namespace {

void WriteAll(std::FILE* file, std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), file);
  std::fflush(file);
}

}  // namespace

std::string WithPlatformLineEnds(std::string_view text) {
  // Text-mode streams of the Windows runtime turn "\n" into CR LF themselves.
  return ReplaceAll(text, "\r\n", "\n");
}

void TConsoleUI::ShowBox(TBoxKind kind, std::string_view text) {
  WriteAll(err_, std::string(BoxCaption(kind)) + ": " + WithPlatformLineEnds(text) + "\n");
}

bool TConsoleUI::AskYesNo(std::string_view question) {
  WriteAll(err_, "Confirm: " + WithPlatformLineEnds(question) + " [y/N] ");
  int c = std::fgetc(in_);
  bool yes = c == 'y' || c == 'Y';
  while (c != EOF && c != '\n') c = std::fgetc(in_);
  return yes;
}

void TConsoleUI::ShowInfoDialog(std::string_view text) {
  std::string out = WithPlatformLineEnds(text);
  if (out.empty() || out.back() != '\n') out += '\n';
  WriteAll(out_, out);
}

TConsoleUI& ConsoleUserInterface() {
  static TConsoleUI console(stdin, stdout, stderr);
  return console;
}
