#include <gtest/gtest.h>

#include "lang/LexLib.h"
#include "lang/LexTestSupport.h"
#include "test_support/RecordingUI.h"

namespace {

TLexCharSet Chars(std::string_view chars) {
  TLexCharSet set{};
  for (unsigned char c : chars) set.bits[c >> 5] |= 1u << (c & 31);
  return set;
}

// A lexer on hand-made tables whose every action returns its rule number.
class TTableLexer : public TCustomLexer {
 public:
  explicit TTableLexer(const TLexTables* tables = nullptr) : tables_(tables) {}
  void Use(const TLexTables& tables) { tables_ = &tables; }
  int yylex() override { return RunScanner(*tables_); }

  using TCustomLexer::GetChar;
  using TCustomLexer::UngetChar;
  using TCustomLexer::yyless;

 protected:
  void Action(int rule) override { ReturnToken(rule); }

 private:
  const TLexTables* tables_;
};

// Rules: 1 "a", 2 "a" (a tie with 1), 3 "ab", 4 "^c", 5 "\n".
//   state 0: inside a line   a -> 2, \n -> 5
//   state 1: at line start   a -> 2, \n -> 5, c -> 4
//   state 2: accepts 1, 2    b -> 3
//   state 3: accepts 3
//   state 4: accepts 4
//   state 5: accepts 5
const int kSmallRules[] = {1, 2, 3, 4, 5};
const TLexTransition kSmallTransitions[] = {
    {Chars("a"), 2}, {Chars("\n"), 5},                   // state 0
    {Chars("a"), 2}, {Chars("\n"), 5}, {Chars("c"), 4},  // state 1
    {Chars("b"), 3},                                     // state 2
};
const TLexStateRanges kSmallStates[] = {
    {0, -1, 0, -1, 0, 1}, {0, -1, 0, -1, 2, 4}, {0, 1, 0, 1, 5, 5},
    {2, 2, 2, 2, 0, -1},  {3, 3, 3, 3, 0, -1},  {4, 4, 4, 4, 0, -1},
};
const TLexTables kSmall = {kSmallRules, kSmallRules, kSmallTransitions, kSmallStates, 6, nullptr, 5};

// One state past the entry accepts eight rules and loops on "a".
const int kEightRules[] = {1, 2, 3, 4, 5, 6, 7, 8};
const TLexTransition kLoop[] = {{Chars("a"), 2}};
const TLexStateRanges kLoopStates[] = {{0, -1, 0, -1, 0, 0}, {0, -1, 0, -1, 0, 0}, {0, 7, 0, 7, 0, 0}};
const TLexTables kStackHungry = {kEightRules, kEightRules, kLoop, kLoopStates, 3, nullptr, 8};

// The entry state marks a rule number beyond the engine's limit.
const int kRule257[] = {257};
const TLexStateRanges kBadRuleStates[] = {{0, 0, 0, 0, 0, -1}, {0, 0, 0, 0, 0, -1}};
const TLexTables kBadRule = {kRule257, kRule257, kLoop, kBadRuleStates, 2, nullptr, 1};

using LexRun = TLexRun<TTableLexer>;

std::vector<int> Codes(const std::string& text, const TLexTables& tables) {
  LexRun run(text, "job.qd");
  run.lexer.Use(tables);
  std::vector<int> codes;
  for (TToken t = run.Next(); t.code != 0; t = run.Next()) codes.push_back(t.code);
  return codes;
}

std::string FatalMessage(const std::string& text, const TLexTables& tables) {
  RecordingUI ui;
  LexRun run(text, "job.qd");
  run.lexer.Use(tables);
  try {
    run.All();
  } catch (const EScriptError& e) {
    return e.what();
  }
  return "no script error";
}

}  // namespace

TEST(LexLib, LongestMatchWinsAndTiesGoToTheLowerRule) {
  EXPECT_EQ(Codes("ab\n", kSmall), (std::vector<int>{3, 5}));
  EXPECT_EQ(Codes("aab\n", kSmall), (std::vector<int>{1, 3, 5}));
}

TEST(LexLib, AnchoredRuleMatchesOnlyAtLineStart) {
  EXPECT_EQ(Codes("c\nc\n", kSmall), (std::vector<int>{4, 5, 4, 5}));
  EXPECT_EQ(Codes("ac\nc\n", kSmall), (std::vector<int>{1}));  // "c" inside a line matches nothing
}

