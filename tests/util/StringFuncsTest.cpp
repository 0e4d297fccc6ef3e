#include <gtest/gtest.h>

#include "util/StringFuncs.h"

using namespace std::string_literals;

TEST(TrimBlanks, RemovesWhiteSpaceAtBothEnds) {
  EXPECT_EQ(TrimBlanks(" "), "");
  EXPECT_EQ(TrimBlanks(""), "");
  EXPECT_EQ(TrimBlanks("   "), "");
  EXPECT_EQ(TrimBlanks("\tab\r\n"), "ab");
  EXPECT_EQ(TrimBlanks("  a b  "), "a b");
}

TEST(TrimBlanks, KeepsLeadingNulButDropsTrailingNul) {
  EXPECT_EQ(TrimBlanks("\0ab"s), "\0ab"s);
  EXPECT_EQ(TrimBlanks("ab\0\0"s), "ab");
}

TEST(TrimBlanks, TakesTextsOfAnyLength) {
  std::string longText = "  " + std::string(100000, 'x') + " \r\n";
  EXPECT_EQ(TrimBlanks(longText), std::string(100000, 'x'));
}

TEST(ReplaceAll, ReplacesLeftToRightWithoutRescanning) {
  EXPECT_EQ(ReplaceAll("aaa", "a", "aa"), "aaaaaa");
  EXPECT_EQ(ReplaceAll("abcabc", "bc", ""), "aa");
  EXPECT_EQ(ReplaceAll("\"C:\\Program Files\\x.exe\"", "\"", ""), "C:\\Program Files\\x.exe");
  EXPECT_EQ(ReplaceAll("aaaa", "aa", "b"), "bb");
}

TEST(ReplaceAll, EmptyInputsChangeNothing) {
  EXPECT_EQ(ReplaceAll("abc", "", "x"), "abc");
  EXPECT_EQ(ReplaceAll("", "a", "x"), "");
  EXPECT_EQ(ReplaceAll("Abc", "a", "x"), "Abc");  // case-sensitive
}

TEST(ReplaceAll, TakesTextsBeyondSixtyFourKilobytes) {
  std::string text(70000, 'a');
  EXPECT_EQ(ReplaceAll(text, "a", "b"), std::string(70000, 'b'));
}

TEST(FileNameOnly, StripsDirectoriesAndDrive) {
  EXPECT_EQ(FileNameOnly("X:\\a\\b.qd"), "b.qd");
  EXPECT_EQ(FileNameOnly("a/b\\z"), "z");
  EXPECT_EQ(FileNameOnly("X:\\dir\\sub/file.qd"), "file.qd");
  EXPECT_EQ(FileNameOnly("X:file.qd"), "file.qd");
  EXPECT_EQ(FileNameOnly("X:"), "");
  EXPECT_EQ(FileNameOnly("a"), "a");
  EXPECT_EQ(FileNameOnly("dir\\"), "");
  EXPECT_EQ(FileNameOnly(""), "");
}

TEST(LastWord, GivesTheTextAfterTheLastBlank) {
  EXPECT_EQ(LastWord("x y z"), "z");
  EXPECT_EQ(LastWord("xyz"), "xyz");
  EXPECT_EQ(LastWord("x y "), "");
  EXPECT_EQ(LastWord("job.qd - Tarv32"), "Tarv32");
}

TEST(TextToInt, ConvertsDecimalAndHexadecimal) {
  EXPECT_EQ(TextToInt(""), 0);
  EXPECT_EQ(TextToInt("  42"), 42);
  EXPECT_EQ(TextToInt("$1F"), 31);
  EXPECT_EQ(TextToInt("0x1f"), 31);
  EXPECT_EQ(TextToInt("X10"), 16);
  EXPECT_EQ(TextToInt("-17"), -17);
  EXPECT_EQ(TextToInt("+17"), 17);
  EXPECT_EQ(TextToInt("-2147483648"), INT32_MIN);
  EXPECT_EQ(TextToInt("2147483647"), INT32_MAX);
}

TEST(TextToInt, StopsAtABadCharacterAndDropsTheSign) {
  EXPECT_EQ(TextToInt("12ab"), 12);
  EXPECT_EQ(TextToInt("-5x"), 5);
  EXPECT_EQ(TextToInt("7 "), 7);
  EXPECT_EQ(TextToInt("abc"), 0);
}

