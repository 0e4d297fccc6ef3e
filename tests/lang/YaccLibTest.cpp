// The parser engine driven by scripted tokens over the command grammar's
// tables: shifts, default reductions, the error report and yacc-style error
// recovery.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ScriptedLexer.h"
#include "lang/TarvLex.h"
#include "lang/TarvYacc.h"
#include "lang/YaccLib.h"

namespace {

using enum TTarvYaccRule;

// Records every reduction with the look-ahead text at that moment; calls
// yyerrok in the error rule only when asked to.
class TRecordingParser : public TYaccParser<int> {
 public:
  TRecordingParser(std::vector<TScriptedToken> tokens, bool errok = true)
      : TYaccParser<int>(std::make_unique<TScriptedLexer>(std::move(tokens)), kTarvYaccTables),
        errok_(errok) {
    Lexer().Attach(&input, "test.qd", &output, &errors);
  }

  TScriptedLexer& Scripted() { return static_cast<TScriptedLexer&>(Lexer()); }

  TTextStream input, output, errors;
  std::vector<TTarvYaccRule> rules;
  std::vector<std::string> textAtReduction;
  std::vector<int> lexerCallsAtReduction;

 protected:
  void yyaction(int rule) override {
    rules.push_back(static_cast<TTarvYaccRule>(rule));
    textAtReduction.push_back(Lexer().yytext);
    lexerCallsAtReduction.push_back(Scripted().calls);
    if (rules.back() == LineError && errok_) yyerrok();
  }

 private:
  bool errok_;
};

int CountOf(const std::vector<TTarvYaccRule>& list, TTarvYaccRule rule) {
  return static_cast<int>(std::count(list.begin(), list.end(), rule));
}

}  // namespace

TEST(YaccLib, EmptyInputIsAcceptedWithoutMessages) {
  TRecordingParser parser({});
  EXPECT_EQ(parser.yyparse(), 0);
  EXPECT_EQ(parser.errors.Text(), "");
  EXPECT_EQ(parser.rules, std::vector{InputEmpty});
}

TEST(YaccLib, DefaultReductionRunsBeforeTheNextTokenIsRead) {
  TRecordingParser parser({{ID, "notepad"}, {ID, "readme.txt"}, {NL, "\n"}});
  EXPECT_EQ(parser.yyparse(), 0);
  ASSERT_GE(CountOf(parser.rules, NameId), 2);
  auto first = std::find(parser.rules.begin(), parser.rules.end(), NameId) - parser.rules.begin();
  EXPECT_EQ(parser.textAtReduction[first], "notepad");
  EXPECT_EQ(parser.lexerCallsAtReduction[first], 1);
}

TEST(YaccLib, ErrorReportNamesLineColumnSourceAndToken) {
  TRecordingParser parser({{ID, "prog", 3, 5}});
  parser.Scripted().yylex();
  parser.yyerror("string expected");
  EXPECT_EQ(parser.errors.Text(), "Line 3 Col 5 in file \"test.qd\"\r\nstring expected at prog\r\n");
}

TEST(YaccLib, SyntaxErrorIsReportedAtTheOffendingToken) {
  TRecordingParser parser({{ID, "prog", 3, 5}, {ID, "x", 3, 7}, {_MAX, "/max", 3, 12}, {NL, "\n", 3, 13}});
  EXPECT_EQ(parser.yyparse(), 0);  // the error line is recovered at its NL
  EXPECT_EQ(parser.errors.Text(), "Line 3 Col 12 in file \"test.qd\"\r\nsyntax error at /max\r\n");
  EXPECT_EQ(parser.ErrorCount(), 1);
  EXPECT_EQ(CountOf(parser.rules, LineError), 1);
}

TEST(YaccLib, RecoveryDiscardsTokensUpToTheErrorRulesNextToken) {
  TRecordingParser parser({{_MAX, "/max"}, {ID, "a"}, {ID, "b"}, {NL, "\n"}, {ID, "c"}, {NL, "\n"}});
  EXPECT_EQ(parser.yyparse(), 0);
  EXPECT_EQ(parser.ErrorCount(), 1);
  EXPECT_EQ(CountOf(parser.rules, LineError), 1);
  EXPECT_EQ(CountOf(parser.rules, LineCommand), 1);  // the line after the error is a command again
}

TEST(YaccLib, YyerrokLetsTheNextErrorBeReported) {
  std::vector<TScriptedToken> tokens = {{_MAX, "/max"}, {NL, "\n"}, {_MIN, "/min"}, {NL, "\n"}};
  TRecordingParser withErrok(tokens, true);
  EXPECT_EQ(withErrok.yyparse(), 0);
  EXPECT_EQ(withErrok.ErrorCount(), 2);

  TRecordingParser withoutErrok(tokens, false);
  EXPECT_EQ(withoutErrok.yyparse(), 0);
  EXPECT_EQ(withoutErrok.ErrorCount(), 1);  // fewer than three shifts since the first error
  EXPECT_EQ(withoutErrok.errors.Text(), "Line 1 Col 1 in file \"test.qd\"\r\nsyntax error at /max\r\n");
}

TEST(YaccLib, ErrorsAfterThreeShiftsAreReportedAgain) {
  TRecordingParser parser(
      {{_MAX, "/max"}, {NL, "\n"}, {ID, "a"}, {ID, "b"}, {NL, "\n"}, {_MIN, "/min"}, {NL, "\n"}}, false);
  EXPECT_EQ(parser.yyparse(), 0);
  EXPECT_EQ(parser.ErrorCount(), 2);
}

TEST(YaccLib, EndOfInputWhileDiscardingAbandonsTheParse) {
  TRecordingParser parser({{ID, "prog"}, {ID, "x"}, {_MAX, "/max"}});
  EXPECT_EQ(parser.yyparse(), 1);
  EXPECT_EQ(parser.ErrorCount(), 1);
  EXPECT_NE(parser.errors.Text().find("syntax error at /max"), std::string::npos);
}

TEST(YaccLib, StackOverflowIsReportedAndAbandonsTheParse) {
  std::vector<TScriptedToken> tokens = {{ID, "prog"}};
  for (int i = 0; i < 1100; ++i) {
    tokens.push_back({ID, "a"});
    tokens.push_back({'&', "&"});
  }
  TRecordingParser parser(tokens);
  EXPECT_EQ(parser.yyparse(), 1);
  EXPECT_NE(parser.errors.Text().find("yyparse stack overflow at "), std::string::npos);
}

TEST(YaccLib, DriverTraceNamesStatesTokensAndRules) {
  TRecordingParser parser({{_PLIST, "/plist"}, {NL, "\n"}});
  parser.yydebug = true;
  EXPECT_EQ(parser.yyparse(), 0);
  const std::string& trace = parser.output.Text();
  EXPECT_NE(trace.find("yyparse: reading _PLIST (/plist)"), std::string::npos);
  std::string reduction =
      "yyparse: reduce by rule " + std::to_string(static_cast<int>(CmdPlist)) + " (cmd : _PLIST)";
  EXPECT_NE(trace.find(reduction), std::string::npos) << trace;
}

TEST(YaccLib, SymbolNamesComeFromTheNameTables) {
  EXPECT_EQ(YySymbolName(kTarvYaccTables, NL), "NL");
  EXPECT_EQ(YySymbolName(kTarvYaccTables, '{'), "'{'");
  EXPECT_EQ(YySymbolName(kTarvYaccTables, 0), "$end");
  EXPECT_EQ(YySymbolName(kTarvYaccTables, 256), "error");
  EXPECT_EQ(YySymbolName(kTarvYaccTables, -1), "input");
}
