// The parser engine: a table-driven LALR(1) driver shared by every grammar.
//
// TCustomParser holds the parse state that lives in the parser object (the
// look-ahead, the error count, the recovery counter), owns its lexer, and
// provides the positioned error report yyerror and yyerrok. yyparse runs the
// automaton of one grammar's constant tables (TYyTables, generated from a
// grammar file by tools/lalrgen) and calls the grammar's semantic actions and
// error routine through virtual hooks. TYaccParser<TValue> adds the value
// stack of a grammar whose semantic value is TValue.
//
// Values are moved, never copied, onto the value stack. A parse can be
// recorded as its steps (shifts, and reductions with the yytext each one
// saw) and replayed: the actions run again in the same order without the
// lexer or the automaton, which is how the expression evaluator re-evaluates
// a text it has parsed before.
//
// Error recovery is yacc's: after a syntax error the driver pops states until
// one shifts the error token, shifts it, and then discards look-aheads until
// parsing can go on; further errors are reported only after three tokens have
// been shifted or the grammar has called yyerrok.
#pragma once

#include <climits>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "lang/LexLib.h"

// Table encoding. Symbols are integers: 0 is the end of input, 1..255 single
// characters, 256 the error token, 257 and up the grammar's named tokens;
// nonterminals are negative (-1, -2, ... in the grammar's declared order).
//
//  - actions: entries {symbol, action}. action > 0: shift and go to that
//    state; action < 0: reduce by rule -action; action == 0: accept. State s
//    owns the inclusive index range actionRanges[s] (lo > hi: no entries);
//    the first entry whose symbol is the look-ahead decides, none is a
//    syntax error.
//  - gotos: entries {nonterminal, state}, ranges in gotoRanges, searched the
//    same way after a reduction.
//  - defaults[s]: 0, or -rule when state s reduces by that rule without
//    reading (or looking at) a look-ahead. Only a state whose one action is
//    that reduction has one, so the lexer is called as late as possible and
//    yytext still holds the text of the token just shifted.
//  - rules[r]: length of the right side and left-side nonterminal of rule r;
//    rule 0 is the added accept rule "$accept : start $end".
//  - tokenNames, nonterminalNames (index -symbol - 1), ruleTexts: for traces.
struct TYyEntry {
  int32_t sym;
  int32_t act;
};
struct TYyRange {
  int32_t lo;
  int32_t hi;
};
struct TYyRule {
  int32_t len;
  int32_t lhs;
};
struct TYyTokenName {
  int32_t code;
  const char* name;
};
struct TYyTables {
  int32_t stateCount;
  const TYyEntry* actions;
  int32_t actionCount;
  const TYyRange* actionRanges;
  const TYyEntry* gotos;
  int32_t gotoCount;
  const TYyRange* gotoRanges;
  const int32_t* defaults;
  const TYyRule* rules;
  int32_t ruleCount;
  const TYyTokenName* tokenNames;
  int32_t tokenNameCount;
  const char* const* nonterminalNames;
  int32_t nonterminalCount;
  const char* const* ruleTexts;
};

/// The semantic values of both grammars are texts of at most 255 characters.
constexpr size_t kMaxValueText = 255;
/// The text cut to kMaxValueText characters.
inline std::string CutValueText(std::string text) {
  if (text.size() > kMaxValueText) text.resize(kMaxValueText);
  return text;
}

/// The name of a symbol for traces: a token's name or a nonterminal's.
std::string YySymbolName(const TYyTables& tables, int symbol);

/// The report that both parsers show after a parse with errors or trace
/// lines: "Parse Output: " with the output buffer, "Parse Errors: " with the
/// error buffer.
std::string ParseReportText(const TTextStream& output, const TTextStream& errors);

constexpr int kYyErrorToken = 256;
constexpr int kYyMaxDepth = 2048;
/// Room the stacks get at the start of a parse: most parses (an expression,
/// a command line) stay within it and never reallocate.
constexpr int kInitialDepth = 32;

/// The action table as one row per state indexed by symbol (0 .. the
/// highest symbol of the table): the first entry in table order for that
/// symbol, kYyNoAction where there is none; and the goto table the same way,
/// one row per state indexed by nonterminal (-symbol - 1), -1 where there is
/// none. Built once per grammar, on first use, so choosing an action or a
/// goto is one look-up instead of a search.
constexpr int32_t kYyNoAction = INT32_MIN;
struct TYyActionIndex {
  int32_t symbolCount = 0;
  std::vector<int32_t> actions;
  int32_t nonterminalCount = 0;
  std::vector<int32_t> gotos;
};
const TYyActionIndex& YyActionIndex(const TYyTables& tables);

/// One step of a parse as the semantic actions saw it: a shift (rule 0), or
/// a reduction by `rule` while yytext was `text`.
struct TYyStep {
  int32_t rule = 0;
  std::string text;
};
/// The steps of one accepted parse, in order. The shifts and reductions of a
/// text depend on the text alone, so running the same actions over the same
/// steps again (Replay) evaluates the text again without scanning or parsing.
using TYyRecording = std::vector<TYyStep>;

