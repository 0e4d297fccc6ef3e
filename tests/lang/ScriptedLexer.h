// A lexer that returns a scripted list of tokens, for driving the parser
// engine without a real scanner. Each token carries its text and the line
// and column the lexer reports while it is the look-ahead.
#pragma once

#include <string>
#include <vector>

#include "lang/LexLib.h"

struct TScriptedToken {
  int code;
  std::string text;
  int line = 1;
  int col = 1;
};

class TScriptedLexer : public TCustomLexer {
 public:
  explicit TScriptedLexer(std::vector<TScriptedToken> tokens) : tokens_(std::move(tokens)) {}

  int yylex() override {
    ++calls;
    if (next_ >= tokens_.size()) {
      yytext.clear();
      return 0;
    }
    const TScriptedToken& token = tokens_[next_++];
    yytext = token.text;
    lineNo_ = token.line;
    colNo_ = token.col;
    return token.code;
  }

  int calls = 0;

 protected:
  void Action(int) override {}

 private:
  std::vector<TScriptedToken> tokens_;
  size_t next_ = 0;
};
