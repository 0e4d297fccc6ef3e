// The lexer engine: the reusable half of every scanner of the system.
//
// A concrete lexer derives from TCustomLexer, supplies its automaton tables
// and rule actions, and implements yylex by driving the engine (RunScanner).
// The engine reads its input line by line from a text stream into a
// push-back buffer (the line and its line feed, read forwards from a
// position; a character given back steps the position back, so only giving
// back more than was read of the line moves any text; a token that runs on
// into the next line keeps its part of the line before it in the buffer),
// builds the token text yytext, counts lines and columns for messages, and
// writes trace lines to the output stream and error lines to the error
// stream. Parsers read the position, yytext and the streams for their
// reports.
//
// Matching is the classic longest match with the lowest rule number winning
// a tie. Every accepting state marks and lists the same rules, lowest first,
// so the match is always the lowest rule of the last accepting state
// entered beyond the empty text, at the token length there: the scan keeps
// just that rule and length, and gives back the characters read beyond it.
// It also counts the rules the accepting states it enters list (at most
// 1024 per token), the limit of the match stack the tables were made for.
//
// Most tokens of a command file are runs: a word, a number, white space, a
// rest-of-line argument. Where the tables show that a first character can
// only begin such a run (a first state, then one state that loops, both
// accepting the same rule first), the engine takes the token by testing its
// characters against one row of transitions, with the same result as the
// scan (fuzz/LexPathsFuzz.cpp compares the two); a run that would reach the
// end of the buffered line or the length limit is scanned.
//
// The scan state that lives across tokens and lexer instances (start
// condition and at-line-start) is engine-wide by design: only one scan runs
// at a time, and constructing a lexer resets it. It sits in one place,
// TLexEngineState, reached through LexEngine().
//
// The engine's limits (255 characters of token text, 2048 characters of
// push-back, 256 rules, 1024 rules listed per token) end the run with a
// script error "LexLib: <what> at line L, column C in "<source>"". A line
// longer than the push-back buffer is taken whole: the buffer grows to hold
// the current line, and only pushing back more than it holds is an
// overflow.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "util/StreamFuncs.h"
#include "util/TarvCommon.h"

/// A set of byte values (0..255), one bit per value.
struct TLexCharSet {
  uint32_t bits[8];
  constexpr bool Contains(unsigned char c) const { return (bits[c >> 5] >> (c & 31)) & 1u; }
};

/// One transition: on a character of the set go to the target state.
struct TLexTransition {
  TLexCharSet chars;
  int target;
};

/// Inclusive index ranges into the mark, match and transition arrays; a range
/// whose low end exceeds its high end is empty.
struct TLexStateRanges {
  int markLo, markHi;
  int matchLo, matchHi;
  int transLo, transHi;
};

/// The constant automaton of one concrete lexer, written by the lexer
/// generator. Start condition k (start state 2k) enters the automaton at
/// state 2k when the token does not begin a line and at 2k+1 when it does;
/// rules anchored with "^" are reachable only from the odd entry states.
/// In every accepting state the marks and the matches list the same rules,
/// the matches lowest rule number first.
struct TLexTables {
  const int* marks;
  const int* matches;
  const TLexTransition* transitions;
  const TLexStateRanges* states;
  int stateCount;
  const char* const* ruleNames;  // ruleNames[r - 1] names rule r
  int ruleCount;
};

constexpr int kLexMaxRules = 256;
constexpr int kLexMatchStackSize = 1024;
constexpr int kLexBufferSize = 2048;
constexpr size_t kLexMaxTokenText = 255;

/// The scan state shared by all lexer instances.
struct TLexEngineState {
  int startState = 0;   // active start condition times two
  int atLineStart = 1;  // 1 when the next token begins a line
};

/// The match a token's scan found: the lowest rule of the last accepting
/// state it entered, and the token length there (0: no match).
struct TLexMatch {
  int rule = 0;
  size_t length = 0;
};

/// The one engine-wide scan state.
TLexEngineState& LexEngine();

/// Whether the engine takes run tokens by its shortcut (on at start). The
/// fuzz target that proves the shortcut equal to the plain scan turns it off
/// for its second pass over each input.
void SetLexRunShortcut(bool on);

/// How the scan treats entering an automaton state, from the most common
/// case: it changes nothing, it records a match and reads on, it ends the
/// scan (no transitions; it may record a match first), or it marks a rule
/// number above kLexMaxRules, which ends the run.
enum class TLexStateKind : uint8_t { PassThrough, Accepting, Final, BadRule };

/// What entering one automaton state does to the match.
struct TLexAccept {
  int32_t rule = 0;   // the state's lowest rule (top of its matches), 0 = none
  int32_t count = 0;  // number of its matches
  TLexStateKind kind = TLexStateKind::PassThrough;
};

/// The automaton prepared for scanning: its transitions as one row of 256
/// target states per state (-1: none), the first transition in table order
/// that holds the character, so scanning a character is one look-up instead
/// of a search through the state's character sets; and per state what it
/// accepts. Built once per automaton, on first use: the tables must live as
/// long as the program, as the generated ones do.
struct TLexAutomaton {
  std::vector<int32_t> next;
  std::vector<TLexAccept> accepts;
  // Per state the characters that certainly begin a run token there (see
  // FindRunTokens in LexLib.cpp).
  std::vector<TLexCharSet> runStarts;
  bool stackCanOverflow = false;  // a token could push more than kLexMatchStackSize matches
};
const TLexAutomaton& LexAutomaton(const TLexTables& tables);