TEST(LexLib, UnmatchedCharacterEndsTheInputAndDiscardsTheLine) {
  LexRun run("ax\na\n", "job.qd");
  run.lexer.Use(kSmall);
  EXPECT_EQ(run.lexer.yylex(), 1);
  EXPECT_EQ(run.lexer.yylex(), 0);
  // The stream goes on with its next line, from the start of a line.
  EXPECT_EQ(run.lexer.yylex(), 1);
  EXPECT_EQ(run.lexer.LineNo(), 2);
}

TEST(LexLib, ColumnCountsEveryCharacterReadAndPushedBack) {
  LexRun run("abc\nd", "job.qd");
  TTableLexer& lexer = run.lexer;
  EXPECT_EQ(lexer.GetChar(), 'a');
  EXPECT_EQ(lexer.LineNo(), 1);
  EXPECT_EQ(lexer.ColNo(), 2);
  lexer.GetChar();
  lexer.GetChar();
  EXPECT_EQ(lexer.GetChar(), '\n');
  EXPECT_EQ(lexer.ColNo(), 5);  // length of the line plus 2
  EXPECT_EQ(lexer.GetChar(), 'd');
  EXPECT_EQ(lexer.GetChar(), '\n');  // the last line gets its line feed too
  EXPECT_EQ(lexer.ColNo(), 3);
  EXPECT_EQ(lexer.GetChar(), 0);
  EXPECT_EQ(lexer.ColNo(), 3);
  lexer.UngetChar('\n');
  lexer.UngetChar('d');
  lexer.UngetChar('\n');
  EXPECT_EQ(lexer.ColNo(), 0);  // back across the line boundary
  EXPECT_EQ(lexer.GetChar(), '\n');
  EXPECT_EQ(lexer.LineNo(), 2);
}

TEST(LexLib, YylessGivesTheTailOfTheTokenBack) {
  LexRun run("", "job.qd");
  run.lexer.yytext = "abcd";
  run.lexer.yyless(1);
  EXPECT_EQ(run.lexer.yytext, "a");
  EXPECT_EQ(run.lexer.GetChar(), 'b');
  EXPECT_EQ(run.lexer.GetChar(), 'c');
  EXPECT_EQ(run.lexer.GetChar(), 'd');
  EXPECT_EQ(run.lexer.GetChar(), 0);
}

TEST(LexLib, FullPushBackBufferEndsTheRunWithAPositionedError) {
  RecordingUI ui;
  LexRun run("", "ARGS");
  for (int i = 0; i < kLexBufferSize; ++i) run.lexer.UngetChar('x');
  try {
    run.lexer.UngetChar('x');
    FAIL() << "no script error";
  } catch (const EScriptError& e) {
    EXPECT_STREQ(e.what(), "LexLib: input buffer overflow at line 0, column -2048 in \"ARGS\"");
  }
}

TEST(LexLib, TooManyRulesEndsTheRun) {
  EXPECT_EQ(FatalMessage("a\n", kBadRule), "LexLib: too many rules at line 0, column 0 in \"job.qd\"");
}

TEST(LexLib, MatchStackOverflowEndsTheRun) {
  // 8 entries per character: the 129th character overflows 1024 entries.
  EXPECT_EQ(Codes(std::string(127, 'a') + "\n", kStackHungry), (std::vector<int>{1}));
  EXPECT_EQ(FatalMessage(std::string(200, 'a') + "\n", kStackHungry),
            "LexLib: match stack overflow at line 1, column 130 in \"job.qd\"");
}

TEST(LexLib, FatalErrorIsAlsoWrittenToTheErrorStream) {
  RecordingUI ui;
  LexRun run("a\n", "job.qd");
  run.lexer.Use(kBadRule);
  EXPECT_THROW(run.All(), EScriptError);
  EXPECT_EQ(run.errors.Text(), "LexLib: too many rules at line 0, column 0 in \"job.qd\"\r\n");
}

TEST(LexLib, ConstructionResetsTheEngineWideState) {
  LexEngine().startState = 4;
  LexEngine().atLineStart = 0;
  TTableLexer lexer;
  EXPECT_EQ(LexEngine().startState, 0);
  EXPECT_EQ(LexEngine().atLineStart, 1);
  EXPECT_EQ(lexer.LineNo(), 0);
}
