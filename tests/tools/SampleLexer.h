// A lexer on tables that the lexer generator writes from SampleLexer.rules
// at build time, so that the tests see what the generator really produces.
#pragma once

#include "lang/LexLib.h"

extern const TLexTables kSampleLexTables;

class TSampleLexer : public TCustomLexer {
 public:
  enum Rule : int { If = 1, Ident, Number, Real, Heading, Hash, Open, Text, Close, Blank, LineEnd };
  enum Condition : int { INITIAL = 0, QUOTE = 1 };

  int yylex() override { return RunScanner(kSampleLexTables); }

 protected:
  // Every token is its rule number; quotes switch the start condition.
  void Action(int rule) override {
    if (rule == Open) StartCondition(2 * QUOTE);
    if (rule == Close) StartCondition(2 * INITIAL);
    ReturnToken(rule);
  }
};
