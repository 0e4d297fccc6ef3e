// The command parser: command files, command texts and editor lines into
// lists of command objects.
//
// TTarvYacc is the command grammar (TarvYacc.grammar) on the parser engine,
// with its own TTarvLex. Its semantic actions build Tcmdrec objects while the
// text is parsed: top-level commands are appended to the result list in
// source order, the blocks of /do, /if and /else hang inside their owners.
// Token texts enter the values only where the grammar reduces a token by
// default right after shifting it (name, atom, osArg), so yytext still holds
// that token's text. A value text longer than 255 characters is a positioned
// error (and cut to 255, so the parse goes on with bounded values).
//
// Errors are reported line by line: the only error rule is "error NL" at the
// top level, so after a syntax error parsing resumes with the next line. A
// parse with any error or any trace output shows the "Parse Output: " /
// "Parse Errors: " report and, unless the parser trace is on, raises the
// script error "parse error".
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <variant>

#include "lang/TarvCmd2Obj.h"
#include "lang/TarvYaccRules.h"
#include "lang/YaccLib.h"
#include "util/StreamFuncs.h"

/// The tables of the command grammar (generated into TarvYaccTables.cpp).
extern const TYyTables kTarvYaccTables;

/// One value of the command grammar: nothing (every shifted token), a text,
/// an option code, a command, a command list, a list of texts or of codes.
/// The lists of texts and codes are held by value: values move along the
/// stack, and the command that ends a list takes it over without a copy.
using TYaccValue =
    std::variant<std::monostate, std::string, int32_t, TCmdRef, TCmdListRef, TTextList, TOptionList>;

class TTarvYacc : public TYaccParser<TYaccValue> {
 public:
  TTarvYacc();

  /// Parses the stream under the source name ("ARGS" for command texts, the
  /// path for command files, "COMMAND" for an editor line) and returns the
  /// top-level commands. A failed parse shows the parse report and raises
  /// "parse error", unless the parser trace is on (then the list as far as
  /// it was built comes back).
  TCmdList Parse(TTextStream& input, const std::string& sourceName);

 protected:
  void yyaction(int rule) override;
  void ErrorRoutine(const std::string& message) override;

 private:
  void Trace(std::string_view message);
  void LimitValueText(std::string& text);
  std::string ValueText(std::string text);
  void TokenValueText();
  void ShowReportAndFail();

  // Values of the right side, by position (1-based).
  const std::string& Text(int n) const;
  std::string TakeText(int n);
  TTextList TakeTexts(int n);
  TOptionList TakeOptions(int n);
  int32_t Code(int n) const;
  TCmdRef Cmd(int n) const;
  TCmdRef TakeCmd(int n);
  TCmdListRef List(int n) const;

  // The actions by the groups of rules they serve; each says whether the
  // rule is one of its own.
  bool InputAction(TTarvYaccRule rule);
  bool BlockAction(TTarvYaccRule rule);
  bool CommandAction(TTarvYaccRule rule);
  bool ClauseAction(TTarvYaccRule rule);
  bool TextAction(TTarvYaccRule rule);
  bool ListAction(TTarvYaccRule rule);
  bool OptionAction(TTarvYaccRule rule);

  TCmdArena arena_;  // where this parse's commands without blocks are made
  TCmdList result_;
  TTextStream output_;
  TTextStream errors_;
  int longValueLine_ = 0;  // line of the last "value longer than" report
};
