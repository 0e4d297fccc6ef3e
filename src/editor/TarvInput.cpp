#include "editor/TarvInput.h"

#include "lang/TarvLex.h"
#include "lang/TarvYacc.h"
#include "util/MessageBoxes.h"
#include "util/StringFuncs.h"
#include "util/TarvCommon.h"

namespace {

// Normal and the controls of the window-mode options: one radio group.
const std::vector<TOptionControl>& WindowModeControls() {
  static const std::vector<TOptionControl> controls = [] {
    std::vector<TOptionControl> group = {TOptionControl::NormalOpt};
    for (const TOptionRec& option : CommandOptions())
      if (option.group == TOptionGroup::WindowMode) group.push_back(option.control);
    return group;
  }();
  return controls;
}

char FirstChar(const std::string& text) { return text.empty() ? '\0' : text.front(); }

bool IsCommentMark(char c) { return c == ';' || c == '#'; }

bool IsBlank(const std::string& text) { return TrimBlanks(text).empty(); }

}  // namespace

bool IsWindowModeControl(TOptionControl control) {
  if (control == TOptionControl::NormalOpt) return true;
  for (const TOptionRec& option : CommandOptions())
    if (option.control == control) return option.group == TOptionGroup::WindowMode;
  return false;
}

std::vector<std::string> ProgListEntries() {
  std::vector<std::string> entries = {"", ";", "#", "@"};
  for (int slot = 1; slot <= kKeywordSlots; ++slot)
    if (KeywordRecord(slot).isCommand) entries.push_back(KeywordOfSlot(slot));
  return entries;
}

void TTarvInput::EnableProgramOptions(bool enabled) {
  // Error modes act on every command; the rest only on external programs.
  controls_.SetEnabled(TOptionControl::NormalOpt, enabled);
  for (const TOptionRec& option : CommandOptions())
    controls_.SetEnabled(option.control, enabled || option.group == TOptionGroup::ErrorMode);
}

void TTarvInput::SetRadio(TOptionControl control, bool checked) {
  if (checked)
    for (const TOptionControl other : WindowModeControls())
      if (other != control) controls_.SetChecked(other, false);
  controls_.SetChecked(control, checked);
}

void TTarvInput::ShowArgumentCaptions(const std::string& upper, const std::string& lower) {
  controls_.SetUpperLabel(upper, true);
  controls_.SetLowerLabel(lower, true);
}

// The captions follow the command box: an external program, a comment, or a
// keyword of the table with its own two captions (hidden when empty).
void TTarvInput::ProgChange() {
  controls_.SetArgsVisible(true);
  const std::string prog = controls_.ProgText();
  const char f = FirstChar(prog);
  if (IsProgramText(prog)) {
    EnableProgramOptions(true);
    ShowArgumentCaptions("Command", "Arguments");
    return;
  }
  EnableProgramOptions(false);
  const int slot = KeywordLookup(prog);
  if (slot == -1 || (!KeywordRecord(slot).isCommand && prog != "@")) {
    if (IsCommentMark(f))
      ShowArgumentCaptions("Comment", "Text");
    else
      ShowArgumentCaptions("Command", "Arguments");
    return;
  }
  const TKwRec& keyword = KeywordRecord(slot);
  controls_.SetUpperLabel(keyword.label, !keyword.label.empty());
  controls_.SetLowerLabel(keyword.subLabel, !keyword.subLabel.empty());
  if (keyword.label.empty() && keyword.subLabel.empty()) controls_.SetArgsVisible(false);
}

void TTarvInput::ProgDropDown() { controls_.SetProgItems(ProgListEntries()); }

void TTarvInput::btnBrowseClick() {
  if (std::optional<std::string> path = controls_.ChooseProgram()) controls_.SetProgText(*path);
}

// External programs and comments are taken as typed. An empty command box is
// accepted only with an empty argument field (the line becomes a blank line):
// arguments without a command would make a line that means something else.
bool TTarvInput::btnOkClick() {
  const std::string prog = controls_.ProgText();
  if (IsBlank(prog)) {
    if (IsBlank(controls_.ArgsText())) return true;
    ShowError("No command given for the arguments " + std::string(1, '"') + controls_.ArgsText() +
              "\": enter a program or an internal command in \"Command:\"");
    return false;
  }
  const char f = FirstChar(prog);
  if (f != '/' && f != '@') return true;
  return ParsesAsCommand(LineToWrite(ReadFields(controls_), loaded_) + "\r\n");
}

// The parser shows its own report when the line has syntax errors; a line the
// lexer cannot take at all (a word beyond its length limit) gets its message.
bool TTarvInput::ParsesAsCommand(const std::string& line) {
  try {
    TTextStream input(line);
    TTarvYacc().Parse(input, "COMMAND");
    return true;
  } catch (const EScriptError& error) {
    if (std::string(error.what()) != "parse error") ShowError(error.what());
    return false;
  }
}
