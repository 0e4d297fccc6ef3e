// The command parser: the command lists built for command texts, command
// files and editor lines, and the reports of failed parses.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lang/TarvLex.h"
#include "lang/TarvYacc.h"
#include "lang/Vocabulary.h"
#include "test_support/RecordingUI.h"
#include "util/StringFuncs.h"
#include "util/TarvCommon.h"

namespace {

class TarvYaccTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetRunState(); }
  void TearDown() override { ResetRunState(); }

  TScript Parse(const std::string& text, const std::string& source = "test.qd") {
    TTextStream input(text);
    TTarvYacc parser;
    return parser.Parse(input, source);
  }

  /// Parses a text that must fail; returns the parse report it showed.
  std::string Failure(const std::string& text, const std::string& source = "test.qd") {
    size_t dialogs = ui.infoDialogs.size();
    try {
      Parse(text, source);
      ADD_FAILURE() << "no parse error for: " << text;
    } catch (const EScriptError& error) {
      EXPECT_STREQ(error.what(), "parse error");
    }
    return ui.infoDialogs.size() > dialogs ? ui.infoDialogs.back() : std::string();
  }

  RecordingUI ui;
};

using TTexts = std::vector<std::string>;
using TCodes = std::vector<int32_t>;

TTexts Texts(TCmdTexts texts) { return {texts.begin(), texts.end()}; }
TCodes Codes(TCmdCodes codes) { return {codes.begin(), codes.end()}; }

int Count(const std::string& text, const std::string& part) {
  int count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

}  // namespace

TEST_F(TarvYaccTest, EmptyTextGivesAnEmptyListAndShowsNothing) {
  EXPECT_EQ(Parse("").size(), 0u);
  EXPECT_EQ(Parse("\r\n   \r\n# comment\r\n; another\r\n").size(), 0u);
  EXPECT_TRUE(ui.infoDialogs.empty());
}

TEST_F(TarvYaccTest, CommandFileWithIfElseBuildsNestedBlocks) {
  TScript list = Parse(
      "# start notepad and wait\r\n"
      "notepad /wait readme.txt\r\n"
      "/if errorlevel() eq 0 {\r\n"
      "   /activate Untitled - Notepad\r\n"
      "} /else {\r\n"
      "   /pause Notepad failed\r\n"
      "}\r\n");
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0].Kind, 0);
  EXPECT_EQ(list[0].KeywordIndex, 0);
  EXPECT_EQ(Texts(list[0].Args), (TTexts{"notepad", "readme.txt"}));
  EXPECT_EQ(Codes(list[0].Options), TCodes{_WAIT});

  const Tcmdrec& cmdIf = list[1];
  EXPECT_EQ(cmdIf.Kind, _IF);
  EXPECT_EQ(Texts(cmdIf.Args), TTexts{"/if"});
  EXPECT_EQ(cmdIf.Condition(), "errorlevel() EQ 0");
  ASSERT_EQ(cmdIf.Block().size(), 1u);
  EXPECT_EQ(cmdIf.Block()[0].Kind, _ACTIVATE);
  EXPECT_EQ(Texts(cmdIf.Block()[0].Args), (TTexts{"/activate", "Untitled - Notepad"}));
  EXPECT_TRUE(cmdIf.Block()[0].Options.empty());
  ASSERT_EQ(cmdIf.ElseBlock().size(), 1u);
  EXPECT_EQ(cmdIf.ElseBlock()[0].Kind, _PAUSE);
  EXPECT_EQ(Texts(cmdIf.ElseBlock()[0].Args), (TTexts{"/pause", "Notepad failed"}));
}

TEST_F(TarvYaccTest, ExternalProgramTakesWordsAsArguments) {
  TScript list = Parse("notepad readme.txt\r\n", "ARGS");
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0].Kind, 0);
  EXPECT_EQ(Texts(list[0].Args), (TTexts{"notepad", "readme.txt"}));
  EXPECT_TRUE(list[0].Options.empty());
}

TEST_F(TarvYaccTest, OperatorsInsideUnquotedArgumentsGetBlanks) {
  EXPECT_EQ(Texts(Parse("notepad my-file.txt\r\n")[0].Args), (TTexts{"notepad", "my - file.txt"}));
  EXPECT_EQ(Texts(Parse("prog a&b+c\r\n")[0].Args), (TTexts{"prog", "a & b + c"}));
  EXPECT_EQ(Texts(Parse("prog env(x) f()\r\n")[0].Args), (TTexts{"prog", "env(x)", "f()"}));
}

