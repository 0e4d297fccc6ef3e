#include <gtest/gtest.h>

#include "sys/WindowsArguments.h"

using Args = std::vector<std::string>;

TEST(WindowsArguments, SplittingFollowsTheRuleOfTheCRuntime) {
  EXPECT_EQ(SplitWindowsCommandLine("a  b\tc"), (Args{"a", "b", "c"}));
  EXPECT_EQ(SplitWindowsCommandLine("   "), Args{});
  EXPECT_EQ(SplitWindowsCommandLine("\"a b\" c"), (Args{"a b", "c"}));
  EXPECT_EQ(SplitWindowsCommandLine("x\"a b\"y"), (Args{"xa by"}));
  EXPECT_EQ(SplitWindowsCommandLine("\"\" z"), (Args{"", "z"}));
  EXPECT_EQ(SplitWindowsCommandLine("\"open ended"), (Args{"open ended"}));
  EXPECT_EQ(SplitWindowsCommandLine("a\\\"b"), (Args{"a\"b"}));          // \"  -> "
  EXPECT_EQ(SplitWindowsCommandLine("a\\\\\"b c\""), (Args{"a\\b c"}));  // \\" -> \ and a quote
  EXPECT_EQ(SplitWindowsCommandLine("a\\\\\\\"b"), (Args{"a\\\"b"}));    // \\\" -> \"
  EXPECT_EQ(SplitWindowsCommandLine("C:\\dir\\\\x end\\"), (Args{"C:\\dir\\\\x", "end\\"}));
}

// Each awkward word, as the command line writes it, comes back alone and
// among the others exactly.
TEST(WindowsArguments, EachWordComesBackFromTheCommandLineItIsWrittenTo) {
  struct Case {
    std::string word;
    std::string written;
  };
  const Case cases[] = {
      {"", "\"\""},
      {"plain", "plain"},
      {"a b", "\"a b\""},
      {"tab\tinside", "\"tab\tinside\""},
      {"line\nend\vtab", "\"line\nend\vtab\""},
      {"quote \"inside\" here", "\"quote \\\"inside\\\" here\""},
      {"a\\\"b", "\"a\\\\\\\"b\""},  // a backslash before a quote doubles, the quote escaped
      {"C:\\my dir\\", "\"C:\\my dir\\\\\""},
      {"C:\\dir\\", "C:\\dir\\"},  // unquoted, a trailing backslash is literal
      {"\\\\server\\share", "\\\\server\\share"},
      {"a\\\\b", "a\\\\b"},
      {"\"", "\"\\\"\""},
      {"\\", "\\"},
      {"x&y|z<>^%PATH%!", "x&y|z<>^%PATH%!"},
      {"Grüße", "Grüße"},
      {"Привет мир", "\"Привет мир\""},
      {"日本", "日本"},
      {"😀 \"😀\"", "\"😀 \\\"😀\\\"\""},
  };
  Args all;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.word);
    EXPECT_EQ(QuoteWindowsArgument(c.word), c.written);
    EXPECT_EQ(SplitWindowsCommandLine(BuildWindowsCommandLine({c.word})), Args{c.word});
    all.push_back(c.word);
  }
  EXPECT_EQ(SplitWindowsCommandLine(BuildWindowsCommandLine(all)), all);
}

// cmd.exe's command is the script's own shell text; a batch file's
// arguments are grouped by cmd.exe's rules; any other program gets the
// Windows command line.
TEST(WindowsArguments, TheParameterTextFollowsTheRuleOfItsReader) {
  const Args words = {"/c", "echo \"a b\" > out.txt", "", "x,y", "(1)", "C:\\dir\\"};
  struct Case {
    std::string file;
    bool batchFile;
    std::string text;
  };
  const Case cases[] = {
      {"cmd", false, "/c \"echo \"a b\" > out.txt\"  x,y (1) C:\\dir\\"},
      {"C:\\Windows\\System32\\CMD.EXE", false, "/c \"echo \"a b\" > out.txt\"  x,y (1) C:\\dir\\"},
      {"show", true, "/c \"echo \"a b\" > out.txt\" \"\" \"x,y\" \"(1)\" C:\\dir\\"},
      {"run.cmd", true, "/c \"echo \"a b\" > out.txt\" \"\" \"x,y\" \"(1)\" C:\\dir\\"},
      {"cmdtool.exe", false, "/c \"echo \\\"a b\\\" > out.txt\" \"\" x,y (1) C:\\dir\\"},
  };
  for (const Case& c : cases) EXPECT_EQ(WindowsParameterText(c.file, c.batchFile, words), c.text) << c.file;
}
