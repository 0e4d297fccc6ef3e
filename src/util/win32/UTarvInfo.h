// The Information dialog TTarvInfoDlg: shows a long text (the run log at the
// end of a run, the parse reports) in a scrollable multi-line box.
//
// Built with the plain API from an empty in-memory dialog template: the
// controls are created and placed in pixels from the layout below, which is
// given at 120 pixels per inch and scaled to the system's DPI. The dialog is
// resizable: Msg keeps its distance to all four sides, OKBtn its distance to
// the bottom edge and its relative horizontal position. It has no owner and
// is shown modally; OK (or Enter) ends it.
#pragma once

#include <string>
#include <string_view>

/// Control identifiers of the dialog (OKBtn is the system's IDOK).
inline constexpr int kInfoDlgOKBtnId = 1;
inline constexpr int kInfoDlgMsgId = 101;

/// Shows the whole text in the Information dialog and returns when it is
/// closed.
void ShowTarvInfoDlg(std::string_view text);

/// The text as Msg shows it: every line end made CR LF, and NUL characters
/// shown as blanks (the box would end the text at the first one).
std::string InfoDialogText(std::string_view text);
