// The Win32 user interface: real message boxes, the Information dialog and
// the taskbar title of the application window.
//
// Every box and dialog is modal and has no owner, as the program has no main
// window. The title is kept as given and mirrored into the application
// window (AppWindow.h), which appears on the taskbar from the first time the
// title is shown.
#pragma once

#include <string>

#include "util/MessageBoxes.h"

class TGuiUI : public IUserInterface {
 public:
  void ShowBox(TBoxKind kind, std::string_view text) override;
  bool AskYesNo(std::string_view question, bool noByDefault = false) override;
  void ShowInfoDialog(std::string_view text) override;
  std::string AppTitle() const override { return title_; }
  void SetAppTitle(std::string_view title) override;

  /// Puts the application window with the current title on the taskbar.
  void ShowAppTitle();

 private:
  std::string title_ = "Tarv32";
};

/// The process's Win32 interface.
TGuiUI& GuiUserInterface();
