#include <gtest/gtest.h>

#include "expr/TarvExprLex.h"
#include "lang/LexTestSupport.h"
#include "test_support/RecordingUI.h"

using namespace ExprTok;

namespace {

using LexRun = TLexRun<TTarvExprLex>;
using Tokens = std::vector<TToken>;

// Tokens of an expression text; the text gets no line end of its own, but
// the engine ends every line with one (NEWLINE).
Tokens Lex(const std::string& text) { return LexRun(text, "EXPR").All(); }

const TToken kNewline{NEWLINE, "\n"};

}  // namespace

TEST(TarvExprLex, KeywordsMatchInAnyLetterCase) {
  EXPECT_EQ(Lex("env Env ENV errorlevel EQ ne Lt gT"), (Tokens{{ENV, "env"},
                                                               {ENV, "Env"},
                                                               {ENV, "ENV"},
                                                               {ERRORLEVEL, "errorlevel"},
                                                               {EQ, "EQ"},
                                                               {NE, "ne"},
                                                               {LT, "Lt"},
                                                               {GT, "gT"},
                                                               kNewline}));
}

TEST(TarvExprLex, LongestWordWinsOverAKeyword) {
  EXPECT_EQ(Lex("errorlevel2 envx"), (Tokens{{IDENT, "errorlevel2"}, {IDENT, "envx"}, kNewline}));
}

TEST(TarvExprLex, PathsAreOneWordAndAHyphenSplitsWords) {
  EXPECT_EQ(Lex("c:\\temp\\a.txt"), (Tokens{{IDENT, "c:\\temp\\a.txt"}, kNewline}));
  EXPECT_EQ(Lex("my-file"), (Tokens{{IDENT, "my"}, {'-', "-"}, {IDENT, "file"}, kNewline}));
  EXPECT_EQ(Lex("/ x/y"), (Tokens{{IDENT, "/"}, {IDENT, "x/y"}, kNewline}));
}

TEST(TarvExprLex, NumbersAndCharactersThatCannotStartAWord) {
  EXPECT_EQ(Lex("12ab"), (Tokens{{NUMBER, "12"}, {IDENT, "ab"}, kNewline}));
  EXPECT_EQ(Lex("_x"), (Tokens{{'_', "_"}, {IDENT, "x"}, kNewline}));
  EXPECT_EQ(Lex("env(a)&b+1"), (Tokens{{ENV, "env"},
                                       {'(', "("},
                                       {IDENT, "a"},
                                       {')', ")"},
                                       {'&', "&"},
                                       {IDENT, "b"},
                                       {'+', "+"},
                                       {NUMBER, "1"},
                                       kNewline}));
}

TEST(TarvExprLex, CarriageReturnInsideALineIsACharacterToken) {
  EXPECT_EQ(Lex("a\rb"), (Tokens{{IDENT, "a"}, {'\r', "\r"}, {IDENT, "b"}, kNewline}));
}

TEST(TarvExprLex, BlanksAndTabsSeparateTokens) {
  EXPECT_EQ(Lex(" \ta \t b"), (Tokens{{IDENT, "a"}, {IDENT, "b"}, kNewline}));
}

TEST(TarvExprLex, QuotedStringResolvesBackslashQuoteAndBackslashBackslash) {
  EXPECT_EQ(Lex("\"say \\\"hi\\\"\""), (Tokens{{QSTR, "\"say \"hi\"\""}, kNewline}));
  EXPECT_EQ(Lex("\"a\\\\b\\nc\""), (Tokens{{QSTR, "\"a\\b\\nc\""}, kNewline}));
  EXPECT_EQ(Lex("\"a b\"c"), (Tokens{{QSTR, "\"a b\""}, {IDENT, "c"}, kNewline}));
}

TEST(TarvExprLex, QuotedStringTraceLineWhileTheTraceIsOn) {
  TTraceOn trace;
  LexRun run("\"x\"", "EXPR");
  run.All();
  EXPECT_EQ(run.output.Text(), "got QSTR (\"x\")\r\n");
}

TEST(TarvExprLex, UnterminatedStringGivesNoTokenAndOneErrorLine) {
  LexRun run("a \"open", "EXPR");
  EXPECT_EQ(run.All(), (Tokens{{IDENT, "a"}}));
  EXPECT_EQ(run.errors.Text(), "unexpected EOF inside quoted string at line 1\r\n");
}

TEST(TarvExprLex, UnterminatedCommentGivesNoTokenAndOneErrorLine) {
  LexRun run("a /* open", "EXPR");
  EXPECT_EQ(run.All(), (Tokens{{IDENT, "a"}}));
  EXPECT_EQ(run.errors.Text(), "unexpected EOF inside comment at line 1\r\n");
}

TEST(TarvExprLex, CommentSwallowsTheLineEndAfterIt) {
  EXPECT_EQ(Lex("/* c */\nx"), (Tokens{{IDENT, "x"}, kNewline}));
  EXPECT_EQ(Lex("a /* c **/ b"), (Tokens{{IDENT, "a"}, {IDENT, "b"}, kNewline}));
}

TEST(TarvExprLex, SlashInsideAWordDoesNotOpenAComment) {
  EXPECT_EQ(Lex("a/*b"), (Tokens{{IDENT, "a/"}, {'*', "*"}, {IDENT, "b"}, kNewline}));
}

TEST(TarvExprLex, LineEndsAreNewlineTokens) {
  EXPECT_EQ(Lex("a\r\nb"), (Tokens{{IDENT, "a"}, kNewline, {IDENT, "b"}, kNewline}));
  EXPECT_EQ(Lex(""), Tokens{});
}

TEST(TarvExprLex, OverlongWordEndsTheRunWithAPositionedError) {
  RecordingUI ui;
  EXPECT_EQ(Lex(std::string(254, 'w')), (Tokens{{IDENT, std::string(254, 'w')}, kNewline}));
  try {
    Lex(std::string(300, '7'));
    FAIL() << "no script error";
  } catch (const EScriptError& e) {
    EXPECT_STREQ(e.what(), "LexLib: yytext overflow at line 1, column 256 in \"EXPR\"");
  }
}

TEST(TarvExprKeywords, LookupByBisection) {
  EXPECT_EQ(ExprKeywordToken("ENV"), ENV);
  EXPECT_EQ(ExprKeywordToken("errorlevel"), ERRORLEVEL);
  EXPECT_EQ(ExprKeywordToken("eq"), EQ);
  EXPECT_EQ(ExprKeywordToken("ne"), NE);
  EXPECT_EQ(ExprKeywordToken("lt"), LT);
  EXPECT_EQ(ExprKeywordToken("gt"), GT);
  EXPECT_EQ(ExprKeywordToken("e"), IDENT);
  EXPECT_EQ(ExprKeywordToken("zz"), IDENT);
}
