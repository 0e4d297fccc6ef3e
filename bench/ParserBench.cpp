// Parsing a large command file into command lists, and evaluating typical
// expressions (each evaluation builds its own evaluator, as EvalExpr does).
#include <benchmark/benchmark.h>

#include <string>

#include "expr/TarvExpr.h"
#include "lang/TarvYacc.h"
#include "util/MessageBoxes.h"

namespace {

// A generated command file: external programs with options, internal
// commands, /set, and /if blocks, repeated to the wanted length.
std::string CommandFile(int lines) {
  static const char* const kPattern[] = {
      "notepad /wait readme.txt\r\n",
      "/activate /warn Untitled - Notepad\r\n",
      "/set counter = counter + 1\r\n",
      "/if errorlevel() eq 0 {\r\n",
      "   /sendkeys hello{ENTER}\r\n",
      "} /else {\r\n",
      "   prog /min /i \"c:\\program files\\x.exe\" a-b.txt\r\n",
      "}\r\n",
      "# a comment line\r\n",
      "/waitfor /ignore Calculator\r\n",
  };
  static_assert(std::size(kPattern) == 10, "whole blocks in a file of a multiple of ten lines");
  std::string text;
  for (int i = 0; i < lines; ++i) text += kPattern[i % std::size(kPattern)];
  return text;
}

void BM_ParseCommandFile(benchmark::State& state) {
  const int lines = static_cast<int>(state.range(0));
  const std::string text = CommandFile(lines);
  for (auto _ : state) {
    TTextStream input(text);
    TTarvYacc parser;
    TCmdList list = parser.Parse(input, "bench.qd");
    benchmark::DoNotOptimize(list.data());
  }
  state.SetItemsProcessed(state.iterations() * lines);
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_ParseCommandFile)->Arg(100000)->Unit(benchmark::kMillisecond);

const char* const kExpressions[] = {
    "errorlevel() eq 0", "\"c:\\temp\\readme.txt\"", "12 + 30", "env(PATH) & \\bin ne \"\"", "a b c d e f",
};

void BM_EvalExpr(benchmark::State& state) {
  const std::string text = kExpressions[state.range(0)];
  for (auto _ : state) {
    std::string value;
    try {
      value = EvaluateExpression(text);
    } catch (const std::exception&) {
    }
    benchmark::DoNotOptimize(value.data());
  }
  state.SetLabel(text);
}
BENCHMARK(BM_EvalExpr)->DenseRange(0, std::size(kExpressions) - 1);

}  // namespace
