// Generated from TarvExprLex.rules. Do not edit.
//
// 13 states for 7 rules; entry state 2k is start condition k inside a line, 2k+1 at a line start: 0 INITIAL.
#include "expr/TarvExprLex.h"

static_assert(TTarvExprLex::Comment == 1);
static_assert(TTarvExprLex::Blanks == 2);
static_assert(TTarvExprLex::QuotedString == 3);
static_assert(TTarvExprLex::Word == 4);
static_assert(TTarvExprLex::Number == 5);
static_assert(TTarvExprLex::LineEnd == 6);
static_assert(TTarvExprLex::OtherChar == 7);

namespace {

const char* const kRuleNames[] = {
  "Comment",
  "Blanks",
  "QuotedString",
  "Word",
  "Number",
  "LineEnd",
  "OtherChar",
};

const int kMarks[] = {
  2, 2, 7, 2, 7, 6, 7, 3, 7, 4, 7, 4, 7, 5, 7, 2,
  4, 1, 5,
};

// The same rules as the marks, lowest rule number first.
const int kMatches[] = {
  2, 2, 7, 2, 7, 6, 7, 3, 7, 4, 7, 4, 7, 5, 7, 2,
  4, 1, 5,
};

const TLexTransition kTransitions[] = {
  {{{0xFFFFF9FE, 0xF8003FFA, 0xE8000001, 0xB8000001, 0x00000000, 0x00000000, 0x00000000, 0x00000000}}, 2},
  {{{0x00000200, 0x00000001, 0x00000000, 0x00000000, 0x00000000, 0x00000000, 0x00000000, 0x00000000}}, 3},
  {{{0x00000400, 0x00000000, 0x00000000, 0x00000000, 0x00000000, 0x00000000, 0x00000000, 0x00000000}}, 4},
  {{{0x00000000, 0x00000004, 0x00000000, 0x00000000, 0x00000000, 0x00000000, 0x00000000, 0x00000000}}, 5},
  {{{0x00000000, 0x04004000, 0x17FFFFFE, 0x47FFFFFE, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF}}, 6},
  {{{0x00000000, 0x00008000, 0x00000000, 0x00000000, 0x00000000, 0x00000000, 0x00000000, 0x00000000}}, 7},
  {{{0x00000000, 0x03FF0000, 0x00000000, 0x00000000, 0x00000000, 0x00000000, 0x00000000, 0x00000000}}, 8},
  {{{0xFFFFF9FE, 0xF8003FFA, 0xE8000001, 0xB8000001, 0x00000000, 0x00000000, 0x00000000, 0x00000000}}, 2},
  {{{0x00000200, 0x00000001, 0x00000000, 0x00000000, 0x00000000, 0x00000000, 0x00000000, 0x00000000}}, 3},
  {{{0x00000400, 0x00000000, 0x00000000, 0x00000000, 0x00000000, 0x00000000, 0x00000000, 0x00000000}}, 4},
  {{{0x00000000, 0x00000004, 0x00000000, 0x00000000, 0x00000000, 0x00000000, 0x00000000, 0x00000000}}, 5},
  {{{0x00000000, 0x04004000, 0x17FFFFFE, 0x47FFFFFE, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF}}, 6},
  {{{0x00000000, 0x00008000, 0x00000000, 0x00000000, 0x00000000, 0x00000000, 0x00000000, 0x00000000}}, 7},
  {{{0x00000000, 0x03FF0000, 0x00000000, 0x00000000, 0x00000000, 0x00000000, 0x00000000, 0x00000000}}, 8},
  {{{0x00000200, 0x00000001, 0x00000000, 0x00000000, 0x00000000, 0x00000000, 0x00000000, 0x00000000}}, 9},
  {{{0x00000000, 0x07FFD000, 0x97FFFFFE, 0x47FFFFFE, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF}}, 10},
  {{{0x00000000, 0x00000400, 0x00000000, 0x00000000, 0x00000000, 0x00000000, 0x00000000, 0x00000000}}, 11},
  {{{0x00000000, 0x07FFD000, 0x97FFFFFE, 0x47FFFFFE, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF}}, 10},
  {{{0x00000000, 0x03FF0000, 0x00000000, 0x00000000, 0x00000000, 0x00000000, 0x00000000, 0x00000000}}, 12},
  {{{0x00000200, 0x00000001, 0x00000000, 0x00000000, 0x00000000, 0x00000000, 0x00000000, 0x00000000}}, 9},
  {{{0x00000000, 0x07FFD000, 0x97FFFFFE, 0x47FFFFFE, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF}}, 10},
  {{{0x00000000, 0x03FF0000, 0x00000000, 0x00000000, 0x00000000, 0x00000000, 0x00000000, 0x00000000}}, 12},
};

// marks, matches and transitions of each state (inclusive ranges)
const TLexStateRanges kStates[] = {
  {0, 0, 0, 0, 0, 6},  // 0
  {1, 1, 1, 1, 7, 13},  // 1
  {2, 2, 2, 2, 14, 13},  // 2
  {3, 4, 3, 4, 14, 14},  // 3
  {5, 6, 5, 6, 15, 14},  // 4
  {7, 8, 7, 8, 15, 14},  // 5
  {9, 10, 9, 10, 15, 15},  // 6
  {11, 12, 11, 12, 16, 17},  // 7
  {13, 14, 13, 14, 18, 18},  // 8
  {15, 15, 15, 15, 19, 19},  // 9
  {16, 16, 16, 16, 20, 20},  // 10
  {17, 17, 17, 17, 21, 20},  // 11
  {18, 18, 18, 18, 21, 21},  // 12
};

}  // namespace

const TLexTables kTarvExprLexTables = {kMarks, kMatches, kTransitions, kStates, 13, kRuleNames, 7};
