// LALR(1) automaton construction.
//
// The LR(0) states are built breadth first from state 0; the successors of a
// state are numbered in symbol order: nonterminals in their declared order,
// then tokens by code. Look-aheads come from the classic propagation method
// (spontaneous look-aheads and propagation links found by LR(1) closures of
// each kernel item with a dummy look-ahead). Conflicts: precedence decides
// where both the token and the rule have one; every other shift/reduce
// conflict is settled by shifting, a reduce/reduce conflict by the lower rule.
// A state whose only action is one reduction reduces by default and keeps no
// action entries; every other state lists its look-aheads explicitly.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "Grammar.h"

namespace lalrgen {

struct TAction {
  int symbol = 0;  // token code
  int action = 0;  // > 0 shift to that state, < 0 reduce by rule -action, 0 accept
};

struct TGoto {
  int symbol = 0;  // nonterminal (negative)
  int target = 0;
};

struct TAutomaton {
  std::vector<std::vector<TAction>> actions;      // per state, in table order
  std::vector<std::vector<TGoto>> gotos;          // per state
  std::vector<int> defaults;                      // per state: 0 or -rule
  std::vector<std::string> conflicts;             // one line per conflict settled by default
  std::vector<std::vector<std::string>> kernels;  // per state, its kernel items as text
  int StateCount() const { return static_cast<int>(actions.size()); }
};

TAutomaton BuildLalr(const TGrammar& grammar);

}  // namespace lalrgen
