// The expression grammar's automaton, state by state: actions in table
// order, default reductions and gotos.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "expr/TarvExpr.h"
#include "expr/TarvExprLex.h"

namespace {

using namespace ExprTok;
using enum TTarvExprRule;
using TPairs = std::vector<std::pair<int, int>>;
using TNamedGotos = std::vector<std::pair<std::string, int>>;

struct TExpectedState {
  int defaultRule;  // 0: none
  TPairs actions;   // {symbol, action}: > 0 shift, < 0 reduce, 0 accept
  TNamedGotos gotos;
};

constexpr int kEnd = 0;
constexpr int kAccept = 0;

TPairs Join(std::initializer_list<TPairs> parts) {
  TPairs joined;
  for (const auto& part : parts) joined.insert(joined.end(), part.begin(), part.end());
  return joined;
}

int Number(TTarvExprRule rule) { return static_cast<int>(rule); }

TPairs Reduce(TTarvExprRule rule, std::initializer_list<int> symbols) {
  TPairs entries;
  for (int symbol : symbols) entries.push_back({symbol, -Number(rule)});
  return entries;
}

const TPairs kOperandShifts = {{ENV, 8}, {ERRORLEVEL, 9}, {NUMBER, 10}, {IDENT, 11}, {QSTR, 12}};
const TPairs kOperatorShifts = {{'&', 15}, {'+', 16}, {'-', 17}};

TNamedGotos OperandGotos(int strTarget) {
  return {{"exprQuoted", 2}, {"exprNum", 3}, {"exprName", 4}, {"exprAtom", 5}, {"exprStr", strTarget}};
}

TExpectedState OperandState(int strTarget, std::initializer_list<int> emptyOperandLookaheads) {
  return {0, Join({kOperandShifts, Reduce(StrEmpty, emptyOperandLookaheads)}), OperandGotos(strTarget)};
}

TExpectedState CompareEnd(TTarvExprRule rule) {
  return {
      0, Join({kOperatorShifts, Reduce(rule, {kEnd, ENV, ERRORLEVEL, NUMBER, IDENT, QSTR, NEWLINE})}), {}};
}

TExpectedState ArithmeticEnd(TTarvExprRule rule) {
  return {0,
          Join({{{'&', 15}},
                Reduce(rule, {kEnd, ')', '+', '-', ENV, ERRORLEVEL, EQ, NE, LT, GT, NUMBER, IDENT, QSTR,
                              NEWLINE})}),
          {}};
}

TExpectedState Default(TTarvExprRule rule) { return {Number(rule), {}, {}}; }

std::vector<TExpectedState> ExpectedAutomaton() {
  const auto all = {kEnd,    int{'&'}, int{')'}, int{'+'}, int{'-'},
                    int{EQ}, int{NE},  int{LT},  int{GT},  int{NEWLINE}};
  const auto noParen = {kEnd, int{'&'}, int{'+'}, int{'-'}, int{NEWLINE}};
  return {
      /* 0 */ {0,
               Join({kOperandShifts, Reduce(StrEmpty, {kEnd, '&', '+', '-', EQ, NE, LT, GT, NEWLINE})}),
               {{"exprInput", 1},
                {"exprQuoted", 2},
                {"exprNum", 3},
                {"exprName", 4},
                {"exprAtom", 5},
                {"exprCompare", 6},
                {"exprStr", 7}}},
      /* 1 */
      {0, Join({kOperandShifts, {{NEWLINE, 14}}, Reduce(StrEmpty, {'&', '+', '-'}), {{kEnd, kAccept}}}),
       OperandGotos(13)},
      /* 2 */ Default(AtomQuoted),
      /* 3 */ Default(AtomNum),
      /* 4 */ Default(AtomName),
      /* 5 */ Default(StrAtom),
      /* 6 */ Default(InputCompare),
      /* 7 */
      {0,
       Join({kOperatorShifts,
             {{EQ, 18}, {NE, 19}, {LT, 20}, {GT, 21}},
             Reduce(InputStr, {kEnd, ENV, ERRORLEVEL, NUMBER, IDENT, QSTR, NEWLINE})}),
       {}},
      /* 8 */ {0, {{'(', 22}}, {}},
      /* 9 */ {0, {{'(', 23}}, {}},
      /* 10 */ Default(NumNumber),
      /* 11 */ Default(NameIdent),
      /* 12 */ Default(QuotedQstr),
      /* 13 */
      {0,
       Join({kOperatorShifts, Reduce(InputAppend, {kEnd, ENV, ERRORLEVEL, NUMBER, IDENT, QSTR, NEWLINE})}),
       {}},
      /* 14 */ Default(InputNewline),
      /* 15 */ OperandState(24, all),
      /* 16 */ OperandState(25, all),
      /* 17 */ OperandState(26, all),
      /* 18 */ OperandState(27, noParen),
      /* 19 */ OperandState(28, noParen),
      /* 20 */ OperandState(29, noParen),
      /* 21 */ OperandState(30, noParen),
      /* 22 */ OperandState(31, {'&', ')', '+', '-'}),
      /* 23 */ {0, {{')', 32}}, {}},
      /* 24 */
      {0,
       Join({kOperatorShifts,
             Reduce(StrConcat, {kEnd, ')', ENV, ERRORLEVEL, EQ, NE, LT, GT, NUMBER, IDENT, QSTR, NEWLINE})}),
       {}},
      /* 25 */ ArithmeticEnd(StrPlus),
      /* 26 */ ArithmeticEnd(StrMinus),
      /* 27 */ CompareEnd(CompareEq),
      /* 28 */ CompareEnd(CompareNe),
      /* 29 */ CompareEnd(CompareLt),
      /* 30 */ CompareEnd(CompareGt),
      /* 31 */ {0, {{'&', 15}, {')', 33}, {'+', 16}, {'-', 17}}, {}},
      /* 32 */ Default(StrErrorLevel),
      /* 33 */ Default(StrEnv),
  };
}

TPairs ActionsOf(int state) {
  TPairs actions;
  const TYyRange& range = kTarvExprTables.actionRanges[state];
  for (int i = range.lo; i <= range.hi; ++i)
    actions.push_back({kTarvExprTables.actions[i].sym, kTarvExprTables.actions[i].act});
  return actions;
}

TNamedGotos GotosOf(int state) {
  TNamedGotos gotos;
  const TYyRange& range = kTarvExprTables.gotoRanges[state];
  for (int i = range.lo; i <= range.hi; ++i)
    gotos.push_back(
        {YySymbolName(kTarvExprTables, kTarvExprTables.gotos[i].sym), kTarvExprTables.gotos[i].act});
  return gotos;
}

}  // namespace

