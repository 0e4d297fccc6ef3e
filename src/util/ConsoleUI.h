// The console user interface, for the native build and for unattended runs of
// the Windows program (TARV_UI=console). Message boxes go to standard error
// as "Caption: text", the Information dialog to standard output; nothing
// waits except AskYesNo, which reads one line of standard input.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "util/MessageBoxes.h"

class TConsoleUI : public IUserInterface {
 public:
  TConsoleUI(std::FILE* in, std::FILE* out, std::FILE* err) : in_(in), out_(out), err_(err) {}

  void ShowBox(TBoxKind kind, std::string_view text) override;
  bool AskYesNo(std::string_view question) override;
  void ShowInfoDialog(std::string_view text) override;
  std::string AppTitle() const override { return title_; }
  void SetAppTitle(std::string_view title) override { title_ = title; }

 private:
  std::FILE* in_;
  std::FILE* out_;
  std::FILE* err_;
  std::string title_ = "Tarv32";
};

/// The process's console interface over stdin, stdout and stderr.
TConsoleUI& ConsoleUserInterface();

/// The text with every CR LF turned into the platform's line end.
std::string WithPlatformLineEnds(std::string_view text);