TEST_F(TarvYaccTest, SlashWordsAreArgumentsAndOptionsComeFirst) {
  EXPECT_EQ(Texts(Parse("prog /p x\r\n")[0].Args), (TTexts{"prog", "/p", "x"}));
  TScript withOption = Parse("prog /max x\r\n");
  EXPECT_EQ(Texts(withOption[0].Args), (TTexts{"prog", "x"}));
  EXPECT_EQ(Codes(withOption[0].Options), TCodes{_MAX});
  EXPECT_EQ(Codes(Parse("prog /w /h /i /w x\r\n")[0].Options), (TCodes{_WAIT, _HIDE, _IGNORE, _WAIT}));
}

// Each option word, in any letter case and glued or not, gives its token.
TEST_F(TarvYaccTest, EveryOptionWordOfTheVocabularyGivesItsCode) {
  for (const TWordRow& row : kWords) {
    if (!IsOptionToken(row.token)) continue;
    SCOPED_TRACE(row.word);
    const std::string word = row.word;
    EXPECT_EQ(Codes(Parse("prog " + word + " x\r\n")[0].Options), TCodes{row.token});
    EXPECT_EQ(Codes(Parse("prog" + UpperCase(word) + "\r\n", "COMMAND")[0].Options), TCodes{row.token});
    if (row.token == _IGNORE || row.token == _WARN) {
      EXPECT_EQ(Codes(Parse("/kill " + word + " x\r\n")[0].Options), TCodes{row.token});
    }
  }
}

TEST_F(TarvYaccTest, OptionAfterAnArgumentIsASyntaxError) {
  EXPECT_NE(Failure("prog x /max\r\n").find("syntax error at /max"), std::string::npos);
  EXPECT_NE(Failure("prog eq\r\n").find("syntax error at eq"), std::string::npos);
}

TEST_F(TarvYaccTest, InternalCommandTakesIgnoreAndWarn) {
  TScript list = Parse("/activate /warn Untitled - Notepad\r\n");
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0].Kind, _ACTIVATE);
  EXPECT_EQ(list[0].KeywordIndex, 1);
  EXPECT_EQ(Texts(list[0].Args), (TTexts{"/activate", "Untitled - Notepad"}));
  EXPECT_EQ(Codes(list[0].Options), TCodes{_WARN});
  EXPECT_NE(Failure("/activate /max x\r\n").find("syntax error at /max"), std::string::npos);
}

TEST_F(TarvYaccTest, BracedCommandsShareOneCommandLine) {
  TScript list = Parse("{ /activate A } { /sendkeys B }\r\n", "ARGS");
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(Texts(list[0].Args), (TTexts{"/activate", "A"}));
  EXPECT_EQ(list[1].Kind, _SENDKEYS);
  EXPECT_EQ(Texts(list[1].Args), (TTexts{"/sendkeys", "B"}));
  EXPECT_EQ(Parse("{ /activate x }\r\n{ /activate y }\r\n", "ARGS").size(), 2u);
}

TEST_F(TarvYaccTest, DoTakesItsWhileConditionOrZero) {
  TScript withWhile = Parse("/do {\r\n/plist\r\n}\r\n/while x eq 1\r\n");
  ASSERT_EQ(withWhile.size(), 1u);
  EXPECT_EQ(withWhile[0].Kind, _DO);
  EXPECT_EQ(Texts(withWhile[0].Args), TTexts{"/do"});
  EXPECT_EQ(withWhile[0].Condition(), "x EQ 1");
  EXPECT_EQ(withWhile[0].Block().size(), 1u);
  EXPECT_TRUE(withWhile[0].ElseBlock().empty());

  TScript without = Parse("/do {\r\n/plist\r\n}\r\n");
  ASSERT_EQ(without.size(), 1u);
  EXPECT_EQ(without[0].Condition(), "0");
}

