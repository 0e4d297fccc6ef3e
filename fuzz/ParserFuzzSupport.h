// A user interface that shows nothing, for fuzz targets: failed parses show
// their report through it.
#pragma once

#include <string>
#include <string_view>

#include "util/MessageBoxes.h"

class TSilentUI : public IUserInterface {
 public:
  TSilentUI() { SetUserInterface(this); }
  void ShowBox(TBoxKind, std::string_view) override {}
  bool AskYesNo(std::string_view, bool) override { return false; }
  void ShowInfoDialog(std::string_view) override {}
  std::string AppTitle() const override { return "Tarv32"; }
  void SetAppTitle(std::string_view) override {}
};
