#include <gtest/gtest.h>

#include "lang/LexTestSupport.h"
#include "lang/TarvLex.h"
#include "test_support/RecordingUI.h"

namespace {

using LexRun = TLexRun<TTarvLex>;
using Tokens = std::vector<TToken>;

Tokens Lex(const std::string& text, const std::string& source = "job.qd") {
  return LexRun(text, source).All();
}

const TToken kNL{NL, "\n"};

}  // namespace

// ---- Rest-of-line arguments ------------------------------------------------

TEST(TarvLex, RestOfLineInAFileIsOneIdToTheLineEnd) {
  EXPECT_EQ(Lex("/ACTIVATE Untitled - Notepad\n"),
            (Tokens{{_ACTIVATE, "/ACTIVATE"}, {ID, "Untitled - Notepad"}, kNL}));
  EXPECT_EQ(Lex("/pause Done, 3 files  \n"), (Tokens{{_PAUSE, "/pause"}, {ID, "Done, 3 files  "}, kNL}));
}

TEST(TarvLex, RestOfLineUnderArgsStopsAtAClosingBraceWithoutTheBlanksBeforeIt) {
  EXPECT_EQ(Lex("{ /waitfor Untitled - Notepad \t }\n", "ARGS"),
            (Tokens{{'{', "{ "}, {_WAITFOR, "/waitfor"}, {ID, "Untitled - Notepad"}, {'}', "}"}, kNL}));
}

TEST(TarvLex, RestOfLineUnderAFileNameTakesTheClosingBrace) {
  EXPECT_EQ(Lex("{ /activate Notepad }\n", "job.qd"),
            (Tokens{{'{', "{ "}, {_ACTIVATE, "/activate"}, {ID, "Notepad }"}, kNL}));
  EXPECT_EQ(Lex("/cd }x\n", "COMMAND"), (Tokens{{_CD, "/cd"}, {ID, "}x"}, kNL}));
}

TEST(TarvLex, QuotedArgumentKeepsItsQuotes) {
  EXPECT_EQ(Lex("/activate \"My Window\"\n"),
            (Tokens{{_ACTIVATE, "/activate"}, {QSTR, "\"My Window\""}, kNL}));
}

TEST(TarvLex, OptionWordsAfterAKeywordAreStillKeywords) {
  EXPECT_EQ(Lex("/kill /warn notepad.exe\n"),
            (Tokens{{_KILL, "/kill"}, {_WARN, "/warn"}, {ID, "notepad.exe"}, kNL}));
  EXPECT_EQ(Lex("@ /* x */ job.qd\n"), (Tokens{{_AT, "@"}, {ID, "job.qd"}, kNL}));
}

TEST(TarvLex, WordsAndDigitsAtTheStartOfAnArgumentTakeTheWholeRest) {
  EXPECT_EQ(Lex("/sendkeys 12 x\n"), (Tokens{{_SENDKEYS, "/sendkeys"}, {ID, "12 x"}, kNL}));
  EXPECT_EQ(Lex("/close eq ne\n"), (Tokens{{_CLOSE, "/close"}, {ID, "eq ne"}, kNL}));
}

TEST(TarvLex, BraceInAnArgumentOpensABlockOnlyBeforeTheLineEnd) {
  EXPECT_EQ(Lex("/pause a { b\n"), (Tokens{{_PAUSE, "/pause"}, {ID, "a { b"}, kNL}));
  EXPECT_EQ(Lex("/pause {  \n x\n", "ARGS"), (Tokens{{_PAUSE, "/pause"}, {'{', "{  \n "}, {ID, "x"}, kNL}));
  EXPECT_EQ(Lex("/pause { b\n", "ARGS"), (Tokens{{_PAUSE, "/pause"}, {ID, "{ b"}, kNL}));
}

TEST(TarvLex, LineEndEndsTheArgumentCondition) {
  EXPECT_EQ(Lex("/cd\nfoo bar\n"), (Tokens{{_CD, "/cd"}, kNL, {ID, "foo"}, {ID, "bar"}, kNL}));
}

TEST(TarvLex, AtTakesTheRestOfTheLineWithoutAKeywordLookup) {
  // "@" is its own rule, so the argument after it is read word by word.
  EXPECT_EQ(Lex("@ job.qd x\n"), (Tokens{{_AT, "@"}, {ID, "job.qd"}, {ID, "x"}, kNL}));
}

// ---- Words, keywords and characters ----------------------------------------

