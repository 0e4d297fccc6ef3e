// A user interface that records every box, dialog and title change, and
// answers AskYesNo from a script. Installed for the lifetime of the object.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "util/MessageBoxes.h"

class RecordingUI : public IUserInterface {
 public:
  struct Box {
    TBoxKind kind;
    std::string text;
  };

  RecordingUI() : previous_(SetUserInterface(this)) {}
  ~RecordingUI() override { SetUserInterface(previous_); }

  void ShowBox(TBoxKind kind, std::string_view text) override { boxes.push_back({kind, std::string(text)}); }
  bool AskYesNo(std::string_view question, bool = false) override {
    questions.emplace_back(question);
    if (answers.empty()) return false;
    bool answer = answers.front();
    answers.pop_front();
    return answer;
  }
  bool CanAskUser() const override { return canAsk; }
  void ShowInfoDialog(std::string_view text) override { infoDialogs.emplace_back(text); }
  std::string AppTitle() const override { return title; }
  void SetAppTitle(std::string_view newTitle) override {
    title = newTitle;
    titles.push_back(title);
  }

  std::vector<Box> boxes;
  std::vector<std::string> questions;
  std::deque<bool> answers;
  bool canAsk = true;
  std::vector<std::string> infoDialogs;
  std::string title = "Tarv32";
  std::vector<std::string> titles;

 private:
  IUserInterface* previous_;
};
