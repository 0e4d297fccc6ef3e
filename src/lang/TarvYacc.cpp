#include "lang/TarvYacc.h"

#include <algorithm>
#include <string_view>

#include "lang/ErrorHints.h"
#include "lang/TarvLex.h"
#include "util/MessageBoxes.h"
#include "util/TarvCommon.h"

using enum TTarvYaccRule;

TTarvYacc::TTarvYacc() : TYaccParser<TYaccValue>(std::make_unique<TTarvLex>(), kTarvYaccTables) {}

namespace {

// An estimate of the number of top-level commands: their lines. Reserving
// room for them spares the list its growing copies (in a large file several
// megabytes of fresh memory); room that stays unused is never touched. Of a
// stream that reads its input a block at a time, the lines held are counted
// and the rest is taken to have lines of the same mean length.
size_t LinesAhead(const TTextStream& input) {
  const std::string_view held =
      std::string_view(input.Text()).substr(std::min(input.Position(), input.Size()));
  size_t lines = 0;
  for (size_t at = 0; at < held.size(); ++lines) {
    const size_t lineFeed = held.find('\n', at);
    if (lineFeed == std::string_view::npos) return lines + 1;
    at = lineFeed + 1;
  }
  if (!input.MoreToRead() || held.empty()) return lines;
  // Capped, so that an odd size never asks for a huge block at once (the
  // list still grows past it when a file really has more lines).
  constexpr double kMostLinesReserved = 1 << 20;
  const double linesPerByte = static_cast<double>(lines) / static_cast<double>(held.size());
  return static_cast<size_t>(
             std::min(linesPerByte * static_cast<double>(input.SizeHint()), kMostLinesReserved)) +
         1;
}

}  // namespace

TScript TTarvYacc::Parse(TTextStream& input, const std::string& sourceName) {
  result_ = {};
  result_.reserve(LinesAhead(input));
  longValueLine_ = 0;
  output_.Clear();
  errors_.Clear();
  Lexer().Attach(&input, sourceName, &output_, &errors_);
  // Each parse makes a script of its own: its commands live as long as the
  // script, not as long as this parser.
  arena_ = std::make_unique<TScriptArena>();
  int outcome = yyparse();
  TScript script(std::move(arena_), std::move(result_));
  if (outcome != 0 || !output_.Empty() || !errors_.Empty()) ShowReportAndFail();
  return script;
}

void TTarvYacc::ShowReportAndFail() {
  UserInterface().ShowInfoDialog(ParseReportText(output_, errors_));
  if (!RunState().ParserTrace) RaiseScriptError("parse error");
}

// One report per fault: a token inside a word that the lexer has reported
// as a path with a glued slash is the same fault. One hint a report, after
// the first error: later errors mostly follow from it, and a hint for each
// would only repeat it or mislead.
void TTarvYacc::ErrorRoutine(const std::string& message) {
  if (static_cast<const TTarvLex&>(Lexer()).InReportedWord()) return;
  yyerror(message);
  if (yynerrs > 0 || message != "syntax error") return;
  if (std::string hint = ErrorHint(THintContext::SyntaxError, Lexer().yytext); !hint.empty())
    StreamWriteLine(errors_, hint);
}

void TTarvYacc::Trace(std::string_view message) {
  if (RunState().ParserTrace) StreamWriteLine(output_, message);
}

// A value of an unexpected kind (never built by this grammar's actions) reads
// as empty, so a damaged stack can never crash an action. The rules that only
// pass their first value on keep it in its slot (yyKeepFirst) instead of
// taking it out and putting it back: whoever reads it later reads it the
// same way, so passing it on unchanged ends the same.
const std::string& TTarvYacc::Text(int n) const {
  static const std::string kEmpty;
  const auto* text = std::get_if<std::string>(&yyv(n));
  return text ? *text : kEmpty;
}

// A value longer than the limit would be cut and then mean something else
// (a sum with its last terms gone, a string without its closing quote), so
// it is a positioned error, reported once a line, instead of a changed command.
void TTarvYacc::LimitValueText(std::string& text) {
  if (text.size() <= kMaxValueText) return;
  if (Lexer().LineNo() != longValueLine_) {
    longValueLine_ = Lexer().LineNo();
    yyerror("value longer than " + std::to_string(kMaxValueText) + " characters");
  }
  text.resize(kMaxValueText);
}

std::string TTarvYacc::ValueText(std::string text) {
  LimitValueText(text);
  return text;
}

// The token's text, made the left side's value in place.
void TTarvYacc::TokenValueText() { LimitValueText(yyval.emplace<std::string>(Lexer().yytext)); }

int32_t TTarvYacc::Code(int n) const {
  const auto* code = std::get_if<int32_t>(&yyv(n));
  return code ? *code : 0;
}

// The text, moved out of the stack: the right side is popped after the action.
std::string TTarvYacc::TakeText(int n) {
  auto* text = std::get_if<std::string>(&yyvTake(n));
  return text ? std::move(*text) : std::string();
}

