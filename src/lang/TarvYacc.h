// The command parser: command files, command texts and editor lines into
// lists of command objects.
//
// TTarvYacc is the command grammar (TarvYacc.grammar) on the parser engine,
// with its own TTarvLex. Its semantic actions build the commands of one
// script (Tcmdrec, in the script's arena) while the text is parsed:
// top-level commands are appended to the script in source order, the blocks
// of /do, /if and /else hang inside their owners.
// Token texts enter the values only where the grammar reduces a token by
// default right after shifting it (name, atom, osArg), so yytext still holds
// that token's text. A value text longer than 255 characters is a positioned
// error (and cut to 255, so the parse goes on with bounded values).
//
// Errors are reported line by line: the only error rule is "error NL" at the
// top level, so after a syntax error parsing resumes with the next line. A
// parse with any error or any trace output shows the "Parse Output: " /
// "Parse Errors: " report and, unless the parser trace is on, raises the
// script error "parse error". The first syntax error of a parse that falls
// into a known trap is followed by a line that says what to write instead.
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

/// A block's commands while the parser collects them; the closing brace puts
/// them into the script's arena as one TCmdList.
using TCmdsInProgress = std::vector<Tcmdrec>;

/// One value of the command grammar: nothing (every shifted token), a text,
/// an option code, a command, a block (in progress or done), a list of texts
/// or of codes. The lists are held by value: values move along the stack,
/// and the command that ends a list takes it over without a copy.
using TYaccValue = std::variant<std::monostate, std::string, int32_t, Tcmdrec, TCmdsInProgress, TCmdList,
                                TTextList, TOptionList>;

class TTarvYacc : public TYaccParser<TYaccValue> {
 public:
  TTarvYacc();

  /// Parses the stream under the source name ("ARGS" for command texts, the
  /// path for command files, "COMMAND" for an editor line) and returns the
  /// top-level commands. A failed parse shows the parse report and raises
  /// "parse error", unless the parser trace is on (then the list as far as
  /// it was built comes back).
  TScript Parse(TTextStream& input, const std::string& sourceName);

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
  const Tcmdrec* Cmd(int n) const;
  TCmdsInProgress TakeCmds(int n);
  TCmdList List(int n) const;
  TCmdBuilder Builder() { return TCmdBuilder(*arena_); }

  // The actions by the groups of rules they serve; each says whether the
  // rule is one of its own.
  bool InputAction(TTarvYaccRule rule);
  bool BlockAction(TTarvYaccRule rule);
  bool CommandAction(TTarvYaccRule rule);
  bool ClauseAction(TTarvYaccRule rule);
  bool TextAction(TTarvYaccRule rule);
  bool ListAction(TTarvYaccRule rule);
  bool OptionAction(TTarvYaccRule rule);

  std::unique_ptr<TScriptArena> arena_;  // this parse's script's
  std::vector<Tcmdrec> result_;
  TTextStream output_;
  TTextStream errors_;
  int longValueLine_ = 0;  // line of the last "value longer than" report
};
