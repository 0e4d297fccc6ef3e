#include <gtest/gtest.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <future>
#include <string>

#include "util/ConsoleUI.h"

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

// A pseudo-terminal as standard input: what the user types goes in at the
// master side; the console interface reads the terminal side. Echo is off,
// so that only the program's own output is checked.
struct TerminalInput {
  int master = -1;
  std::FILE* in = nullptr;

  TerminalInput() {
    int terminal = -1;
    if (openpty(&master, &terminal, nullptr, nullptr, nullptr) != 0) return;
    termios mode{};
    tcgetattr(terminal, &mode);
    mode.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    tcsetattr(terminal, TCSANOW, &mode);
    in = fdopen(terminal, "r");
  }
  ~TerminalInput() {
    if (in) std::fclose(in);
    if (master >= 0) close(master);
  }
  void Type(const std::string& text) {
    ASSERT_EQ(write(master, text.data(), text.size()), ssize_t(text.size()));
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

TEST(ConsoleUI, OnATerminalEveryBoxWaitsForEnterAndConfirmReadsItsAnswer) {
  TerminalInput terminal;
  ASSERT_NE(terminal.in, nullptr) << "no pseudo-terminal";
  ConsoleCapture console;
  TConsoleUI ui(terminal.in, console.out, console.err);
  terminal.Type("\nnot an answer\nyes please\nno\nY\n\n");
  ui.ShowBox(TBoxKind::Information, "paused");  // takes the empty line
  ui.ShowBox(TBoxKind::Error, "failed");        // takes "not an answer"
  EXPECT_TRUE(ui.AskYesNo("Save?"));
  EXPECT_FALSE(ui.AskYesNo("Save?"));
  EXPECT_TRUE(ui.AskYesNo("Save?"));
  EXPECT_FALSE(ui.AskYesNo("Save?"));
  EXPECT_EQ(ConsoleCapture::Contents(console.err),
            "Information: paused\nPress Enter to continue...Error: failed\nPress Enter to continue..."
            "Confirm: Save? [y/N] Confirm: Save? [y/N] Confirm: Save? [y/N] Confirm: Save? [y/N] ");
}

TEST(ConsoleUI, WithoutATerminalNoBoxWaitsAndConfirmAnswersNoUnread) {
  int pipeEnds[2];
  ASSERT_EQ(pipe(pipeEnds), 0);
  std::FILE* in = fdopen(pipeEnds[0], "r");
  ASSERT_EQ(write(pipeEnds[1], "y\n", 2), 2);  // an answer that must stay unread
  ConsoleCapture console;
  TConsoleUI ui(in, console.out, console.err);
  auto answer = std::async(std::launch::async, [&ui] {
    ui.ShowBox(TBoxKind::Warning, "careful");
    return ui.AskYesNo("Delete?");
  });
  bool finished = answer.wait_for(std::chrono::seconds(30)) == std::future_status::ready;
  close(pipeEnds[1]);  // the pipe stayed open until now: a read would have blocked
  ASSERT_TRUE(finished) << "a box waited for input without a terminal";
  EXPECT_FALSE(answer.get());
  EXPECT_EQ(ConsoleCapture::Contents(console.err), "Warning: careful\nConfirm: Delete? [y/N] N\n");
  EXPECT_EQ(std::fgetc(in), 'y');
  std::fclose(in);
}

TEST(ConsoleUI, InformationDialogWritesTheWholeTextToStandardOutput) {
  ConsoleCapture console;
  console.ui.ShowInfoDialog("line 1\r\nline 2\r\n");
  console.ui.ShowInfoDialog("no end");
  EXPECT_EQ(ConsoleCapture::Contents(console.out), "line 1\nline 2\nno end\n");
}
