// Subset construction: the deterministic automaton that the lexer engine
// runs. The entry states come first, in the order given (two per start
// condition: not at line start, at line start), each its own state even when
// two entries reach the same automaton states, because the engine computes
// the entry number. Every other state is numbered in the order it is found,
// which keeps the output the same from run to run.
#pragma once

#include <vector>

#include "Nfa.h"

struct TDfaState {
  std::vector<int> nfaStates;  // sorted
  std::vector<int> rules;      // accepted rules, ascending
  int target[256];             // next state per byte, -1 = none
};

/// Builds the automaton; each entry is a set of NFA start states.
std::vector<TDfaState> BuildDfa(const TNfa& nfa, const std::vector<std::vector<int>>& entries);