TTextList TTarvYacc::TakeTexts(int n) {
  auto* list = std::get_if<TTextList>(&yyvTake(n));
  return list ? std::move(*list) : TTextList();
}

TOptionList TTarvYacc::TakeOptions(int n) {
  auto* list = std::get_if<TOptionList>(&yyvTake(n));
  return list ? std::move(*list) : TOptionList();
}

const Tcmdrec* TTarvYacc::Cmd(int n) const { return std::get_if<Tcmdrec>(&yyv(n)); }

TCmdsInProgress TTarvYacc::TakeCmds(int n) {
  auto* cmds = std::get_if<TCmdsInProgress>(&yyvTake(n));
  return cmds ? std::move(*cmds) : TCmdsInProgress();
}

TCmdList TTarvYacc::List(int n) const {
  const auto* list = std::get_if<TCmdList>(&yyv(n));
  return list ? *list : TCmdList();
}

// Each rule is served by the one group whose switch names it, so neither the
// order of the groups nor the numbering of the rules matters for what an
// action does. The groups are asked in the order of how often a command file
// reduces their rules (the texts of every argument first), which spares
// most reductions the look-ups in groups that are not theirs.
void TTarvYacc::yyaction(int number) {
  auto rule = static_cast<TTarvYaccRule>(number);
  TextAction(rule) || ListAction(rule) || InputAction(rule) || BlockAction(rule) || CommandAction(rule) ||
      ClauseAction(rule) || OptionAction(rule);
}

// input, inputList, inputLine: top-level commands go to the result list.
bool TTarvYacc::InputAction(TTarvYaccRule rule) {
  switch (rule) {
    case InputEmpty: Trace("in input: empty"); break;
    case InputList: Trace("in input: inputList"); break;
    case ListNextLine: Trace("in inputList: inputList cmd NL"); break;
    case LineCommand:
      Trace("in inputLine: cmd");
      if (const Tcmdrec* cmd = Cmd(1)) result_.push_back(*cmd);
      break;
    case LineBracedCommand:
      Trace("in inputLine: { cmd }");
      if (const Tcmdrec* cmd = Cmd(2)) result_.push_back(*cmd);
      break;
    case LineError:
      Trace("in inputLine: error NL");
      yyerrok();
      break;
    case ListFirstLine:
    case LineEmpty: break;  // no value
    default: return false;
  }
  return true;
}

// cmdLine, cmds, cmdblock.
bool TTarvYacc::BlockAction(TTarvYaccRule rule) {
  switch (rule) {
    case CmdLine: yyKeepFirst(); break;
    case CmdsFirst:
    case CmdsNext: {
      TCmdsInProgress cmds = rule == CmdsNext ? TakeCmds(1) : TCmdsInProgress();
      if (const Tcmdrec* cmd = Cmd(rule == CmdsNext ? 2 : 1)) cmds.push_back(*cmd);
      yyval = std::move(cmds);
      break;
    }
    case BlockCmds:
      Trace("in cmdblock: { cmds }");
      yyval = Builder().Block(TakeCmds(2));
      break;
    case BlockEmpty:
      Trace("in cmdblock: { }");
      yyval = TCmdList();
      break;
    default: return false;
  }
  return true;
}

bool TTarvYacc::CommandAction(TTarvYaccRule rule) {
  switch (rule) {
    case CmdAt: yyval = Builder().WithArgumentList(_AT, TakeTexts(2)); break;
    case CmdActivate: yyval = Builder().WithArgument(_ACTIVATE, TakeText(3), TakeOptions(2)); break;
    case CmdCd: yyval = Builder().WithArgument(_CD, TakeText(3), TakeOptions(2)); break;
    case CmdClose: yyval = Builder().WithArgument(_CLOSE, TakeText(3), TakeOptions(2)); break;
    case CmdDo:
      Trace("in _DO cmdblock optWhile");
      yyval = Builder().Do(TakeText(3), List(2));
      break;
    case CmdEdit: yyval = Builder().WithArgument(_EDIT, TakeText(3), TakeOptions(2)); break;
    case CmdIf:
      Trace("in _IF ifexpr cmdblock optElse");
      yyval = Builder().If(TakeText(2), List(3), List(4));
      break;
    case CmdKill: yyval = Builder().WithArgument(_KILL, TakeText(3), TakeOptions(2)); break;
    case CmdKillWindow: yyval = Builder().WithArgument(_KILLWINDOW, TakeText(3), TakeOptions(2)); break;
    case CmdPause: yyval = Builder().WithArgument(_PAUSE, TakeText(3), TakeOptions(2)); break;
    case CmdPlist: yyval = Builder().Plain(_PLIST); break;
    case CmdSendKeys: yyval = Builder().WithArgument(_SENDKEYS, TakeText(3), TakeOptions(2)); break;
    case CmdSet: yyval = Builder().Set(TakeText(2), TakeText(4)); break;
    case CmdSleep: yyval = Builder().WithArgument(_SLEEP, TakeText(3), TakeOptions(2)); break;
    case CmdWaitAll: yyval = Builder().Plain(_WAITALL); break;
    case CmdWaitClose: yyval = Builder().WithArgument(_WAITCLOSE, TakeText(3), TakeOptions(2)); break;
    case CmdWaitFor: yyval = Builder().WithArgument(_WAITFOR, TakeText(3), TakeOptions(2)); break;
    case CmdWList: yyval = Builder().Plain(_WLIST); break;
    case CmdProgram: yyval = Builder().ExternalProgram(TakeText(1), TakeTexts(3), TakeOptions(2)); break;
    default: return false;
  }
  return true;
}

