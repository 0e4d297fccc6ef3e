// The expression lexer.
//
// TTarvExprLex turns an expression text (a condition of /if or /while, or a
// command word) into tokens for the expression grammar. Its automaton comes
// from TarvExprLex.rules through the lexer generator; the actions here look
// words up among the six keywords, read quoted strings (with the escapes
// backslash-backslash and backslash-quote) and skip comment blocks.
//
// The token codes (ExprTok::TExprToken) are generated from the grammar's
// %token lines into expr/TarvExprRules.h. They live in the namespace ExprTok,
// because some of their names (QSTR) are also command tokens and a unit may
// see both languages.
#pragma once

#include "expr/TarvExprRules.h"
#include "lang/LexLib.h"

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