TEST(TarvLex, KeywordsMatchInAnyLetterCase) {
  EXPECT_EQ(Lex("a EQ b Eq c eq d\n"),
            (Tokens{{ID, "a"}, {_EQ, "EQ"}, {ID, "b"}, {_EQ, "Eq"}, {ID, "c"}, {_EQ, "eq"}, {ID, "d"}, kNL}));
  EXPECT_EQ(Lex("/WAIT /H /i x\n"),
            (Tokens{{_WAIT, "/WAIT"}, {_HIDE, "/H"}, {_IGNORE, "/i"}, {ID, "x"}, kNL}));
}

TEST(TarvLex, UnknownSlashWordIsIllegalAndALoneSlashIsACharacter) {
  EXPECT_EQ(Lex("/foo\n"), (Tokens{{ILLEGAL, "/foo"}, kNL}));
  EXPECT_EQ(Lex("foo\n"), (Tokens{{ID, "foo"}, kNL}));
  EXPECT_EQ(Lex("/\n"), (Tokens{{'/', "/"}, kNL}));
  EXPECT_EQ(Lex("/9\n"), (Tokens{{'/', "/"}, {NUM, "9"}, kNL}));
}

TEST(TarvLex, PathsAreWordsAndAHyphenSplitsThem) {
  EXPECT_EQ(Lex("notepad.exe c:\\temp\\a.txt\n"),
            (Tokens{{ID, "notepad.exe"}, {ID, "c:\\temp\\a.txt"}, kNL}));
  EXPECT_EQ(Lex("a-b\n"), (Tokens{{ID, "a"}, {'-', "-"}, {ID, "b"}, kNL}));
  // Letters beyond ASCII are letters of words, in any script.
  EXPECT_EQ(Lex("notepad Gr\xC3\xBC\xC3\x9F"
                "e.txt \xD0\x9F\xD1\x80\n"),
            (Tokens{{ID, "notepad"},
                    {ID,
                     "Gr\xC3\xBC\xC3\x9F"
                     "e.txt"},
                    {ID, "\xD0\x9F\xD1\x80"},
                    kNL}));
}

TEST(TarvLex, DigitRunsAreNumbersAndUnderscoreCannotStartAWord) {
  EXPECT_EQ(Lex("/sleep 15\n"), (Tokens{{_SLEEP, "/sleep"}, {NUM, "15"}, kNL}));
  EXPECT_EQ(Lex("12ab _x\n"), (Tokens{{NUM, "12"}, {ID, "ab"}, {'_', "_"}, {ID, "x"}, kNL}));
}

TEST(TarvLex, FormFeedAndOtherCharactersAreCharacterTokens) {
  EXPECT_EQ(Lex("a % !\f\n"), (Tokens{{ID, "a"}, {'%', "%"}, {'!', "!"}, {'\f', "\f"}, kNL}));
}

// ---- Blocks, /else and /while ----------------------------------------------

TEST(TarvLex, ElseOnTheLineAfterAClosingBraceTakesTheLineEnd) {
  EXPECT_EQ(Lex("}\n/else {\n"), (Tokens{{'}', "}"}, {_ELSE, "\n/else "}, {'{', "{\n"}}));
  EXPECT_EQ(Lex("}\n  /ELSE\n{\n"), (Tokens{{'}', "}"}, {_ELSE, "\n  /ELSE\n"}, {'{', "{\n"}}));
}

TEST(TarvLex, WhileOnTheLineAfterABlockTakesTheLineEnd) {
  EXPECT_EQ(Lex("/do {\nx\n}\n/while a eq b\n"), (Tokens{{_DO, "/do"},
                                                         {'{', "{\n"},
                                                         {ID, "x"},
                                                         kNL,
                                                         {'}', "}"},
                                                         {_WHILE, "\n/while "},
                                                         {ID, "a"},
                                                         {_EQ, "eq"},
                                                         {ID, "b"},
                                                         kNL}));
}

TEST(TarvLex, ElseNotFollowedByWhiteSpaceIsAWordAfterALineEnd) {
  EXPECT_EQ(Lex("}\n/elsewhere\n"), (Tokens{{'}', "}"}, kNL, {ILLEGAL, "/elsewhere"}, kNL}));
}

TEST(TarvLex, BlockMayOpenOnTheNextLine) {
  EXPECT_EQ(Lex("/if x\n\n  {\n"), (Tokens{{_IF, "/if"}, {ID, "x"}, {'{', "\n\n  {\n"}}));
}

// ---- Comments and blank lines ----------------------------------------------