TEST_F(TarvYaccTest, IfWithAndWithoutElse) {
  TScript withElse = Parse("/if a ne b {\r\n/plist\r\n} /else {\r\n/wlist\r\n}\r\n");
  EXPECT_EQ(withElse[0].Condition(), "a NE b");
  EXPECT_EQ(withElse[0].Block().size(), 1u);
  ASSERT_EQ(withElse[0].ElseBlock().size(), 1u);
  EXPECT_EQ(withElse[0].ElseBlock()[0].Kind, _WLIST);

  TScript without = Parse("/if A Lt \"b\"\r\n{\r\n/plist\r\n}\r\n");
  EXPECT_EQ(without[0].Condition(), "A LT \"b\"");
  EXPECT_TRUE(without[0].ElseBlock().empty());
  EXPECT_TRUE(Parse("/if x {\r\n}\r\n")[0].Block().empty());
}

TEST_F(TarvYaccTest, BlocksNest) {
  TScript list = Parse("/do {\r\n/if x {\r\n/do {\r\n/waitall\r\n}\r\n}\r\n/plist\r\n} /while 1\r\n");
  ASSERT_EQ(list.size(), 1u);
  TCmdList body = list[0].Block();
  ASSERT_EQ(body.size(), 2u);
  EXPECT_EQ(body[0].Kind, _IF);
  EXPECT_EQ(body[0].Block()[0].Block()[0].Kind, _WAITALL);
  EXPECT_EQ(body[1].Kind, _PLIST);
}

TEST_F(TarvYaccTest, SetTakesNameAndValue) {
  EXPECT_EQ(Texts(Parse("/set path = x\r\n")[0].Args), (TTexts{"/set", "path", "x"}));
  EXPECT_EQ(Texts(Parse("/set v = \"a b\"\r\n")[0].Args), (TTexts{"/set", "v", "\"a b\""}));
}

TEST_F(TarvYaccTest, CommandsWithoutArguments) {
  TScript edit = Parse("/edit\r\n");
  EXPECT_EQ(Texts(edit[0].Args), (TTexts{"/edit", ""}));
  TScript plist = Parse("/plist\r\n");
  EXPECT_EQ(Texts(plist[0].Args), TTexts{"/plist"});
  EXPECT_TRUE(plist[0].Options.empty());
  EXPECT_EQ(Parse("/waitall\r\n/wlist\r\n")[1].KeywordIndex, 29);
}

TEST_F(TarvYaccTest, AtCommandTakesItsWords) {
  TScript list = Parse("@\"job.qd\"\r\n", "ARGS");
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0].Kind, _AT);
  EXPECT_EQ(list[0].KeywordIndex, 30);
  EXPECT_EQ(Texts(list[0].Args), (TTexts{"@", "\"job.qd\""}));
  EXPECT_EQ(Texts(Parse("@ a.qd /x 2\r\n")[0].Args), (TTexts{"@", "a.qd", "/x", "2"}));
}

TEST_F(TarvYaccTest, ArgumentBeginningWithASlashIsASyntaxError) {
  EXPECT_NE(Failure("/cd /temp\r\n").find("syntax error at /temp"), std::string::npos);
  EXPECT_EQ(Texts(Parse("/cd c:\\temp\r\n")[0].Args), (TTexts{"/cd", "c:\\temp"}));
}

TEST_F(TarvYaccTest, MissingArgumentReportsStringExpected) {
  std::string report = Failure("/activate\r\n");
  EXPECT_NE(report.find("string expected at \n"), std::string::npos);
  EXPECT_NE(Failure("/set x =\r\n").find("string expected"), std::string::npos);
  EXPECT_NE(Failure("/if {\r\n}\r\n").find("string expected"), std::string::npos);
}

TEST_F(TarvYaccTest, FailedParseShowsTheReportAndRaisesParseError) {
  std::string report = Failure("prog x /max\r\n", "my.qd");
  EXPECT_EQ(report,
            "Parse Output: \r\n\r\nParse Errors: \r\n"
            "Line 1 Col 12 in file \"my.qd\"\r\nsyntax error at /max\r\n"
            "hint: options go right after the program or command, before its arguments (prog /wait file, "
            "/sleep /warn 5); /set, /if, /do, /while, /waitall, /plist, /wlist and @ take none\r\n");
}

TEST_F(TarvYaccTest, ErrorAtALineEndIsReportedOnTheLineReadAhead) {
  std::string report = Failure("/if x eq 1\r\n\r\n/plist\r\n");
  EXPECT_NE(report.find("Line 3 "), std::string::npos) << report;
  EXPECT_NE(report.find("syntax error at \n\r\n"), std::string::npos) << report;
}

