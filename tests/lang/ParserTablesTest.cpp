// The command grammar's tables: their size, and the default reductions that
// decide when the lexer is called (the rules that read yytext).
#include <gtest/gtest.h>

#include "lang/TarvLex.h"
#include "lang/TarvYacc.h"

namespace {

int TotalRuleCount() { return kTarvYaccTables.ruleCount; }

// The state reached from state 0 by shifting the token.
int ShiftTarget(int token) {
  const TYyRange& range = kTarvYaccTables.actionRanges[0];
  for (int i = range.lo; i <= range.hi; ++i)
    if (kTarvYaccTables.actions[i].sym == token) return kTarvYaccTables.actions[i].act;
  return -1;
}

}  // namespace

TEST(TarvYaccTables, HaveTheirStateActionGotoAndRuleCounts) {
  EXPECT_EQ(kTarvYaccTables.stateCount, 122);
  EXPECT_EQ(kTarvYaccTables.actionCount, 454);
  EXPECT_EQ(kTarvYaccTables.gotoCount, 167);
  EXPECT_EQ(TotalRuleCount(), 81);  // 80 grammar rules and the accept rule
}

TEST(TarvYaccTables, RangesCoverEveryEntryOnceInOrder) {
  int next = 0;
  for (int s = 0; s < kTarvYaccTables.stateCount; ++s) {
    const TYyRange& range = kTarvYaccTables.actionRanges[s];
    EXPECT_EQ(range.lo, next) << "state " << s;
    next = range.hi + 1;
    if (kTarvYaccTables.defaults[s] != 0) {
      EXPECT_GT(range.lo, range.hi) << "state " << s;
    }
  }
  EXPECT_EQ(next, kTarvYaccTables.actionCount);
}

TEST(TarvYaccTables, TokensWhoseTextIsReadReduceByDefault) {
  for (int token : {ID, NUM, QSTR}) {
    int state = ShiftTarget(token);
    ASSERT_GT(state, 0) << token;
    EXPECT_NE(kTarvYaccTables.defaults[state], 0) << YySymbolName(kTarvYaccTables, token);
  }
}

TEST(TarvYaccTables, BottomStateShiftsTheErrorToken) { EXPECT_GT(ShiftTarget(kYyErrorToken), 0); }
