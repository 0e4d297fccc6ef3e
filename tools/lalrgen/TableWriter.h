// Writes an automaton as a C++ source of constant tables (TYyTables of the
// parser engine), with a name table of tokens, nonterminals and rules for
// traces, and the grammar's names as a C++ header: the enum of its token
// codes (%tokenenum) and the enum class of its rule labels (%ruleenum).
// The texts depend only on the grammar, so they are reproducible.
#pragma once

#include <string>

#include "Grammar.h"
#include "Lalr.h"

namespace lalrgen {

/// grammarName is the grammar file's name as the first line shows it.
std::string WriteTables(const TGrammar& grammar, const TAutomaton& automaton, const std::string& grammarName);

/// The header of the token and rule enums; the grammar declares at least one.
std::string WriteHeader(const TGrammar& grammar, const std::string& grammarName);

}  // namespace lalrgen
