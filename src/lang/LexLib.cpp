#include "lang/LexLib.h"

#include "run/TarvCommon.h"

namespace {

TLexEngineState engineState;

}  // namespace

TLexEngineState& LexEngine() { return engineState; }

const int32_t* LexNextStates(const TLexTables& tables) {
  // Few automata exist (one per concrete lexer) and they live as long as the
  // program, so their rows are kept for good.
  static std::vector<std::pair<const TLexTables*, std::vector<int32_t>>> built;
  for (const auto& [owner, rows] : built)
    if (owner == &tables) return rows.data();
  std::vector<int32_t> rows(static_cast<size_t>(tables.stateCount) * 256, -1);
  for (int state = 0; state < tables.stateCount; ++state) {
    const TLexStateRanges& ranges = tables.states[state];
    int32_t* row = &rows[static_cast<size_t>(state) * 256];
    // Backwards, so that the first transition holding a character wins.
    for (int i = ranges.transHi; i >= ranges.transLo; --i)
      for (int c = 0; c < 256; ++c)
        if (tables.transitions[i].chars.Contains(static_cast<unsigned char>(c))) row[c] = tables.transitions[i].target;
  }
  built.emplace_back(&tables, std::move(rows));
  return built.back().second.data();
}

TCustomLexer::TCustomLexer() {
  lineNo_ = 0;
  ResetScanner();
}

void TCustomLexer::Attach(TTextStream* input, const std::string& sourceName, TTextStream* output,
                          TTextStream* errors) {
  input_ = input;
  sourceName_ = sourceName;
  output_ = output;
  errors_ = errors;
}

// ---- Input -----------------------------------------------------------------

void TCustomLexer::LoadNextLine() {
  currentLine_ = StreamReadLine(*input_);
  ++lineNo_;
  colNo_ = 1;
  // The buffer is a stack: the line goes in backwards after its line feed.
  pending_.reserve(pending_.size() + currentLine_.size() + 1);
  pending_.push_back('\n');
  pending_.insert(pending_.end(), currentLine_.rbegin(), currentLine_.rend());
  // A line that does not fit the buffer is taken whole, with room to push a
  // whole token back in front of it.
  bufferCapacity_ = pending_.size() <= kLexBufferSize ? kLexBufferSize
                                                       : pending_.size() + kLexMaxTokenText + 1;
}

unsigned char TCustomLexer::GetChar() {
  if (pending_.empty() && input_ != nullptr && !StreamAtEnd(*input_)) LoadNextLine();
  if (pending_.empty()) return 0;
  unsigned char c = pending_.back();
  pending_.pop_back();
  ++colNo_;
  return c;
}

void TCustomLexer::UngetChar(unsigned char c) {
  if (pending_.size() >= bufferCapacity_) Fatal("input buffer overflow");
  pending_.push_back(c);
  --colNo_;
}

void TCustomLexer::yyless(size_t n) {
  while (yytext.size() > n) {
    UngetChar(static_cast<unsigned char>(yytext.back()));
    yytext.pop_back();
  }
}

// ---- Output ----------------------------------------------------------------

bool TCustomLexer::Tracing() const { return RunState().ParserTrace && output_ != nullptr; }

void TCustomLexer::Trace(std::string_view message) {
  if (Tracing()) StreamWriteLine(*output_, message);
}

void TCustomLexer::ErrorLine(const std::string& message) {
  if (errors_ != nullptr) StreamWriteLine(*errors_, message);
}

bool TCustomLexer::SkipCommentBlock() {
  for (;;) {
    unsigned char c = GetChar();
    if (c == 0) {
      ErrorLine("unexpected EOF inside comment at line " + std::to_string(LineNo()));
      return false;
    }
    if (c != '*') continue;
    unsigned char next = GetChar();
    if (next == '/') break;
    UngetChar(next);
  }
  unsigned char after = GetChar();
  if (after != '\n') UngetChar(after);
  return true;
}

