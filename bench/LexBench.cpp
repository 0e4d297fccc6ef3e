// Lexing speed of the command lexer and the expression lexer on generated
// input: a 100,000-line command file of mixed commands, and its conditions.
#include <benchmark/benchmark.h>

#include <string>

#include "expr/TarvExprLex.h"
#include "lang/TarvLex.h"

namespace {

const char* const kCommandLines[] = {
    "/activate Untitled - Notepad",
    "notepad /wait /max c:\\temp\\readme.txt",
    "# a comment line",
    "/if errorlevel() eq 0 {",
    "  /sendkeys Hello{ENTER}",
    "}",
    "/else {",
    "  /pause \"The program failed with \\\"code\\\" 3\"",
    "}",
    "/do {",
    "  /sleep 2 /* wait for the window */",
    "}",
    "/while env(\"STATE\") ne \"done\"",
    "/set STATE=running",
    "",
    "/waitfor Calculator",
    "@ \"c:\\jobs\\next step.qd\"",
    "/kill /ignore calc.exe",
};

std::string CommandFile(int lines) {
  std::string text;
  constexpr int kinds = sizeof kCommandLines / sizeof kCommandLines[0];
  for (int i = 0; i < lines; ++i) text += std::string(kCommandLines[i % kinds]) + "\r\n";
  return text;
}

template <class TLexer>
size_t LexAll(const std::string& text, const char* source) {
  TTextStream input(text), output, errors;
  TLexer lexer;
  lexer.Attach(&input, source, &output, &errors);
  size_t tokens = 0;
  while (lexer.yylex() != 0) ++tokens;
  return tokens;
}

void BM_CommandLexer(benchmark::State& state) {
  const std::string text = CommandFile(100000);
  for (auto _ : state) benchmark::DoNotOptimize(LexAll<TTarvLex>(text, "job.qd"));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_CommandLexer)->Unit(benchmark::kMillisecond);

void BM_ExpressionLexer(benchmark::State& state) {
  std::string text;
  for (int i = 0; i < 100000; ++i) text += "env(\"STATE\") ne \"done\" & errorlevel() + 12 /* x */\r\n";
  for (auto _ : state) benchmark::DoNotOptimize(LexAll<TTarvExprLex>(text, "EXPR"));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_ExpressionLexer)->Unit(benchmark::kMillisecond);

}  // namespace