TEST(TarvLex, CommentLinesAreDroppedOnlyAtLineStart) {
  EXPECT_EQ(Lex("   # note\n; note\nx\n"), (Tokens{{ID, "x"}, kNL}));
  EXPECT_EQ(Lex("x # y\n"), (Tokens{{ID, "x"}, {'#', "#"}, {ID, "y"}, kNL}));
  EXPECT_EQ(Lex("x ;\n"), (Tokens{{ID, "x"}, {';', ";"}, kNL}));
}

TEST(TarvLex, BlankLinesAreDroppedAndALineEndEndsACommand) {
  EXPECT_EQ(Lex("\n  \t\nx\n\n"), (Tokens{{ID, "x"}, kNL}));
}

TEST(TarvLex, CommentBlockSwallowsTheLineEndAfterIt) {
  EXPECT_EQ(Lex("a /* note */\nb\n"), (Tokens{{ID, "a"}, {ID, "b"}, kNL}));
  EXPECT_EQ(Lex("a /* one\ntwo **/ b\n"), (Tokens{{ID, "a"}, {ID, "b"}, kNL}));
}

TEST(TarvLex, LineAfterACommentBlockIsNotAtLineStart) {
  EXPECT_EQ(Lex("a /* c */\n# b\n"), (Tokens{{ID, "a"}, {'#', "#"}, {ID, "b"}, kNL}));
}

TEST(TarvLex, EndOfInputInsideACommentIsReported) {
  LexRun run("a /* open\nstill open", "job.qd");
  EXPECT_EQ(run.All(), (Tokens{{ID, "a"}}));
  EXPECT_EQ(run.errors.Text(), "unexpected EOF inside comment at line 2\r\n");
}

// ---- Quoted strings --------------------------------------------------------

TEST(TarvLex, QuotedStringsSpanLinesAndKeepEscapes) {
  EXPECT_EQ(Lex("\"a\nb\" c\n"), (Tokens{{QSTR, "\"a\nb\""}, {ID, "c"}, kNL}));
  EXPECT_EQ(Lex("\"say \\\"hi\\\" \\n\"\n"), (Tokens{{QSTR, "\"say \\\"hi\\\" \\n\""}, kNL}));
}

TEST(TarvLex, QuotedStringMayPassTheTokenTextLimit) {
  std::string body(600, 'q');
  EXPECT_EQ(Lex("\"" + body + "\"\n"), (Tokens{{QSTR, "\"" + body + "\""}, kNL}));
}

TEST(TarvLex, EndOfInputInsideAQuotedStringIsReportedAndStillAString) {
  LexRun run("x \"open\nstill", "job.qd");
  EXPECT_EQ(run.All(), (Tokens{{ID, "x"}, {QSTR, "\"open\nstill\n"}}));
  EXPECT_EQ(run.errors.Text(), "unexpected EOF inside quoted string at line 2\r\n");
}

TEST(TarvLex, QuotedStringEndsAnArgumentCondition) {
  EXPECT_EQ(Lex("/cd \"c:\\x\" y\n"), (Tokens{{_CD, "/cd"}, {QSTR, "\"c:\\x\""}, {ID, "y"}, kNL}));
}

// ---- Positions, end of input and trace -------------------------------------

TEST(TarvLex, CountsLinesAndColumns) {
  LexRun run("ab cd\n  ef\n", "job.qd");
  EXPECT_EQ(run.Next(), (TToken{ID, "ab"}));
  EXPECT_EQ(run.lexer.LineNo(), 1);
  EXPECT_EQ(run.lexer.ColNo(), 3);  // the blank that ended the word went back
  EXPECT_EQ(run.Next(), (TToken{ID, "cd"}));
  EXPECT_EQ(run.lexer.ColNo(), 6);
  EXPECT_EQ(run.Next(), kNL);
  EXPECT_EQ(run.Next(), (TToken{ID, "ef"}));
  EXPECT_EQ(run.lexer.LineNo(), 2);
  EXPECT_EQ(run.lexer.ColNo(), 5);
}

TEST(TarvLex, EmptyInputEndsAtOnceOnLineZero) {
  LexRun run("", "job.qd");
  EXPECT_EQ(run.lexer.yylex(), 0);
  EXPECT_EQ(run.lexer.LineNo(), 0);
  EXPECT_EQ(run.lexer.yylex(), 0);
}

TEST(TarvLex, LastLineWithoutLineEndStillEndsWithNL) {
  EXPECT_EQ(Lex("a\r\nb"), (Tokens{{ID, "a"}, kNL, {ID, "b"}, kNL}));
}

