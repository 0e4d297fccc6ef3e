// Fuzz target: the lexer engine's run shortcut against its plain scan. Each
// input goes through the command lexer (under "ARGS" and under a file name,
// with glued slashes reported or not) and through the expression lexer,
// once with the shortcut and once without. Everything the two passes show
// must be the same byte for byte: every token's code, text, line and
// column, the trace lines, the error lines and the message of an engine
// limit that ends the scan. A difference aborts with both records.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "expr/TarvExprLex.h"
#include "lang/TarvLex.h"
#include "util/TarvCommon.h"

namespace {

// Lexes the text to the end of its input and writes down all it shows.
template <class TLexer>
std::string LexRecord(TLexer& lexer, const std::string& text, const std::string& source) {
  TTextStream input(text), output, errors;
  lexer.Attach(&input, source, &output, &errors);
  std::string record;
  try {
    // A NUL byte ends the input early; the lexer then goes on with the next line.
    for (;;) {
      const int token = lexer.yylex();
      record += std::to_string(token) + " " + std::to_string(lexer.LineNo()) + ":" +
                std::to_string(lexer.ColNo()) + " [" + lexer.yytext + "]\n";
      if (token == 0 && StreamAtEnd(input)) break;
    }
  } catch (const EScriptError& error) {
    record += std::string("limit: ") + error.what() + "\n";
  }
  return record + "trace:\n" + output.Text() + "errors:\n" + errors.Text();
}

template <class TLexer, class... TArgs>
std::string LexWithShortcut(bool shortcut, const std::string& text, const std::string& source,
                            TArgs... args) {
  SetLexRunShortcut(shortcut);
  TLexer lexer(args...);
  return LexRecord(lexer, text, source);
}

template <class TLexer, class... TArgs>
void RequireSamePasses(const std::string& text, const std::string& source, TArgs... args) {
  const std::string plain = LexWithShortcut<TLexer>(false, text, source, args...);
  const std::string shortcut = LexWithShortcut<TLexer>(true, text, source, args...);
  if (plain == shortcut) return;
  std::fprintf(stderr, "the run shortcut differs from the plain scan under %s\n--- plain\n%s--- shortcut\n%s",
               source.c_str(), plain.c_str(), shortcut.c_str());
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  RunState().ParserTrace = size > 0 && (data[0] & 1);
  for (const bool gluedSlashIsPathError : {false, true}) {
    RequireSamePasses<TTarvLex>(text, "ARGS", gluedSlashIsPathError);
    RequireSamePasses<TTarvLex>(text, "job.qd", gluedSlashIsPathError);
  }
  RequireSamePasses<TTarvExprLex>(text, "EXPR");
  SetLexRunShortcut(true);
  return 0;
}
