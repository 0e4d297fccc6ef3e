// The command-file editor's logic (frmTarvWiz).
//
// The list box is the model: one entry per line of the file, read and
// written as plain lines; a line is taken apart only while it is edited in
// the command dialog (TTarvCmdEdit). The modified state has no variable of
// its own: panel 1 of the status bar reads "Modified" or nothing, and every
// check compares that text. Panel 0 is the status line for short notices,
// which beep.
//
// Run hands the saved file to the @ command, the same way the command line
// runs a file; the file name goes in double quotes so that a path with
// blanks runs too. While the run goes on the window is busy: it shows the
// hourglass and takes no input, so the file cannot change or close under
// the run. Each run starts as a fresh start of the program would: the run
// switches, the directory and the environment are those the editor was
// opened with, whatever an earlier run changed.
//
// A save that fails (the folder is gone, the disk is full) keeps the list
// and its modified mark, and the New, Open or close that asked for the save
// does not happen: the user's changes are never thrown away unsaved.
#pragma once

#include <string>

#include "editor/EditorControls.h"
#include "editor/RunStart.h"
#include "util/TextEncoding.h"

/// Keys of the list that the editor handles, whatever shift state is held.
enum class TListKey { Enter, Insert, Delete };

class TTarvWiz {
 public:
  TTarvWiz(IEditorWindow& window, IListBox& list, IFileDialogs& files, IEditorDialogs& dialogs)
      : window_(window), List1(list), files_(files), dialogs_(dialogs) {}

  void SetFileName(const std::string& name);
  const std::string& FileName() const { return fileName_; }
  const std::string& BaseCaption() const { return baseCaption_; }

  void ReadFile();
  /// True when every line reached the file; otherwise the failure has been
  /// shown and the list stays modified.
  bool WriteFile();

  void StatusLine(const std::string& text);
  void SetModified(bool modified);
  bool Modified() const;
  /// Offers to save unsaved changes; false when the user wanted them saved
  /// and they were not (the caller then stops).
  bool CheckModified();

  void New1Click();
  void Open1Click();
  /// True when the list was written.
  bool Save1Click();
  bool SaveAs1Click();
  void Run1Click();
  void Exit1Click() { window_.Close(); }
  /// Runs when the window is about to close; false keeps it open (a save
  /// the user asked for failed).
  bool OnCloseQuery();

  void NewCommand1Click();
  void EditCommand1Click();
  void DeleteCommand1Click();
  void Replace1Click();
  void About1Click() { dialogs_.ShowAbout(); }
  void ProcessList1Click();
  void WindowList1Click();
  /// Puts "/activate <title>" after the last selected line (at the end when
  /// none is), selected alone, so that a second one follows it.
  void AddActivateLine(const std::string& title);

  void btnUpClick();
  void btnDownClick();

  void List1KeyDown(TListKey key);
  void List1DblClick() { EditCommand1Click(); }

 private:
  void ShowOpenError();
  void SetRunningCaption(bool running);
  void RunFile();
  int SelectedCount() const;
  int FirstSelected() const;
  int LastSelected() const;
  void MoveLine(int from, int to);

  IEditorWindow& window_;
  IListBox& List1;
  IFileDialogs& files_;
  IEditorDialogs& dialogs_;
  std::string fileName_;
  TFileEncoding encoding_ = TFileEncoding::Utf8;  // of the file, kept for the save
  std::string baseCaption_;
  TRunStart runStart_ = TRunStart::Capture();
};

/// The command text that Run hands to the run entry for `fileName`.
std::string RunCommandOfFile(const std::string& fileName);