class TCustomLexer {
 public:
  TCustomLexer();
  virtual ~TCustomLexer() = default;
  TCustomLexer(const TCustomLexer&) = delete;
  TCustomLexer& operator=(const TCustomLexer&) = delete;

  /// The next token code; 0 at the end of the input.
  virtual int yylex() = 0;

  /// Starts over as a newly constructed lexer would: line 0, empty buffers,
  /// the engine-wide scan state reset.
  void Restart();

  /// Gives the lexer its input (not owned), the source name shown in messages
  /// and the two buffers for trace lines and error lines (not owned).
  void Attach(TTextStream* input, const std::string& sourceName, TTextStream* output, TTextStream* errors);

  const std::string& SourceName() const { return sourceName_; }
  int LineNo() const { return lineNo_; }
  int ColNo() const { return colNo_; }
  TTextStream& Output() const { return *output_; }
  TTextStream& Errors() const { return *errors_; }

  /// Text of the token being (or last) scanned; at most 255 characters while
  /// the automaton scans (the string readers of the lexers may extend it).
  std::string yytext;

 protected:
  /// Runs the automaton until an action returns a token (or the input ends)
  /// and returns its code; the concrete yylex calls it with its own tables.
  int RunScanner(const TLexTables& tables);
  /// The action of rule number `rule`; it may call ReturnToken/ReturnChar.
  virtual void Action(int rule) = 0;

  /// The next character, 0 at the end of the input.
  unsigned char GetChar() {
    if (next_ == buffer_.size() && !LoadNextLine()) return 0;
    ++colNo_;
    return static_cast<unsigned char>(buffer_[next_++]);
  }
  /// Pushes c back so that the next GetChar returns it.
  void UngetChar(unsigned char c) {
    if (buffer_.size() - next_ >= bufferCapacity_) Fatal("input buffer overflow");
    if (next_ > 0)
      buffer_[--next_] = static_cast<char>(c);
    else
      buffer_.insert(buffer_.begin(), static_cast<char>(c));
    --colNo_;
  }
  /// Keeps the first n characters of yytext and gives the rest back.
  void yyless(size_t n);
  /// Writes message and CR LF to the output stream while the parser trace is on.
  void Trace(std::string_view message) {
    if (Tracing()) StreamWriteLine(*output_, message);
  }
  /// True while the parser trace is on: callers build trace texts only then.
  bool Tracing() const { return runState_->ParserTrace && output_ != nullptr; }
  /// The next character waiting in the current line, without reading it;
  /// -1 when the line is used up (the next one would be read first).
  int PeekBufferedChar() const {
    return next_ < buffer_.size() ? static_cast<unsigned char>(buffer_[next_]) : -1;
  }
  /// Makes `state` (start condition times two) the start state.
  void StartCondition(int state);
  void ReturnToken(int code) {
    returnValue_ = code;
    done_ = true;
  }
  void ReturnChar(unsigned char c) { ReturnToken(c); }
  /// Empties the buffer and the token text and starts over at line start
  /// in the initial condition.
  void ResetScanner();
  /// Writes one line to the error stream (for messages of the actions).
  void ErrorLine(const std::string& message);
  /// Reads up to the closing star-slash of a comment block ("/*" is read);
  /// a line feed right after it goes with the comment. False, with the
  /// "unexpected EOF inside comment" error line, when the input ends first.
  bool SkipCommentBlock();
  /// Ends the run with a positioned "LexLib: " script error.
  [[noreturn]] void Fatal(const std::string& message);

  std::string sourceName_;
  int lineNo_ = 0;
  int colNo_ = 0;
  TTextStream* input_ = nullptr;
  TTextStream* output_ = nullptr;
  TTextStream* errors_ = nullptr;

 private:
  // The run state, found once: its trace switch is read for every token.
  const TRunState* runState_ = &RunState();
  void Prepare(const TLexTables& tables);
  bool BeginsRunAt(int entry) const;
  size_t TakeRunToken(int entry);
  void BeginToken();
  bool TakeToken();
  [[noreturn]] void FailScan(const std::string& message);
  TLexMatch ScanToken();
  int ScanNextLine(int state, size_t length);
  bool TakeMatch(const TLexMatch& match);
  void DefaultAction();
  bool LoadNextLine(size_t keepFrom = std::string::npos);
  bool PushBackOverflows(size_t count) const;

  const TLexAutomaton* automaton_ = nullptr;     // the automaton being run
  const TLexTables* automatonTables_ = nullptr;  // the tables it was prepared from
  int state_ = 0;                                // current automaton state
  unsigned char lastTokenChar_ = 0;              // last character of the previous token, 0 = none
  int rule_ = 0;                                 // rule chosen for the current token
  bool done_ = false;                            // an action returned a token
  int returnValue_ = 0;
  // The characters waiting are buffer_[next_ ..]; their count is bounded by
  // bufferCapacity_ when one is given back.
  std::string buffer_;
  size_t next_ = 0;
  size_t bufferCapacity_ = kLexBufferSize;
  // While a token is scanned, its characters read from the current line are
  // buffer_[tokenPiece_ .. next_); yytext holds only those read from earlier
  // lines until the scan ends, so that a token within one line is copied once.
  size_t tokenPiece_ = 0;
};
