// The Win32 windows of the editor, each a modal window bound to its logic:
// the editor window (TTarvWiz), the command dialog (TTarvInput through the
// command record), Replace All, About, and the process and window list
// (TPListModel). Control identifiers are listed here so that a test driver
// can find the controls of a window by identifier.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "editor/EditorControls.h"

namespace editorwin {

// frmTarvWiz
constexpr int kList1Id = 1001;
constexpr int kBtnUpId = 1002;
constexpr int kLabel2Id = 1003;
constexpr int kBtnDownId = 1004;
constexpr int kStatusBar1Id = 1005;
// Menu commands of frmTarvWiz (main menu and context menu).
enum : int {
  kNew1 = 2001,
  kOpen1,
  kSave1,
  kSaveAs1,
  kRun1,
  kExit1,
  kNewCommand1,
  kEditCommand1,
  kDeleteCommand1,
  kReplace1,
  kAbout1,
  kProcessList1,
  kWindowList1,
};

// frmTarvInput
enum : int {
  kLabel1InputId = 1101,
  kProgId,
  kLabel3Id,
  kLabel2InputId,
  kArgsId,
  kGroupBox1Id,
  kHideOptId,
  kMinOptId,
  kMaxOptId,
  kNormalOptId,
  kMinNoActOptId,
  kGroupBox2Id,
  kIgnoreOptId,
  kWarnOptId,
  kBtnBrowseId,
  kWaitOptId,
};

// frmReplace
enum : int { kReplaceLabel1Id = 1201, kReplaceLabel2Id, kString1Id, kString2Id };

// frmAbout
enum : int {
  kImage1Id = 1301,
  kAboutLabel1Id,
  kLblVersionId,
  kLblCopyrightId,
  kLabel5Id,
  kLabel6Id,
  kLabel4Id
};

// frmTarvPList (Button1 "&Close" is IDOK); Button4 adds an /activate line
// to the editor's file, in a window list opened from the editor.
enum : int { kPListId = 1401, kButton2Id, kButton3Id, kButton4Id };

/// A new command dialog owned by `owner`, hidden until ShowModal.
std::unique_ptr<ICommandDialogControls> CreateCommandDialogView(HWND owner);
/// Replace All, owned by `owner`; nothing after Cancel.
std::optional<TReplaceStrings> ShowReplaceView(HWND owner);
void ShowAboutView(HWND owner);
/// The editor on `path` (untitled when empty), without an owner.
void ShowEditorView(const std::string& path);
/// The process list, or the window list in window mode. Opened from the
/// editor, it is owned by the editor window and a window list offers the
/// button that hands the selected title to `taker`.
void ShowProcessListView(bool windowMode, HWND owner = nullptr, const TActivateLineTaker& taker = nullptr);

}  // namespace editorwin
