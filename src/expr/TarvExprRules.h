// Generated from TarvExpr.grammar. Do not edit.
//
// The names of the grammar: its token codes and its rules by their labels.
#pragma once

/// Token codes: 0 is the end of input, 1..255 a single character, 256 the
/// parser's error token.
namespace ExprTok {
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

/// The rules by their labels, valued as the parse tables number them (rule 0
/// is the accept rule).
enum class TTarvExprRule : int {
  InputCompare = 1,    // exprInput : exprCompare
  InputStr = 2,        // exprInput : exprStr
  InputAppend = 3,     // exprInput : exprInput exprStr
  InputNewline = 4,    // exprInput : exprInput NEWLINE
  CompareEq = 5,       // exprCompare : exprStr EQ exprStr
  CompareNe = 6,       // exprCompare : exprStr NE exprStr
  CompareLt = 7,       // exprCompare : exprStr LT exprStr
  CompareGt = 8,       // exprCompare : exprStr GT exprStr
  StrEmpty = 9,        // exprStr : /* empty */
  StrAtom = 10,        // exprStr : exprAtom
  StrConcat = 11,      // exprStr : exprStr '&' exprStr
  StrPlus = 12,        // exprStr : exprStr '+' exprStr
  StrMinus = 13,       // exprStr : exprStr '-' exprStr
  StrEnv = 14,         // exprStr : ENV '(' exprStr ')'
  StrErrorLevel = 15,  // exprStr : ERRORLEVEL '(' ')'
  NameIdent = 16,      // exprName : IDENT
  NumNumber = 17,      // exprNum : NUMBER
  QuotedQstr = 18,     // exprQuoted : QSTR
  AtomQuoted = 19,     // exprAtom : exprQuoted
  AtomName = 20,       // exprAtom : exprName
  AtomNum = 21,        // exprAtom : exprNum
};
