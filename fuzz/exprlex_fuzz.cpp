// Feeds arbitrary bytes to the expression lexer under "EXPR" and lexes to the
// end of the input. A script error (an engine limit such as an overlong
// word) is an expected outcome; anything else the sanitizers catch is a fault.
#include <cstddef>
#include <cstdint>
#include <string>

#include "expr/TarvExprLex.h"
#include "util/TarvCommon.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TTextStream input(std::string(reinterpret_cast<const char*>(data), size)), output, errors;
  RunState().ParserTrace = size > 0 && (data[0] & 1);
  TTarvExprLex lexer;
  lexer.Attach(&input, "EXPR", &output, &errors);
  try {
    while (lexer.yylex() != 0 || !StreamAtEnd(input)) {
    }
  } catch (const EScriptError&) {
  }
  return 0;
}
