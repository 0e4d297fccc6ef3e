// Plain-data controls for the editor's logic, with the user's answers
// scripted: the list box, the window (caption, panels, beeps, busy state),
// the file dialogs, and the command, Replace All, About and list dialogs. The
// command dialog runs a test-supplied function as "the user" while it is
// shown modally.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "editor/EditorControls.h"

class FakeListBox : public IListBox {
 public:
  struct Entry {
    std::string text;
    bool selected = false;
  };

  int Count() const override { return static_cast<int>(entries.size()); }
  std::string Item(int index) const override { return entries.at(index).text; }
  void SetItem(int index, const std::string& text) override { entries.at(index).text = text; }
  void Add(const std::string& text) override { entries.push_back({text, false}); }
  void Insert(int index, const std::string& text) override {
    entries.insert(entries.begin() + index, {text, false});
  }
  void Delete(int index) override { entries.erase(entries.begin() + index); }
  void Clear() override {
    entries.clear();
    focus = -1;
  }
  bool Selected(int index) const override { return entries.at(index).selected; }
  void SetSelected(int index, bool selected) override { entries.at(index).selected = selected; }
  int FocusIndex() const override { return focus; }
  void SetFocusIndex(int index) override { focus = index; }

  void SetLines(const std::vector<std::string>& lines) {
    Clear();
    for (const std::string& line : lines) Add(line);
  }
  void Select(std::initializer_list<int> indexes) {
    for (int index : indexes) entries.at(index).selected = true;
  }
  std::vector<std::string> Lines() const {
    std::vector<std::string> lines;
    for (const Entry& entry : entries) lines.push_back(entry.text);
    return lines;
  }
  std::vector<int> SelectedIndexes() const {
    std::vector<int> indexes;
    for (int i = 0; i < Count(); ++i)
      if (entries[i].selected) indexes.push_back(i);
    return indexes;
  }

  std::vector<Entry> entries;
  int focus = -1;
};

class FakeEditorWindow : public IEditorWindow {
 public:
  std::string Caption() const override { return caption; }
  void SetCaption(const std::string& text) override {
    caption = text;
    captions.push_back(text);
  }
  std::string Panel(int index) const override { return panels[index]; }
  void SetPanel(int index, const std::string& text) override { panels[index] = text; }
  void Close() override { ++closeRequests; }
  void Beep() override { ++beeps; }
  void SetBusy(bool value) override {
    busy = value;
    busyChanges.push_back(value);
  }

  std::string caption = "Tarv Command File Editor";
  std::vector<std::string> captions;
  std::string panels[2];
  int closeRequests = 0;
  int beeps = 0;
  bool busy = false;
  std::vector<bool> busyChanges;
};

class FakeFileDialogs : public IFileDialogs {
 public:
  std::optional<std::string> ChooseFileToOpen() override { return Next(openAnswers, opens); }
  std::optional<std::string> ChooseFileToSave() override { return Next(saveAnswers, saves); }

  std::deque<std::optional<std::string>> openAnswers, saveAnswers;
  int opens = 0, saves = 0;

 private:
  static std::optional<std::string> Next(std::deque<std::optional<std::string>>& answers, int& count) {
    ++count;
    if (answers.empty()) return std::nullopt;
    std::optional<std::string> answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

class FakeCommandDialog : public ICommandDialogControls {
 public:
  using User = std::function<bool(FakeCommandDialog&, ICommandDialogEvents&)>;

  std::string ProgText() const override { return prog; }
  void SetProgText(const std::string& text) override { prog = text; }
  void SetProgItems(const std::vector<std::string>& items) override {
    progItems = items;
    prog.clear();
  }
  std::string ArgsText() const override { return args; }
  void SetArgsText(const std::string& text) override { args = text; }
  void SetArgsVisible(bool visible) override { argsVisible = visible; }
  void SetUpperLabel(const std::string& caption, bool visible) override {
    upperLabel = caption;
    upperVisible = visible;
  }
  void SetLowerLabel(const std::string& caption, bool visible) override {
    lowerLabel = caption;
    lowerVisible = visible;
  }
  bool Checked(TOptionControl control) const override {
    return checked.count(control) && checked.at(control);
  }
  void SetChecked(TOptionControl control, bool value) override { checked[control] = value; }
  bool Enabled(TOptionControl control) const override {
    return !enabled.count(control) || enabled.at(control);
  }
  void SetEnabled(TOptionControl control, bool value) override { enabled[control] = value; }
  std::optional<std::string> ChooseProgram() override { return browseAnswer; }

  /// Activates the dialog, then lets the user act; a user who presses OK is
  /// held to the dialog's verdict, as the real OK button is.
  bool ShowModal(ICommandDialogEvents& events) override {
    ++showings;
    events.OnActivate();
    shownProg = prog;
    shownArgs = args;
    shownChecked = checked;
    bool confirmed = user ? user(*this, events) : false;
    if (onClose) onClose(*this);
    return confirmed;
  }

  /// The user types into the command box (each change reruns ProgChange).
  void TypeProg(const std::string& text, ICommandDialogEvents& events) {
    prog = text;
    events.ProgChange();
  }

  std::string prog, args;
  std::vector<std::string> progItems;
  std::string upperLabel = "Command", lowerLabel = "Arguments";
  bool upperVisible = true, lowerVisible = true, argsVisible = true;
  std::map<TOptionControl, bool> checked, enabled;
  std::optional<std::string> browseAnswer;
  User user;
  std::function<void(const FakeCommandDialog&)> onClose;
  int showings = 0;
  std::string shownProg, shownArgs;
  std::map<TOptionControl, bool> shownChecked;
};

/// The user confirms what the dialog shows (OK must be accepted).
inline bool PressOk(FakeCommandDialog&, ICommandDialogEvents& events) { return events.btnOkClick(); }
inline bool PressCancel(FakeCommandDialog&, ICommandDialogEvents&) { return false; }

class FakeEditorDialogs : public IEditorDialogs {
 public:
  std::unique_ptr<ICommandDialogControls> CreateCommandDialog() override {
    auto dialog = std::make_unique<FakeCommandDialog>();
    dialog->user = commandUser;
    dialog->onClose = [this](const FakeCommandDialog& shown) { closedDialogs.push_back(shown); };
    return dialog;
  }
  std::optional<TReplaceStrings> ShowReplace() override {
    ++replaceShowings;
    return replaceAnswer;
  }
  void ShowAbout() override { ++aboutShowings; }
  /// The user picks each of `pickedTitles` in turn in a window list that
  /// offers the /activate button.
  void ShowProcessList(bool windowMode, const TActivateLineTaker& taker) override {
    listShowings.push_back({windowMode, taker != nullptr});
    if (taker)
      for (const std::string& title : pickedTitles) taker(title);
  }

  FakeCommandDialog::User commandUser = PressCancel;
  std::vector<FakeCommandDialog> closedDialogs;  // each dialog as the user left it
  std::optional<TReplaceStrings> replaceAnswer;
  int replaceShowings = 0;
  int aboutShowings = 0;
  struct ListShowing {
    bool windowMode, offersActivateLine;
  };
  std::vector<ListShowing> listShowings;
  std::vector<std::string> pickedTitles;
};
