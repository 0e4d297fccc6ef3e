// What the user sees of a run: the four message boxes, the Information
// dialog, and the application title. The core calls the free functions below;
// they go to the user interface installed for this process: the console
// interface (standard error and output) or the Win32 one (real dialogs).
// Tests install a recording fake.
#pragma once

#include <string>
#include <string_view>

enum class TBoxKind { Information, Warning, Error };

class IUserInterface {
 public:
  virtual ~IUserInterface() = default;
  /// A modal message box of the kind's icon and caption with an OK button.
  virtual void ShowBox(TBoxKind kind, std::string_view text) = 0;
  /// The "Confirm" box with "&Yes" and "&No"; true for Yes. With
  /// `noByDefault`, Enter answers No.
  virtual bool AskYesNo(std::string_view question, bool noByDefault = false) = 0;
  /// False where nobody can answer a question (an unattended console run):
  /// AskYesNo then answers No at once.
  virtual bool CanAskUser() const { return true; }
  /// The Information dialog TTarvInfoDlg, shown modally with the whole text.
  virtual void ShowInfoDialog(std::string_view text) = 0;
  /// The application title (the taskbar text of the program).
  virtual std::string AppTitle() const = 0;
  virtual void SetAppTitle(std::string_view title) = 0;
};

/// The interface in use; the console interface until another is installed.
IUserInterface& UserInterface();
/// Installs `ui` (not owned) and returns the previous one.
IUserInterface* SetUserInterface(IUserInterface* ui);

/// Captions of the message boxes, by kind.
const char* BoxCaption(TBoxKind kind);

void ShowInfo(std::string_view text);
void ShowWarning(std::string_view text);
void ShowError(std::string_view text);
bool AskYesNo(std::string_view question, bool noByDefault = false);
