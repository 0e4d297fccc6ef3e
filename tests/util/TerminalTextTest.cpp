#include <gtest/gtest.h>

#include "util/TerminalText.h"

namespace {

struct TCase {
  const char* name;
  std::string text;
  bool utf8;
  TTerminalLines lines;
  std::string shown;
};

const TCase kCases[] = {
    {"plain text is kept", "Notepad - a.txt", true, TTerminalLines::One, "Notepad - a.txt"},
    {"every script is kept",
     "Gr\xC3\xBC\xC3\x9F"
     "e \xE6\x97\xA5 \xF0\x9F\x98\x80",
     true, TTerminalLines::One,
     "Gr\xC3\xBC\xC3\x9F"
     "e \xE6\x97\xA5 \xF0\x9F\x98\x80"},
    {"title sequence", "\x1B]2;owned\x07x", true, TTerminalLines::One, "^[]2;owned^Gx"},
    {"clear screen", "\x1B[2J\x1B[H", true, TTerminalLines::One, "^[[2J^[[H"},
    {"forged line", "a\r\nError: b", true, TTerminalLines::One, "a^M^JError: b"},
    {"NUL, unit separator, DEL", std::string("\0\x1F\x7F", 3), true, TTerminalLines::One, "^@^_^?"},
    {"a message keeps LF and TAB", "a\n\tb\rc\x1B", true, TTerminalLines::Multiple, "a\n\tb^Mc^["},
    {"C1 controls",
     "\xC2\x80\xC2\x9B"
     "1m\xC2\x9F\xC2\xA0",
     true, TTerminalLines::One, "\\u0080\\u009B1m\\u009F\xC2\xA0"},
    {"malformed bytes",
     "a\x9B"
     "b\xC3\xFF",
     true, TTerminalLines::One, "a\\x9Bb\\xC3\\xFF"},
    {"a single-byte page keeps its upper half", "\x80\x9B\xE9\x1B", false, TTerminalLines::One,
     "\x80\x9B\xE9^["},
};

TEST(TerminalText, ControlsBecomeVisibleEscapes) {
  for (const TCase& c : kCases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(TerminalSafe(c.text, c.utf8, c.lines), c.shown);
  }
}

}  // namespace
