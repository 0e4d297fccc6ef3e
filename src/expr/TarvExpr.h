// The expression evaluator: conditions of /if and /while and the command
// words the executor evaluates.
//
// TTarvExpr is the expression grammar (TarvExpr.grammar) on the parser
// engine, with its own TTarvExprLex. It evaluates while it parses: every
// semantic value is a text of at most 255 characters, and the result of the
// whole input collects in ExprResult. Comparisons give "1" or "0" and compare
// bytes (unsigned, shorter first on a common prefix); "+" and "-" are 32-bit
// integer arithmetic; env() reads the environment, errorlevel() the exit
// code of the last program.
//
// An evaluator can serve many evaluations: each starts with its lexer reset
// as a new one would be. Accepted parses are kept by their text (Evaluate)
// while the parser trace is off, so a loop's conditions are scanned and
// parsed once; their actions still run at every evaluation.
//
// Errors are raised at once, so the engine's recovery never runs: a syntax
// error becomes the script error "Bad Expression: syntax error at <token>",
// an unterminated string or comment shows the parse report and raises
// "parse error", a bad operand of "+" or "-" raises EConvertError (with a
// hint when the sum was one unquoted word, such as a file name with a
// hyphen), a result out of range EIntOverflow.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>

#include "expr/TarvExprRules.h"
#include "lang/YaccLib.h"
#include "util/StreamFuncs.h"

/// The tables of the expression grammar (generated into TarvExprTables.cpp).
extern const TYyTables kTarvExprTables;

/// An operand of "+" or "-" that is no integer:
/// "'<operand>' is not a valid integer value".
class EConvertError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

/// A sum or difference outside the signed 32-bit range: "Integer overflow".
class EIntOverflow : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

/// The standard signed 32-bit conversion (StandardTextToInt, the one of
/// conditions): optional blanks and sign, then decimal digits or a
/// hexadecimal number after "$". Throws EConvertError for anything else,
/// including a value out of range.
int32_t ExprTextToInt(const std::string& text);

class TTarvExpr : public TYaccParser<std::string> {
 public:
  TTarvExpr();

  /// Evaluates the expression held by the stream; the source name is shown
  /// in messages ("EXPR"). On success result receives the value.
  void ParseExpression(TTextStream& input, const std::string& name, std::string& result);

  /// Evaluates the text as ParseExpression does under the name "EXPR", with
  /// the same results, messages and errors. While the parser trace is off,
  /// the steps of each accepted parse are kept by the text, and a text seen
  /// before runs its actions again over them (values are computed anew each
  /// time: env() and errorlevel() are read at every evaluation).
  std::string Evaluate(std::string_view text);

  /// The value of the whole input, built up by the actions.
  std::string ExprResult;

 protected:
  void yyaction(int rule) override;
  void ErrorRoutine(const std::string& message) override { BadExpression(message); }

 private:
  /// Raises "Bad Expression: " + message + " at " + yytext.
  [[noreturn]] void BadExpression(const std::string& message);
  void ShowReport();
  std::string Compare(TTarvExprRule rule) const;
  std::string Arithmetic(TTarvExprRule rule) const;
  int32_t Operand(const std::string& text, TTarvExprRule rule) const;
  std::string SumWord(TTarvExprRule rule) const;
  std::string EnvironmentValue(const std::string& name) const;

  TTextStream output_;
  TTextStream errors_;
  std::unordered_map<std::string, TYyRecording> parsed_;  // steps by expression text
  std::string lookupKey_;    // the text looked up, in storage kept from one evaluation to the next
  std::string_view source_;  // the text being evaluated, while its actions run
};

/// Evaluates an expression text with one evaluator kept for the run (a
/// fresh one while that one is busy, should an evaluation ever nest).
std::string EvaluateExpression(std::string_view text);
