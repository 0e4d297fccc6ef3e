// lalrgen: the LALR(1) table generator of the parsers.
//
//   lalrgen GRAMMAR OUTPUT [HEADER]          writes the table source OUTPUT
//                                            and the header of the grammar's
//                                            token and rule enums
//   lalrgen --check GRAMMAR OUTPUT [HEADER]  fails when a file differs from
//                                            what GRAMMAR gives (the committed
//                                            file is stale)
//   lalrgen --report GRAMMAR OUTPUT          writes a readable description of
//                                            every state (kernel items,
//                                            actions, gotos)
//
// Conflicts settled by the default rules are listed on standard error; a
// grammar that declares "%expect n" fails when it has another number.
#include <fstream>
#include <iostream>
#include <sstream>
#include <vector>

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
      if (action.action > 0)
        out << "shift " << action.action;
      else if (action.action < 0)
        out << "reduce " << -action.action;
      else
        out << "accept";
      out << "\n";
    }
    for (const auto& go : a.gotos[s])
      out << "  " << g.SymbolName(go.symbol) << ": goto " << go.target << "\n";
    out << "\n";
  }
  for (const auto& line : a.conflicts) out << line << "\n";
  return out.str();
}

enum class TMode { Write, Check, Report };

struct TOutput {
  std::string path;
  std::string text;
};

bool CheckOutput(const TOutput& output, const std::string& grammarPath) {
  std::string committed;
  if (!ReadFile(output.path, committed)) {
    std::cerr << "lalrgen: cannot read \"" << output.path << "\"\n";
    return false;
  }
  int line = FirstDifferentLine(output.text, committed);
  if (line == 0) return true;
  std::cerr << "lalrgen: \"" << output.path << "\" differs from what \"" << grammarPath
            << "\" gives, from line " << line << "; rebuild the target regenerate-parsers\n";
  return false;
}

bool WriteOutput(const TOutput& output) {
  std::ofstream out(output.path, std::ios::binary);
  out << output.text;
  if (out.flush()) return true;
  std::cerr << "lalrgen: cannot write \"" << output.path << "\"\n";
  return false;
}

int Run(TMode mode, const std::string& grammarPath, const std::string& outputPath,
        const std::string& headerPath) {
  std::string text;
  if (!ReadFile(grammarPath, text)) {
    std::cerr << "lalrgen: cannot read \"" << grammarPath << "\"\n";
    return 1;
  }
  lalrgen::TGrammar grammar = lalrgen::ReadGrammar(text, grammarPath);
  if (!headerPath.empty() && grammar.tokenEnum.empty() && grammar.ruleEnum.empty()) {
    std::cerr << grammarPath
              << ": a header is asked for, but the grammar declares neither %tokenenum nor %ruleenum\n";
    return 1;
  }
  lalrgen::TAutomaton automaton = lalrgen::BuildLalr(grammar);
  if (!CheckConflicts(grammar, automaton, grammarPath)) return 1;
  if (mode == TMode::Report) return WriteOutput({outputPath, Report(grammar, automaton)}) ? 0 : 1;

  std::vector<TOutput> outputs{{outputPath, lalrgen::WriteTables(grammar, automaton, BaseName(grammarPath))}};
  if (!headerPath.empty())
    outputs.push_back({headerPath, lalrgen::WriteHeader(grammar, BaseName(grammarPath))});
  bool ok = true;
  for (const TOutput& output : outputs)
    ok = (mode == TMode::Check ? CheckOutput(output, grammarPath) : WriteOutput(output)) && ok;
  return ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  TMode mode = TMode::Write;
  if (!args.empty() && (args[0] == "--check" || args[0] == "--report")) {
    mode = args[0] == "--check" ? TMode::Check : TMode::Report;
    args.erase(args.begin());
  }
  size_t most = mode == TMode::Report ? 2 : 3;
  if (args.size() < 2 || args.size() > most) {
    std::cerr << "usage: lalrgen [--check] GRAMMAR OUTPUT [HEADER]\n"
                 "       lalrgen --report GRAMMAR OUTPUT\n";
    return 2;
  }
  try {
    return Run(mode, args[0], args[1], args.size() == 3 ? args[2] : std::string());
  } catch (const lalrgen::EGrammarError& error) {
    std::cerr << error.what() << "\n";
    return 1;
  }
}
