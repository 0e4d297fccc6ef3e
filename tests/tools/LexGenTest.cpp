#include <gtest/gtest.h>

#include <vector>

#include "test_support/RecordingUI.h"
#include "tools/SampleLexer.h"
#include "util/StreamFuncs.h"

namespace {

using R = TSampleLexer;

struct TToken {
  int rule;
  std::string text;
  bool operator==(const TToken&) const = default;
};

void PrintTo(const TToken& token, std::ostream* out) { *out << token.rule << " \"" << token.text << "\""; }

std::vector<TToken> Scan(const std::string& text) {
  RecordingUI ui;
  TTextStream input(text), output, errors;
  TSampleLexer lexer;
  lexer.Attach(&input, "TEST", &output, &errors);
  std::vector<TToken> tokens;
  while (int token = lexer.yylex()) tokens.push_back({token, lexer.yytext});
  return tokens;
}

TEST(LexGen, TheLongestMatchWinsAndATieGoesToTheEarlierRule) {
  EXPECT_EQ(Scan("12.5 12 if iffy\n"), (std::vector<TToken>{{R::Real, "12.5"},
                                                            {R::Blank, " "},
                                                            {R::Number, "12"},
                                                            {R::Blank, " "},
                                                            {R::If, "if"},
                                                            {R::Blank, " "},
                                                            {R::Ident, "iffy"},
                                                            {R::LineEnd, "\n"}}));
  // "12." is no Real: the scanner falls back to the longest rule that matched.
  EXPECT_EQ(Scan("12.x").front(), (TToken{R::Number, "12"}));
}

TEST(LexGen, AnAnchoredRuleMatchesOnlyAtTheStartOfALine) {
  EXPECT_EQ(Scan("#top #x\n#next\n"), (std::vector<TToken>{{R::Heading, "#top"},
                                                           {R::Blank, " "},
                                                           {R::Hash, "#"},
                                                           {R::Ident, "x"},
                                                           {R::LineEnd, "\n"},
                                                           {R::Heading, "#next"},
                                                           {R::LineEnd, "\n"}}));
}

TEST(LexGen, StartConditionsChooseTheActiveRules) {
  // Inside quotes only Text and Close (and the unconditioned LineEnd) apply.
  EXPECT_EQ(Scan("if \"if 12.5 #x\" 7\n"), (std::vector<TToken>{{R::If, "if"},
                                                                {R::Blank, " "},
                                                                {R::Open, "\""},
                                                                {R::Text, "if 12.5 #x"},
                                                                {R::Close, "\""},
                                                                {R::Blank, " "},
                                                                {R::Number, "7"},
                                                                {R::LineEnd, "\n"}}));
}

}  // namespace
