#include "editor/TarvWiz.h"

#include <cstdint>

#include "editor/TarvCmdEdit.h"
#include "editor/TarvPList.h"
#include "exec/ScriptRunner.h"
#include "util/AppServices.h"
#include "util/MessageBoxes.h"
#include "util/StreamFuncs.h"
#include "util/StringFuncs.h"
#include "util/SysFiles.h"
#include "util/TextFiles.h"

namespace {

const std::string kModified = "Modified";

// Surrounding blanks and control characters go, as a typed or pasted path
// may carry them.
std::string TrimControls(const std::string& text) {
  size_t first = 0, last = text.size();
  while (first < last && static_cast<unsigned char>(text[first]) <= ' ') ++first;
  while (last > first && static_cast<unsigned char>(text[last - 1]) <= ' ') --last;
  return text.substr(first, last - first);
}

}  // namespace

std::string RunCommandOfFile(const std::string& fileName) {
  if (!fileName.empty() && fileName.front() == '"') return "@" + fileName;
  return "@\"" + fileName + "\"";
}

// ---- File name and caption --------------------------------------------------

void TTarvWiz::SetFileName(const std::string& name) {
  fileName_ = TrimControls(name);
  if (baseCaption_.empty()) baseCaption_ = window_.Caption();
  SetRunningCaption(false);
}

void TTarvWiz::SetRunningCaption(bool running) {
  std::string shown = fileName_.empty() ? "Untitled" : FileNameOnly(fileName_);
  window_.SetCaption((running ? "Running " : "") + shown + " - " + baseCaption_);
}

// ---- Reading and writing ----------------------------------------------------

void TTarvWiz::ShowOpenError() {
  ShowError("Could not open \"" + fileName_ + "\"\r\n" + WinErrorText(LastSystemError()));
}

// Each line loses its surrounding blanks; the file's encoding is kept for
// the save.
void TTarvWiz::ReadFile() {
  List1.Clear();
  std::string text;
  try {
    if (!ReadTextFile(fileName_, text, encoding_)) return ShowOpenError();
  } catch (const std::exception& failure) {
    return ShowError("Could not open \"" + fileName_ + "\"\r\n" + failure.what());
  }
  for (size_t start = 0; start < text.size();) {
    size_t end = text.find('\n', start);
    end = end == std::string::npos ? text.size() : end + 1;
    List1.Add(TrimBlanks(std::string_view(text).substr(start, end - start)));
    start = end;
  }
  SetModified(false);
}

// The file is written whole or not at all, in the encoding it was read in:
// a save that fails (a full disk, a folder gone or read-only) leaves the
// file on the disk as it was, and the list keeps its modified mark.
bool TTarvWiz::WriteFile() {
  std::string text;
  for (int i = 0; i < List1.Count(); ++i) text += List1.Item(i) + "\r\n";
  if (!SysSaveFile(fileName_, EncodeText(text, encoding_))) {
    ShowError("Could not save \"" + fileName_ + "\"\r\n" + WinErrorText(LastSystemError()) +
              "The file on the disk was not changed.");
    return false;
  }
  SetModified(false);
  return true;
}

// ---- Status line and modified flag ------------------------------------------

void TTarvWiz::StatusLine(const std::string& text) {
  window_.SetPanel(0, text);
  if (!text.empty()) window_.Beep();
}

void TTarvWiz::SetModified(bool modified) {
  window_.SetPanel(1, modified ? kModified : std::string());
  StatusLine("");
}

bool TTarvWiz::Modified() const { return window_.Panel(1) == kModified; }

bool TTarvWiz::CheckModified() {
  if (Modified() && AskYesNo("Do you want to save your changes?")) return Save1Click();
  return true;
}

// ---- File menu --------------------------------------------------------------

void TTarvWiz::New1Click() {
  if (!CheckModified()) return;
  SetFileName("");
  encoding_ = TFileEncoding::Utf8;
  List1.Clear();
  SetModified(false);
}

void TTarvWiz::Open1Click() {
  if (!CheckModified()) return;
  std::optional<std::string> chosen = files_.ChooseFileToOpen();
  if (!chosen) return;
  SetFileName(*chosen);
  ReadFile();
}

bool TTarvWiz::Save1Click() { return fileName_.empty() ? SaveAs1Click() : WriteFile(); }

bool TTarvWiz::SaveAs1Click() {
  std::optional<std::string> chosen = files_.ChooseFileToSave();
  if (!chosen) return false;
  SetFileName(*chosen);
  return WriteFile();
}

bool TTarvWiz::OnCloseQuery() { return CheckModified(); }

void TTarvWiz::Run1Click() {
  if (Modified() && AskYesNo("You must save changes before running.\r\nDo you want to save your changes?"))
    Save1Click();
  if (Modified()) return;
  SetRunningCaption(true);
  window_.SetBusy(true);
  PumpMessages();
  runStart_.Restore();
  RunFile();
  window_.SetBusy(false);
  PumpMessages();
  SetRunningCaption(false);
}

