#include "TableWriter.h"

#include <algorithm>
#include <sstream>

namespace lalrgen {
namespace {

std::string Quoted(const std::string& text) {
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') quoted += '\\';
    if (c == '\n') {
      quoted += "\\n";
      continue;
    }
    quoted += c;
  }
  return quoted + "\"";
}

std::string ActionText(int action) {
  if (action > 0) return "shift " + std::to_string(action);
  if (action < 0) return "reduce " + std::to_string(-action);
  return "accept";
}

class TWriter {
 public:
  TWriter(const TGrammar& g, const TAutomaton& a) : g_(g), a_(a) {}

  std::string Write(const std::string& grammarName) {
    int actionCount = 0, gotoCount = 0;
    for (const auto& list : a_.actions) actionCount += static_cast<int>(list.size());
    for (const auto& list : a_.gotos) gotoCount += static_cast<int>(list.size());
    out_ << "// Generated from " << grammarName << ". Do not edit.\n"
         << "//\n"
         << "// LALR(1) tables: " << a_.StateCount() << " states, " << actionCount << " action entries, "
         << gotoCount << " goto entries, " << g_.rules.size() << " rules (rule 0 is the accept rule).\n"
         << "// The encoding is described at TYyTables in lang/YaccLib.h.\n"
         << "#include \"lang/YaccLib.h\"\n\nnamespace {\n\n";
    WriteActions();
    WriteGotos();
    WriteDefaults();
    WriteRules();
    WriteNames();
    out_ << "}  // namespace\n\n"
         << "extern const TYyTables " << g_.tablesName << ";\n"
         << "const TYyTables " << g_.tablesName << " = {\n"
         << "    .stateCount = " << a_.StateCount() << ",\n"
         << "    .actions = kActions,\n    .actionCount = " << actionCount << ",\n"
         << "    .actionRanges = kActionRanges,\n"
         << "    .gotos = kGotos,\n    .gotoCount = " << gotoCount << ",\n"
         << "    .gotoRanges = kGotoRanges,\n"
         << "    .defaults = kDefaults,\n"
         << "    .rules = kRules,\n    .ruleCount = " << g_.rules.size() << ",\n"
         << "    .tokenNames = kTokenNames,\n    .tokenNameCount = " << g_.tokenNames.size() << ",\n"
         << "    .nonterminalNames = kNonterminalNames,\n    .nonterminalCount = " << g_.nonterminals.size()
         << ",\n"
         << "    .ruleTexts = kRuleTexts,\n"
         << "};\n";
    return out_.str();
  }

 private:
  void WriteActions() {
    out_ << "constexpr TYyEntry kActions[] = {\n";
    for (int s = 0; s < a_.StateCount(); ++s)
      for (const TAction& a : a_.actions[s])
        out_ << "    {" << a.symbol << ", " << a.action << "},  // state " << s << ", "
             << g_.SymbolName(a.symbol) << ": " << ActionText(a.action) << "\n";
    if (a_.actions.empty()) out_ << "    {0, 0},\n";
    out_ << "};\n\n";
    WriteRanges("kActionRanges", a_.actions);
  }

  void WriteGotos() {
    out_ << "constexpr TYyEntry kGotos[] = {\n";
    for (int s = 0; s < a_.StateCount(); ++s)
      for (const TGoto& g : a_.gotos[s])
        out_ << "    {" << g.symbol << ", " << g.target << "},  // state " << s << ", "
             << g_.SymbolName(g.symbol) << ": goto " << g.target << "\n";
    out_ << "};\n\n";
    WriteRanges("kGotoRanges", a_.gotos);
  }

  template <class TList>
  void WriteRanges(const char* name, const std::vector<TList>& perState) {
    out_ << "constexpr TYyRange " << name << "[] = {\n";
    int next = 0;
    for (size_t s = 0; s < perState.size(); ++s) {
      int count = static_cast<int>(perState[s].size());
      out_ << "    {" << next << ", " << next + count - 1 << "},  // state " << s << "\n";
      next += count;
    }
    out_ << "};\n\n";
  }

  void WriteDefaults() {
    out_ << "constexpr int32_t kDefaults[] = {\n";
    for (int s = 0; s < a_.StateCount(); ++s) out_ << "    " << a_.defaults[s] << ",  // state " << s << "\n";
    out_ << "};\n\n";
  }

  void WriteRules() {
    out_ << "constexpr TYyRule kRules[] = {\n";
    for (size_t r = 0; r < g_.rules.size(); ++r) {
      const TRule& rule = g_.rules[r];
      int lhs = r == 0 ? 0 : rule.lhs;
      int length = static_cast<int>(rule.rhs.size()) + (r == 0 ? 1 : 0);
      out_ << "    {" << length << ", " << lhs << "},  // " << r << ": " << RuleText(r) << "\n";
    }
    out_ << "};\n\n";
  }

