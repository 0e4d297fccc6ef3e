// lalrgen: the LALR(1) table generator of the parsers.
//
//   lalrgen GRAMMAR OUTPUT          writes the table source OUTPUT
//   lalrgen --check GRAMMAR OUTPUT  fails when OUTPUT differs from what
//                                   GRAMMAR gives (the committed file is stale)
//   lalrgen --report GRAMMAR OUTPUT writes a readable description of every
//                                   state (kernel items, actions, gotos)
//
// Conflicts settled by the default rules are listed on standard error; a
// grammar that declares "%expect n" fails when it has another number.
#include <fstream>
#include <iostream>
#include <sstream>

#include "Grammar.h"
#include "Lalr.h"
#include "TableWriter.h"

namespace {

bool ReadFile(const std::string& path, std::string& text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream buffer;
  buffer << in.rdbuf();
  text = buffer.str();
  return true;
}

std::string BaseName(const std::string& path) {
  size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Line number (1-based) of the first difference, 0 when equal.
int FirstDifferentLine(const std::string& a, const std::string& b) {
  std::istringstream sa(a), sb(b);
  std::string la, lb;
  for (int line = 1;; ++line) {
    bool ha = static_cast<bool>(std::getline(sa, la));
    bool hb = static_cast<bool>(std::getline(sb, lb));
    if (!ha && !hb) return a == b ? 0 : line;
    if (ha != hb || la != lb) return line;
  }
}

bool CheckConflicts(const lalrgen::TGrammar& grammar, const lalrgen::TAutomaton& automaton,
                    const std::string& grammarPath) {
  int count = static_cast<int>(automaton.conflicts.size());
  if (count == 0 && grammar.expectedConflicts <= 0) return true;
  bool expected = count == grammar.expectedConflicts;
  if (!expected) {
    for (const auto& line : automaton.conflicts) std::cerr << grammarPath << ": " << line << "\n";
    std::cerr << grammarPath << ": " << count << " conflicts settled by default";
    if (grammar.expectedConflicts >= 0) std::cerr << ", but %expect says " << grammar.expectedConflicts;
    std::cerr << "\n";
  }
  return expected || grammar.expectedConflicts < 0;
}

std::string Report(const lalrgen::TGrammar& g, const lalrgen::TAutomaton& a) {
  std::ostringstream out;
  for (int s = 0; s < a.StateCount(); ++s) {
    out << "state " << s << "\n";
    for (const auto& item : a.kernels[s]) out << "    " << item << "\n";
    if (a.defaults[s] != 0) out << "  default: reduce " << -a.defaults[s] << "\n";
    for (const auto& action : a.actions[s]) {
      out << "  " << g.SymbolName(action.symbol) << ": ";
      if (action.action > 0) out << "shift " << action.action;
      else if (action.action < 0) out << "reduce " << -action.action;
      else out << "accept";
      out << "\n";
    }
    for (const auto& go : a.gotos[s]) out << "  " << g.SymbolName(go.symbol) << ": goto " << go.target << "\n";
    out << "\n";
  }
  for (const auto& line : a.conflicts) out << line << "\n";
  return out.str();
}

int Run(bool check, bool report, const std::string& grammarPath, const std::string& outputPath) {
  std::string text;
  if (!ReadFile(grammarPath, text)) {
    std::cerr << "lalrgen: cannot read \"" << grammarPath << "\"\n";
    return 1;
  }
  lalrgen::TGrammar grammar = lalrgen::ReadGrammar(text, grammarPath);
  lalrgen::TAutomaton automaton = lalrgen::BuildLalr(grammar);
  if (!CheckConflicts(grammar, automaton, grammarPath)) return 1;
  std::string tables = report ? Report(grammar, automaton)
                              : lalrgen::WriteTables(grammar, automaton, BaseName(grammarPath));
  if (check) {
    std::string committed;
    if (!ReadFile(outputPath, committed)) {
      std::cerr << "lalrgen: cannot read \"" << outputPath << "\"\n";
      return 1;
    }
    int line = FirstDifferentLine(tables, committed);
    if (line == 0) return 0;
    std::cerr << "lalrgen: \"" << outputPath << "\" differs from what \"" << grammarPath << "\" gives, from line "
              << line << "; rebuild the target regenerate-parsers\n";
    return 1;
  }
  std::ofstream out(outputPath, std::ios::binary);
  out << tables;
  if (!out.flush()) {
    std::cerr << "lalrgen: cannot write \"" << outputPath << "\"\n";
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  bool check = argc == 4 && std::string(argv[1]) == "--check";
  bool report = argc == 4 && std::string(argv[1]) == "--report";
  if (argc != 3 && !check && !report) {
    std::cerr << "usage: lalrgen [--check | --report] GRAMMAR OUTPUT\n";
    return 2;
  }
  try {
    return Run(check, report, argv[argc - 2], argv[argc - 1]);
  } catch (const lalrgen::EGrammarError& error) {
    std::cerr << error.what() << "\n";
    return 1;
  }
}
