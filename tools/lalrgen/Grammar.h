// The grammar model of the LALR(1) table generator and its reader.
//
// A grammar file declares its tokens with their codes, precedence levels,
// the order of its nonterminals and its start symbol, then lists its rules
// yacc-style after "%%". Rules are numbered 1, 2, ... in the order written;
// rule 0 is the added "$accept : start $end".
//
// An alternative may end with a label in braces ("| cmds cmdLine
// {CmdsNext}"), where yacc would put its action. "%ruleenum TName" asks for
// the enum class TName of the rules by their labels in the generated header,
// and then every alternative needs one: the actions switch on these names, so
// they stay bound to their rules wherever the alternatives stand in the file.
// "%tokenenum TName" (or "Space::TName") puts the enum of the named tokens
// there, so that the %token lines are the only place their codes are written.
//
// Symbols are plain integers: tokens are their codes (0 end of input, 1-255 characters, 256 the error
// token, 257 and up the named tokens); nonterminals are -1, -2, ... in the
// order of their %type declaration (then in order of first appearance).
#pragma once

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace lalrgen {

constexpr int kEndToken = 0;
constexpr int kErrorToken = 256;

enum class TAssoc { None, Left, Right, NonAssoc };

struct TPrecedence {
  int level = 0;  // 0: no precedence; higher binds tighter
  TAssoc assoc = TAssoc::None;
};

struct TRule {
  int lhs = 0;             // a nonterminal symbol (negative)
  std::vector<int> rhs;    // symbols
  TPrecedence precedence;  // of %prec, else of the last token with one
  int line = 0;            // where the alternative starts in the file
  std::string label;       // the name in braces after it; may be empty
};

struct TGrammar {
  std::string tablesName;                 // C++ name of the table object
  std::string tokenEnum;                  // %tokenenum: enum of the named tokens, "TName" or "Space::TName"
  std::string ruleEnum;                   // %ruleenum: enum class of the rule labels
  std::map<std::string, int> tokenCodes;  // named tokens
  std::map<int, std::string> tokenNames;  // every token the grammar knows, by code
  std::map<int, TPrecedence> tokenPrecedence;
  std::vector<std::string> nonterminals;  // index i is symbol -(i + 1)
  std::vector<TRule> rules;               // rules[0] is the accept rule
  int startSymbol = 0;
  int expectedConflicts = -1;  // %expect; -1: not declared

  static bool IsToken(int symbol) { return symbol >= 0; }
  static int NonterminalIndex(int symbol) { return -symbol - 1; }
  int AcceptSymbol() const { return -static_cast<int>(nonterminals.size()) - 1; }
  std::string SymbolName(int symbol) const;
  std::string RuleText(int rule) const;
  int MaxTokenCode() const;
};

/// A grammar file that cannot be read: the message names the file and line.
class EGrammarError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

/// Reads a grammar from its text; fileName is used in messages only.
TGrammar ReadGrammar(const std::string& text, const std::string& fileName);

}  // namespace lalrgen