TEST(ExprTables, AutomatonHasThirtyFourStatesAndTwentyOneRules) {
  EXPECT_EQ(kTarvExprTables.stateCount, 34);
  EXPECT_EQ(kTarvExprTables.ruleCount, 22);  // with the accept rule 0
}

TEST(ExprTables, EveryStateHasItsActionsDefaultAndGotos) {
  std::vector<TExpectedState> expected = ExpectedAutomaton();
  ASSERT_EQ(static_cast<int>(expected.size()), kTarvExprTables.stateCount);
  for (int state = 0; state < kTarvExprTables.stateCount; ++state) {
    SCOPED_TRACE("state " + std::to_string(state));
    EXPECT_EQ(kTarvExprTables.defaults[state], -expected[state].defaultRule);
    EXPECT_EQ(ActionsOf(state), expected[state].actions);
    EXPECT_EQ(GotosOf(state), expected[state].gotos);
  }
}

TEST(ExprTables, RulesHaveTheirLengthsAndLeftSides) {
  const std::vector<std::pair<int, std::string>> rules = {
      {1, "exprInput"},   {1, "exprInput"},   {2, "exprInput"},   {2, "exprInput"}, {3, "exprCompare"},
      {3, "exprCompare"}, {3, "exprCompare"}, {3, "exprCompare"}, {0, "exprStr"},   {1, "exprStr"},
      {3, "exprStr"},     {3, "exprStr"},     {3, "exprStr"},     {4, "exprStr"},   {3, "exprStr"},
      {1, "exprName"},    {1, "exprNum"},     {1, "exprQuoted"},  {1, "exprAtom"},  {1, "exprAtom"},
      {1, "exprAtom"}};
  for (size_t r = 1; r <= rules.size(); ++r) {
    SCOPED_TRACE("rule " + std::to_string(r));
    EXPECT_EQ(kTarvExprTables.rules[r].len, rules[r - 1].first);
    EXPECT_EQ(YySymbolName(kTarvExprTables, kTarvExprTables.rules[r].lhs), rules[r - 1].second);
  }
}
