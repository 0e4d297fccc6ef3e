#include "util/ConsoleUI.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

// Console streams backed by temporary files, read back after each call.
struct ConsoleCapture {
  std::FILE* in = std::tmpfile();
  std::FILE* out = std::tmpfile();
  std::FILE* err = std::tmpfile();
  TConsoleUI ui{in, out, err};

  ~ConsoleCapture() {
    std::fclose(in);
    std::fclose(out);
    std::fclose(err);
  }
  void Input(const std::string& text) {
    std::fputs(text.c_str(), in);
    std::rewind(in);
  }
  static std::string Contents(std::FILE* f) {
    std::fflush(f);
    std::rewind(f);
    std::string text;
    for (int c; (c = std::fgetc(f)) != EOF;) text += static_cast<char>(c);
    return text;
  }
};

}  // namespace

TEST(ConsoleUI, MessageBoxesGoToStandardErrorWithTheirCaption) {
  ConsoleCapture console;
  console.ui.ShowBox(TBoxKind::Error, "TARV32: failed\r\nERROR 2: gone\r\n");
  console.ui.ShowBox(TBoxKind::Warning, "careful");
  console.ui.ShowBox(TBoxKind::Information, "done");
  EXPECT_EQ(ConsoleCapture::Contents(console.err),
            "Error: TARV32: failed\nERROR 2: gone\n\nWarning: careful\nInformation: done\n");
  EXPECT_EQ(ConsoleCapture::Contents(console.out), "");
}

TEST(ConsoleUI, AskYesNoIsYesOnlyForALineStartingWithY) {
  ConsoleCapture console;
  console.Input("yes please\nno\nY\n\n");
  EXPECT_TRUE(console.ui.AskYesNo("Save?"));
  EXPECT_FALSE(console.ui.AskYesNo("Save?"));
  EXPECT_TRUE(console.ui.AskYesNo("Save?"));
  EXPECT_FALSE(console.ui.AskYesNo("Save?"));
  EXPECT_FALSE(console.ui.AskYesNo("Save?"));  // end of input
  EXPECT_EQ(ConsoleCapture::Contents(console.err).substr(0, 22), "Confirm: Save? [y/N] C");
}

TEST(ConsoleUI, InformationDialogWritesTheWholeTextToStandardOutput) {
  ConsoleCapture console;
  console.ui.ShowInfoDialog("line 1\r\nline 2\r\n");
  console.ui.ShowInfoDialog("no end");
  EXPECT_EQ(ConsoleCapture::Contents(console.out), "line 1\nline 2\nno end\n");
}
