// What the command grammar's tables decide beyond the grammar's language:
// the default reductions that let the actions read a token's text before
// the lexer moves on, and the error token that resumes a parse after a bad
// line. (That the tables are the ones lalrgen writes from the grammar is the
// ctest parser_tables_current_TarvYacc.)
#include <gtest/gtest.h>

#include "lang/TarvLex.h"
#include "lang/TarvYacc.h"

namespace {

// The state reached from state 0 by shifting the token.
int ShiftTarget(int token) {
  const TYyRange& range = kTarvYaccTables.actionRanges[0];
  for (int i = range.lo; i <= range.hi; ++i)
    if (kTarvYaccTables.actions[i].sym == token) return kTarvYaccTables.actions[i].act;
  return -1;
}

}  // namespace

TEST(TarvYaccTables, TokensWhoseTextIsReadReduceByDefault) {
  for (int token : {ID, NUM, QSTR}) {
    int state = ShiftTarget(token);
    ASSERT_GT(state, 0) << token;
    EXPECT_NE(kTarvYaccTables.defaults[state], 0) << YySymbolName(kTarvYaccTables, token);
  }
}

TEST(TarvYaccTables, BottomStateShiftsTheErrorToken) { EXPECT_GT(ShiftTarget(kYyErrorToken), 0); }
