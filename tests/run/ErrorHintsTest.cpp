// The hints for the traps of the command language: the parse report keeps
// its lines and adds one hint after its first syntax error; a sum that was
// meant as a name adds its hint to the run-time error.
#include <gtest/gtest.h>

#include <string>

#include "run/TarvMain.h"
#include "test_support/RecordingUI.h"
#include "util/TarvCommon.h"

namespace {

struct THintCase {
  const char* text;   // a command text, run as the program's argument
  const char* error;  // the error line that the hint follows
  const char* hint;   // a part of the hint line; "" for no hint at all
};

constexpr THintCase kCases[] = {
    {"{\n   # a comment\n/set A = 1\n}", "syntax error at #\r\n", "first column or write it as /* ... */"},
    {"/set TARV_WAIT_TIMEOUT = 2.5", "syntax error at .5\r\n", "double quotes (\"2.5\")"},
    {"/set X = $1F", "syntax error at $\r\n", "(\"$1F\" or \"0x1F\")"},
    {"/set X = 0x1F", "syntax error at x1F\r\n", "(\"$1F\" or \"0x1F\")"},
    {"/if 1 eq 1 { /set A = 1 }", "syntax error at }\r\n", "closing } on lines of their own"},
    {"/sleep 1 /warn", "syntax error at /warn\r\n", "before its arguments"},
    {"prog x /MAX", "syntax error at /MAX\r\n", "before its arguments"},
    {"/cd /temp", "syntax error at /temp\r\n", ""},
    {"/set X = out-keys.txt", "'out' is not a valid integer value\r\n",
     "if out-keys.txt is a name, write it in double quotes (\"out-keys.txt\")"},
    {"winapp.exe T 2024-report.txt", "'report.txt' is not a valid integer value\r\n",
     "(\"2024-report.txt\")"},
    {"/set X = 10 + apples", "'apples' is not a valid integer value", ""},
    {"/set X = env(PATH) - 1", "is not a valid integer value", ""},
};

// Everything the run showed: the parse report, then the error box.
std::string Shown(const RecordingUI& ui) {
  std::string shown;
  for (const std::string& dialog : ui.infoDialogs) shown += dialog;
  for (const RecordingUI::Box& box : ui.boxes) shown += box.text;
  return shown;
}

size_t Count(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

}  // namespace

TEST(ErrorHints, EachTrapAddsOneLineThatSaysWhatToWriteInstead) {
  for (const THintCase& trap : kCases) {
    SCOPED_TRACE(trap.text);
    ResetRunState();
    RecordingUI ui;
    EXPECT_EQ(TarvMain(trap.text), 1);
    const std::string shown = Shown(ui);
    const size_t error = shown.find(trap.error);
    ASSERT_NE(error, std::string::npos) << shown;
    if (*trap.hint == '\0') {
      EXPECT_EQ(Count(shown, "hint: "), 0u) << shown;
      continue;
    }
    // The hint is the line right after the error, and the only one.
    const size_t next = error + std::string(trap.error).size();
    EXPECT_EQ(shown.compare(next, 6, "hint: "), 0) << shown;
    EXPECT_LT(shown.find(trap.hint, next), shown.find('\n', next)) << shown;
    EXPECT_EQ(Count(shown, "hint: "), 1u) << shown;
  }
  ResetRunState();
}
