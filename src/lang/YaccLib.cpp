#include "lang/YaccLib.h"

#include <algorithm>
#include <memory>

#include "util/StreamFuncs.h"

std::string YySymbolName(const TYyTables& tables, int symbol) {
  if (symbol < 0) {
    int index = -symbol - 1;
    return index < tables.nonterminalCount ? tables.nonterminalNames[index] : std::to_string(symbol);
  }
  for (int i = 0; i < tables.tokenNameCount; ++i)
    if (tables.tokenNames[i].code == symbol) return tables.tokenNames[i].name;
  if (symbol > 32 && symbol < 127) return std::string("'") + static_cast<char>(symbol) + "'";
  return std::to_string(symbol);
}

std::string ParseReportText(const TTextStream& output, const TTextStream& errors) {
  return "Parse Output: \r\n" + output.Text() + "\r\nParse Errors: \r\n" + errors.Text();
}

namespace {

void IndexGotos(const TYyTables& tables, TYyActionIndex& index) {
  for (int i = 0; i < tables.gotoCount; ++i)
    if (tables.gotos[i].sym < 0)
      index.nonterminalCount = std::max(index.nonterminalCount, -tables.gotos[i].sym);
  index.gotos.assign(static_cast<size_t>(tables.stateCount) * index.nonterminalCount, -1);
  for (int state = 0; state < tables.stateCount; ++state) {
    const TYyRange& range = tables.gotoRanges[state];
    int32_t* row = &index.gotos[static_cast<size_t>(state) * index.nonterminalCount];
    // Backwards, so that the first entry for a nonterminal wins.
    for (int i = range.hi; i >= range.lo; --i)
      if (tables.gotos[i].sym < 0) row[-tables.gotos[i].sym - 1] = tables.gotos[i].act;
  }
}

}  // namespace

const TYyActionIndex& YyActionIndex(const TYyTables& tables) {
  // One per grammar, kept for good like the tables themselves (never
  // destroyed, like the prepared lexer automata).
  static auto& built = *new std::vector<std::pair<const TYyTables*, std::unique_ptr<TYyActionIndex>>>;
  for (const auto& [owner, index] : built)
    if (owner == &tables) return *index;
  auto index = std::make_unique<TYyActionIndex>();
  for (int i = 0; i < tables.actionCount; ++i)
    index->symbolCount = std::max(index->symbolCount, tables.actions[i].sym + 1);
  index->actions.assign(static_cast<size_t>(tables.stateCount) * index->symbolCount, kYyNoAction);
  for (int state = 0; state < tables.stateCount; ++state) {
    const TYyRange& range = tables.actionRanges[state];
    int32_t* row = &index->actions[static_cast<size_t>(state) * index->symbolCount];
    // Backwards, so that the first entry for a symbol wins.
    for (int i = range.hi; i >= range.lo; --i)
      if (tables.actions[i].sym >= 0) row[tables.actions[i].sym] = tables.actions[i].act;
  }
  IndexGotos(tables, *index);
  built.emplace_back(&tables, std::move(index));
  return *built.back().second;
}

TCustomParser::TCustomParser(std::unique_ptr<TCustomLexer> lexer, const TYyTables& tables)
    : lexer_(std::move(lexer)), tables_(tables), actionIndex_(YyActionIndex(tables)) {}

namespace {

// A report names the token it met; of a long one (a quoted string may run
// to any length) its start is enough, cut where a character begins.
constexpr size_t kMostReportedToken = 200;

std::string TokenForReport(const std::string& token) {
  if (token.size() <= kMostReportedToken) return token;
  size_t cut = kMostReportedToken;
  while (cut > 0 && (static_cast<unsigned char>(token[cut]) & 0xC0) == 0x80) --cut;
  return token.substr(0, cut) + "... (cut; " + std::to_string(token.size()) + " characters in all)";
}

}  // namespace

void TCustomParser::yyerror(const std::string& message) {
  TTextStream& errors = lexer_->Errors();
  StreamWriteLine(errors, "Line " + std::to_string(lexer_->LineNo()) + " Col " +
                              std::to_string(lexer_->ColNo()) + " in file \"" + lexer_->SourceName() + "\"");
  StreamWriteLine(errors, message + " at " + TokenForReport(lexer_->yytext));
}

int TCustomParser::ActionOf(int state, int symbol, bool& found) const {
  if (symbol < 0 || symbol >= actionIndex_.symbolCount) return SearchAction(state, symbol, found);
  int32_t action = actionIndex_.actions[static_cast<size_t>(state) * actionIndex_.symbolCount + symbol];
  found = action != kYyNoAction;
  return found ? action : 0;
}

// The table search itself, for symbols outside the index (none of them has
// an entry, but the search says so without assuming it).
int TCustomParser::SearchAction(int state, int symbol, bool& found) const {
  const TYyRange& range = tables_.actionRanges[state];
  for (int i = range.lo; i <= range.hi; ++i) {
    if (tables_.actions[i].sym == symbol) {
      found = true;
      return tables_.actions[i].act;
    }
  }
  found = false;
  return 0;
}

