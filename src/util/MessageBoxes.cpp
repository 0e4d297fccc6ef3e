#include "util/MessageBoxes.h"

#include "util/ConsoleUI.h"

namespace {

IUserInterface* installed = nullptr;

}  // namespace

IUserInterface& UserInterface() {
  if (!installed) installed = &ConsoleUserInterface();
  return *installed;
}

IUserInterface* SetUserInterface(IUserInterface* ui) {
  IUserInterface* previous = installed;
  installed = ui;
  return previous;
}

const char* BoxCaption(TBoxKind kind) {
  switch (kind) {
    case TBoxKind::Information: return "Information";
    case TBoxKind::Warning: return "Warning";
    case TBoxKind::Error: return "Error";
  }
  return "";
}

void ShowInfo(std::string_view text) { UserInterface().ShowBox(TBoxKind::Information, text); }
void ShowWarning(std::string_view text) { UserInterface().ShowBox(TBoxKind::Warning, text); }
void ShowError(std::string_view text) { UserInterface().ShowBox(TBoxKind::Error, text); }
bool AskYesNo(std::string_view question, bool noByDefault) {
  return UserInterface().AskYesNo(question, noByDefault);
}
