#include "Grammar.h"

#include <algorithm>
#include <cctype>

namespace lalrgen {

std::string TGrammar::SymbolName(int symbol) const {
  if (IsToken(symbol)) {
    auto it = tokenNames.find(symbol);
    return it != tokenNames.end() ? it->second : "'\\" + std::to_string(symbol) + "'";
  }
  if (symbol == AcceptSymbol()) return "$accept";
  return nonterminals.at(NonterminalIndex(symbol));
}

std::string TGrammar::RuleText(int rule) const {
  const TRule& r = rules.at(rule);
  std::string text = SymbolName(r.lhs) + " :";
  if (r.rhs.empty()) text += " /* empty */";
  for (int symbol : r.rhs) {
    text += ' ';
    text += SymbolName(symbol);
  }
  return text;
}

int TGrammar::MaxTokenCode() const { return tokenNames.empty() ? 0 : tokenNames.rbegin()->first; }

namespace {

enum class TLexKind { Name, Number, Char, Directive, Label, Separator, Colon, Bar, Semicolon, End };

struct TLexeme {
  TLexKind kind = TLexKind::End;
  std::string text;
  int value = 0;
  int line = 0;
};

// Splits the grammar file into its lexemes; comments are "#", "//" to the
// end of the line and "/* ... */".
class TGrammarScanner {
 public:
  TGrammarScanner(const std::string& text, const std::string& fileName) : text_(text), file_(fileName) {}

  std::vector<TLexeme> ScanAll() {
    std::vector<TLexeme> lexemes;
    for (;;) {
      lexemes.push_back(Next());
      if (lexemes.back().kind == TLexKind::End) return lexemes;
    }
  }

 private:
  [[noreturn]] void Fail(const std::string& message) const {
    throw EGrammarError(file_ + ":" + std::to_string(line_) + ": " + message);
  }
  char Peek(size_t ahead = 0) const { return pos_ + ahead < text_.size() ? text_[pos_ + ahead] : '\0'; }
  void Advance() {
    if (Peek() == '\n') ++line_;
    ++pos_;
  }
  void SkipBlanksAndComments();
  TLexeme Next();
  TLexeme CharLiteral();
  TLexeme Label();
  std::string Word();