int TCustomParser::GotoOf(int state, int nonterminal) const {
  int column = -nonterminal - 1;
  if (column >= 0 && column < actionIndex_.nonterminalCount)
    return actionIndex_.gotos[static_cast<size_t>(state) * actionIndex_.nonterminalCount + column];
  // Outside the index no entry exists, but the search says so without
  // assuming it.
  const TYyRange& range = tables_.gotoRanges[state];
  for (int i = range.lo; i <= range.hi; ++i)
    if (tables_.gotos[i].sym == nonterminal) return tables_.gotos[i].act;
  return -1;
}

// True when the state's first entry for the error token is a shift.
bool TCustomParser::ErrorShift(int state, int& target) const {
  bool found;
  target = ActionOf(state, kYyErrorToken, found);
  return found && target > 0;
}

int TCustomParser::ReadLookahead() {
  int token = lexer_->yylex();
  if (yydebug)
    TraceStep("reading " + YySymbolName(tables_, token < 0 ? 0 : token) + " (" + lexer_->yytext + ")");
  return token < 0 ? 0 : token;
}

void TCustomParser::RunAction(int rule) {
  keepFirst_ = false;
  yyaction(rule);
}

// The left side's value after a reduction (or the token's after a shift)
// goes into the slot of the new top, unless the action kept it there.
void TCustomParser::PushValue(int depth) {
  if (tokenShifted_)
    StoreTokenValue(depth);
  else if (!keepFirst_)
    StoreValue(depth);
  tokenShifted_ = false;
  keepFirst_ = false;
}

void TCustomParser::TraceStep(const std::string& text) {
  StreamWriteLine(lexer_->Output(), "yyparse: " + text);
}

int TCustomParser::yyparse() {
  std::vector<int> states(1);  // index 1..kYyMaxDepth, grown as the stack grows
  states.reserve(kInitialDepth);
  int state = 0;
  yychar = -1;
  yynerrs = 0;
  yyerrflag = 0;
  int depth = 0;
  keepFirst_ = false;
  tokenShifted_ = false;
  BeginValues();

  for (;;) {
    // Push the state together with the current value.
    if (++depth > kYyMaxDepth) {
      ErrorRoutine("yyparse stack overflow");
      return 1;
    }
    if (static_cast<int>(states.size()) <= depth) states.resize(depth + 1);
    states[depth] = state;
    PushValue(depth);
    if (yydebug) TraceStep("state " + std::to_string(state));

    for (;;) {  // decide; loops only to read past discarded look-aheads
      int defaultAction = tables_.defaults[state];
      if (defaultAction == 0 && yychar < 0) yychar = ReadLookahead();
      bool found = true;
      int action = defaultAction != 0 ? defaultAction : ActionOf(state, yychar, found);

      if (found && action > 0) {  // shift
        if (yydebug)
          TraceStep("shift " + YySymbolName(tables_, yychar) + ", go to state " + std::to_string(action));
        state = action;
        yychar = -1;
        if (recording_ != nullptr) Record(0);
        tokenShifted_ = true;
        if (yyerrflag > 0) --yyerrflag;
        break;
      }
      if (found && action < 0) {  // reduce
        int rule = -action;
        const TYyRule& r = tables_.rules[rule];
        if (yydebug)
          TraceStep("reduce by rule " + std::to_string(rule) + " (" + tables_.ruleTexts[rule] + ")");
        yysp = depth;
        yyruleLength = r.len;
        if (recording_ != nullptr) Record(rule);
        RunAction(rule);
        depth -= r.len;
        state = GotoOf(states[depth], r.lhs);
        if (state < 0) {
          ErrorRoutine("yyparse: no goto for " + YySymbolName(tables_, r.lhs));
          return 1;
        }
        break;
      }
      if (found) return 0;  // accept

      // Syntax error, then recovery.
      recordingComplete_ = false;
      if (yyerrflag == 0) {
        ErrorRoutine("syntax error");
        ++yynerrs;
      }
      if (yyerrflag < 3) {
        yyerrflag = 3;
        int target = 0;
        while (depth > 0 && !ErrorShift(states[depth], target)) --depth;
        if (depth == 0) return 1;
        if (yydebug) TraceStep("recovering in state " + std::to_string(states[depth]));
        state = target;
        break;
      }
      if (yychar == 0) return 1;
      if (yydebug) TraceStep("discarding " + YySymbolName(tables_, yychar));
      yychar = -1;
    }
  }
}

void TCustomParser::Replay(const TYyRecording& recording) {
  // The pushes of yyparse, without states: a shift pushes the token's value,
  // a reduction pops its right side and pushes the left side's value.
  int depth = 1;
  keepFirst_ = false;
  tokenShifted_ = false;
  BeginValues();
  StoreValue(depth);
  for (const TYyStep& step : recording) {
    if (step.rule == 0) {
      tokenShifted_ = true;
    } else {
      yysp = depth;
      yyruleLength = tables_.rules[step.rule].len;
      lexer_->yytext = step.text;
      RunAction(step.rule);
      depth -= yyruleLength;
    }
    PushValue(++depth);
  }
}