TEST(TarvLex, NulCharacterEndsTheInput) {
  LexRun run(std::string("a\0b\nc\n", 6), "job.qd");
  EXPECT_EQ(run.Next(), (TToken{ID, "a"}));
  EXPECT_EQ(run.Next().code, 0);
}

TEST(TarvLex, EndOfInputResetsTheArgumentCondition) {
  LexRun run("/cd", "job.qd");
  EXPECT_EQ(run.All(), (Tokens{{_CD, "/cd"}, kNL}));
  TTextStream more("x y\n");
  run.lexer.Attach(&more, "job.qd", &run.output, &run.errors);
  EXPECT_EQ(run.All(), (Tokens{{ID, "x"}, {ID, "y"}, kNL}));
}

TEST(TarvLex, TraceLinesNameEachTokenWhileTheTraceIsOn) {
  TTraceOn trace;
  LexRun run("/Activate x }\n/foo 7 \"s\" - @\n", "ARGS");
  run.All();
  EXPECT_EQ(run.output.Text(),
            "got keyword \"/activate\"\r\n"
            "sucked up white space\r\n"
            "got OLDSTRARG ID (x)\r\n"
            "sucked up white space\r\n"
            "got right bracket\r\n"
            "got NL\r\n"
            "got ILLEGAL (/foo)\r\n"
            "sucked up white space\r\n"
            "got NUM (7)\r\n"
            "sucked up white space\r\n"
            "got QSTR (\"s\")\r\n"
            "sucked up white space\r\n"
            "got \"-\" char\r\n"
            "sucked up white space\r\n"
            "got @\r\n"
            "got NL\r\n");
}

TEST(TarvLex, TraceIsSilentWhileTheTraceIsOff) {
  LexRun run("/cd x\n", "job.qd");
  run.All();
  EXPECT_TRUE(run.output.Empty());
}

// ---- Engine limits ---------------------------------------------------------

TEST(TarvLex, WordOf254CharactersFitsAndOf255EndsTheRun) {
  RecordingUI ui;
  std::string word(254, 'w');
  EXPECT_EQ(Lex(word + "\n"), (Tokens{{ID, word}, kNL}));
  LexRun run("x " + word + "w\n", "job.qd");
  EXPECT_EQ(run.Next(), (TToken{ID, "x"}));
  try {
    run.Next();
    FAIL() << "no script error";
  } catch (const EScriptError& e) {
    EXPECT_STREQ(e.what(), "LexLib: yytext overflow at line 1, column 258 in \"job.qd\"");
  }
  EXPECT_EQ(run.errors.Text(), "LexLib: yytext overflow at line 1, column 258 in \"job.qd\"\r\n");
}

// White space after a returned token, and a line end token that looks into
// the lines after it, meet the limits at the same character as any token.
TEST(TarvLex, WhiteSpaceRunsAndLineEndsMeetTheLimitsAtTheirCharacter) {
  RecordingUI ui;
  auto errorOf = [](const std::string& text) {
    LexRun run(text, "job.qd");
    try {
      run.All();
    } catch (const EScriptError& e) {
      EXPECT_EQ(run.errors.Text(), std::string(e.what()) + "\r\n");
      return std::string(e.what());
    }
    return std::string("no script error");
  };
  EXPECT_EQ(Lex("x" + std::string(254, ' ') + "y\n"), (Tokens{{ID, "x"}, {ID, "y"}, kNL}));
  EXPECT_EQ(errorOf("x" + std::string(255, ' ') + "y\n"),
            "LexLib: yytext overflow at line 1, column 257 in \"job.qd\"");
  // The line end after "a" reads on through the empty line into the full
  // one; giving back the empty line's line end overflows the buffer.
  EXPECT_EQ(errorOf("a\n\n" + std::string(2047, 'x') + "\n"),
            "LexLib: input buffer overflow at line 3, column 1 in \"job.qd\"");
}

TEST(TarvLex, LongRunOfEmptyLinesBeforeABlockIsAnOverflow) {
  RecordingUI ui;
  EXPECT_THROW(Lex("x" + std::string(260, '\n') + "{\n"), EScriptError);
}

TEST(TarvLex, LinesLongerThanTheBufferAreTakenWhole) {
  std::string line;
  Tokens expected;
  for (int i = 0; i < 1500; ++i) {
    line += "ab ";
    expected.push_back({ID, "ab"});
  }
  expected.push_back(kNL);
  expected.push_back({ID, "z"});
  expected.push_back(kNL);
  LexRun run(line + "\nz\n", "job.qd");
  EXPECT_EQ(run.All(), expected);
  EXPECT_EQ(run.lexer.LineNo(), 2);
}