  const std::string& text_;
  std::string file_;
  size_t pos_ = 0;
  int line_ = 1;
};

void TGrammarScanner::SkipBlanksAndComments() {
  for (;;) {
    char c = Peek();
    if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
      Advance();
    } else if (c == '#' || (c == '/' && Peek(1) == '/')) {
      while (Peek() != '\n' && Peek() != '\0') Advance();
    } else if (c == '/' && Peek(1) == '*') {
      int start = line_;
      Advance();
      Advance();
      while (!(Peek() == '*' && Peek(1) == '/')) {
        if (Peek() == '\0') {
          line_ = start;
          Fail("comment is not closed");
        }
        Advance();
      }
      Advance();
      Advance();
    } else {
      return;
    }
  }
}

std::string TGrammarScanner::Word() {
  std::string word;
  while (std::isalnum(static_cast<unsigned char>(Peek())) || Peek() == '_' || Peek() == '$') {
    word += Peek();
    Advance();
  }
  return word;
}

TLexeme TGrammarScanner::CharLiteral() {
  TLexeme lexeme{TLexKind::Char, "", 0, line_};
  Advance();  // opening quote
  char c = Peek();
  if (c == '\\') {
    Advance();
    char e = Peek();
    c = e == 'n' ? '\n' : e == 't' ? '\t' : e == 'r' ? '\r' : e;
  }
  if (c == '\0' || c == '\n') Fail("character literal is not closed");
  Advance();
  if (Peek() != '\'') Fail("character literal is not closed");
  Advance();
  lexeme.value = static_cast<unsigned char>(c);
  lexeme.text = std::string("'") + c + "'";
  return lexeme;
}

// "{" name "}", blanks allowed inside the braces.
TLexeme TGrammarScanner::Label() {
  TLexeme lexeme{TLexKind::Label, "", 0, line_};
  Advance();  // "{"
  while (Peek() == ' ' || Peek() == '\t') Advance();
  lexeme.text = Word();
  while (Peek() == ' ' || Peek() == '\t') Advance();
  bool identifier = !lexeme.text.empty() && !std::isdigit(static_cast<unsigned char>(lexeme.text[0])) &&
                    lexeme.text.find('$') == std::string::npos;
  if (!identifier || Peek() != '}') Fail("rule label expected: \"{\", a C++ name, \"}\"");
  Advance();
  return lexeme;
}

TLexeme TGrammarScanner::Next() {
  SkipBlanksAndComments();
  TLexeme lexeme{TLexKind::End, "", 0, line_};
  char c = Peek();
  if (c == '\0') return lexeme;
  if (c == '\'') return CharLiteral();
  if (c == '{') return Label();
  if (c == '%' && Peek(1) == '%') {
    Advance();
    Advance();
    lexeme.kind = TLexKind::Separator;
    return lexeme;
  }
  if (c == '%') {
    Advance();
    lexeme.kind = TLexKind::Directive;
    lexeme.text = Word();
    if (lexeme.text.empty()) Fail("directive name expected after %");
    return lexeme;
  }
  if (c == ':' || c == '|' || c == ';') {
    Advance();
    lexeme.kind = c == ':' ? TLexKind::Colon : c == '|' ? TLexKind::Bar : TLexKind::Semicolon;
    lexeme.text = std::string(1, c);
    return lexeme;
  }
  if (std::isdigit(static_cast<unsigned char>(c))) {
    lexeme.kind = TLexKind::Number;
    lexeme.text = Word();
    if (lexeme.text.find_first_not_of("0123456789") != std::string::npos || lexeme.text.size() > 9)
      Fail("bad number \"" + lexeme.text + "\"");
    lexeme.value = std::stoi(lexeme.text);
    return lexeme;
  }
  if (std::isalpha(static_cast<unsigned char>(c)) || c == '_' || c == '$') {
    lexeme.kind = TLexKind::Name;
    lexeme.text = Word();
    return lexeme;
  }
  Fail(std::string("unexpected character \"") + c + "\"");
}

// Builds the grammar from the lexemes: declarations, then rules.
class TGrammarReader {
 public:
  TGrammarReader(std::vector<TLexeme> lexemes, const std::string& fileName)
      : lexemes_(std::move(lexemes)), file_(fileName) {}

  TGrammar Read() {
    grammar_.tokenNames[kEndToken] = "$end";
    grammar_.tokenNames[kErrorToken] = "error";
    grammar_.tokenCodes["error"] = kErrorToken;
    ReadDeclarations();
    ReadRules();
    Finish();
    return std::move(grammar_);
  }

 private:
  [[noreturn]] void Fail(const std::string& message, int line) const {
    throw EGrammarError(file_ + ":" + std::to_string(line) + ": " + message);
  }
  const TLexeme& Peek() const { return lexemes_[pos_]; }
  const TLexeme& Take() { return lexemes_[pos_ < lexemes_.size() - 1 ? pos_++ : pos_]; }
  bool AtOperand() const { return Peek().kind == TLexKind::Name || Peek().kind == TLexKind::Char; }

  void ReadDeclarations();
  void ReadTokens();
  std::string QualifiedName(const TLexeme& directive);
  void ReadPrecedence(TAssoc assoc);
  void ReadRules();
  void ReadAlternatives(int lhs);
  int TokenOf(const TLexeme& lexeme);
  int SymbolOf(const TLexeme& lexeme);
  int Nonterminal(const std::string& name);
  void Finish();
  void CheckEveryNonterminalHasRules() const;
  void ReadLabel(TRule& rule);
  void CheckEveryRuleIsLabelled() const;

