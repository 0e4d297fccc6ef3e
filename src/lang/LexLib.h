// The lexer engine: the reusable half of every scanner of the system.
//
// A concrete lexer derives from TCustomLexer, supplies its automaton tables
// and rule actions, and implements yylex by driving the engine. The engine
// reads its input line by line from a text stream into a push-back buffer,
// builds the token text yytext, counts lines and columns for messages, and
// writes trace lines to the output stream and error lines to the error
// stream. Parsers read the position, yytext and the streams for their
// reports.
#pragma once

#include <string>

#include "util/StreamFuncs.h"

class TCustomLexer {
 public:
  TCustomLexer();
  virtual ~TCustomLexer() = default;
  TCustomLexer(const TCustomLexer&) = delete;
  TCustomLexer& operator=(const TCustomLexer&) = delete;

  /// The next token code; 0 at the end of the input.
  virtual int yylex() = 0;

  /// Gives the lexer its input (not owned), the source name shown in messages
  /// and the two buffers for trace lines and error lines (not owned).
  void Attach(TTextStream* input, const std::string& sourceName, TTextStream* output,
              TTextStream* errors);

  const std::string& SourceName() const { return sourceName_; }
  int LineNo() const { return lineNo_; }
  int ColNo() const { return colNo_; }
  TTextStream& Output() const { return *output_; }
  TTextStream& Errors() const { return *errors_; }

  /// Text of the token being (or last) scanned, at most 255 characters.
  std::string yytext;

 protected:
  // The engine's private state and the operations for rule actions are
  // declared here by the engine's implementation.
  std::string sourceName_;
  int lineNo_ = 0;
  int colNo_ = 0;
  TTextStream* input_ = nullptr;
  TTextStream* output_ = nullptr;
  TTextStream* errors_ = nullptr;
};
