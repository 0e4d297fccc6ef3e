// Feeds arbitrary bytes to the command lexer, as a command text ("ARGS") and
// as a command file, and lexes to the end of the input. A script error (an
// engine limit such as an overlong word) is an expected outcome; anything
// else the sanitizers catch is a fault.
#include <cstddef>
#include <cstdint>
#include <string>

#include "lang/TarvLex.h"
#include "util/TarvCommon.h"

namespace {

void LexToTheEnd(const std::string& text, const std::string& source) {
  TTextStream input(text), output, errors;
  TTarvLex lexer;
  lexer.Attach(&input, source, &output, &errors);
  try {
    // A NUL byte ends the input early; the lexer then goes on with the next line.
    while (lexer.yylex() != 0 || !StreamAtEnd(input)) {
    }
  } catch (const EScriptError&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  RunState().ParserTrace = size > 0 && (data[0] & 1);
  LexToTheEnd(text, "ARGS");
  LexToTheEnd(text, "job.qd");
  return 0;
}