void TTarvWiz::RunFile() {
  try {
    RunCommandText(RunCommandOfFile(fileName_));
  } catch (const std::exception& failure) {
    ShowError(std::string("TARV32: ") + failure.what());
  }
}

// ---- Edit menu --------------------------------------------------------------

int TTarvWiz::SelectedCount() const {
  int count = 0;
  for (int i = 0; i < List1.Count(); ++i) count += List1.Selected(i) ? 1 : 0;
  return count;
}

int TTarvWiz::FirstSelected() const {
  for (int i = 0; i < List1.Count(); ++i)
    if (List1.Selected(i)) return i;
  return -1;
}

int TTarvWiz::LastSelected() const {
  for (int i = List1.Count() - 1; i >= 0; --i)
    if (List1.Selected(i)) return i;
  return -1;
}

void TTarvWiz::NewCommand1Click() {
  for (int i = 0; i < List1.Count(); ++i) List1.SetSelected(i, false);
  List1.Add("");
  const int last = List1.Count() - 1;
  List1.SetFocusIndex(last);
  List1.SetSelected(last, true);
  EditCommand1Click();
}

void TTarvWiz::EditCommand1Click() {
  const int selected = SelectedCount();
  if (selected > 1) return ShowError("Too many items selected - select only one to edit");
  if (selected == 0) return ShowError("No item selected");
  const int index = FirstSelected();
  TTarvCmdEdit command;
  command.LoadFromLine(List1.Item(index));
  if (command.EditInDialog(dialogs_)) List1.SetItem(index, command.RebuiltLine());
  SetModified(true);
  List1.SetFocusIndex(index);
}

void TTarvWiz::DeleteCommand1Click() {
  bool removed = false;
  for (int i = 0; i < List1.Count();) {
    if (List1.Selected(i)) {
      List1.Delete(i);
      removed = true;
    } else {
      ++i;
    }
  }
  if (removed)
    SetModified(true);
  else
    ShowError("No item(s) selected");
}

void TTarvWiz::Replace1Click() {
  if (List1.Count() == 0) return ShowError("Nothing to replace");
  std::optional<TReplaceStrings> strings = dialogs_.ShowReplace();
  if (!strings) return;
  for (int i = 0; i < List1.Count(); ++i)
    List1.SetItem(i, ReplaceAll(List1.Item(i), strings->String1, strings->String2));
  SetModified(true);
}

// ---- Lists menu -------------------------------------------------------------

void TTarvWiz::ProcessList1Click() { dialogs_.ShowProcessList(false, nullptr); }

// The window list is where a script's window titles come from: it hands
// the picked title straight into the file, so nobody copies it by hand.
void TTarvWiz::WindowList1Click() {
  dialogs_.ShowProcessList(true, [this](const std::string& title) { AddActivateLine(title); });
}

void TTarvWiz::AddActivateLine(const std::string& title) {
  if (title.empty()) return StatusLine("No window selected");
  const int last = LastSelected();
  const int at = last >= 0 ? last + 1 : List1.Count();
  for (int i = 0; i < List1.Count(); ++i) List1.SetSelected(i, false);
  List1.Insert(at, ActivateLineOf(title));
  List1.SetSelected(at, true);
  List1.SetFocusIndex(at);
  SetModified(true);
}

// ---- Moving lines -----------------------------------------------------------

// The line above a selected line is never selected while the walk goes
// upward (a selected one would already have moved past it), and likewise
// downward, so a swap leaves the moved line selected and the other not.
void TTarvWiz::MoveLine(int from, int to) {
  const std::string moved = List1.Item(from);
  List1.SetItem(from, List1.Item(to));
  List1.SetItem(to, moved);
  List1.SetSelected(from, false);
  List1.SetSelected(to, true);
}

void TTarvWiz::btnUpClick() {
  bool anySelected = false;
  for (int i = 0; i < List1.Count(); ++i) {
    if (!List1.Selected(i)) continue;
    if (i == 0) return StatusLine("At first item");
    MoveLine(i, i - 1);
    anySelected = true;
  }
  if (anySelected)
    SetModified(true);
  else
    StatusLine("No item(s) selected");
}

void TTarvWiz::btnDownClick() {
  bool anySelected = false;
  const int last = List1.Count() - 1;
  for (int i = last; i >= 0; --i) {
    if (!List1.Selected(i)) continue;
    if (i == last) return StatusLine("At last item");
    MoveLine(i, i + 1);
    anySelected = true;
  }
  if (anySelected)
    SetModified(true);
  else
    StatusLine("No item(s) selected");
}

void TTarvWiz::List1KeyDown(TListKey key) {
  switch (key) {
    case TListKey::Enter: EditCommand1Click(); break;
    case TListKey::Insert: NewCommand1Click(); break;
    case TListKey::Delete: DeleteCommand1Click(); break;
  }
}