TEST(TextToInt, StopsBeforeADigitThatWouldOverflow) {
  EXPECT_EQ(TextToInt("99999999999"), 999999999);
  EXPECT_EQ(TextToInt("2147483648"), 214748364);
}

TEST(SplitFirstWord, SplitsAtTheFirstBlank) {
  SplitWord s = SplitFirstWord("prog a  b", "\"", "\"", true);
  EXPECT_EQ(s.first, "prog");
  EXPECT_EQ(s.rest, "a  b");
  s = SplitFirstWord(" ab", "\"", "\"", true);
  EXPECT_EQ(s.first, "");
  EXPECT_EQ(s.rest, "ab");
  s = SplitFirstWord("word", "\"", "\"", true);
  EXPECT_EQ(s.first, "word");
  EXPECT_EQ(s.rest, "");
}

TEST(SplitFirstWord, QuotedFirstWordRunsToTheBlankAfterItsClosingQuote) {
  SplitWord s = SplitFirstWord("\"C:\\My Prog\\p.exe\" /x", "\"", "\"", true);
  EXPECT_EQ(s.first, "C:\\My Prog\\p.exe");
  EXPECT_EQ(s.rest, "/x");
  s = SplitFirstWord("\"my name\"", "\"", "\"", true);
  EXPECT_EQ(s.first, "my name");
  EXPECT_EQ(s.rest, "");
  s = SplitFirstWord("\"open ended", "\"", "\"", false);
  EXPECT_EQ(s.first, "\"open");
  EXPECT_EQ(s.rest, "ended");
}

TEST(SplitFirstWord, StripDropsTheRestsFirstAndLastCharacterBlindly) {
  SplitWord s = SplitFirstWord("prog \"text\"", "\"", "\"", true);
  EXPECT_EQ(s.first, "prog");
  EXPECT_EQ(s.rest, "text");
  s = SplitFirstWord("prog \"a b\" z", "\"", "\"", true);
  EXPECT_EQ(s.rest, "a b\" ");
}

TEST(ArgumentsOfCommandLine, DropsTheProgramAndTrims) {
  EXPECT_EQ(ArgumentsOfCommandLine("tarv32"), "");
  EXPECT_EQ(ArgumentsOfCommandLine("\"C:\\Tools dir\\tarv32.exe\"  job.qd  "), "job.qd");
  EXPECT_EQ(ArgumentsOfCommandLine("tarv32 \"my script.qd\""), "my script.qd");
  EXPECT_EQ(ArgumentsOfCommandLine("tarv32 \t/waitall\r\n"), "/waitall");
}

TEST(ArgumentsOfCommandLine, KeepsAQuotedProgramFollowedByArguments) {
  EXPECT_EQ(ArgumentsOfCommandLine("tarv32 \"C:\\My Prog\\p.exe\" /x \"y\""),
            "\"C:\\My Prog\\p.exe\" /x \"y\"");
  EXPECT_EQ(ArgumentsOfCommandLine("tarv32 \"a\" \"b\""), "\"a\" \"b\"");
}

TEST(ArgumentsOfCommandLine, TakesLongCommandLines) {
  std::string arg(1000, 'z');
  EXPECT_EQ(ArgumentsOfCommandLine("tarv32 " + arg), arg);
}

TEST(ShortTextAsCString, DropsTheLastCharacterOfAFullBuffer) {
  EXPECT_EQ(ShortTextAsCString(std::string(255, 'a')), std::string(254, 'a'));
  EXPECT_EQ(ShortTextAsCString("abc"), "abc");
  EXPECT_EQ(ShortTextAsCString("ab\0cd"s), "ab");
}

TEST(ExtensionLower, TakesTheLastDotAfterTheLastSeparator) {
  EXPECT_EQ(ExtensionLower("job.qd"), ".qd");
  EXPECT_EQ(ExtensionLower("X.QD"), ".qd");
  EXPECT_EQ(ExtensionLower("\"my job.qd\""), ".qd");
  EXPECT_EQ(ExtensionLower("c:\\dir.x\\file"), "");
  EXPECT_EQ(ExtensionLower("notepad readme.txt"), ".txt");
  EXPECT_EQ(ExtensionLower("noext"), "");
}
