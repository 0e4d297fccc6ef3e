#include "lang/LexLib.h"

#include <algorithm>
#include <memory>

#include "util/TarvCommon.h"

namespace {

TLexEngineState engineState;
bool lexRunShortcut = true;

}  // namespace

TLexEngineState& LexEngine() { return engineState; }

void SetLexRunShortcut(bool on) { lexRunShortcut = on; }

namespace {

// The one state that a row of transitions leads to, or -1 when it leads
// nowhere or to several states.
int32_t OnlySuccessor(const int32_t* row) {
  int32_t only = -1;
  for (int c = 0; c < 256; ++c) {
    if (row[c] < 0 || row[c] == only) continue;
    if (only >= 0) return -1;
    only = row[c];
  }
  return only;
}

// Marks the tokens that are certainly runs: from a state that reads on (it
// may accept the empty text, which never wins), a character leads to a
// first state that accepts a rule first and leads on only to a looping
// state that accepts the same rule first and leads nowhere else. Such a
// token is its first character and the longest run of characters after it
// that keep the automaton in those states.
void FindRunTokens(TLexAutomaton& automaton, const std::vector<int32_t>& successor) {
  const auto states = automaton.accepts.size();
  automaton.runStarts.assign(states, TLexCharSet{});
  if (automaton.stackCanOverflow) return;
  auto acceptsFirst = [&](int32_t state, int32_t rule) {
    const TLexAccept& accept = automaton.accepts[static_cast<size_t>(state)];
    return accept.kind == TLexStateKind::Accepting && accept.rule == rule;
  };
  for (size_t state = 0; state < states; ++state) {
    const TLexStateKind kind = automaton.accepts[state].kind;
    if (kind != TLexStateKind::PassThrough && kind != TLexStateKind::Accepting) continue;
    for (size_t c = 0; c < 256; ++c) {
      const int32_t first = automaton.next[state * 256 + c];
      if (first < 0) continue;
      const int32_t rule = automaton.accepts[static_cast<size_t>(first)].rule;
      const int32_t loop = successor[static_cast<size_t>(first)];
      if (rule != 0 && acceptsFirst(first, rule) && loop >= 0 &&
          successor[static_cast<size_t>(loop)] == loop && acceptsFirst(loop, rule))
        automaton.runStarts[state].bits[c >> 5] |= 1u << (c & 31);
    }
  }
}

TLexAutomaton BuildAutomaton(const TLexTables& tables) {
  TLexAutomaton automaton;
  automaton.next.assign(static_cast<size_t>(tables.stateCount) * 256, -1);
  automaton.accepts.resize(static_cast<size_t>(tables.stateCount));
  std::vector<int32_t> successor(static_cast<size_t>(tables.stateCount));
  int32_t maxCount = 0;
  for (int state = 0; state < tables.stateCount; ++state) {
    const TLexStateRanges& ranges = tables.states[state];
    int32_t* row = &automaton.next[static_cast<size_t>(state) * 256];
    // Backwards, so that the first transition holding a character wins.
    for (int i = ranges.transHi; i >= ranges.transLo; --i)
      for (int c = 0; c < 256; ++c)
        if (tables.transitions[i].chars.Contains(static_cast<unsigned char>(c)))
          row[c] = tables.transitions[i].target;
    successor[static_cast<size_t>(state)] = OnlySuccessor(row);
    TLexAccept& accept = automaton.accepts[static_cast<size_t>(state)];
    bool marksBadRule = false;
    for (int i = ranges.markLo; i <= ranges.markHi; ++i)
      if (tables.marks[i] > kLexMaxRules) marksBadRule = true;
    if (ranges.matchLo <= ranges.matchHi) {
      accept.rule = tables.matches[ranges.matchLo];
      accept.count = ranges.matchHi - ranges.matchLo + 1;
    }
    maxCount = std::max(maxCount, accept.count);
    if (marksBadRule)
      accept.kind = TLexStateKind::BadRule;
    else if (ranges.transLo > ranges.transHi)
      accept.kind = TLexStateKind::Final;
    else
      accept.kind = accept.count != 0 ? TLexStateKind::Accepting : TLexStateKind::PassThrough;
  }
  // A token enters at most one state more than it has characters.
  automaton.stackCanOverflow = static_cast<size_t>(maxCount) * (kLexMaxTokenText + 1) > kLexMatchStackSize;
  FindRunTokens(automaton, successor);
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

// Called when no character is waiting; false at the end of the input. The
// characters from keepFrom on stay in front of the new line (a token that
// goes on into it); only the new line counts for the push-back capacity.
bool TCustomLexer::LoadNextLine(size_t keepFrom) {
  if (input_ == nullptr || StreamAtEnd(*input_)) return false;
  buffer_.erase(0, keepFrom);
  const size_t kept = buffer_.size();
  StreamAppendLine(*input_, buffer_);
  buffer_.push_back('\n');
  next_ = kept;
  ++lineNo_;
  colNo_ = 1;
  // A line that does not fit the buffer is taken whole, with room to push a
  // whole token back in front of it.
  const size_t line = buffer_.size() - kept;
  bufferCapacity_ = line <= kLexBufferSize ? kLexBufferSize : line + kLexMaxTokenText + 1;
  return true;
}

// True when giving back `count` characters overflows the push-back buffer:
// UngetChar would fail on one of them.
bool TCustomLexer::PushBackOverflows(size_t count) const {
  return buffer_.size() - next_ + count > bufferCapacity_;
}

void TCustomLexer::yyless(size_t n) {
  if (yytext.size() <= n) return;
  const size_t back = yytext.size() - n;
  if (back <= next_ && !PushBackOverflows(back)) {
    // The characters go back in front of the position, in one piece.
    buffer_.replace(next_ - back, back, yytext, n, back);
    next_ -= back;
    colNo_ -= static_cast<int>(back);
  } else {
    for (size_t i = yytext.size(); i > n; --i) UngetChar(static_cast<unsigned char>(yytext[i - 1]));
  }
  yytext.resize(n);
}

// ---- Output ----------------------------------------------------------------

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

namespace {

// One token's run of the automaton through buffered characters.
struct TLexAutomatonRun {
  int state;
  size_t pos;          // next character to read
  size_t origin;       // pos minus the token length: pos - origin is the length read
  int matchCount = 0;  // entries the match stack would hold
  TLexMatch match;     // lowest rule of the last accepting state entered
};

enum class TRunEnd { Stopped, WantsCharacter, BadRule, StackOverflow };

// The state loops on the character just read (a word, a run of blanks, the
// rest of a line): it is entered again, the same way, for each further
// character that keeps it, so those entries are made in one go, and the
// scan goes on at the last of them. They stop short where one would push
// the match stack past its limit, so that the scan fails there.
inline size_t SkipLoop(const TLexAccept& accept, const int32_t* row, int state, const unsigned char* text,
                       size_t pos, size_t stop, int& matchCount) {
  const size_t from = pos;
  while (pos != stop && row[text[pos]] == state) ++pos;
  if (matchCount + accept.count * static_cast<int>(pos - from) > kLexMatchStackSize)
    pos = from + static_cast<size_t>((kLexMatchStackSize - matchCount) / accept.count);
  matchCount += accept.count * static_cast<int>(pos - from);
  return pos;
}

// Runs the automaton over text[run.pos .. stop) for as long as it has a
// transition for the character read. Every accepting state entered records
// its lowest rule and the token length reached, and adds its rule count to
// the match stack's count. WantsCharacter: it stopped only because it
// reached `stop`, after entering the state there.
TRunEnd RunAutomaton(const TLexAutomaton& automaton, const unsigned char* text, size_t stop,
                     TLexAutomatonRun& run) {
  const TLexAccept* accepts = automaton.accepts.data();
  const int32_t* next = automaton.next.data();
  // The run lives in locals: this loop runs for every character of the input.
  int state = run.state;
  size_t pos = run.pos;
  int matchCount = run.matchCount;
  TRunEnd end = TRunEnd::Stopped;
  for (;;) {
    const TLexAccept& accept = accepts[state];
    if (accept.kind == TLexStateKind::BadRule) {
      end = TRunEnd::BadRule;  // ends the scan before the state is entered
      break;
    }
    if (accept.count != 0) {
      matchCount += accept.count;
      if (matchCount > kLexMatchStackSize) {
        end = TRunEnd::StackOverflow;
        break;
      }
      run.match = {accept.rule, pos - run.origin};
    }
    if (accept.kind == TLexStateKind::Final) break;
    if (pos == stop) {
      end = TRunEnd::WantsCharacter;
      break;
    }
    const int32_t* row = &next[static_cast<size_t>(state) * 256];
    const int32_t target = row[text[pos++]];
    if (target < 0) break;
    if (target == state) pos = SkipLoop(accept, row, state, text, pos, stop, matchCount);
    state = target;
  }
  run.state = state;
  run.pos = pos;
  run.matchCount = matchCount;
  return end;
}

}  // namespace

inline void TCustomLexer::BeginToken() {
  TLexEngineState& engine = LexEngine();
  if (lastTokenChar_ != 0) engine.atLineStart = lastTokenChar_ == '\n' ? 1 : 0;
  state_ = engine.startState + engine.atLineStart;
  yytext.clear();
  done_ = false;
}

// Ends the scan of a token with an engine limit; yytext then holds every
// character the scan has read.
void TCustomLexer::FailScan(const std::string& message) {
  yytext.append(buffer_, tokenPiece_, next_ - tokenPiece_);
  Fatal(message);
}

// Runs the automaton from state_ for as long as it has a transition for the
// character read and returns the match it found. The characters of the
// current line are scanned in place; only the end of a line goes through
// ScanNextLine, which reads the next one. The length limit is checked before
// each character read: a run through the line stops at it, and ScanNextLine
// ends the scan with the error.
TLexMatch TCustomLexer::ScanToken() {
  TLexAutomatonRun run{state_, next_, next_, 0, {}};
  tokenPiece_ = next_;
  for (;;) {
    const size_t length = run.pos - run.origin;
    const size_t stop = run.pos + std::min(buffer_.size() - run.pos, kLexMaxTokenText - length);
    const size_t from = run.pos;
    const TRunEnd end =
        RunAutomaton(*automaton_, reinterpret_cast<const unsigned char*>(buffer_.data()), stop, run);
    colNo_ += static_cast<int>(run.pos - from);
    next_ = run.pos;
    if (end == TRunEnd::Stopped) break;
    if (end == TRunEnd::BadRule) FailScan("too many rules");
    if (end == TRunEnd::StackOverflow) FailScan("match stack overflow");
    const size_t read = run.pos - run.origin;
    const int target = ScanNextLine(run.state, read);
    if (target < 0) break;
    run.state = target;
    run.pos = next_;
    run.origin = next_ - (read + 1);
  }
  state_ = run.state;
  return run.match;
}

// Reads the token's next character past the end of the buffered line, at
// `length` characters of the token, and returns the state the automaton
// goes to from `state`; -1 when it has no transition for the character.
// The next line is loaded behind the part of the token read so far, so the
// token stays in one piece of the buffer. At the end of the input the
// character read is 0, which is in no buffer: the token's text so far, and
// the 0, then go to yytext.
int TCustomLexer::ScanNextLine(int state, size_t length) {
  if (length >= kLexMaxTokenText) FailScan("yytext overflow");
  unsigned char c = 0;
  if (LoadNextLine(tokenPiece_)) {
    tokenPiece_ = 0;
    c = static_cast<unsigned char>(buffer_[next_++]);
    ++colNo_;
  } else {
    yytext.append(buffer_, tokenPiece_, next_ - tokenPiece_);
    yytext.push_back(static_cast<char>(c));
    tokenPiece_ = next_;
  }
  return automaton_->next[static_cast<size_t>(state) * 256 + c];
}

// The token is the text of the match; the characters read beyond it go back
// to the input. A match of the empty text counts as none.
bool TCustomLexer::TakeMatch(const TLexMatch& match) {
  const size_t piece = next_ - tokenPiece_;
  if (match.length == 0) {
    yytext.append(buffer_, tokenPiece_, piece);
    return false;
  }
  rule_ = match.rule;
  const size_t beyond = yytext.size() + piece - match.length;
  if (yytext.empty() && !PushBackOverflows(beyond)) {
    // The buffer still holds what yyless would give back: step back over it.
    yytext.append(buffer_, tokenPiece_, match.length);
    next_ -= beyond;
    colNo_ -= static_cast<int>(beyond);
  } else {
    yytext.append(buffer_, tokenPiece_, piece);
    yyless(match.length);
  }
  lastTokenChar_ = static_cast<unsigned char>(yytext.back());
  return true;
}

void TCustomLexer::DefaultAction() {
  yyless(0);
  lastTokenChar_ = 0;
  GetChar();
  LexEngine().atLineStart = 1;
  ResetScanner();
}

void TCustomLexer::Prepare(const TLexTables& tables) {
  if (automatonTables_ != &tables) {
    automaton_ = &LexAutomaton(tables);
    automatonTables_ = &tables;
  }
}

// True when the next character begins a run token at `entry` (false when
// no character waits in the line).
inline bool TCustomLexer::BeginsRunAt(int entry) const {
  return next_ < buffer_.size() && automaton_->runStarts[static_cast<size_t>(entry)].Contains(
                                       static_cast<unsigned char>(buffer_[next_]));
}

// Takes the run token that the next character begins at `entry` (BeginsRunAt)
// as ScanToken and TakeMatch would, and returns its length; 0, with nothing
// changed, when the scan would go past the buffered line or the length
// limit. A run needs no automaton steps: its characters are tested against
// one row of transitions each.
size_t TCustomLexer::TakeRunToken(int entry) {
  const TLexAutomaton& automaton = *automaton_;
  const auto* text = reinterpret_cast<const unsigned char*>(buffer_.data());
  const int32_t first = automaton.next[static_cast<size_t>(entry) * 256 + text[next_]];
  const int32_t* firstRow = &automaton.next[static_cast<size_t>(first) * 256];
  size_t end = next_ + 1;
  int32_t last = first;
  if (end < buffer_.size() && firstRow[text[end]] >= 0) {
    last = firstRow[text[end]];
    const int32_t* loopRow = &automaton.next[static_cast<size_t>(last) * 256];
    for (++end; end < buffer_.size() && loopRow[text[end]] == last;) ++end;
  }
  const size_t length = end - next_;
  if (end == buffer_.size() || length >= kLexMaxTokenText) return 0;
  state_ = last;
  rule_ = automaton.accepts[static_cast<size_t>(first)].rule;
  yytext.append(buffer_, next_, length);
  next_ = end;
  colNo_ += static_cast<int>(length);
  lastTokenChar_ = text[end - 1];
  return length;
}

// Takes the next token's text into yytext and its rule into rule_; false
// when no rule matches (the end of the input).
inline bool TCustomLexer::TakeToken() {
  if (lexRunShortcut && BeginsRunAt(state_) && TakeRunToken(state_) != 0) return true;
  return TakeMatch(ScanToken());
}

int TCustomLexer::RunScanner(const TLexTables& tables) {
  Prepare(tables);
  for (;;) {
    BeginToken();
    if (!TakeToken()) {
      DefaultAction();
      return 0;
    }
    Action(rule_);
    if (done_) return returnValue_;
  }
}
