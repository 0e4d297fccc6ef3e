// Regular expressions of a rules file, compiled to one nondeterministic
// automaton (Thompson construction).
//
// The syntax is the usual lex subset: literal characters, "quoted text",
// [classes] with ranges and ^ negation, escapes (\n \t \f \r \0 \xHH and \c
// for any other c), {name} for a definition, (groups), | and the postfix
// operators * + ?. A bare blank is refused, so that a pattern never ends in
// silence at a stray space: write " " or [ ] instead.
#pragma once

#include <bitset>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

using TCharSet = std::bitset<256>;

/// A rules-file error; the message names the line and what is wrong.
class ERulesError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct TNfaState {
  std::vector<int> epsilon;  // targets without input
  TCharSet chars;            // input that leads to `next`
  int next = -1;             // -1: no character edge
  int acceptsRule = 0;       // rule number accepted here, 0 = none
};

/// A piece of automaton with one entry and one exit state.
struct TNfaFragment {
  int start;
  int end;
};

class TNfa {
 public:
  /// Compiles `pattern`; `definitions` resolves {name}. Throws ERulesError.
  TNfaFragment Compile(const std::string& pattern, const std::map<std::string, std::string>& definitions);
  /// Marks the fragment's exit as accepting `rule`.
  void Accept(const TNfaFragment& fragment, int rule) { states_[fragment.end].acceptsRule = rule; }
  const std::vector<TNfaState>& States() const { return states_; }

 private:
  friend class TRegexParser;
  int NewState();
  TNfaFragment CharFragment(const TCharSet& chars);
  TNfaFragment Concat(TNfaFragment a, TNfaFragment b);
  TNfaFragment Alternate(TNfaFragment a, TNfaFragment b);
  TNfaFragment Star(TNfaFragment a);
  TNfaFragment Plus(TNfaFragment a);
  TNfaFragment Optional(TNfaFragment a);
  TNfaFragment Empty();

  std::vector<TNfaState> states_;
};
