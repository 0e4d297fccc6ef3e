#include "lang/LexLib.h"

#include <memory>

#include "util/TarvCommon.h"

namespace {

TLexEngineState engineState;

}  // namespace

TLexEngineState& LexEngine() { return engineState; }

namespace {

TLexAutomaton BuildAutomaton(const TLexTables& tables) {
  TLexAutomaton automaton;
  automaton.next.assign(static_cast<size_t>(tables.stateCount) * 256, -1);
  automaton.accepts.resize(static_cast<size_t>(tables.stateCount));
  for (int state = 0; state < tables.stateCount; ++state) {
    const TLexStateRanges& ranges = tables.states[state];
    int32_t* row = &automaton.next[static_cast<size_t>(state) * 256];
    // Backwards, so that the first transition holding a character wins.
    for (int i = ranges.transHi; i >= ranges.transLo; --i)
      for (int c = 0; c < 256; ++c)
        if (tables.transitions[i].chars.Contains(static_cast<unsigned char>(c)))
          row[c] = tables.transitions[i].target;
    TLexAccept& accept = automaton.accepts[static_cast<size_t>(state)];
    for (int i = ranges.markLo; i <= ranges.markHi; ++i)
      if (tables.marks[i] > kLexMaxRules) accept.marksBadRule = true;
    if (ranges.matchLo <= ranges.matchHi) {
      accept.rule = tables.matches[ranges.matchLo];
      accept.count = ranges.matchHi - ranges.matchLo + 1;
    }
    accept.hasTransitions = ranges.transLo <= ranges.transHi;
  }
  return automaton;
}

}  // namespace

const TLexAutomaton& LexAutomaton(const TLexTables& tables) {
  // Few automata exist (one per concrete lexer) and they live as long as the
  // program, so their prepared forms are kept for good: never destroyed, as
  // releasing them at exit would only cost time (a large block freed then
  // makes the heap sort all the small blocks freed before it).
  static auto& built = *new std::vector<std::pair<const TLexTables*, std::unique_ptr<TLexAutomaton>>>;
  for (const auto& [owner, automaton] : built)
    if (owner == &tables) return *automaton;
  built.emplace_back(&tables, std::make_unique<TLexAutomaton>(BuildAutomaton(tables)));
  return *built.back().second;
}

TCustomLexer::TCustomLexer() {
  lineNo_ = 0;
  ResetScanner();
}

void TCustomLexer::Restart() {
  lineNo_ = 0;
  colNo_ = 0;
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

// Called when no character is waiting; false at the end of the input.
bool TCustomLexer::LoadNextLine() {
  if (input_ == nullptr || StreamAtEnd(*input_)) return false;
  StreamReadLine(*input_, buffer_);
  buffer_.push_back('\n');
  next_ = 0;
  ++lineNo_;
  colNo_ = 1;
  // A line that does not fit the buffer is taken whole, with room to push a
  // whole token back in front of it.
  bufferCapacity_ = buffer_.size() <= kLexBufferSize ? kLexBufferSize : buffer_.size() + kLexMaxTokenText + 1;
  return true;
}

void TCustomLexer::yyless(size_t n) {
  for (size_t i = yytext.size(); i > n; --i) UngetChar(static_cast<unsigned char>(yytext[i - 1]));
  if (yytext.size() > n) yytext.resize(n);
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
  buffer_.clear();
  next_ = 0;
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
  engine.matchRule = 0;
  engine.matchLength = 0;
  done_ = false;
}

// Records the rule the state accepts at `length` characters of the token.
void TCustomLexer::EnterState(const TLexAccept& accept, size_t length) {
  if (accept.marksBadRule) Fatal("too many rules");
  if (accept.count == 0) return;
  TLexEngineState& engine = LexEngine();
  if (engine.matchCount + accept.count > kLexMatchStackSize) Fatal("match stack overflow");
  engine.matchCount += accept.count;
  engine.matchRule = accept.rule;
  engine.matchLength = static_cast<int>(length);
}

// Runs the automaton from state_ for as long as it has a transition for the
// character read, recording every accepting state; yytext ends up holding
// every character read, the one that stopped the automaton included. The
// characters come straight from the line buffer and enter yytext in one
// piece (yytext + buffer_[start .. next_) is what the token has read); only
// the end of the line goes through GetChar, which reads the next one.
void TCustomLexer::ScanToken() {
  const TLexAutomaton& automaton = *automaton_;
  int state = state_;
  size_t length = 0;
  size_t start = next_;
  for (;;) {
    const TLexAccept& accept = automaton.accepts[static_cast<size_t>(state)];
    EnterState(accept, length);
    if (!accept.hasTransitions) break;
    if (length >= kLexMaxTokenText) Fatal("yytext overflow");
    unsigned char c;
    if (next_ < buffer_.size()) {
      c = static_cast<unsigned char>(buffer_[next_++]);
      ++colNo_;
    } else {
      yytext.append(buffer_, start, next_ - start);
      c = GetChar();
      yytext.push_back(static_cast<char>(c));
      start = next_;
    }
    ++length;
    int32_t next = automaton.next[static_cast<size_t>(state) * 256 + c];
    if (next < 0) break;
    state = next;
  }
  yytext.append(buffer_, start, next_ - start);
  state_ = state;
}

// A match of the empty text counts as none.
bool TCustomLexer::FindMatch() {
  TLexEngineState& engine = LexEngine();
  if (engine.matchLength == 0) return false;
  rule_ = engine.matchRule;
  yyless(static_cast<size_t>(engine.matchLength));
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
  if (automatonTables_ != &tables) {
    automaton_ = &LexAutomaton(tables);
    automatonTables_ = &tables;
  }
  for (;;) {
    BeginToken();
    ScanToken();
    if (!FindMatch()) {
      DefaultAction();
      return 0;
    }
    Action(rule_);
    if (done_) return returnValue_;
  }
}