  std::vector<TLexeme> lexemes_;
  std::string file_;
  size_t pos_ = 0;
  TGrammar grammar_;
  int precedenceLevel_ = 0;
  std::string startName_;
  int startLine_ = 0;
  std::map<std::string, int> nonterminalLines_;
  std::map<std::string, int> labelLines_;
};

void TGrammarReader::ReadDeclarations() {
  while (Peek().kind != TLexKind::Separator) {
    const TLexeme& directive = Take();
    if (directive.kind != TLexKind::Directive) Fail("declaration or %% expected", directive.line);
    const std::string& d = directive.text;
    if (d == "token") {
      ReadTokens();
    } else if (d == "left" || d == "right" || d == "nonassoc") {
      ReadPrecedence(d == "left" ? TAssoc::Left : d == "right" ? TAssoc::Right : TAssoc::NonAssoc);
    } else if (d == "type") {
      while (Peek().kind == TLexKind::Name) Nonterminal(Take().text);
    } else if (d == "start" || d == "tables") {
      const TLexeme& name = Take();
      if (name.kind != TLexKind::Name) Fail("name expected after %" + d, directive.line);
      (d == "start" ? startName_ : grammar_.tablesName) = name.text;
      startLine_ = name.line;
    } else if (d == "tokenenum" || d == "ruleenum") {
      (d == "tokenenum" ? grammar_.tokenEnum : grammar_.ruleEnum) = QualifiedName(directive);
    } else if (d == "expect") {
      const TLexeme& count = Take();
      if (count.kind != TLexKind::Number) Fail("number expected after %expect", directive.line);
      grammar_.expectedConflicts = count.value;
    } else {
      Fail("unknown directive %" + d, directive.line);
    }
  }
  Take();
}

void TGrammarReader::ReadTokens() {
  while (Peek().kind == TLexKind::Name) {
    const TLexeme& name = Take();
    const TLexeme& code = Take();
    if (code.kind != TLexKind::Number || code.value < 257)
      Fail("token code of 257 or more expected", name.line);
    if (grammar_.tokenCodes.count(name.text)) Fail("token " + name.text + " declared twice", name.line);
    if (grammar_.tokenNames.count(code.value)) Fail("token code " + code.text + " used twice", name.line);
    grammar_.tokenCodes[name.text] = code.value;
    grammar_.tokenNames[code.value] = name.text;
  }
}

// A C++ name, optionally inside namespaces: "TName" or "Space::TName".
std::string TGrammarReader::QualifiedName(const TLexeme& directive) {
  std::string name;
  for (;;) {
    const TLexeme& part = Take();
    if (part.kind != TLexKind::Name || part.text.find('$') != std::string::npos)
      Fail("C++ name expected after %" + directive.text, directive.line);
    name += part.text;
    if (Peek().kind != TLexKind::Colon) return name;
    if (Take().kind != TLexKind::Colon || Peek().kind != TLexKind::Colon)
      Fail("\"::\" expected in the name after %" + directive.text, directive.line);
    Take();
    name += "::";
  }
}

void TGrammarReader::ReadPrecedence(TAssoc assoc) {
  ++precedenceLevel_;
  while (AtOperand()) grammar_.tokenPrecedence[TokenOf(Take())] = {precedenceLevel_, assoc};
}

int TGrammarReader::TokenOf(const TLexeme& lexeme) {
  if (lexeme.kind == TLexKind::Char) {
    grammar_.tokenNames.emplace(lexeme.value, lexeme.text);
    return lexeme.value;
  }
  auto it = grammar_.tokenCodes.find(lexeme.text);
  if (it == grammar_.tokenCodes.end()) Fail("unknown token " + lexeme.text, lexeme.line);
  return it->second;
}

int TGrammarReader::SymbolOf(const TLexeme& lexeme) {
  if (lexeme.kind == TLexKind::Char || grammar_.tokenCodes.count(lexeme.text)) return TokenOf(lexeme);
  nonterminalLines_.emplace(lexeme.text, lexeme.line);
  return Nonterminal(lexeme.text);
}

int TGrammarReader::Nonterminal(const std::string& name) {
  if (grammar_.tokenCodes.count(name)) Fail(name + " is a token, not a nonterminal", Peek().line);
  auto& list = grammar_.nonterminals;
  auto it = std::find(list.begin(), list.end(), name);
  if (it == list.end()) it = list.insert(list.end(), name);
  return -static_cast<int>(it - list.begin()) - 1;
}

void TGrammarReader::ReadRules() {
  grammar_.rules.emplace_back();  // the accept rule, completed in Finish
  while (Peek().kind != TLexKind::End && Peek().kind != TLexKind::Separator) {
    const TLexeme& lhs = Take();
    if (lhs.kind != TLexKind::Name || grammar_.tokenCodes.count(lhs.text))
      Fail("nonterminal expected at the start of a rule", lhs.line);
    if (Take().kind != TLexKind::Colon) Fail("\":\" expected after " + lhs.text, lhs.line);
    if (startName_.empty()) startName_ = lhs.text;
    ReadAlternatives(Nonterminal(lhs.text));
  }
}

void TGrammarReader::ReadAlternatives(int lhs) {
  for (;;) {
    TRule rule;
    rule.lhs = lhs;
    rule.line = Peek().line;
    while (AtOperand()) {
      int symbol = SymbolOf(Take());
      rule.rhs.push_back(symbol);
      if (TGrammar::IsToken(symbol) && grammar_.tokenPrecedence.count(symbol))
        rule.precedence = grammar_.tokenPrecedence[symbol];
    }
    if (Peek().kind == TLexKind::Directive && Peek().text == "prec") {
      Take();
      int token = TokenOf(Take());
      if (!grammar_.tokenPrecedence.count(token)) Fail("%prec token has no precedence", rule.line);
      rule.precedence = grammar_.tokenPrecedence[token];
    }
    if (Peek().kind == TLexKind::Label) {
      ReadLabel(rule);
      if (AtOperand()) Fail("a rule label ends its alternative", Peek().line);
    }
    grammar_.rules.push_back(rule);
    const TLexeme& end = Take();
    if (end.kind == TLexKind::Semicolon) return;
    if (end.kind != TLexKind::Bar) Fail("\"|\" or \";\" expected", end.line);
  }
}

void TGrammarReader::ReadLabel(TRule& rule) {
  const TLexeme& label = Take();
  auto [first, added] = labelLines_.emplace(label.text, label.line);
  if (!added)
    Fail("rule label " + label.text + " is used twice (first at line " + std::to_string(first->second) + ")",
         label.line);
  rule.label = label.text;
}

void TGrammarReader::CheckEveryRuleIsLabelled() const {
  if (grammar_.ruleEnum.empty()) return;
  for (size_t r = 1; r < grammar_.rules.size(); ++r)
    if (grammar_.rules[r].label.empty())
      Fail("rule " + std::to_string(r) + " (" + grammar_.RuleText(static_cast<int>(r)) +
               ") has no label, which %ruleenum asks of every rule",
           grammar_.rules[r].line);
}

void TGrammarReader::CheckEveryNonterminalHasRules() const {
  for (size_t i = 0; i < grammar_.nonterminals.size(); ++i) {
    int symbol = -static_cast<int>(i) - 1;
    bool defined = std::any_of(grammar_.rules.begin() + 1, grammar_.rules.end(),
                               [symbol](const TRule& r) { return r.lhs == symbol; });
    if (!defined) {
      auto line = nonterminalLines_.find(grammar_.nonterminals[i]);
      Fail("nonterminal " + grammar_.nonterminals[i] + " has no rules",
           line != nonterminalLines_.end() ? line->second : 0);
    }
  }
}

void TGrammarReader::Finish() {
  if (grammar_.rules.size() < 2) Fail("the grammar has no rules", Peek().line);
  if (grammar_.tablesName.empty()) Fail("%tables names no table object", 1);
  auto& list = grammar_.nonterminals;
  auto start = std::find(list.begin(), list.end(), startName_);
  if (start == list.end()) Fail("start symbol " + startName_ + " has no rules", startLine_);
  CheckEveryNonterminalHasRules();
  CheckEveryRuleIsLabelled();
  grammar_.startSymbol = -static_cast<int>(start - list.begin()) - 1;
  grammar_.rules[0].lhs = grammar_.AcceptSymbol();
  grammar_.rules[0].rhs = {grammar_.startSymbol};
}

}  // namespace

TGrammar ReadGrammar(const std::string& text, const std::string& fileName) {
  TGrammarScanner scanner(text, fileName);
  return TGrammarReader(scanner.ScanAll(), fileName).Read();
}

}  // namespace lalrgen