class TCustomParser {
 public:
  TCustomParser(std::unique_ptr<TCustomLexer> lexer, const TYyTables& tables);
  virtual ~TCustomParser() = default;
  TCustomParser(const TCustomParser&) = delete;
  TCustomParser& operator=(const TCustomParser&) = delete;

  /// Parses the lexer's input: 0 when it was accepted, 1 when the parse was
  /// abandoned. The lexer's input and streams must be attached.
  int yyparse();

  /// Writes the two-line positioned report to the lexer's error stream:
  /// "Line n Col c in file "name"", then message + " at " + yytext.
  void yyerror(const std::string& message);
  /// Ends error recovery at once.
  void yyerrok() { yyerrflag = 0; }

  /// Makes the next yyparse record its steps into `recording` (nullptr: no
  /// recording). A parse with a syntax error leaves it incomplete.
  void RecordInto(TYyRecording* recording) {
    recording_ = recording;
    recordingComplete_ = true;
  }
  bool RecordingComplete() const { return recording_ != nullptr && recordingComplete_; }
  /// Runs the semantic actions of a recorded parse again, in order, with
  /// yytext set as it was at each reduction.
  void Replay(const TYyRecording& recording);

  TCustomLexer& Lexer() const { return *lexer_; }
  int ErrorCount() const { return yynerrs; }
  /// Driver trace (state, token, shift, reduce) to the output stream; for
  /// explaining a parse, never switched on by the program.
  bool yydebug = false;

 protected:
  /// The semantic action of a rule, run before its right side is popped.
  virtual void yyaction(int rule) = 0;
  /// The grammar's error routine; the default is yyerror.
  virtual void ErrorRoutine(const std::string& message) { yyerror(message); }

  // The value stack, kept by TYaccParser: the driver stores the current value
  // at the push after a reduction (unless the action kept its first value
  // in place) and yylval at the push after a shift.
  virtual void BeginValues() = 0;
  virtual void StoreValue(int depth) = 0;
  virtual void StoreTokenValue(int depth) = 0;

  /// Said by an action whose left side's value is its first right-side
  /// value unchanged: the value then stays in its stack slot (which becomes
  /// the left side's) instead of being moved out and back in. Only for rules
  /// with a right side; yyval is not read after such an action.
  void yyKeepFirst() { keepFirst_ = yyruleLength > 0; }

  /// Stack depth while a semantic action runs (its right side ends there).
  int yysp = 0;
  /// Length of the rule being reduced.
  int yyruleLength = 0;

  int yychar = -1;    // look-ahead token; -1: none read
  int yynerrs = 0;    // syntax errors counted in this parse
  int yyerrflag = 0;  // recovery counter, 0..3

 private:
  void RunAction(int rule);
  void PushValue(int depth);

  int ActionOf(int state, int symbol, bool& found) const;
  int SearchAction(int state, int symbol, bool& found) const;
  int GotoOf(int state, int nonterminal) const;
  bool ErrorShift(int state, int& target) const;
  int ReadLookahead();
  void TraceStep(const std::string& text);

  void Record(int rule) { recording_->push_back({rule, rule != 0 ? lexer_->yytext : std::string()}); }

  std::unique_ptr<TCustomLexer> lexer_;
  const TYyTables& tables_;
  const TYyActionIndex& actionIndex_;
  TYyRecording* recording_ = nullptr;
  bool recordingComplete_ = true;
  bool keepFirst_ = false;     // the last action kept its first value in place
  bool tokenShifted_ = false;  // the next push is a shifted token's
};

/// A parser whose semantic value is TValue: the value stack, the current
/// value yyval that actions write, and yylval that a lexer may fill.
template <class TValue>
class TYaccParser : public TCustomParser {
 public:
  using TCustomParser::TCustomParser;

  /// The value of the token just returned by the lexer (the lexers of this
  /// system never fill it, so shifted tokens carry an empty value).
  TValue yylval{};

 protected:
  /// The value of the n-th symbol (1-based) of the right side being reduced.
  const TValue& yyv(int n) const { return values_[yysp - yyruleLength + n]; }
  /// The same for moving it into the left side's value: the right side is
  /// popped after the action, so its values are not read again.
  TValue& yyvTake(int n) { return values_[yysp - yyruleLength + n]; }
  /// The current value: the left side's value after an action. It is moved
  /// onto the stack at the push after the reduction (unless the action said
  /// yyKeepFirst), so an action that reads a value of its right side copies
  /// or takes it explicitly; after an action that writes nothing the left
  /// side's value is unspecified (no rule of this system reads such a value).
  TValue yyval{};

 private:
  // The stack keeps its slots from one parse to the next (every push
  // overwrites its slot), so a parser that serves many parses allocates
  // them once.
  void BeginValues() override {
    yyval = TValue{};
    if (values_.empty()) values_.resize(kInitialDepth);
  }
  void StoreValue(int depth) override { Slot(depth) = std::move(yyval); }
  void StoreTokenValue(int depth) override { Slot(depth) = yylval; }
  TValue& Slot(int depth) {
    if (static_cast<int>(values_.size()) <= depth) values_.resize(depth + 1);
    return values_[depth];
  }

  std::vector<TValue> values_;  // index 1..kYyMaxDepth
};
