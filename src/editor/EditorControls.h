// The controls that the editor's logic works through.
//
// The editor window, the command dialog and the small dialogs are written as
// logic classes (TTarvWiz, TTarvInput, TTarvCmdEdit) that never touch a
// window: they read and change their controls through the interfaces below.
// The Win32 views implement them over real windows; the tests implement them
// over plain data and script the user's answers. Each interface has only what
// the logic needs, named after what the user sees.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "lang/TarvCmd2Obj.h"  // TOptionControl

/// A list box with multiple selection: the editor's List1.
class IListBox {
 public:
  virtual ~IListBox() = default;
  virtual int Count() const = 0;
  virtual std::string Item(int index) const = 0;
  virtual void SetItem(int index, const std::string& text) = 0;
  /// Appends the text (unselected).
  virtual void Add(const std::string& text) = 0;
  /// Puts the text (unselected) before the entry at `index`.
  virtual void Insert(int index, const std::string& text) = 0;
  virtual void Delete(int index) = 0;
  virtual void Clear() = 0;
  virtual bool Selected(int index) const = 0;
  virtual void SetSelected(int index, bool selected) = 0;
  /// The entry with the focus rectangle, -1 when the list is empty.
  virtual int FocusIndex() const = 0;
  virtual void SetFocusIndex(int index) = 0;
};

/// The editor window itself: its caption, its two status panels, the way it
/// closes, and how it looks while a run started from it is going on.
class IEditorWindow {
 public:
  virtual ~IEditorWindow() = default;
  virtual std::string Caption() const = 0;
  virtual void SetCaption(const std::string& caption) = 0;
  /// Panel 0 is the status line, panel 1 the modified flag.
  virtual std::string Panel(int index) const = 0;
  virtual void SetPanel(int index, const std::string& text) = 0;
  /// Asks the window to close; the close runs the editor's OnCloseQuery.
  virtual void Close() = 0;
  /// The default system beep (MessageBeep 0).
  virtual void Beep() = 0;
  /// While busy: the hourglass for the whole screen, and the window takes no
  /// input (a run started by Run keeps the window's messages served).
  virtual void SetBusy(bool busy) = 0;
};

/// The editor's file dialogs; nothing when the user cancels.
class IFileDialogs {
 public:
  virtual ~IFileDialogs() = default;
  /// OpenDialog1: an existing .qd file.
  virtual std::optional<std::string> ChooseFileToOpen() = 0;
  /// SaveDialog1: a path to write (overwriting only after asking).
  virtual std::optional<std::string> ChooseFileToSave() = 0;
};

/// The two texts of the Replace All window after OK.
struct TReplaceStrings {
  std::string String1;  // "String to replace:"
  std::string String2;  // "Replace with string"
};

/// What the command dialog's view reports to its logic while it is open.
class ICommandDialogEvents {
 public:
  virtual ~ICommandDialogEvents() = default;
  virtual void OnActivate() = 0;
  virtual void ProgChange() = 0;
  virtual void ProgDropDown() = 0;
  virtual void btnBrowseClick() = 0;
  /// True when OK may end the dialog.
  virtual bool btnOkClick() = 0;
};

/// The controls of the command dialog frmTarvInput.
class ICommandDialogControls {
 public:
  virtual ~ICommandDialogControls() = default;
  virtual std::string ProgText() const = 0;
  virtual void SetProgText(const std::string& text) = 0;
  /// Replaces the drop-down list of Prog; the typed text is cleared too.
  virtual void SetProgItems(const std::vector<std::string>& items) = 0;
  virtual std::string ArgsText() const = 0;
  virtual void SetArgsText(const std::string& text) = 0;
  virtual void SetArgsVisible(bool visible) = 0;
  /// Label3, the upper caption of the argument field.
  virtual void SetUpperLabel(const std::string& caption, bool visible) = 0;
  /// Label2, the lower caption of the argument field.
  virtual void SetLowerLabel(const std::string& caption, bool visible) = 0;
  /// A check box or radio button; a radio button set here leaves the others
  /// alone (the logic keeps the group to one).
  virtual bool Checked(TOptionControl control) const = 0;
  virtual void SetChecked(TOptionControl control, bool checked) = 0;
  virtual bool Enabled(TOptionControl control) const = 0;
  virtual void SetEnabled(TOptionControl control, bool enabled) = 0;
  /// OpenDialog1 of the dialog: an executable; nothing when cancelled.
  virtual std::optional<std::string> ChooseProgram() = 0;
  /// Shows the dialog modally, reporting to `events`; true when it ended
  /// with OK.
  virtual bool ShowModal(ICommandDialogEvents& events) = 0;
};

/// Takes the title of the window that the user picked in the window list.
using TActivateLineTaker = std::function<void(const std::string& title)>;

/// Creates the editor's modal dialogs, each owned by the editor window.
class IEditorDialogs {
 public:
  virtual ~IEditorDialogs() = default;
  /// A new, unshown command dialog.
  virtual std::unique_ptr<ICommandDialogControls> CreateCommandDialog() = 0;
  /// The Replace All window; nothing when cancelled.
  virtual std::optional<TReplaceStrings> ShowReplace() = 0;
  virtual void ShowAbout() = 0;
  /// The process list, or the window list in window mode. A window list
  /// given a taker offers a button that hands it the selected title.
  virtual void ShowProcessList(bool windowMode, const TActivateLineTaker& taker) = 0;
};