void TCustomLexer::Fatal(const std::string& message) {
  std::string text = "LexLib: " + message + " at line " + std::to_string(lineNo_) + ", column " +
                     std::to_string(colNo_) + " in \"" + sourceName_ + "\"";
  ErrorLine(text);
  RaiseScriptError(text);
}

// ---- Scanner state ---------------------------------------------------------

void TCustomLexer::StartCondition(int state) { LexEngine().startState = state; }

void TCustomLexer::ReturnToken(int code) {
  returnValue_ = code;
  done_ = true;
}

void TCustomLexer::ReturnChar(unsigned char c) { ReturnToken(c); }

void TCustomLexer::ResetScanner() {
  pending_.clear();
  bufferCapacity_ = kLexBufferSize;
  LexEngine().startState = 0;
  LexEngine().atLineStart = 1;
  lastTokenChar_ = 0;
  yytext.clear();
}

// ---- The automaton ---------------------------------------------------------

void TCustomLexer::BeginToken() {
  TLexEngineState& engine = LexEngine();
  if (lastTokenChar_ != 0) engine.atLineStart = lastTokenChar_ == '\n' ? 1 : 0;
  state_ = engine.startState + engine.atLineStart;
  yytext.clear();
  engine.matchCount = 0;
  done_ = false;
}

// Records the rules the state accepts at the current length of yytext.
void TCustomLexer::EnterState(const TLexTables& tables, int state) {
  TLexEngineState& engine = LexEngine();
  const TLexStateRanges& ranges = tables.states[state];
  for (int i = ranges.markLo; i <= ranges.markHi; ++i) {
    int rule = tables.marks[i];
    if (rule > kLexMaxRules) Fatal("too many rules");
    engine.ruleEnd[rule] = static_cast<int>(yytext.size());
  }
  for (int i = ranges.matchHi; i >= ranges.matchLo; --i) {
    if (engine.matchCount >= kLexMatchStackSize) Fatal("match stack overflow");
    engine.matchStack[engine.matchCount++] = tables.matches[i];
  }
}

// Reads one character and follows its transition; false when the automaton
// stops (no transitions, or none for the character).
bool TCustomLexer::ScanChar(const TLexTables& tables) {
  const TLexStateRanges& ranges = tables.states[state_];
  if (ranges.transLo > ranges.transHi) return false;
  if (yytext.size() >= kLexMaxTokenText) Fatal("yytext overflow");
  unsigned char c = GetChar();
  yytext.push_back(static_cast<char>(c));
  int32_t next = nextStates_[static_cast<size_t>(state_) * 256 + c];
  if (next < 0) return false;
  state_ = next;
  return true;
}

bool TCustomLexer::FindMatch() {
  TLexEngineState& engine = LexEngine();
  while (engine.matchCount > 0 && engine.ruleEnd[engine.matchStack[engine.matchCount - 1]] == 0)
    --engine.matchCount;
  if (engine.matchCount == 0) return false;
  rule_ = engine.matchStack[engine.matchCount - 1];
  yyless(static_cast<size_t>(engine.ruleEnd[rule_]));
  engine.ruleEnd[rule_] = 0;
  lastTokenChar_ = yytext.empty() ? 0 : static_cast<unsigned char>(yytext.back());
  return true;
}

void TCustomLexer::DefaultAction() {
  yyless(0);
  lastTokenChar_ = 0;
  GetChar();
  LexEngine().atLineStart = 1;
  ResetScanner();
}

int TCustomLexer::RunScanner(const TLexTables& tables) {
  nextStates_ = LexNextStates(tables);
  for (;;) {
    BeginToken();
    EnterState(tables, state_);
    while (ScanChar(tables)) EnterState(tables, state_);
    if (!FindMatch()) {
      DefaultAction();
      return 0;
    }
    Action(rule_);
    if (done_) return returnValue_;
  }
}
