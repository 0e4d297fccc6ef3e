// The expression grammar's automaton accepts its language: sentences derived
// at random from TarvExpr.grammar evaluate, and texts that no derivation
// gives are syntax errors. (That the committed tables are the ones lalrgen
// writes from the grammar is the ctest parser_tables_current_TarvExpr.)
#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "Grammar.h"
#include "expr/TarvExpr.h"
#include "test_support/RecordingUI.h"
#include "util/TarvCommon.h"

namespace {

lalrgen::TGrammar ReadExprGrammar() {
  const std::string path = TARV_SOURCE_DIR "/src/expr/TarvExpr.grammar";
  std::ifstream file(path);
  std::stringstream text;
  text << file.rdbuf();
  return lalrgen::ReadGrammar(text.str(), path);
}

// Random leftmost derivations of the grammar, written as expression text.
// Operands of "+" and "-" derive only numbers (a number, a quoted number,
// errorlevel() or a sum of those), so that few evaluations stop on a value
// before the parse is done; as the grammar is ambiguous (its conflicts are
// settled by shifting), "&" may still parse into such an operand. No empty
// operand is derived: its action reports the missing operand at once.
class TSentences {
 public:
  explicit TSentences(const lalrgen::TGrammar& grammar) : grammar_(grammar) {}

  std::string Next() {
    std::string text;
    Derive(grammar_.startSymbol, 0, false, text);
    return text;
  }

 private:
  static constexpr int kMaxDepth = 6;

  void Derive(int symbol, int depth, bool numeric, std::string& text) {
    if (lalrgen::TGrammar::IsToken(symbol)) {
      text += TokenText(symbol, numeric) + " ";
      return;
    }
    const std::vector<const lalrgen::TRule*> choices = Choices(symbol, depth, numeric);
    const lalrgen::TRule& rule = *choices[random_() % choices.size()];
    const bool arithmetic = rule.label == "StrPlus" || rule.label == "StrMinus";
    for (int part : rule.rhs) Derive(part, depth + 1, numeric || arithmetic, text);
  }

  // The alternatives of `symbol` allowed here; past the depth limit, only
  // those that do not derive the symbol itself again.
  std::vector<const lalrgen::TRule*> Choices(int symbol, int depth, bool numeric) const {
    std::vector<const lalrgen::TRule*> choices;
    for (const lalrgen::TRule& rule : grammar_.rules) {
      if (rule.lhs != symbol || rule.rhs.empty()) continue;
      if (numeric && !YieldsNumber(rule)) continue;
      if (depth >= kMaxDepth && Recursive(rule)) continue;
      choices.push_back(&rule);
    }
    return choices;
  }

  static bool YieldsNumber(const lalrgen::TRule& rule) {
    for (const char* label : {"StrAtom", "StrPlus", "StrMinus", "StrErrorLevel", "AtomNum", "AtomQuoted",
                              "NumNumber", "QuotedQstr"})
      if (rule.label == label) return true;
    return false;
  }

  static bool Recursive(const lalrgen::TRule& rule) {
    for (int part : rule.rhs)
      if (part == rule.lhs) return true;
    return rule.label == "StrEnv";
  }

  std::string TokenText(int token, bool numeric) {
    const std::string name = grammar_.SymbolName(token);
    if (name == "NUMBER") return std::to_string(random_() % 1000);
    if (name == "IDENT") return "c:\\x.y";
    if (name == "QSTR") return numeric ? "\"12\"" : "\"a \\\" b\"";
    if (name == "NEWLINE") return "\n";
    if (name == "ENV") return "env";
    if (name == "ERRORLEVEL") return "ErrorLevel";
    if (token < 256) return std::string(1, static_cast<char>(token));
    return name;  // the comparisons: eq, ne, lt, gt in capitals
  }

  const lalrgen::TGrammar& grammar_;
  std::mt19937 random_{20261208};
};

std::string Failure(const std::string& text) {
  try {
    EvaluateExpression(text);
  } catch (const std::exception& error) {
    return error.what();
  }
  return "";
}

// The failure of a text the parser rejects: a syntax error, or an operand
// it found missing. A bad value of "+" or "-" is no such failure.
std::string ParseFailure(const std::string& text) {
  try {
    EvaluateExpression(text);
  } catch (const EConvertError&) {
  } catch (const EIntOverflow&) {
  } catch (const std::exception& error) {
    return error.what();
  }
  return "";
}

class ExprGrammar : public ::testing::Test {
 protected:
  void SetUp() override { ResetRunState(); }
  void TearDown() override { ResetRunState(); }
  RecordingUI ui;
};

}  // namespace

TEST_F(ExprGrammar, EverySentenceItDerivesEvaluates) {
  const lalrgen::TGrammar grammar = ReadExprGrammar();
  TSentences sentences(grammar);
  for (int i = 0; i < 3000; ++i) {
    const std::string text = sentences.Next();
    EXPECT_EQ(ParseFailure(text), "") << "sentence: " << text;
  }
}

TEST_F(ExprGrammar, TextsItCannotDeriveAreSyntaxErrors) {
  for (const char* text : {"env", "env 1", "env(1", "errorlevel(1)", "(1)", "1)", "a ) b", "1 eq eq 2"}) {
    EXPECT_EQ(Failure(text).rfind("Bad Expression: syntax error at ", 0), 0u) << text;
  }
}
