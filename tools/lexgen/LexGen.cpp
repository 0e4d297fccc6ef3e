// lexgen: writes the automaton tables of a lexer from its rules file.
//
//   lexgen <rules file> <output .cpp>
//
// A rules file has two sections divided by a line "%%". Lines beginning with
// "#" and empty lines are skipped.
//   Section one:  %tables <symbol>       name of the TLexTables object
//                 %header <path>         header that declares it and the rules
//                 %rules <prefix>        qualifier of the rule-name constants
//                 %conditions <A> <B>..  start conditions 1, 2, ... (0 is INITIAL)
//                 <name> <pattern>       a definition, used as {name}
//   Section two:  <RuleName> [<COND,...>][^]<pattern>
// Rules are numbered from 1 in file order. A rule without a condition list is
// active in every condition; "^" makes it match only at the start of a line.
// The output names the rules file by its file name only and holds nothing
// that depends on the machine or the time, so it is reproducible.
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>

#include "Dfa.h"
#include "Nfa.h"

namespace {

struct TRule {
  std::string name;
  std::vector<int> conditions;  // empty: all
  bool anchored = false;
  int start = 0;  // NFA start state
};

struct TRulesFile {
  std::string fileName;
  std::string tables, header, rulesPrefix;
  std::vector<std::string> conditions{"INITIAL"};
  std::map<std::string, std::string> definitions;
  std::vector<TRule> rules;
  TNfa nfa;
};

std::string BaseName(const std::string& path) {
  size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string Trim(const std::string& text) {
  size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return "";
  size_t last = text.find_last_not_of(" \t\r");
  return text.substr(first, last - first + 1);
}

// Splits "word rest" at the first blank; rest is trimmed.
std::pair<std::string, std::string> SplitWord(const std::string& line) {
  size_t blank = line.find_first_of(" \t");
  if (blank == std::string::npos) return {line, ""};
  return {line.substr(0, blank), Trim(line.substr(blank))};
}

int ConditionNumber(const TRulesFile& file, const std::string& name) {
  for (size_t i = 0; i < file.conditions.size(); ++i)
    if (file.conditions[i] == name) return static_cast<int>(i);
  throw ERulesError("unknown start condition <" + name + ">");
}

void ReadDirective(TRulesFile& file, const std::string& word, const std::string& rest) {
  if (word == "%tables")
    file.tables = rest;
  else if (word == "%header")
    file.header = rest;
  else if (word == "%rules")
    file.rulesPrefix = rest;
  else if (word == "%conditions") {
    std::istringstream names(rest);
    for (std::string name; names >> name;) file.conditions.push_back(name);
  } else
    throw ERulesError("unknown directive " + word);
}

// Takes "<A,B>" and "^" off the front of a rule's pattern.
std::string ReadRulePrefix(TRulesFile& file, TRule& rule, std::string pattern) {
  if (!pattern.empty() && pattern[0] == '<') {
    size_t close = pattern.find('>');
    if (close == std::string::npos) throw ERulesError("missing '>' in condition list");
    std::istringstream names(pattern.substr(1, close - 1));
    for (std::string name; std::getline(names, name, ',');)
      rule.conditions.push_back(ConditionNumber(file, Trim(name)));
    pattern = pattern.substr(close + 1);
  }
  if (!pattern.empty() && pattern[0] == '^') {
    rule.anchored = true;
    pattern = pattern.substr(1);
  }
  return pattern;
}

void ReadRule(TRulesFile& file, const std::string& name, const std::string& text) {
  TRule rule;
  rule.name = name;
  std::string pattern = ReadRulePrefix(file, rule, text);
  TNfaFragment fragment = file.nfa.Compile(pattern, file.definitions);
  file.rules.push_back(rule);
  file.nfa.Accept(fragment, static_cast<int>(file.rules.size()));
  file.rules.back().start = fragment.start;
}

void ReadLine(TRulesFile& file, const std::string& line, bool& inRules) {
  if (line.empty() || line[0] == '#') return;
  if (line == "%%") {
    inRules = true;
    return;
  }
  auto [word, rest] = SplitWord(line);
  if (rest.empty()) throw ERulesError("a name needs a pattern");
  if (inRules)
    ReadRule(file, word, rest);
  else if (word[0] == '%')
    ReadDirective(file, word, rest);
  else
    file.definitions[word] = rest;
}

TRulesFile ReadRulesFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw ERulesError("cannot open " + path);
  TRulesFile file;
  file.fileName = BaseName(path);
  bool inRules = false;
  int lineNo = 0;
  for (std::string line; std::getline(in, line);) {
    ++lineNo;
    try {
      ReadLine(file, Trim(line), inRules);
    } catch (const ERulesError& e) {
      throw ERulesError(path + ":" + std::to_string(lineNo) + ": " + e.what());
    }
  }
  if (file.rules.empty()) throw ERulesError(path + ": no rules");
  if (file.tables.empty() || file.header.empty())
    throw ERulesError(path + ": %tables and %header are required");
  return file;
}

// Entry 2k + b: the rules active in condition k, without anchored ones
// unless b (at line start) is 1.
std::vector<std::vector<int>> EntrySets(const TRulesFile& file) {
  std::vector<std::vector<int>> entries;
  for (int k = 0; k < static_cast<int>(file.conditions.size()); ++k) {
    for (int atLineStart = 0; atLineStart <= 1; ++atLineStart) {
      std::vector<int> starts;
      for (const TRule& rule : file.rules) {
        bool active = rule.conditions.empty() ||
                      std::find(rule.conditions.begin(), rule.conditions.end(), k) != rule.conditions.end();
        if (active && (atLineStart == 1 || !rule.anchored)) starts.push_back(rule.start);
      }
      entries.push_back(starts);
    }
  }
  return entries;
}

// ---- Output ----------------------------------------------------------------

struct TGroupedTransition {
  TCharSet chars;
  int target;
};

// One transition per target state, in the order of their lowest byte.
std::vector<TGroupedTransition> GroupTransitions(const TDfaState& state) {
  std::vector<TGroupedTransition> groups;
  for (int c = 0; c < 256; ++c) {
    int target = state.target[c];
    if (target < 0) continue;
    auto found = std::find_if(groups.begin(), groups.end(), [&](auto& g) { return g.target == target; });
    if (found == groups.end()) groups.push_back({TCharSet(), target}), found = groups.end() - 1;
    found->chars.set(c);
  }
  return groups;
}

std::string CharSetText(const TCharSet& chars) {
  std::string text = "{{";
  for (int word = 0; word < 8; ++word) {
    unsigned long value = 0;
    for (int bit = 0; bit < 32; ++bit)
      if (chars.test(word * 32 + bit)) value |= 1ul << bit;
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "0x%08lX", value);
    text += (word ? ", " : "") + std::string(buffer);
  }
  return text + "}}";
}