TEST(TarvLex, LongQuotedStringOnOneLineIsOneToken) {
  std::string body(5000, 's');
  EXPECT_EQ(Lex("/pause \"" + body + "\" x\n"),
            (Tokens{{_PAUSE, "/pause"}, {QSTR, "\"" + body + "\""}, {ID, "x"}, kNL}));
}

// ---- Keyword table ---------------------------------------------------------

TEST(TarvKeywords, SlotsAreSortedAndTheLastIsEmpty) {
  for (int slot = 1; slot < kUsedKeywordSlots; ++slot)
    EXPECT_LT(KeywordOfSlot(slot), KeywordOfSlot(slot + 1)) << "slot " << slot;
  const TKwRec& last = KeywordRecord(35);
  EXPECT_EQ(last.keyword, "");
  EXPECT_EQ(last.token, 0);
  EXPECT_FALSE(last.takesRestOfLine || last.isCommand);
}

TEST(TarvKeywords, LookupFindsEveryKeywordInAnyCase) {
  for (int slot = 1; slot <= kUsedKeywordSlots; ++slot) {
    std::string upper = KeywordOfSlot(slot);
    for (char& c : upper) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    EXPECT_EQ(KeywordLookup(KeywordOfSlot(slot)), slot);
    EXPECT_EQ(KeywordLookup(upper), slot);
  }
  EXPECT_EQ(KeywordLookup("/foo"), -1);
  EXPECT_EQ(KeywordLookup(""), -1);
  EXPECT_EQ(KeywordLookup("/\xe9"), -1);
}

TEST(TarvKeywords, SlotOfATokenIsItsFirstSlot) {
  EXPECT_EQ(KeywordSlotOfToken(_ACTIVATE), 1);
  EXPECT_EQ(KeywordSlotOfToken(_HIDE), 7);
  EXPECT_EQ(KeywordSlotOfToken(_IGNORE), 9);
  EXPECT_EQ(KeywordSlotOfToken(_WAIT), 22);
  EXPECT_EQ(KeywordSlotOfToken(_AT), 30);
  EXPECT_EQ(KeywordSlotOfToken(_NE), 34);
  EXPECT_EQ(KeywordSlotOfToken(ID), -1);
  EXPECT_EQ(KeywordSlotOfToken(0), -1);
}

TEST(TarvKeywords, RecordsCarryTheDialogCaptionsAndFlags) {
  const TKwRec& set = KeywordRecord(KeywordSlotOfToken(_SET));
  EXPECT_EQ(set.keyword, "/set");
  EXPECT_FALSE(set.takesRestOfLine);
  EXPECT_TRUE(set.isCommand);
  EXPECT_EQ(set.label, "variable");
  EXPECT_EQ(set.subLabel, "= value");
  const TKwRec& at = KeywordRecord(30);
  EXPECT_TRUE(at.takesRestOfLine);
  EXPECT_FALSE(at.isCommand);
  EXPECT_EQ(at.label, "Command");
  EXPECT_EQ(KeywordOfSlot(0), "");
  EXPECT_EQ(KeywordOfSlot(36), "");
}

// ---- Slashes glued to words ------------------------------------------------

namespace {

// The lexer as Windows builds it, where paths use backslashes.
struct TBackslashPathLex : TTarvLex {
  TBackslashPathLex() : TTarvLex(false) {}
};

}  // namespace

TEST(TarvLex, WhereSlashesAreOptionsAGluedSlashStartsANewWord) {
  TLexRun<TBackslashPathLex> run("ls /wait sub/zz9 ../x\n", "ARGS");
  EXPECT_EQ(
      run.All(),
      (Tokens{
          {ID, "ls"}, {_WAIT, "/wait"}, {ID, "sub"}, {ILLEGAL, "/zz9"}, {ID, ".."}, {ILLEGAL, "/x"}, kNL}));
  EXPECT_TRUE(run.errors.Empty());
}

TEST(TarvLex, WherePathsUseSlashesTheTokensStayButTheGluedWordIsReported) {
  LexRun run("ls sub/zz9\n", "ARGS");
  EXPECT_EQ(run.All(), (Tokens{{ID, "ls"}, {ID, "sub"}, {ILLEGAL, "/zz9"}, kNL}));
  EXPECT_EQ(run.errors.Text(),
            "Line 1 Col 4 in file \"ARGS\"\r\nthe word \"sub/zz9\" holds a slash: quote a path, e.g. "
            "\"sub/zz9\"\r\n");
}