TEST_F(TarvYaccTest, ErrorInsideABlockResumesAtTopLevel) {
  RunState().ParserTrace = true;
  TScript list = Parse("/if a {\r\nprog x /max\r\n/plist\r\n}\r\n/wlist\r\n");
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0].Kind, _PLIST);
  EXPECT_EQ(list[1].Kind, _WLIST);
  ASSERT_EQ(ui.infoDialogs.size(), 1u);
  EXPECT_EQ(Count(ui.infoDialogs[0], "syntax error"), 2);
  EXPECT_NE(ui.infoDialogs[0].find("syntax error at }"), std::string::npos);
}

TEST_F(TarvYaccTest, EveryErrorLineIsReported) {
  std::string report = Failure("prog x /max\r\nok\r\nprog y /min\r\n/cd /x\r\n");
  EXPECT_EQ(Count(report, "syntax error"), 3);
  EXPECT_NE(report.find("Line 1 "), std::string::npos);
  EXPECT_NE(report.find("Line 3 "), std::string::npos);
  EXPECT_NE(report.find("Line 4 "), std::string::npos);
}

TEST_F(TarvYaccTest, BlockOpenerAfterACommandLineIsASyntaxError) {
  EXPECT_NE(Failure("notepad\r\n{ /activate x }\r\n", "ARGS").find("syntax error"), std::string::npos);
}

TEST_F(TarvYaccTest, LineEndAloneIsAllowedOnlyAtTopLevel) {
  EXPECT_EQ(Parse("/plist\r\n/* c */ \r\n/wlist\r\n").size(), 2u);
  EXPECT_NE(Failure("/do {\r\n/plist\r\n/* c */ \r\n/wlist\r\n}\r\n").find("syntax error"),
            std::string::npos);
}

TEST_F(TarvYaccTest, OpenQuoteAtTheEndGivesOneSyntaxError) {
  std::string report = Failure("prog \"abc");
  EXPECT_EQ(Count(report, "syntax error"), 1);
  EXPECT_NE(report.find("unexpected EOF inside quoted string at line 1"), std::string::npos);
}

TEST_F(TarvYaccTest, ValueTextsOverTheLimitAreAPositionedErrorOnceALine) {
  std::string word(200, 'a');
  std::string report = Failure("/plist\r\nprog " + word + "&" + word + "&" + word + "\r\n");
  EXPECT_EQ(Count(report, "value longer than 255 characters"), 1) << report;
  EXPECT_NE(report.find("Line 2 Col "), std::string::npos) << report;

  std::string sum = "1";
  for (int i = 0; i < 100; ++i) sum += "+1";
  report = Failure("prog \"" + std::string(300, 'q') + "\"\r\n/set X = " + sum + "\r\n");
  EXPECT_EQ(Count(report, "value longer than 255 characters"), 2) << report;
}

TEST_F(TarvYaccTest, ValueTextsOfExactly255CharactersAreKeptWhole) {
  std::string left(126, 'a'), right(126, 'b');  // "a...a & b...b": 255 characters
  TScript list = Parse("prog " + left + "&" + right + "\r\n");
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0].Args[1], left + " & " + right);
}

TEST_F(TarvYaccTest, TraceShowsTheReportButRaisesNothing) {
  RunState().ParserTrace = true;
  TScript list = Parse("/plist\r\n");
  ASSERT_EQ(list.size(), 1u);
  ASSERT_EQ(ui.infoDialogs.size(), 1u);
  const std::string& report = ui.infoDialogs[0];
  EXPECT_EQ(report.rfind("Parse Output: \r\n", 0), 0u);
  EXPECT_NE(report.find("in inputLine: cmd\r\n"), std::string::npos);
  EXPECT_NE(report.find("in input: inputList\r\n"), std::string::npos);
  EXPECT_NE(report.find("\r\nParse Errors: \r\n"), std::string::npos);
}

TEST_F(TarvYaccTest, EditorLineParsesUnderCommand) {
  TScript list = Parse("/waitfor Calc }\r\n", "COMMAND");
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(Texts(list[0].Args), (TTexts{"/waitfor", "Calc }"}));
}

// ---- Slashes glued to words (paths written with slashes) -------------------

