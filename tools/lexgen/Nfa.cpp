#include "Nfa.h"

#include <cctype>

int TNfa::NewState() {
  states_.emplace_back();
  return static_cast<int>(states_.size()) - 1;
}

TNfaFragment TNfa::CharFragment(const TCharSet& chars) {
  int start = NewState();
  int end = NewState();
  states_[start].chars = chars;
  states_[start].next = end;
  return {start, end};
}

TNfaFragment TNfa::Empty() {
  int start = NewState();
  int end = NewState();
  states_[start].epsilon.push_back(end);
  return {start, end};
}

TNfaFragment TNfa::Concat(TNfaFragment a, TNfaFragment b) {
  states_[a.end].epsilon.push_back(b.start);
  return {a.start, b.end};
}

TNfaFragment TNfa::Alternate(TNfaFragment a, TNfaFragment b) {
  int start = NewState();
  int end = NewState();
  states_[start].epsilon = {a.start, b.start};
  states_[a.end].epsilon.push_back(end);
  states_[b.end].epsilon.push_back(end);
  return {start, end};
}

TNfaFragment TNfa::Star(TNfaFragment a) {
  TNfaFragment loop = Plus(a);
  states_[loop.start].epsilon.push_back(loop.end);
  return loop;
}

TNfaFragment TNfa::Plus(TNfaFragment a) {
  int start = NewState();
  int end = NewState();
  states_[start].epsilon.push_back(a.start);
  states_[a.end].epsilon.push_back(a.start);
  states_[a.end].epsilon.push_back(end);
  return {start, end};
}

TNfaFragment TNfa::Optional(TNfaFragment a) {
  int start = NewState();
  int end = NewState();
  states_[start].epsilon = {a.start, end};
  states_[a.end].epsilon.push_back(end);
  return {start, end};
}

// Recursive descent over one pattern:
//   alternation := sequence ('|' sequence)*
//   sequence    := repeat*
//   repeat      := atom ('*' | '+' | '?')*
//   atom        := '(' alternation ')' | class | quoted | {name} | char
class TRegexParser {
 public:
  TRegexParser(TNfa& nfa, const std::string& text, const std::map<std::string, std::string>& defs, int depth)
      : nfa_(nfa), text_(text), defs_(defs), depth_(depth) {}

  TNfaFragment ParseAll() {
    TNfaFragment result = Alternation();
    if (!AtEnd()) Fail("unexpected '" + std::string(1, text_[pos_]) + "'");
    return result;
  }

 private:
  bool AtEnd() const { return pos_ >= text_.size(); }
  char Peek() const { return text_[pos_]; }
  [[noreturn]] void Fail(const std::string& what) const {
    throw ERulesError(what + " at offset " + std::to_string(pos_ + 1) + " of pattern " + text_);
  }

  TNfaFragment Alternation() {
    TNfaFragment result = Sequence();
    while (!AtEnd() && Peek() == '|') {
      ++pos_;
      result = nfa_.Alternate(result, Sequence());
    }
    return result;
  }

  TNfaFragment Sequence() {
    TNfaFragment result = nfa_.Empty();
    while (!AtEnd() && Peek() != '|' && Peek() != ')') result = nfa_.Concat(result, Repeat());
    return result;
  }

  TNfaFragment Repeat() {
    TNfaFragment result = Atom();
    while (!AtEnd() && (Peek() == '*' || Peek() == '+' || Peek() == '?')) {
      char op = text_[pos_++];
      result = op == '*' ? nfa_.Star(result) : op == '+' ? nfa_.Plus(result) : nfa_.Optional(result);
    }
    return result;
  }

  TNfaFragment Atom() {
    char c = text_[pos_];
    if (c == '(') return Group();
    if (c == '[') return nfa_.CharFragment(Class());
    if (c == '"') return Quoted();
    if (c == '{') return Definition();
    if (c == ' ' || c == '\t') Fail("bare blank (write \" \" or [ ])");
    if (c == '*' || c == '+' || c == '?') Fail("operator without operand");
    TCharSet one;
    one.set(Char());
    return nfa_.CharFragment(one);
  }

  TNfaFragment Group() {
    ++pos_;
    TNfaFragment inner = Alternation();
    if (AtEnd() || Peek() != ')') Fail("missing ')'");
    ++pos_;
    return inner;
  }

  TNfaFragment Quoted() {
    ++pos_;
    TNfaFragment result = nfa_.Empty();
    while (!AtEnd() && Peek() != '"') {
      TCharSet one;
      one.set(Char());
      result = nfa_.Concat(result, nfa_.CharFragment(one));
    }
    if (AtEnd()) Fail("missing closing '\"'");
    ++pos_;
    return result;
  }

  TNfaFragment Definition() {
    size_t close = text_.find('}', pos_);
    if (close == std::string::npos) Fail("missing '}'");
    std::string name = text_.substr(pos_ + 1, close - pos_ - 1);
    auto found = defs_.find(name);
    if (found == defs_.end()) Fail("unknown definition {" + name + "}");
    if (depth_ > 20) Fail("definitions nest too deep");
    pos_ = close + 1;
    return TRegexParser(nfa_, found->second, defs_, depth_ + 1).ParseAll();
  }

  TCharSet Class() {
    ++pos_;
    bool negate = !AtEnd() && Peek() == '^';
    if (negate) ++pos_;
    TCharSet set;
    while (!AtEnd() && Peek() != ']') {
      unsigned char low = Char();
      unsigned char high = low;
      if (pos_ + 1 < text_.size() && Peek() == '-' && text_[pos_ + 1] != ']') {
        ++pos_;
        high = Char();
        if (high < low) Fail("reversed range");
      }
      for (int c = low; c <= high; ++c) set.set(c);
    }
    if (AtEnd()) Fail("missing ']'");
    ++pos_;
    return negate ? ~set : set;
  }

  // One character, with its escape resolved.
  unsigned char Char() {
    if (AtEnd()) Fail("pattern ends early");
    unsigned char c = static_cast<unsigned char>(text_[pos_++]);
    if (c != '\\') return c;
    if (AtEnd()) Fail("pattern ends in a backslash");
    unsigned char e = static_cast<unsigned char>(text_[pos_++]);
    switch (e) {
      case 'n': return '\n';
      case 't': return '\t';
      case 'f': return '\f';
      case 'r': return '\r';
      case '0': return 0;
      case 'x': return Hex();
      default: return e;
    }
  }

  unsigned char Hex() {
    if (pos_ + 2 > text_.size() || !isxdigit(static_cast<unsigned char>(text_[pos_])) ||
        !isxdigit(static_cast<unsigned char>(text_[pos_ + 1])))
      Fail("\\x needs two hex digits");
    unsigned char value = static_cast<unsigned char>(std::stoi(text_.substr(pos_, 2), nullptr, 16));
    pos_ += 2;
    return value;
  }

  TNfa& nfa_;
  const std::string& text_;
  const std::map<std::string, std::string>& defs_;
  int depth_;
  size_t pos_ = 0;
};

TNfaFragment TNfa::Compile(const std::string& pattern,
                           const std::map<std::string, std::string>& definitions) {
  if (pattern.empty()) throw ERulesError("empty pattern");
  return TRegexParser(*this, pattern, definitions, 0).ParseAll();
}