// optElse, optWhile, ifexpr, ifoper.
bool TTarvYacc::ClauseAction(TTarvYaccRule rule) {
  switch (rule) {
    case ElseEmpty:
      Trace("in optElse: empty");
      yyval = TCmdList();
      break;
    case ElseBlock:
      Trace("in optElse: _ELSE cmdblock");
      yyval = List(2);
      break;
    case WhileEmpty:
      Trace("in optWhile: empty");
      yyval = std::string("0");
      break;
    case WhileCondition:
      Trace("in optWhile: _WHILE ifExpr");
      yyval = TakeText(2);
      break;
    case IfCompare:
      Trace("in ifexpr: strexpr ifoper strexpr");
      yyval = ValueText(Text(1) + " " + Text(2) + " " + Text(3));
      break;
    case IfText: yyKeepFirst(); break;
    case OperEq: yyval = std::string("EQ"); break;
    case OperNe: yyval = std::string("NE"); break;
    case OperLt: yyval = std::string("LT"); break;
    case OperGt: yyval = std::string("GT"); break;
    default: return false;
  }
  return true;
}

// strexpr, optstrexpr, str, atom, name, progName: texts.
bool TTarvYacc::TextAction(TTarvYaccRule rule) {
  switch (rule) {
    case StrExprEmpty:
      Trace("in strexpr: empty");
      yyerror("string expected");
      yyval = std::string();
      break;
    case OptStrEmpty:
      Trace("in optstrexpr: empty");
      yyval = std::string();
      break;
    case StrAtom: Trace("in strexpr: str"); [[fallthrough]];
    case StrExprStr:
    case OptStrStr:
    case AtomName:
    case ProgNameAtom: yyKeepFirst(); break;
    case StrAmp: yyval = ValueText(Text(1) + " & " + Text(3)); break;
    case StrPlus: yyval = ValueText(Text(1) + " + " + Text(3)); break;
    case StrMinus: yyval = ValueText(Text(1) + " - " + Text(3)); break;
    case StrCall: yyval = ValueText(Text(1) + "(" + Text(3) + ")"); break;
    case StrCallEmpty: yyval = ValueText(Text(1) + "()"); break;
    case AtomQuoted:
    case AtomNumber:
    case NameId: TokenValueText(); break;
    default: return false;
  }
  return true;
}

// osArgs, osArg, osCmdOpts, intCmdOpts: lists, each
// taken from the stack and extended in place.
bool TTarvYacc::ListAction(TTarvYaccRule rule) {
  switch (rule) {
    case OsArgsEmpty:
      Trace("in osArgs: empty");
      yyval = TTextList();
      break;
    case OsArgsList: yyKeepFirst(); break;
    case OsArgListFirst: {
      TTextList list;
      list.reserve(4);
      list.push_back(TakeText(1));
      yyval = std::move(list);
      break;
    }
    case OsArgListNext: {
      TTextList list = TakeTexts(1);
      list.push_back(TakeText(2));
      yyval = std::move(list);
      break;
    }
    case OsArgIllegal: yyval = CutValueText(Lexer().yytext); break;
    case OsArgStr: yyKeepFirst(); break;
    case OsOptsEmpty:
      Trace("in osCmdOpts: empty");
      yyval = TOptionList();
      break;
    case IntOptsEmpty:
      Trace("in intCmdOpts: empty");
      yyval = TOptionList();
      break;
    case OsOptsList:
    case IntOptsList: yyKeepFirst(); break;
    case OsOptListFirst:
    case IntOptListFirst: yyval = TOptionList{Code(1)}; break;
    case OsOptListNext:
    case IntOptListNext: {
      TOptionList list = TakeOptions(1);
      list.push_back(Code(2));
      yyval = std::move(list);
      break;
    }
    default: return false;
  }
  return true;
}

namespace {

int LeftSide(TTarvYaccRule rule) { return kTarvYaccTables.rules[static_cast<int>(rule)].lhs; }

}  // namespace

// osCmdOpt, intCmdOpt: each rule's right side is one option word, reduced as
// soon as it is shifted (a state with that one reduction reduces without a
// look-ahead), so yytext still holds the word, and its token is the code.
bool TTarvYacc::OptionAction(TTarvYaccRule rule) {
  const int lhs = LeftSide(rule);
  if (lhs != LeftSide(OsOptHide) && lhs != LeftSide(IntOptWarn)) return false;
  yyval = int32_t{KeywordRecord(KeywordLookup(Lexer().yytext)).token};
  return true;
}
