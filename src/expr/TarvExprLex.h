// The expression lexer.
//
// TTarvExprLex turns an expression text (a condition of /if or /while, or a
// command word) into tokens for the expression grammar. Its automaton comes
// from TarvExprLex.rules through the lexer generator; the actions here look
// words up among the six keywords, read quoted strings (with the escapes
// backslash-backslash and backslash-quote) and skip comment blocks.
//
// The token codes live in the namespace ExprTok, because some of their names
// (QSTR) are also command tokens and a unit may see both languages.
#pragma once

#include "lang/LexLib.h"

namespace ExprTok {
/// Token codes of the expression language; 0 is the end of input, 1..255 a
/// single character. 266 is not produced.
enum TExprToken : int {
  ENV = 257,
  ERRORLEVEL = 258,
  EQ = 259,
  NE = 260,
  LT = 261,
  GT = 262,
  NUMBER = 263,
  IDENT = 264,
  QSTR = 265,
  NEWLINE = 267,
};
}  // namespace ExprTok

/// The token of an expression keyword in any letter case, or IDENT.
int ExprKeywordToken(const std::string& word);

/// The automaton of the expression lexer (generated from TarvExprLex.rules).
extern const TLexTables kTarvExprLexTables;

class TTarvExprLex : public TCustomLexer {
 public:
  /// The rules, in the order of TarvExprLex.rules (the generated tables check it).
  enum Rule : int { Comment = 1, Blanks, QuotedString, Word, Number, LineEnd, OtherChar };

  TTarvExprLex() = default;
  int yylex() override;

 protected:
  void Action(int rule) override;

 private:
  void ReadQuotedString();
};
