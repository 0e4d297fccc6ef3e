// The command dialog's logic (frmTarvInput).
//
// TTarvInput adapts the dialog to the text of the command box: the captions
// of the argument field come from the keyword table, the window-mode and
// wait options are enabled for external programs only, and the drop-down list
// offers the comment marks, "@" and every internal command. Before OK is
// accepted, an internal command or @ line is checked by the command parser:
// the very line that OK will write, read as a line of a file (source name
// "COMMAND", where a rest-of-line argument may hold "}"). A line the parser
// rejects keeps the dialog open with the parser's report as the only message.
#pragma once

#include <string>
#include <vector>

#include "editor/EditorControls.h"
#include "editor/TarvCmdEdit.h"

class TTarvInput : public ICommandDialogEvents {
 public:
  /// `loaded`, when given, is the line the dialog was filled from: while the
  /// fields are unchanged, OK writes it back as it was.
  explicit TTarvInput(ICommandDialogControls& controls, const TLoadedLine* loaded = nullptr)
      : controls_(controls), loaded_(loaded) {}

  void OnActivate() override { ProgChange(); }
  void ProgChange() override;
  void ProgDropDown() override;
  void btnBrowseClick() override;
  bool btnOkClick() override;

  /// Enables or disables the options of external programs (window modes and
  /// wait); the error-handling boxes stay enabled. Checked states are kept.
  void EnableProgramOptions(bool enabled);

  /// Checks a window-mode radio button and unchecks the others of its group;
  /// unchecking touches nothing else.
  void SetRadio(TOptionControl control, bool checked);

 private:
  void ShowArgumentCaptions(const std::string& upper, const std::string& lower);
  bool ParsesAsCommand(const std::string& line);

  ICommandDialogControls& controls_;
  const TLoadedLine* loaded_;
};

/// The entries of the command box's drop-down list, in order: empty, ";",
/// "#", "@", then every internal command of the keyword table.
std::vector<std::string> ProgListEntries();

/// The window-mode radio buttons, in the order the command record sets them.
bool IsWindowModeControl(TOptionControl control);
