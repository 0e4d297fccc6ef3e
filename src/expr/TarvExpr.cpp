#include "expr/TarvExpr.h"

#include <cstdint>
#include <cstring>

#include "expr/TarvExprLex.h"
#include "lang/ErrorHints.h"
#include "util/Environment.h"
#include "util/MessageBoxes.h"
#include "util/StringFuncs.h"
#include "util/SysFiles.h"
#include "util/TarvCommon.h"

using enum TTarvExprRule;

namespace {

// Byte-wise unsigned comparison; on a common prefix the shorter text is first.
int CompareTexts(const std::string& a, const std::string& b) {
  size_t common = std::min(a.size(), b.size());
  int bytes = std::memcmp(a.data(), b.data(), common);
  if (bytes != 0) return bytes;
  return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

}  // namespace

// The same conversion as a condition's value: "0x1F" is no number here either.
int32_t ExprTextToInt(const std::string& text) {
  int32_t value = 0;
  if (!StandardTextToInt(text, value)) throw EConvertError("'" + text + "' is not a valid integer value");
  return value;
}

TTarvExpr::TTarvExpr() : TYaccParser<std::string>(std::make_unique<TTarvExprLex>(), kTarvExprTables) {}

void TTarvExpr::ParseExpression(TTextStream& input, const std::string& name, std::string& result) {
  ExprResult.clear();
  output_.Clear();
  errors_.Clear();
  Lexer().Attach(&input, name, &output_, &errors_);
  source_ = input.Text();
  int outcome = yyparse();
  // Trace lines alone (debug lex or all) are shown but never fail a parse:
  // a diagnostic switch must not change what a correct script does.
  bool failed = outcome != 0 || !errors_.Empty() || (!output_.Empty() && !RunState().ParserTrace);
  if (failed || !output_.Empty()) ShowReport();
  if (failed) RaiseScriptError("parse error");
  result = ExprResult;
}

namespace {

// Bounds the texts kept by one evaluator; a script has far fewer distinct
// expressions, so this is reached only by generated texts.
constexpr size_t kMaxKeptParses = 4096;

}  // namespace

std::string TTarvExpr::Evaluate(std::string_view text) {
  std::string result;
  Lexer().Restart();
  bool keep = !RunState().ParserTrace;
  if (keep) {
    lookupKey_.assign(text);
    auto found = parsed_.find(lookupKey_);
    if (found != parsed_.end()) {
      ExprResult.clear();
      source_ = found->first;
      Replay(found->second);
      return ExprResult;
    }
  }
  TTextStream input{std::string(text)};
  TYyRecording recording;
  RecordInto(keep ? &recording : nullptr);
  struct StopRecording {
    TTarvExpr& parser;
    ~StopRecording() { parser.RecordInto(nullptr); }
  } stop{*this};
  ParseExpression(input, "EXPR", result);
  // Only a parse accepted without any message is kept.
  if (keep && RecordingComplete() && output_.Empty() && errors_.Empty()) {
    if (parsed_.size() >= kMaxKeptParses) parsed_.clear();
    parsed_.emplace(text, std::move(recording));
  }
  return result;
}

std::string EvaluateExpression(std::string_view text) {
  static TTarvExpr kept;
  static bool busy = false;
  if (busy) return TTarvExpr().Evaluate(text);
  struct Busy {
    Busy() { busy = true; }
    ~Busy() { busy = false; }
  } guard;
  return kept.Evaluate(text);
}

void TTarvExpr::ShowReport() { UserInterface().ShowInfoDialog(ParseReportText(output_, errors_)); }

void TTarvExpr::BadExpression(const std::string& message) {
  RaiseScriptError("Bad Expression: " + message + " at " + Lexer().yytext);
}

void TTarvExpr::yyaction(int number) {
  auto rule = static_cast<TTarvExprRule>(number);
  switch (rule) {
    case InputCompare:
    case InputStr: ExprResult = std::move(yyvTake(1)); break;
    case InputAppend: ExprResult += yyv(2); break;
    case InputNewline: break;
    case CompareEq:
    case CompareNe:
    case CompareLt:
    case CompareGt: yyval = Compare(rule); break;
    case StrEmpty: BadExpression("string expected");
    case StrAtom:
    case AtomQuoted:
    case AtomName:
    case AtomNum: yyval = std::move(yyvTake(1)); break;
    case StrConcat: yyval = CutValueText(std::move(yyvTake(1)) + yyv(3)); break;
    case StrPlus:
    case StrMinus: yyval = Arithmetic(rule); break;
    case StrEnv: yyval = EnvironmentValue(yyv(3)); break;
    case StrErrorLevel: yyval = std::to_string(RunState().LastExitCode); break;
    case NameIdent:
    case NumNumber: yyval = CutValueText(Lexer().yytext); break;
    case QuotedQstr: {
      const std::string& text = Lexer().yytext;
      yyval = CutValueText(text.size() >= 2 ? text.substr(1, text.size() - 2) : std::string());
      break;
    }
    default: break;
  }
}

std::string TTarvExpr::Compare(TTarvExprRule rule) const {
  int order = CompareTexts(yyv(1), yyv(3));
  bool holds = rule == CompareEq   ? order == 0
               : rule == CompareNe ? order != 0
               : rule == CompareLt ? order < 0
                                   : order > 0;
  return holds ? "1" : "0";
}

std::string TTarvExpr::Arithmetic(TTarvExprRule rule) const {
  int64_t left = Operand(yyv(1), rule);
  int64_t right = Operand(yyv(3), rule);
  int64_t value = rule == StrPlus ? left + right : left - right;
  if (value < INT32_MIN || value > INT32_MAX) throw EIntOverflow("Integer overflow");
  return std::to_string(value);
}

int32_t TTarvExpr::Operand(const std::string& text, TTarvExprRule rule) const {
  try {
    return ExprTextToInt(text);
  } catch (const EConvertError& failure) {
    const std::string word = SumWord(rule);
    if (word.empty()) throw;
    throw EConvertError(failure.what() + std::string("\r\n") + ErrorHint(THintContext::ArithmeticWord, word));
  }
}

// The name that this sum may have been meant as ("out-keys.txt" read as out
// minus keys.txt), or "" when it looks meant as arithmetic: an operand that
// is a value from elsewhere (not written in the source as it is), a text
// with blanks, or a "+" with a number on one side.
std::string TTarvExpr::SumWord(TTarvExprRule rule) const {
  const std::string& left = yyv(1);
  const std::string& right = yyv(3);
  const std::string op = rule == StrPlus ? "+" : "-";
  constexpr std::string_view kBlanks = " \t";
  if (left.empty() || right.empty() || left.find_first_of(kBlanks) != std::string::npos ||
      right.find_first_of(kBlanks) != std::string::npos)
    return "";
  // The command parser writes a sum back with blanks around its operator.
  const bool written = source_.find(left + " " + op + " " + right) != std::string_view::npos ||
                       source_.find(left + op + right) != std::string_view::npos;
  const bool numbers =
      ScanInteger(left, kHexDollar | kHexZeroX).Valid() || ScanInteger(right, kHexDollar | kHexZeroX).Valid();
  if (!written || (rule == StrPlus && numbers)) return "";
  return left + op + right;
}

// The name goes to the system as a C string of the 255-character value
// buffer, so a name of the full 255 characters loses its last one.
std::string TTarvExpr::EnvironmentValue(const std::string& name) const {
  TEnvLookup lookup = GetEnvVar(ShortTextAsCString(name));
  if (lookup.status == TEnvStatus::Failed)
    RaiseScriptError("GetEnvironmentVariable failed: " + WinErrorText(lookup.error));
  // Cut, the value would go on as another one (a PATH that loses its tail).
  if (lookup.value.size() > kMaxValueText)
    RaiseScriptError("env(" + name + "): the value has " + std::to_string(lookup.value.size()) +
                     " bytes, more than the " + std::to_string(kMaxValueText) + " a value can hold");
  return lookup.value;
}
