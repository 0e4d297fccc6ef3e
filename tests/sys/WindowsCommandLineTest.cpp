#include <gtest/gtest.h>

#include "sys/posix/WindowsCommandLine.h"

using Args = std::vector<std::string>;

TEST(WindowsCommandLine, BlanksAndTabsSeparateArguments) {
  EXPECT_EQ(SplitWindowsCommandLine("a  b\tc"), (Args{"a", "b", "c"}));
  EXPECT_EQ(SplitWindowsCommandLine("   "), Args{});
  EXPECT_EQ(SplitWindowsCommandLine(""), Args{});
}

TEST(WindowsCommandLine, DoubleQuotesGroupBlanksIntoOneArgument) {
  EXPECT_EQ(SplitWindowsCommandLine("\"a b\" c"), (Args{"a b", "c"}));
  EXPECT_EQ(SplitWindowsCommandLine("x\"a b\"y"), (Args{"xa by"}));
  EXPECT_EQ(SplitWindowsCommandLine("\"\" z"), (Args{"", "z"}));
  EXPECT_EQ(SplitWindowsCommandLine("\"open ended"), (Args{"open ended"}));
}

TEST(WindowsCommandLine, BackslashesEscapeOnlyBeforeADoubleQuote) {
  EXPECT_EQ(SplitWindowsCommandLine("a\\\"b"), (Args{"a\"b"}));          // \"  -> "
  EXPECT_EQ(SplitWindowsCommandLine("a\\\\\"b c\""), (Args{"a\\b c"}));  // \\" -> \ and a quote
  EXPECT_EQ(SplitWindowsCommandLine("a\\\\\\\"b"), (Args{"a\\\"b"}));    // \\\" -> \"
  EXPECT_EQ(SplitWindowsCommandLine("C:\\dir\\\\x"), (Args{"C:\\dir\\\\x"}));
  EXPECT_EQ(SplitWindowsCommandLine("end\\"), (Args{"end\\"}));
}
