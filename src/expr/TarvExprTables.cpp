// Generated from TarvExpr.grammar. Do not edit.
//
// LALR(1) tables: 34 states, 234 action entries, 52 goto entries, 22 rules (rule 0 is the accept rule).
// The encoding is described at TYyTables in lang/YaccLib.h.
#include "lang/YaccLib.h"

namespace {

constexpr TYyEntry kActions[] = {
    {257, 8},  // state 0, ENV: shift 8
    {258, 9},  // state 0, ERRORLEVEL: shift 9
    {263, 10},  // state 0, NUMBER: shift 10
    {264, 11},  // state 0, IDENT: shift 11
    {265, 12},  // state 0, QSTR: shift 12
    {0, -9},  // state 0, $end: reduce 9
    {38, -9},  // state 0, '&': reduce 9
    {43, -9},  // state 0, '+': reduce 9
    {45, -9},  // state 0, '-': reduce 9
    {259, -9},  // state 0, EQ: reduce 9
    {260, -9},  // state 0, NE: reduce 9
    {261, -9},  // state 0, LT: reduce 9
    {262, -9},  // state 0, GT: reduce 9
    {267, -9},  // state 0, NEWLINE: reduce 9
    {257, 8},  // state 1, ENV: shift 8
    {258, 9},  // state 1, ERRORLEVEL: shift 9
    {263, 10},  // state 1, NUMBER: shift 10
    {264, 11},  // state 1, IDENT: shift 11
    {265, 12},  // state 1, QSTR: shift 12
    {267, 14},  // state 1, NEWLINE: shift 14
    {38, -9},  // state 1, '&': reduce 9
    {43, -9},  // state 1, '+': reduce 9
    {45, -9},  // state 1, '-': reduce 9
    {0, 0},  // state 1, $end: accept
    {38, 15},  // state 7, '&': shift 15
    {43, 16},  // state 7, '+': shift 16
    {45, 17},  // state 7, '-': shift 17
    {259, 18},  // state 7, EQ: shift 18
    {260, 19},  // state 7, NE: shift 19
    {261, 20},  // state 7, LT: shift 20
    {262, 21},  // state 7, GT: shift 21
    {0, -2},  // state 7, $end: reduce 2
    {257, -2},  // state 7, ENV: reduce 2
    {258, -2},  // state 7, ERRORLEVEL: reduce 2
    {263, -2},  // state 7, NUMBER: reduce 2
    {264, -2},  // state 7, IDENT: reduce 2
    {265, -2},  // state 7, QSTR: reduce 2
    {267, -2},  // state 7, NEWLINE: reduce 2
    {40, 22},  // state 8, '(': shift 22
    {40, 23},  // state 9, '(': shift 23
    {38, 15},  // state 13, '&': shift 15
    {43, 16},  // state 13, '+': shift 16
    {45, 17},  // state 13, '-': shift 17
    {0, -3},  // state 13, $end: reduce 3
    {257, -3},  // state 13, ENV: reduce 3
    {258, -3},  // state 13, ERRORLEVEL: reduce 3
    {263, -3},  // state 13, NUMBER: reduce 3
    {264, -3},  // state 13, IDENT: reduce 3
    {265, -3},  // state 13, QSTR: reduce 3
    {267, -3},  // state 13, NEWLINE: reduce 3
    {257, 8},  // state 15, ENV: shift 8
    {258, 9},  // state 15, ERRORLEVEL: shift 9
    {263, 10},  // state 15, NUMBER: shift 10
    {264, 11},  // state 15, IDENT: shift 11
    {265, 12},  // state 15, QSTR: shift 12
    {0, -9},  // state 15, $end: reduce 9
    {38, -9},  // state 15, '&': reduce 9
    {41, -9},  // state 15, ')': reduce 9
    {43, -9},  // state 15, '+': reduce 9
    {45, -9},  // state 15, '-': reduce 9
    {259, -9},  // state 15, EQ: reduce 9
    {260, -9},  // state 15, NE: reduce 9
    {261, -9},  // state 15, LT: reduce 9
    {262, -9},  // state 15, GT: reduce 9
    {267, -9},  // state 15, NEWLINE: reduce 9
    {257, 8},  // state 16, ENV: shift 8
    {258, 9},  // state 16, ERRORLEVEL: shift 9
    {263, 10},  // state 16, NUMBER: shift 10
    {264, 11},  // state 16, IDENT: shift 11
    {265, 12},  // state 16, QSTR: shift 12
    {0, -9},  // state 16, $end: reduce 9
    {38, -9},  // state 16, '&': reduce 9
    {41, -9},  // state 16, ')': reduce 9
    {43, -9},  // state 16, '+': reduce 9
    {45, -9},  // state 16, '-': reduce 9
    {259, -9},  // state 16, EQ: reduce 9
    {260, -9},  // state 16, NE: reduce 9
    {261, -9},  // state 16, LT: reduce 9
    {262, -9},  // state 16, GT: reduce 9
    {267, -9},  // state 16, NEWLINE: reduce 9
    {257, 8},  // state 17, ENV: shift 8
    {258, 9},  // state 17, ERRORLEVEL: shift 9
    {263, 10},  // state 17, NUMBER: shift 10
    {264, 11},  // state 17, IDENT: shift 11
    {265, 12},  // state 17, QSTR: shift 12
    {0, -9},  // state 17, $end: reduce 9
    {38, -9},  // state 17, '&': reduce 9
    {41, -9},  // state 17, ')': reduce 9
    {43, -9},  // state 17, '+': reduce 9
    {45, -9},  // state 17, '-': reduce 9
    {259, -9},  // state 17, EQ: reduce 9
    {260, -9},  // state 17, NE: reduce 9
    {261, -9},  // state 17, LT: reduce 9
    {262, -9},  // state 17, GT: reduce 9
    {267, -9},  // state 17, NEWLINE: reduce 9
    {257, 8},  // state 18, ENV: shift 8
    {258, 9},  // state 18, ERRORLEVEL: shift 9
    {263, 10},  // state 18, NUMBER: shift 10
    {264, 11},  // state 18, IDENT: shift 11
    {265, 12},  // state 18, QSTR: shift 12
    {0, -9},  // state 18, $end: reduce 9
    {38, -9},  // state 18, '&': reduce 9
    {43, -9},  // state 18, '+': reduce 9
    {45, -9},  // state 18, '-': reduce 9
    {267, -9},  // state 18, NEWLINE: reduce 9
    {257, 8},  // state 19, ENV: shift 8
    {258, 9},  // state 19, ERRORLEVEL: shift 9
    {263, 10},  // state 19, NUMBER: shift 10
    {264, 11},  // state 19, IDENT: shift 11
    {265, 12},  // state 19, QSTR: shift 12
    {0, -9},  // state 19, $end: reduce 9
    {38, -9},  // state 19, '&': reduce 9
    {43, -9},  // state 19, '+': reduce 9
    {45, -9},  // state 19, '-': reduce 9
    {267, -9},  // state 19, NEWLINE: reduce 9
    {257, 8},  // state 20, ENV: shift 8
    {258, 9},  // state 20, ERRORLEVEL: shift 9
    {263, 10},  // state 20, NUMBER: shift 10
    {264, 11},  // state 20, IDENT: shift 11
    {265, 12},  // state 20, QSTR: shift 12
    {0, -9},  // state 20, $end: reduce 9
    {38, -9},  // state 20, '&': reduce 9
    {43, -9},  // state 20, '+': reduce 9
    {45, -9},  // state 20, '-': reduce 9
    {267, -9},  // state 20, NEWLINE: reduce 9
    {257, 8},  // state 21, ENV: shift 8
    {258, 9},  // state 21, ERRORLEVEL: shift 9
    {263, 10},  // state 21, NUMBER: shift 10
    {264, 11},  // state 21, IDENT: shift 11
    {265, 12},  // state 21, QSTR: shift 12
    {0, -9},  // state 21, $end: reduce 9
    {38, -9},  // state 21, '&': reduce 9
    {43, -9},  // state 21, '+': reduce 9
    {45, -9},  // state 21, '-': reduce 9
    {267, -9},  // state 21, NEWLINE: reduce 9
    {257, 8},  // state 22, ENV: shift 8
    {258, 9},  // state 22, ERRORLEVEL: shift 9
    {263, 10},  // state 22, NUMBER: shift 10
    {264, 11},  // state 22, IDENT: shift 11
    {265, 12},  // state 22, QSTR: shift 12
    {38, -9},  // state 22, '&': reduce 9
    {41, -9},  // state 22, ')': reduce 9
    {43, -9},  // state 22, '+': reduce 9
    {45, -9},  // state 22, '-': reduce 9
    {41, 32},  // state 23, ')': shift 32
    {38, 15},  // state 24, '&': shift 15
    {43, 16},  // state 24, '+': shift 16
    {45, 17},  // state 24, '-': shift 17
    {0, -11},  // state 24, $end: reduce 11
    {41, -11},  // state 24, ')': reduce 11
    {257, -11},  // state 24, ENV: reduce 11
    {258, -11},  // state 24, ERRORLEVEL: reduce 11
    {259, -11},  // state 24, EQ: reduce 11
    {260, -11},  // state 24, NE: reduce 11
    {261, -11},  // state 24, LT: reduce 11
    {262, -11},  // state 24, GT: reduce 11
    {263, -11},  // state 24, NUMBER: reduce 11
    {264, -11},  // state 24, IDENT: reduce 11
    {265, -11},  // state 24, QSTR: reduce 11
    {267, -11},  // state 24, NEWLINE: reduce 11
    {38, 15},  // state 25, '&': shift 15
    {0, -12},  // state 25, $end: reduce 12
    {41, -12},  // state 25, ')': reduce 12
    {43, -12},  // state 25, '+': reduce 12
    {45, -12},  // state 25, '-': reduce 12
    {257, -12},  // state 25, ENV: reduce 12
    {258, -12},  // state 25, ERRORLEVEL: reduce 12
    {259, -12},  // state 25, EQ: reduce 12
    {260, -12},  // state 25, NE: reduce 12
    {261, -12},  // state 25, LT: reduce 12
    {262, -12},  // state 25, GT: reduce 12
    {263, -12},  // state 25, NUMBER: reduce 12
    {264, -12},  // state 25, IDENT: reduce 12
    {265, -12},  // state 25, QSTR: reduce 12
    {267, -12},  // state 25, NEWLINE: reduce 12
    {38, 15},  // state 26, '&': shift 15
    {0, -13},  // state 26, $end: reduce 13
    {41, -13},  // state 26, ')': reduce 13
    {43, -13},  // state 26, '+': reduce 13
    {45, -13},  // state 26, '-': reduce 13
    {257, -13},  // state 26, ENV: reduce 13
    {258, -13},  // state 26, ERRORLEVEL: reduce 13
    {259, -13},  // state 26, EQ: reduce 13
    {260, -13},  // state 26, NE: reduce 13
    {261, -13},  // state 26, LT: reduce 13
    {262, -13},  // state 26, GT: reduce 13
    {263, -13},  // state 26, NUMBER: reduce 13
    {264, -13},  // state 26, IDENT: reduce 13
    {265, -13},  // state 26, QSTR: reduce 13
    {267, -13},  // state 26, NEWLINE: reduce 13
    {38, 15},  // state 27, '&': shift 15
    {43, 16},  // state 27, '+': shift 16
    {45, 17},  // state 27, '-': shift 17
    {0, -5},  // state 27, $end: reduce 5
    {257, -5},  // state 27, ENV: reduce 5
    {258, -5},  // state 27, ERRORLEVEL: reduce 5
    {263, -5},  // state 27, NUMBER: reduce 5
    {264, -5},  // state 27, IDENT: reduce 5
    {265, -5},  // state 27, QSTR: reduce 5
    {267, -5},  // state 27, NEWLINE: reduce 5
    {38, 15},  // state 28, '&': shift 15
    {43, 16},  // state 28, '+': shift 16
    {45, 17},  // state 28, '-': shift 17
    {0, -6},  // state 28, $end: reduce 6
    {257, -6},  // state 28, ENV: reduce 6
    {258, -6},  // state 28, ERRORLEVEL: reduce 6
    {263, -6},  // state 28, NUMBER: reduce 6
    {264, -6},  // state 28, IDENT: reduce 6
    {265, -6},  // state 28, QSTR: reduce 6
    {267, -6},  // state 28, NEWLINE: reduce 6
    {38, 15},  // state 29, '&': shift 15
    {43, 16},  // state 29, '+': shift 16
    {45, 17},  // state 29, '-': shift 17
    {0, -7},  // state 29, $end: reduce 7
    {257, -7},  // state 29, ENV: reduce 7
    {258, -7},  // state 29, ERRORLEVEL: reduce 7
    {263, -7},  // state 29, NUMBER: reduce 7
    {264, -7},  // state 29, IDENT: reduce 7
    {265, -7},  // state 29, QSTR: reduce 7
    {267, -7},  // state 29, NEWLINE: reduce 7
    {38, 15},  // state 30, '&': shift 15
    {43, 16},  // state 30, '+': shift 16
    {45, 17},  // state 30, '-': shift 17
    {0, -8},  // state 30, $end: reduce 8
    {257, -8},  // state 30, ENV: reduce 8
    {258, -8},  // state 30, ERRORLEVEL: reduce 8
    {263, -8},  // state 30, NUMBER: reduce 8
    {264, -8},  // state 30, IDENT: reduce 8
    {265, -8},  // state 30, QSTR: reduce 8
    {267, -8},  // state 30, NEWLINE: reduce 8
    {38, 15},  // state 31, '&': shift 15
    {41, 33},  // state 31, ')': shift 33
    {43, 16},  // state 31, '+': shift 16
    {45, 17},  // state 31, '-': shift 17
};

constexpr TYyRange kActionRanges[] = {
    {0, 13},  // state 0
    {14, 23},  // state 1
    {24, 23},  // state 2
    {24, 23},  // state 3
    {24, 23},  // state 4
    {24, 23},  // state 5
    {24, 23},  // state 6
    {24, 37},  // state 7
    {38, 38},  // state 8
    {39, 39},  // state 9
    {40, 39},  // state 10
    {40, 39},  // state 11
    {40, 39},  // state 12
    {40, 49},  // state 13
    {50, 49},  // state 14
    {50, 64},  // state 15
    {65, 79},  // state 16
    {80, 94},  // state 17
    {95, 104},  // state 18
    {105, 114},  // state 19
    {115, 124},  // state 20
    {125, 134},  // state 21
    {135, 143},  // state 22
    {144, 144},  // state 23
    {145, 159},  // state 24
    {160, 174},  // state 25
    {175, 189},  // state 26
    {190, 199},  // state 27
    {200, 209},  // state 28
    {210, 219},  // state 29
    {220, 229},  // state 30
    {230, 233},  // state 31
    {234, 233},  // state 32
    {234, 233},  // state 33
};

constexpr TYyEntry kGotos[] = {
    {-1, 1},  // state 0, exprInput: goto 1
    {-2, 2},  // state 0, exprQuoted: goto 2
    {-3, 3},  // state 0, exprNum: goto 3
    {-4, 4},  // state 0, exprName: goto 4
    {-5, 5},  // state 0, exprAtom: goto 5
    {-6, 6},  // state 0, exprCompare: goto 6
    {-7, 7},  // state 0, exprStr: goto 7
    {-2, 2},  // state 1, exprQuoted: goto 2
    {-3, 3},  // state 1, exprNum: goto 3
    {-4, 4},  // state 1, exprName: goto 4
    {-5, 5},  // state 1, exprAtom: goto 5
    {-7, 13},  // state 1, exprStr: goto 13
    {-2, 2},  // state 15, exprQuoted: goto 2
    {-3, 3},  // state 15, exprNum: goto 3
    {-4, 4},  // state 15, exprName: goto 4
    {-5, 5},  // state 15, exprAtom: goto 5
    {-7, 24},  // state 15, exprStr: goto 24
    {-2, 2},  // state 16, exprQuoted: goto 2
    {-3, 3},  // state 16, exprNum: goto 3
    {-4, 4},  // state 16, exprName: goto 4
    {-5, 5},  // state 16, exprAtom: goto 5
    {-7, 25},  // state 16, exprStr: goto 25
    {-2, 2},  // state 17, exprQuoted: goto 2
    {-3, 3},  // state 17, exprNum: goto 3
    {-4, 4},  // state 17, exprName: goto 4
    {-5, 5},  // state 17, exprAtom: goto 5
    {-7, 26},  // state 17, exprStr: goto 26
    {-2, 2},  // state 18, exprQuoted: goto 2
    {-3, 3},  // state 18, exprNum: goto 3
    {-4, 4},  // state 18, exprName: goto 4
    {-5, 5},  // state 18, exprAtom: goto 5
    {-7, 27},  // state 18, exprStr: goto 27
    {-2, 2},  // state 19, exprQuoted: goto 2
    {-3, 3},  // state 19, exprNum: goto 3
    {-4, 4},  // state 19, exprName: goto 4
    {-5, 5},  // state 19, exprAtom: goto 5
    {-7, 28},  // state 19, exprStr: goto 28
    {-2, 2},  // state 20, exprQuoted: goto 2
    {-3, 3},  // state 20, exprNum: goto 3
    {-4, 4},  // state 20, exprName: goto 4
    {-5, 5},  // state 20, exprAtom: goto 5
    {-7, 29},  // state 20, exprStr: goto 29
    {-2, 2},  // state 21, exprQuoted: goto 2
    {-3, 3},  // state 21, exprNum: goto 3
    {-4, 4},  // state 21, exprName: goto 4
    {-5, 5},  // state 21, exprAtom: goto 5
    {-7, 30},  // state 21, exprStr: goto 30
    {-2, 2},  // state 22, exprQuoted: goto 2
    {-3, 3},  // state 22, exprNum: goto 3
    {-4, 4},  // state 22, exprName: goto 4
    {-5, 5},  // state 22, exprAtom: goto 5
    {-7, 31},  // state 22, exprStr: goto 31
};

constexpr TYyRange kGotoRanges[] = {
    {0, 6},  // state 0
    {7, 11},  // state 1
    {12, 11},  // state 2
    {12, 11},  // state 3
    {12, 11},  // state 4
    {12, 11},  // state 5
    {12, 11},  // state 6
    {12, 11},  // state 7
    {12, 11},  // state 8
    {12, 11},  // state 9
    {12, 11},  // state 10
    {12, 11},  // state 11
    {12, 11},  // state 12
    {12, 11},  // state 13
    {12, 11},  // state 14
    {12, 16},  // state 15
    {17, 21},  // state 16
    {22, 26},  // state 17
    {27, 31},  // state 18
    {32, 36},  // state 19
    {37, 41},  // state 20
    {42, 46},  // state 21
    {47, 51},  // state 22
    {52, 51},  // state 23
    {52, 51},  // state 24
    {52, 51},  // state 25
    {52, 51},  // state 26
    {52, 51},  // state 27
    {52, 51},  // state 28
    {52, 51},  // state 29
    {52, 51},  // state 30
    {52, 51},  // state 31
    {52, 51},  // state 32
    {52, 51},  // state 33
};

constexpr int32_t kDefaults[] = {
    0,  // state 0
    0,  // state 1
    -19,  // state 2
    -21,  // state 3
    -20,  // state 4
    -10,  // state 5
    -1,  // state 6
    0,  // state 7
    0,  // state 8
    0,  // state 9
    -17,  // state 10
    -16,  // state 11
    -18,  // state 12
    0,  // state 13
    -4,  // state 14
    0,  // state 15
    0,  // state 16
    0,  // state 17
    0,  // state 18
    0,  // state 19
    0,  // state 20
    0,  // state 21
    0,  // state 22
    0,  // state 23
    0,  // state 24
    0,  // state 25
    0,  // state 26
    0,  // state 27
    0,  // state 28
    0,  // state 29
    0,  // state 30
    0,  // state 31
    -15,  // state 32
    -14,  // state 33
};

constexpr TYyRule kRules[] = {
    {2, 0},  // 0: $accept : exprInput $end
    {1, -1},  // 1: exprInput : exprCompare
    {1, -1},  // 2: exprInput : exprStr
    {2, -1},  // 3: exprInput : exprInput exprStr
    {2, -1},  // 4: exprInput : exprInput NEWLINE
    {3, -6},  // 5: exprCompare : exprStr EQ exprStr
    {3, -6},  // 6: exprCompare : exprStr NE exprStr
    {3, -6},  // 7: exprCompare : exprStr LT exprStr
    {3, -6},  // 8: exprCompare : exprStr GT exprStr
    {0, -7},  // 9: exprStr : /* empty */
    {1, -7},  // 10: exprStr : exprAtom
    {3, -7},  // 11: exprStr : exprStr '&' exprStr
    {3, -7},  // 12: exprStr : exprStr '+' exprStr
    {3, -7},  // 13: exprStr : exprStr '-' exprStr
    {4, -7},  // 14: exprStr : ENV '(' exprStr ')'
    {3, -7},  // 15: exprStr : ERRORLEVEL '(' ')'
    {1, -4},  // 16: exprName : IDENT
    {1, -3},  // 17: exprNum : NUMBER
    {1, -2},  // 18: exprQuoted : QSTR
    {1, -5},  // 19: exprAtom : exprQuoted
    {1, -5},  // 20: exprAtom : exprName
    {1, -5},  // 21: exprAtom : exprNum
};

constexpr TYyTokenName kTokenNames[] = {
    {0, "$end"},
    {38, "'&'"},
    {40, "'('"},
    {41, "')'"},
    {43, "'+'"},
    {45, "'-'"},
    {256, "error"},
    {257, "ENV"},
    {258, "ERRORLEVEL"},
    {259, "EQ"},
    {260, "NE"},
    {261, "LT"},
    {262, "GT"},
    {263, "NUMBER"},
    {264, "IDENT"},
    {265, "QSTR"},
    {267, "NEWLINE"},
};

constexpr const char* kNonterminalNames[] = {
    "exprInput",  // -1
    "exprQuoted",  // -2
    "exprNum",  // -3
    "exprName",  // -4
    "exprAtom",  // -5
    "exprCompare",  // -6
    "exprStr",  // -7
};

constexpr const char* kRuleTexts[] = {
    "$accept : exprInput $end",
    "exprInput : exprCompare",
    "exprInput : exprStr",
    "exprInput : exprInput exprStr",
    "exprInput : exprInput NEWLINE",
    "exprCompare : exprStr EQ exprStr",
    "exprCompare : exprStr NE exprStr",
    "exprCompare : exprStr LT exprStr",
    "exprCompare : exprStr GT exprStr",
    "exprStr : /* empty */",
    "exprStr : exprAtom",
    "exprStr : exprStr '&' exprStr",
    "exprStr : exprStr '+' exprStr",
    "exprStr : exprStr '-' exprStr",
    "exprStr : ENV '(' exprStr ')'",
    "exprStr : ERRORLEVEL '(' ')'",
    "exprName : IDENT",
    "exprNum : NUMBER",
    "exprQuoted : QSTR",
    "exprAtom : exprQuoted",
    "exprAtom : exprName",
    "exprAtom : exprNum",
};

}  // namespace

extern const TYyTables kTarvExprTables;
const TYyTables kTarvExprTables = {
    .stateCount = 34,
    .actions = kActions,
    .actionCount = 234,
    .actionRanges = kActionRanges,
    .gotos = kGotos,
    .gotoCount = 52,
    .gotoRanges = kGotoRanges,
    .defaults = kDefaults,
    .rules = kRules,
    .ruleCount = 22,
    .tokenNames = kTokenNames,
    .tokenNameCount = 17,
    .nonterminalNames = kNonterminalNames,
    .nonterminalCount = 7,
    .ruleTexts = kRuleTexts,
};