std::string IntList(const std::vector<int>& values) {
  if (values.empty()) return "  0,  // (none)\n";
  std::string text;
  for (size_t i = 0; i < values.size(); ++i)
    text += (i % 16 == 0 ? "  " : " ") + std::to_string(values[i]) + "," + (i % 16 == 15 ? "\n" : "");
  if (values.size() % 16 != 0) text += "\n";
  return text;
}

void WriteTables(std::ostream& out, const std::vector<TDfaState>& dfa) {
  std::vector<int> marks;
  std::string transitions, states;
  int transCount = 0;
  for (size_t s = 0; s < dfa.size(); ++s) {
    int lo = static_cast<int>(marks.size());
    marks.insert(marks.end(), dfa[s].rules.begin(), dfa[s].rules.end());
    int hi = static_cast<int>(marks.size()) - 1;
    int tLo = transCount;
    for (const auto& group : GroupTransitions(dfa[s])) {
      transitions += "  {" + CharSetText(group.chars) + ", " + std::to_string(group.target) + "},\n";
      ++transCount;
    }
    states += "  {" + std::to_string(lo) + ", " + std::to_string(hi) + ", " + std::to_string(lo) + ", " +
              std::to_string(hi) + ", " + std::to_string(tLo) + ", " + std::to_string(transCount - 1) +
              "},  // " + std::to_string(s) + "\n";
  }
  if (transCount == 0) transitions = "  {{{0, 0, 0, 0, 0, 0, 0, 0}}, 0},  // (none)\n";
  out << "const int kMarks[] = {\n" << IntList(marks) << "};\n\n";
  out << "// The same rules as the marks, lowest rule number first.\n";
  out << "const int kMatches[] = {\n" << IntList(marks) << "};\n\n";
  out << "const TLexTransition kTransitions[] = {\n" << transitions << "};\n\n";
  out << "// marks, matches and transitions of each state (inclusive ranges)\n";
  out << "const TLexStateRanges kStates[] = {\n" << states << "};\n\n";
}

void WriteOutput(std::ostream& out, const TRulesFile& file, const std::vector<TDfaState>& dfa) {
  out << "// Generated from " << file.fileName << ". Do not edit.\n//\n";
  out << "// " << dfa.size() << " states for " << file.rules.size() << " rules; entry state 2k is start "
      << "condition k inside a line, 2k+1 at a line start:";
  for (size_t k = 0; k < file.conditions.size(); ++k) out << " " << k << " " << file.conditions[k];
  out << ".\n#include \"" << file.header << "\"\n\n";
  for (size_t r = 0; r < file.rules.size(); ++r)
    out << "static_assert(" << file.rulesPrefix << file.rules[r].name << " == " << r + 1 << ");\n";
  out << "\nnamespace {\n\nconst char* const kRuleNames[] = {\n";
  for (const TRule& rule : file.rules) out << "  \"" << rule.name << "\",\n";
  out << "};\n\n";
  WriteTables(out, dfa);
  out << "}  // namespace\n\n";
  out << "const TLexTables " << file.tables << " = {kMarks, kMatches, kTransitions, kStates, " << dfa.size()
      << ", kRuleNames, " << file.rules.size() << "};\n";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: lexgen <rules file> <output .cpp>\n";
    return 2;
  }
  try {
    TRulesFile file = ReadRulesFile(argv[1]);
    std::vector<TDfaState> dfa = BuildDfa(file.nfa, EntrySets(file));
    std::ostringstream text;
    WriteOutput(text, file, dfa);
    std::ofstream out(argv[2], std::ios::binary);
    if (!(out << text.str())) throw ERulesError(std::string("cannot write ") + argv[2]);
  } catch (const std::exception& e) {
    std::cerr << "lexgen: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