  std::string RuleText(size_t r) const { return g_.RuleText(static_cast<int>(r)) + (r == 0 ? " $end" : ""); }

  void WriteNames() {
    out_ << "constexpr TYyTokenName kTokenNames[] = {\n";
    for (const auto& [code, name] : g_.tokenNames) out_ << "    {" << code << ", " << Quoted(name) << "},\n";
    out_ << "};\n\n";
    out_ << "constexpr const char* kNonterminalNames[] = {\n";
    for (size_t i = 0; i < g_.nonterminals.size(); ++i)
      out_ << "    " << Quoted(g_.nonterminals[i]) << ",  // " << -static_cast<int>(i) - 1 << "\n";
    out_ << "};\n\n";
    out_ << "constexpr const char* kRuleTexts[] = {\n";
    for (size_t r = 0; r < g_.rules.size(); ++r) out_ << "    " << Quoted(RuleText(r)) << ",\n";
    out_ << "};\n\n";
  }

  const TGrammar& g_;
  const TAutomaton& a_;
  std::ostringstream out_;
};

// Writes one enum, inside the namespaces its qualified name gives.
class TEnumWriter {
 public:
  TEnumWriter(std::ostringstream& out, const std::string& qualifiedName) : out_(out) {
    std::string name = qualifiedName;
    for (size_t colons; (colons = name.find("::")) != std::string::npos; name.erase(0, colons + 2))
      namespaces_.push_back(name.substr(0, colons));
    name_ = name;
  }

  void Open(const std::string& comment, const std::string& keyword) {
    out_ << comment;
    for (const auto& space : namespaces_) out_ << "namespace " << space << " {\n";
    out_ << keyword << " " << name_ << " : int {\n";
  }
  void Entry(const std::string& name, int value, const std::string& comment = "") {
    entries_.push_back({"  " + name + " = " + std::to_string(value) + ",", comment});
    width_ = std::max(width_, entries_.back().first.size());
  }
  // Writes the entries with their comments in one column.
  void Close() {
    for (const auto& [entry, comment] : entries_) {
      out_ << entry;
      if (!comment.empty()) out_ << std::string(width_ - entry.size() + 2, ' ') << "// " << comment;
      out_ << "\n";
    }
    out_ << "};\n";
    for (auto space = namespaces_.rbegin(); space != namespaces_.rend(); ++space)
      out_ << "}  // namespace " << *space << "\n";
  }

 private:
  std::ostringstream& out_;
  std::vector<std::string> namespaces_;
  std::string name_;
  std::vector<std::pair<std::string, std::string>> entries_;  // text up to the comma, comment
  size_t width_ = 0;
};

void WriteTokenEnum(std::ostringstream& out, const TGrammar& g) {
  TEnumWriter tokens(out, g.tokenEnum);
  tokens.Open(
      "/// Token codes: 0 is the end of input, 1..255 a single character, 256 the\n"
      "/// parser's error token.\n",
      "enum");
  for (const auto& [code, name] : g.tokenNames)
    if (code > kErrorToken) tokens.Entry(name, code);
  tokens.Close();
}

void WriteRuleEnum(std::ostringstream& out, const TGrammar& g) {
  TEnumWriter rules(out, g.ruleEnum);
  rules.Open(
      "/// The rules by their labels, valued as the parse tables number them (rule 0\n"
      "/// is the accept rule).\n",
      "enum class");
  for (size_t r = 1; r < g.rules.size(); ++r)
    rules.Entry(g.rules[r].label, static_cast<int>(r), g.RuleText(static_cast<int>(r)));
  rules.Close();
}

}  // namespace

std::string WriteHeader(const TGrammar& grammar, const std::string& grammarName) {
  std::ostringstream out;
  out << "// Generated from " << grammarName << ". Do not edit.\n"
      << "//\n"
      << "// The names of the grammar: its token codes and its rules by their labels.\n"
      << "#pragma once\n";
  if (!grammar.tokenEnum.empty()) {
    out << "\n";
    WriteTokenEnum(out, grammar);
  }
  if (!grammar.ruleEnum.empty()) {
    out << "\n";
    WriteRuleEnum(out, grammar);
  }
  return out.str();
}

std::string WriteTables(const TGrammar& grammar, const TAutomaton& automaton,
                        const std::string& grammarName) {
  return TWriter(grammar, automaton).Write(grammarName);
}

}  // namespace lalrgen
