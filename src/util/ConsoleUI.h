// The console user interface, for the native build and for unattended runs of
// the Windows program (TARV_UI=console). Message boxes go to standard error
// as "Caption: text", the Information dialog to standard output.
//
// A box is modal: when standard input is a terminal (IsInteractiveTerminal),
// each box waits for Enter and the Confirm box reads its answer line there.
// Without a terminal nobody can answer, so the run goes on at once: boxes do
// not wait and the Confirm box answers No without reading (a read from a
// pipe that stays open would block the run for ever).
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "util/MessageBoxes.h"

class TConsoleUI : public IUserInterface {
 public:
  TConsoleUI(std::FILE* in, std::FILE* out, std::FILE* err);

  void ShowBox(TBoxKind kind, std::string_view text) override;
  bool AskYesNo(std::string_view question, bool noByDefault = false) override;
  bool CanAskUser() const override { return interactive_; }
  void ShowInfoDialog(std::string_view text) override;
  std::string AppTitle() const override { return title_; }
  void SetAppTitle(std::string_view title) override { title_ = title; }

 private:
  /// Reads the rest of the current input line; its first character, or EOF.
  int ReadAnswerLine();

  std::FILE* in_;
  std::FILE* out_;
  std::FILE* err_;
  bool interactive_;
  std::string title_ = "Tarv32";
};

/// The process's console interface over stdin, stdout and stderr.
TConsoleUI& ConsoleUserInterface();

/// The text with every CR LF turned into the platform's line end.
std::string WithPlatformLineEnds(std::string_view text);
