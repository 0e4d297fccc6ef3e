// Writes an automaton as a C++ source of constant tables (TYyTables of the
// parser engine), with a name table of tokens, nonterminals and rules for
// traces. The text depends only on the grammar, so it is reproducible.
#pragma once

#include <string>

#include "Grammar.h"
#include "Lalr.h"

namespace lalrgen {

/// grammarName is the grammar file's name as the first line shows it.
std::string WriteTables(const TGrammar& grammar, const TAutomaton& automaton, const std::string& grammarName);

}  // namespace lalrgen
