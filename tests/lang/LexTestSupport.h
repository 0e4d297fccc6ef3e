// Runs a lexer over a text and collects its tokens, trace and error lines.
#pragma once

#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "lang/LexLib.h"
#include "util/TarvCommon.h"

struct TToken {
  int code;
  std::string text;
  bool operator==(const TToken&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const TToken& t) {
  return out << "{" << t.code << ", \"" << t.text << "\"}";
}

template <class TLexer>
struct TLexRun {
  TTextStream input, output, errors;
  TLexer lexer;

  TLexRun(const std::string& text, const std::string& source) : input(text) {
    lexer.Attach(&input, source, &output, &errors);
  }
  TToken Next() {
    int code = lexer.yylex();
    return {code, code == 0 ? std::string() : lexer.yytext};
  }
  /// Every token up to (not including) the end of input.
  std::vector<TToken> All() {
    std::vector<TToken> tokens;
    for (TToken t = Next(); t.code != 0; t = Next()) tokens.push_back(t);
    return tokens;
  }
};

/// Switches the parser trace on for the lifetime of the object.
struct TTraceOn {
  TTraceOn() { RunState().ParserTrace = true; }
  ~TTraceOn() { RunState().ParserTrace = false; }
};