TEST_F(TarvYaccTest, SlashGluedToAnArgumentWordIsAPositionedErrorUnderEverySourceName) {
  for (const std::string source : {"ARGS", "COMMAND", "/home/u/job.qd"}) {
    std::string report = Failure("ls /wait sub/zz9 x\r\n", source);
    EXPECT_NE(report.find("Line 1 Col 10 in file \"" + source +
                          "\"\r\nthe word \"sub/zz9\" holds a slash: quote a path, e.g. \"sub/zz9\"\r\n"),
              std::string::npos)
        << report;
  }
  // Each word is reported once, whole, with the column where it begins.
  std::string report = Failure("prog a\r\n\r\ncat ../x/y.txt /tmp/log \"d\"/f\r\n");
  EXPECT_NE(report.find("Line 3 Col 5 in file \"test.qd\"\r\nthe word \"../x/y.txt\" holds a slash"),
            std::string::npos)
      << report;
  EXPECT_NE(report.find("Col 16 in file \"test.qd\"\r\nthe word \"/tmp/log\""), std::string::npos) << report;
  EXPECT_NE(report.find("the word \"\"d\"/f\""), std::string::npos) << report;
  EXPECT_EQ(Count(report, "holds a slash"), 3);
  // A program path, a command file, a glued slash in a condition, and a
  // slash after an option.
  EXPECT_NE(Failure("./run.sh x\r\n").find("the word \"./run.sh\""), std::string::npos);
  EXPECT_NE(Failure("@ sub/job.qd\r\n", "ARGS").find("the word \"sub/job.qd\""), std::string::npos);
  EXPECT_NE(Failure("/if a/b eq 1 {\r\n}\r\n").find("the word \"a/b\""), std::string::npos);
  EXPECT_NE(Failure("ls /wait/tmp\r\n").find("the word \"/wait/tmp\""), std::string::npos);
  // Quoted, the same path is one argument.
  EXPECT_EQ(Texts(Parse("ls /wait \"sub/zz9\"\r\n")[0].Args), (TTexts{"ls", "\"sub/zz9\""}));
}

// The grammar refuses the first token of such a word before the lexer reads
// the rest: the word is still reported once, where it begins.
TEST_F(TarvYaccTest, ALineThatBeginsWithABarePathHasOneReport) {
  for (const std::string word : {"/bin/echo", "/activate/bin"}) {
    std::string report = Failure(word + " hi\r\n");
    EXPECT_NE(report.find("Line 1 Col 1 in file \"test.qd\"\r\nthe word \"" + word + "\" holds a slash"),
              std::string::npos)
        << report;
    EXPECT_EQ(Count(report, "Line "), 1) << report;
  }
}

TEST_F(TarvYaccTest, OptionsGluedToTheFirstWordAndRestOfLineArgumentsKeepTheirSlashes) {
  TScript program = Parse("notepad/wait/min x\r\n", "COMMAND");
  ASSERT_EQ(program.size(), 1u);
  EXPECT_EQ(Texts(program[0].Args), (TTexts{"notepad", "x"}));
  EXPECT_EQ(Codes(program[0].Options), (TCodes{_WAIT, _MIN}));
  TScript internal = Parse("{ /activate/ignore A/B } {/kill/warn x}\r\n", "ARGS");
  ASSERT_EQ(internal.size(), 2u);
  EXPECT_EQ(Texts(internal[0].Args), (TTexts{"/activate", "A/B"}));
  EXPECT_EQ(Codes(internal[0].Options), TCodes{_IGNORE});
  EXPECT_EQ(Codes(internal[1].Options), TCodes{_WARN});
  TScript spaced = Parse("ls /w/h /p /tmp\r\n@ \"sub/job.qd\"\r\n");
  ASSERT_EQ(spaced.size(), 2u);
  EXPECT_EQ(Texts(spaced[0].Args), (TTexts{"ls", "/p", "/tmp"}));
  EXPECT_EQ(Codes(spaced[0].Options), (TCodes{_WAIT, _HIDE}));
  EXPECT_EQ(Texts(spaced[1].Args), (TTexts{"@", "\"sub/job.qd\""}));
  // A command's own text form (options glued to the program) reads back.
  std::string text = program[0].CommandText(0);
  TScript again = Parse(text + "\r\n", "COMMAND");
  ASSERT_EQ(again.size(), 1u);
  EXPECT_EQ(again[0].CommandText(0), text);
  EXPECT_EQ(Texts(again[0].Args), Texts(program[0].Args));
}
