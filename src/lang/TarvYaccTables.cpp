// Generated from TarvYacc.grammar. Do not edit.
//
// LALR(1) tables: 122 states, 454 action entries, 167 goto entries, 81 rules (rule 0 is the accept rule).
// The encoding is described at TYyTables in lang/YaccLib.h.
#include "lang/YaccLib.h"

namespace {

constexpr TYyEntry kActions[] = {
    {123, 9},  // state 0, '{': shift 9
    {256, 10},  // state 0, error: shift 10
    {257, 11},  // state 0, _AT: shift 11
    {258, 12},  // state 0, _ACTIVATE: shift 12
    {259, 13},  // state 0, _CD: shift 13
    {260, 14},  // state 0, _CLOSE: shift 14
    {261, 15},  // state 0, _DO: shift 15
    {262, 16},  // state 0, _EDIT: shift 16
    {264, 17},  // state 0, _IF: shift 17
    {265, 18},  // state 0, _KILL: shift 18
    {266, 19},  // state 0, _KILLWINDOW: shift 19
    {267, 20},  // state 0, _PAUSE: shift 20
    {268, 21},  // state 0, _PLIST: shift 21
    {269, 22},  // state 0, _SENDKEYS: shift 22
    {270, 23},  // state 0, _SET: shift 23
    {271, 24},  // state 0, _SLEEP: shift 24
    {272, 25},  // state 0, _WAITALL: shift 25
    {273, 26},  // state 0, _WAITCLOSE: shift 26
    {274, 27},  // state 0, _WAITFOR: shift 27
    {275, 28},  // state 0, _WLIST: shift 28
    {288, 29},  // state 0, NUM: shift 29
    {289, 30},  // state 0, ID: shift 30
    {290, 31},  // state 0, QSTR: shift 31
    {292, 32},  // state 0, NL: shift 32
    {0, -1},  // state 0, $end: reduce 1
    {0, 0},  // state 1, $end: accept
    {123, 9},  // state 2, '{': shift 9
    {256, 10},  // state 2, error: shift 10
    {257, 11},  // state 2, _AT: shift 11
    {258, 12},  // state 2, _ACTIVATE: shift 12
    {259, 13},  // state 2, _CD: shift 13
    {260, 14},  // state 2, _CLOSE: shift 14
    {261, 15},  // state 2, _DO: shift 15
    {262, 16},  // state 2, _EDIT: shift 16
    {264, 17},  // state 2, _IF: shift 17
    {265, 18},  // state 2, _KILL: shift 18
    {266, 19},  // state 2, _KILLWINDOW: shift 19
    {267, 20},  // state 2, _PAUSE: shift 20
    {268, 21},  // state 2, _PLIST: shift 21
    {269, 22},  // state 2, _SENDKEYS: shift 22
    {270, 23},  // state 2, _SET: shift 23
    {271, 24},  // state 2, _SLEEP: shift 24
    {272, 25},  // state 2, _WAITALL: shift 25
    {273, 26},  // state 2, _WAITCLOSE: shift 26
    {274, 27},  // state 2, _WAITFOR: shift 27
    {275, 28},  // state 2, _WLIST: shift 28
    {288, 29},  // state 2, NUM: shift 29
    {289, 30},  // state 2, ID: shift 30
    {290, 31},  // state 2, QSTR: shift 31
    {292, 32},  // state 2, NL: shift 32
    {0, -2},  // state 2, $end: reduce 2
    {292, 34},  // state 5, NL: shift 34
    {276, 38},  // state 8, _HIDE: shift 38
    {277, 39},  // state 8, _IGNORE: shift 39
    {278, 40},  // state 8, _MAX: shift 40
    {279, 41},  // state 8, _MIN: shift 41
    {280, 42},  // state 8, _NOACTIVATE: shift 42
    {281, 43},  // state 8, _WAIT: shift 43
    {282, 44},  // state 8, _WARN: shift 44
    {125, -64},  // state 8, '}': reduce 64
    {288, -64},  // state 8, NUM: reduce 64
    {289, -64},  // state 8, ID: reduce 64
    {290, -64},  // state 8, QSTR: reduce 64
    {291, -64},  // state 8, ILLEGAL: reduce 64
    {292, -64},  // state 8, NL: reduce 64
    {257, 11},  // state 9, _AT: shift 11
    {258, 12},  // state 9, _ACTIVATE: shift 12
    {259, 13},  // state 9, _CD: shift 13
    {260, 14},  // state 9, _CLOSE: shift 14
    {261, 15},  // state 9, _DO: shift 15
    {262, 16},  // state 9, _EDIT: shift 16
    {264, 17},  // state 9, _IF: shift 17
    {265, 18},  // state 9, _KILL: shift 18
    {266, 19},  // state 9, _KILLWINDOW: shift 19
    {267, 20},  // state 9, _PAUSE: shift 20
    {268, 21},  // state 9, _PLIST: shift 21
    {269, 22},  // state 9, _SENDKEYS: shift 22
    {270, 23},  // state 9, _SET: shift 23
    {271, 24},  // state 9, _SLEEP: shift 24
    {272, 25},  // state 9, _WAITALL: shift 25
    {273, 26},  // state 9, _WAITCLOSE: shift 26
    {274, 27},  // state 9, _WAITFOR: shift 27
    {275, 28},  // state 9, _WLIST: shift 28
    {288, 29},  // state 9, NUM: shift 29
    {289, 30},  // state 9, ID: shift 30
    {290, 31},  // state 9, QSTR: shift 31
    {292, 46},  // state 10, NL: shift 46
    {288, 29},  // state 11, NUM: shift 29
    {289, 30},  // state 11, ID: shift 30
    {290, 31},  // state 11, QSTR: shift 31
    {291, 52},  // state 11, ILLEGAL: shift 52
    {277, 56},  // state 12, _IGNORE: shift 56
    {282, 57},  // state 12, _WARN: shift 57
    {125, -75},  // state 12, '}': reduce 75
    {288, -75},  // state 12, NUM: reduce 75
    {289, -75},  // state 12, ID: reduce 75
    {290, -75},  // state 12, QSTR: reduce 75
    {292, -75},  // state 12, NL: reduce 75
    {277, 56},  // state 13, _IGNORE: shift 56
    {282, 57},  // state 13, _WARN: shift 57
    {125, -75},  // state 13, '}': reduce 75
    {288, -75},  // state 13, NUM: reduce 75
    {289, -75},  // state 13, ID: reduce 75
    {290, -75},  // state 13, QSTR: reduce 75
    {292, -75},  // state 13, NL: reduce 75
    {277, 56},  // state 14, _IGNORE: shift 56
    {282, 57},  // state 14, _WARN: shift 57
    {125, -75},  // state 14, '}': reduce 75
    {288, -75},  // state 14, NUM: reduce 75
    {289, -75},  // state 14, ID: reduce 75
    {290, -75},  // state 14, QSTR: reduce 75
    {292, -75},  // state 14, NL: reduce 75
    {123, 61},  // state 15, '{': shift 61
    {277, 56},  // state 16, _IGNORE: shift 56
    {282, 57},  // state 16, _WARN: shift 57
    {125, -75},  // state 16, '}': reduce 75
    {288, -75},  // state 16, NUM: reduce 75
    {289, -75},  // state 16, ID: reduce 75
    {290, -75},  // state 16, QSTR: reduce 75
    {292, -75},  // state 16, NL: reduce 75
    {288, 29},  // state 17, NUM: shift 29
    {289, 30},  // state 17, ID: shift 30
    {290, 31},  // state 17, QSTR: shift 31
    {123, -43},  // state 17, '{': reduce 43
    {284, -43},  // state 17, _EQ: reduce 43
    {285, -43},  // state 17, _NE: reduce 43
    {286, -43},  // state 17, _LT: reduce 43
    {287, -43},  // state 17, _GT: reduce 43
    {277, 56},  // state 18, _IGNORE: shift 56
    {282, 57},  // state 18, _WARN: shift 57
    {125, -75},  // state 18, '}': reduce 75
    {288, -75},  // state 18, NUM: reduce 75
    {289, -75},  // state 18, ID: reduce 75
    {290, -75},  // state 18, QSTR: reduce 75
    {292, -75},  // state 18, NL: reduce 75
    {277, 56},  // state 19, _IGNORE: shift 56
    {282, 57},  // state 19, _WARN: shift 57
    {125, -75},  // state 19, '}': reduce 75
    {288, -75},  // state 19, NUM: reduce 75
    {289, -75},  // state 19, ID: reduce 75
    {290, -75},  // state 19, QSTR: reduce 75
    {292, -75},  // state 19, NL: reduce 75
    {277, 56},  // state 20, _IGNORE: shift 56
    {282, 57},  // state 20, _WARN: shift 57
    {125, -75},  // state 20, '}': reduce 75
    {288, -75},  // state 20, NUM: reduce 75
    {289, -75},  // state 20, ID: reduce 75
    {290, -75},  // state 20, QSTR: reduce 75
    {292, -75},  // state 20, NL: reduce 75
    {277, 56},  // state 22, _IGNORE: shift 56
    {282, 57},  // state 22, _WARN: shift 57
    {125, -75},  // state 22, '}': reduce 75
    {288, -75},  // state 22, NUM: reduce 75
    {289, -75},  // state 22, ID: reduce 75
    {290, -75},  // state 22, QSTR: reduce 75
    {292, -75},  // state 22, NL: reduce 75
    {289, 30},  // state 23, ID: shift 30
    {277, 56},  // state 24, _IGNORE: shift 56
    {282, 57},  // state 24, _WARN: shift 57
    {125, -75},  // state 24, '}': reduce 75
    {288, -75},  // state 24, NUM: reduce 75
    {289, -75},  // state 24, ID: reduce 75
    {290, -75},  // state 24, QSTR: reduce 75
    {292, -75},  // state 24, NL: reduce 75
    {277, 56},  // state 26, _IGNORE: shift 56
    {282, 57},  // state 26, _WARN: shift 57
    {125, -75},  // state 26, '}': reduce 75
    {288, -75},  // state 26, NUM: reduce 75
    {289, -75},  // state 26, ID: reduce 75
    {290, -75},  // state 26, QSTR: reduce 75
    {292, -75},  // state 26, NL: reduce 75
    {277, 56},  // state 27, _IGNORE: shift 56
    {282, 57},  // state 27, _WARN: shift 57
    {125, -75},  // state 27, '}': reduce 75
    {288, -75},  // state 27, NUM: reduce 75
    {289, -75},  // state 27, ID: reduce 75
    {290, -75},  // state 27, QSTR: reduce 75
    {292, -75},  // state 27, NL: reduce 75
    {288, 29},  // state 35, NUM: shift 29
    {289, 30},  // state 35, ID: shift 30
    {290, 31},  // state 35, QSTR: shift 31
    {291, 52},  // state 35, ILLEGAL: shift 52
    {125, -58},  // state 35, '}': reduce 58
    {292, -58},  // state 35, NL: reduce 58
    {276, 38},  // state 36, _HIDE: shift 38
    {277, 39},  // state 36, _IGNORE: shift 39
    {278, 40},  // state 36, _MAX: shift 40
    {279, 41},  // state 36, _MIN: shift 41
    {280, 42},  // state 36, _NOACTIVATE: shift 42
    {281, 43},  // state 36, _WAIT: shift 43
    {282, 44},  // state 36, _WARN: shift 44
    {125, -65},  // state 36, '}': reduce 65
    {288, -65},  // state 36, NUM: reduce 65
    {289, -65},  // state 36, ID: reduce 65
    {290, -65},  // state 36, QSTR: reduce 65
    {291, -65},  // state 36, ILLEGAL: reduce 65
    {292, -65},  // state 36, NL: reduce 65
    {125, 77},  // state 45, '}': shift 77
    {38, 78},  // state 47, '&': shift 78
    {43, 79},  // state 47, '+': shift 79
    {45, 80},  // state 47, '-': shift 80
    {125, -63},  // state 47, '}': reduce 63
    {288, -63},  // state 47, NUM: reduce 63
    {289, -63},  // state 47, ID: reduce 63
    {290, -63},  // state 47, QSTR: reduce 63
    {291, -63},  // state 47, ILLEGAL: reduce 63
    {292, -63},  // state 47, NL: reduce 63
    {40, 81},  // state 49, '(': shift 81
    {38, -54},  // state 49, '&': reduce 54
    {41, -54},  // state 49, ')': reduce 54
    {43, -54},  // state 49, '+': reduce 54
    {45, -54},  // state 49, '-': reduce 54
    {123, -54},  // state 49, '{': reduce 54
    {125, -54},  // state 49, '}': reduce 54
    {284, -54},  // state 49, _EQ: reduce 54
    {285, -54},  // state 49, _NE: reduce 54
    {286, -54},  // state 49, _LT: reduce 54
    {287, -54},  // state 49, _GT: reduce 54
    {288, -54},  // state 49, NUM: reduce 54
    {289, -54},  // state 49, ID: reduce 54
    {290, -54},  // state 49, QSTR: reduce 54
    {291, -54},  // state 49, ILLEGAL: reduce 54
    {292, -54},  // state 49, NL: reduce 54
    {288, 29},  // state 50, NUM: shift 29
    {289, 30},  // state 50, ID: shift 30
    {290, 31},  // state 50, QSTR: shift 31
    {291, 52},  // state 50, ILLEGAL: shift 52
    {125, -14},  // state 50, '}': reduce 14
    {292, -14},  // state 50, NL: reduce 14
    {288, 29},  // state 53, NUM: shift 29
    {289, 30},  // state 53, ID: shift 30
    {290, 31},  // state 53, QSTR: shift 31
    {125, -43},  // state 53, '}': reduce 43
    {292, -43},  // state 53, NL: reduce 43
    {277, 56},  // state 54, _IGNORE: shift 56
    {282, 57},  // state 54, _WARN: shift 57
    {125, -76},  // state 54, '}': reduce 76
    {288, -76},  // state 54, NUM: reduce 76
    {289, -76},  // state 54, ID: reduce 76
    {290, -76},  // state 54, QSTR: reduce 76
    {292, -76},  // state 54, NL: reduce 76
    {288, 29},  // state 58, NUM: shift 29
    {289, 30},  // state 58, ID: shift 30
    {290, 31},  // state 58, QSTR: shift 31
    {125, -43},  // state 58, '}': reduce 43
    {292, -43},  // state 58, NL: reduce 43
    {288, 29},  // state 59, NUM: shift 29
    {289, 30},  // state 59, ID: shift 30
    {290, 31},  // state 59, QSTR: shift 31
    {125, -43},  // state 59, '}': reduce 43
    {292, -43},  // state 59, NL: reduce 43
    {283, 88},  // state 60, _WHILE: shift 88
    {125, -35},  // state 60, '}': reduce 35
    {292, -35},  // state 60, NL: reduce 35
    {125, 91},  // state 61, '}': shift 91
    {257, 11},  // state 61, _AT: shift 11
    {258, 12},  // state 61, _ACTIVATE: shift 12
    {259, 13},  // state 61, _CD: shift 13
    {260, 14},  // state 61, _CLOSE: shift 14
    {261, 15},  // state 61, _DO: shift 15
    {262, 16},  // state 61, _EDIT: shift 16
    {264, 17},  // state 61, _IF: shift 17
    {265, 18},  // state 61, _KILL: shift 18
    {266, 19},  // state 61, _KILLWINDOW: shift 19
    {267, 20},  // state 61, _PAUSE: shift 20
    {268, 21},  // state 61, _PLIST: shift 21
    {269, 22},  // state 61, _SENDKEYS: shift 22
    {270, 23},  // state 61, _SET: shift 23
    {271, 24},  // state 61, _SLEEP: shift 24
    {272, 25},  // state 61, _WAITALL: shift 25
    {273, 26},  // state 61, _WAITCLOSE: shift 26
    {274, 27},  // state 61, _WAITFOR: shift 27
    {275, 28},  // state 61, _WLIST: shift 28
    {288, 29},  // state 61, NUM: shift 29
    {289, 30},  // state 61, ID: shift 30
    {290, 31},  // state 61, QSTR: shift 31
    {288, 29},  // state 62, NUM: shift 29
    {289, 30},  // state 62, ID: shift 30
    {290, 31},  // state 62, QSTR: shift 31
    {125, -45},  // state 62, '}': reduce 45
    {292, -45},  // state 62, NL: reduce 45
    {123, 61},  // state 63, '{': shift 61
    {284, 96},  // state 64, _EQ: shift 96
    {285, 97},  // state 64, _NE: shift 97
    {286, 98},  // state 64, _LT: shift 98
    {287, 99},  // state 64, _GT: shift 99
    {123, -38},  // state 64, '{': reduce 38
    {125, -38},  // state 64, '}': reduce 38
    {292, -38},  // state 64, NL: reduce 38
    {38, 78},  // state 65, '&': shift 78
    {43, 79},  // state 65, '+': shift 79
    {45, 80},  // state 65, '-': shift 80
    {123, -44},  // state 65, '{': reduce 44
    {125, -44},  // state 65, '}': reduce 44
    {284, -44},  // state 65, _EQ: reduce 44
    {285, -44},  // state 65, _NE: reduce 44
    {286, -44},  // state 65, _LT: reduce 44
    {287, -44},  // state 65, _GT: reduce 44
    {292, -44},  // state 65, NL: reduce 44
    {288, 29},  // state 66, NUM: shift 29
    {289, 30},  // state 66, ID: shift 30
    {290, 31},  // state 66, QSTR: shift 31
    {125, -43},  // state 66, '}': reduce 43
    {292, -43},  // state 66, NL: reduce 43
    {288, 29},  // state 67, NUM: shift 29
    {289, 30},  // state 67, ID: shift 30
    {290, 31},  // state 67, QSTR: shift 31
    {125, -43},  // state 67, '}': reduce 43
    {292, -43},  // state 67, NL: reduce 43
    {288, 29},  // state 68, NUM: shift 29
    {289, 30},  // state 68, ID: shift 30
    {290, 31},  // state 68, QSTR: shift 31
    {125, -43},  // state 68, '}': reduce 43
    {292, -43},  // state 68, NL: reduce 43
    {288, 29},  // state 69, NUM: shift 29
    {289, 30},  // state 69, ID: shift 30
    {290, 31},  // state 69, QSTR: shift 31
    {125, -43},  // state 69, '}': reduce 43
    {292, -43},  // state 69, NL: reduce 43
    {61, 104},  // state 70, '=': shift 104
    {288, 29},  // state 71, NUM: shift 29
    {289, 30},  // state 71, ID: shift 30
    {290, 31},  // state 71, QSTR: shift 31
    {125, -43},  // state 71, '}': reduce 43
    {292, -43},  // state 71, NL: reduce 43
    {288, 29},  // state 72, NUM: shift 29
    {289, 30},  // state 72, ID: shift 30
    {290, 31},  // state 72, QSTR: shift 31
    {125, -43},  // state 72, '}': reduce 43
    {292, -43},  // state 72, NL: reduce 43
    {288, 29},  // state 73, NUM: shift 29
    {289, 30},  // state 73, ID: shift 30
    {290, 31},  // state 73, QSTR: shift 31
    {125, -43},  // state 73, '}': reduce 43
    {292, -43},  // state 73, NL: reduce 43
    {288, 29},  // state 75, NUM: shift 29
    {289, 30},  // state 75, ID: shift 30
    {290, 31},  // state 75, QSTR: shift 31
    {291, 52},  // state 75, ILLEGAL: shift 52
    {125, -59},  // state 75, '}': reduce 59
    {292, -59},  // state 75, NL: reduce 59
    {288, 29},  // state 78, NUM: shift 29
    {289, 30},  // state 78, ID: shift 30
    {290, 31},  // state 78, QSTR: shift 31
    {288, 29},  // state 79, NUM: shift 29
    {289, 30},  // state 79, ID: shift 30
    {290, 31},  // state 79, QSTR: shift 31
    {288, 29},  // state 80, NUM: shift 29
    {289, 30},  // state 80, ID: shift 30
    {290, 31},  // state 80, QSTR: shift 31
    {41, 112},  // state 81, ')': shift 112
    {288, 29},  // state 81, NUM: shift 29
    {289, 30},  // state 81, ID: shift 30
    {290, 31},  // state 81, QSTR: shift 31
    {288, 29},  // state 88, NUM: shift 29
    {289, 30},  // state 88, ID: shift 30
    {290, 31},  // state 88, QSTR: shift 31
    {125, -43},  // state 88, '}': reduce 43
    {284, -43},  // state 88, _EQ: reduce 43
    {285, -43},  // state 88, _NE: reduce 43
    {286, -43},  // state 88, _LT: reduce 43
    {287, -43},  // state 88, _GT: reduce 43
    {292, -43},  // state 88, NL: reduce 43
    {125, 115},  // state 90, '}': shift 115
    {257, 11},  // state 90, _AT: shift 11
    {258, 12},  // state 90, _ACTIVATE: shift 12
    {259, 13},  // state 90, _CD: shift 13
    {260, 14},  // state 90, _CLOSE: shift 14
    {261, 15},  // state 90, _DO: shift 15
    {262, 16},  // state 90, _EDIT: shift 16
    {264, 17},  // state 90, _IF: shift 17
    {265, 18},  // state 90, _KILL: shift 18
    {266, 19},  // state 90, _KILLWINDOW: shift 19
    {267, 20},  // state 90, _PAUSE: shift 20
    {268, 21},  // state 90, _PLIST: shift 21
    {269, 22},  // state 90, _SENDKEYS: shift 22
    {270, 23},  // state 90, _SET: shift 23
    {271, 24},  // state 90, _SLEEP: shift 24
    {272, 25},  // state 90, _WAITALL: shift 25
    {273, 26},  // state 90, _WAITCLOSE: shift 26
    {274, 27},  // state 90, _WAITFOR: shift 27
    {275, 28},  // state 90, _WLIST: shift 28
    {288, 29},  // state 90, NUM: shift 29
    {289, 30},  // state 90, ID: shift 30
    {290, 31},  // state 90, QSTR: shift 31
    {38, 78},  // state 93, '&': shift 78
    {43, 79},  // state 93, '+': shift 79
    {45, 80},  // state 93, '-': shift 80
    {125, -46},  // state 93, '}': reduce 46
    {292, -46},  // state 93, NL: reduce 46
    {263, 117},  // state 94, _ELSE: shift 117
    {125, -33},  // state 94, '}': reduce 33
    {292, -33},  // state 94, NL: reduce 33
    {288, 29},  // state 95, NUM: shift 29
    {289, 30},  // state 95, ID: shift 30
    {290, 31},  // state 95, QSTR: shift 31
    {123, -43},  // state 95, '{': reduce 43
    {125, -43},  // state 95, '}': reduce 43
    {292, -43},  // state 95, NL: reduce 43
    {288, 29},  // state 104, NUM: shift 29
    {289, 30},  // state 104, ID: shift 30
    {290, 31},  // state 104, QSTR: shift 31
    {125, -43},  // state 104, '}': reduce 43
    {292, -43},  // state 104, NL: reduce 43
    {38, 78},  // state 108, '&': shift 78
    {43, 79},  // state 108, '+': shift 79
    {45, 80},  // state 108, '-': shift 80
    {41, -48},  // state 108, ')': reduce 48
    {123, -48},  // state 108, '{': reduce 48
    {125, -48},  // state 108, '}': reduce 48
    {284, -48},  // state 108, _EQ: reduce 48
    {285, -48},  // state 108, _NE: reduce 48
    {286, -48},  // state 108, _LT: reduce 48
    {287, -48},  // state 108, _GT: reduce 48
    {288, -48},  // state 108, NUM: reduce 48
    {289, -48},  // state 108, ID: reduce 48
    {290, -48},  // state 108, QSTR: reduce 48
    {291, -48},  // state 108, ILLEGAL: reduce 48
    {292, -48},  // state 108, NL: reduce 48
    {38, 78},  // state 109, '&': shift 78
    {43, 79},  // state 109, '+': shift 79
    {45, 80},  // state 109, '-': shift 80
    {41, -49},  // state 109, ')': reduce 49
    {123, -49},  // state 109, '{': reduce 49
    {125, -49},  // state 109, '}': reduce 49
    {284, -49},  // state 109, _EQ: reduce 49
    {285, -49},  // state 109, _NE: reduce 49
    {286, -49},  // state 109, _LT: reduce 49
    {287, -49},  // state 109, _GT: reduce 49
    {288, -49},  // state 109, NUM: reduce 49
    {289, -49},  // state 109, ID: reduce 49
    {290, -49},  // state 109, QSTR: reduce 49
    {291, -49},  // state 109, ILLEGAL: reduce 49
    {292, -49},  // state 109, NL: reduce 49
    {38, 78},  // state 110, '&': shift 78
    {43, 79},  // state 110, '+': shift 79
    {45, 80},  // state 110, '-': shift 80
    {41, -50},  // state 110, ')': reduce 50
    {123, -50},  // state 110, '{': reduce 50
    {125, -50},  // state 110, '}': reduce 50
    {284, -50},  // state 110, _EQ: reduce 50
    {285, -50},  // state 110, _NE: reduce 50
    {286, -50},  // state 110, _LT: reduce 50
    {287, -50},  // state 110, _GT: reduce 50
    {288, -50},  // state 110, NUM: reduce 50
    {289, -50},  // state 110, ID: reduce 50
    {290, -50},  // state 110, QSTR: reduce 50
    {291, -50},  // state 110, ILLEGAL: reduce 50
    {292, -50},  // state 110, NL: reduce 50
    {38, 78},  // state 111, '&': shift 78
    {41, 120},  // state 111, ')': shift 120
    {43, 79},  // state 111, '+': shift 79
    {45, 80},  // state 111, '-': shift 80
    {123, 61},  // state 117, '{': shift 61
};

constexpr TYyRange kActionRanges[] = {
    {0, 24},  // state 0
    {25, 25},  // state 1
    {26, 50},  // state 2
    {51, 50},  // state 3
    {51, 50},  // state 4
    {51, 51},  // state 5
    {52, 51},  // state 6
    {52, 51},  // state 7
    {52, 64},  // state 8
    {65, 85},  // state 9
    {86, 86},  // state 10
    {87, 90},  // state 11
    {91, 97},  // state 12
    {98, 104},  // state 13
    {105, 111},  // state 14
    {112, 112},  // state 15
    {113, 119},  // state 16
    {120, 127},  // state 17
    {128, 134},  // state 18
    {135, 141},  // state 19
    {142, 148},  // state 20
    {149, 148},  // state 21
    {149, 155},  // state 22
    {156, 156},  // state 23
    {157, 163},  // state 24
    {164, 163},  // state 25
    {164, 170},  // state 26
    {171, 177},  // state 27
    {178, 177},  // state 28
    {178, 177},  // state 29
    {178, 177},  // state 30
    {178, 177},  // state 31
    {178, 177},  // state 32
    {178, 177},  // state 33
    {178, 177},  // state 34
    {178, 183},  // state 35
    {184, 196},  // state 36
    {197, 196},  // state 37
    {197, 196},  // state 38
    {197, 196},  // state 39
    {197, 196},  // state 40
    {197, 196},  // state 41
    {197, 196},  // state 42
    {197, 196},  // state 43
    {197, 196},  // state 44
    {197, 197},  // state 45
    {198, 197},  // state 46
    {198, 206},  // state 47
    {207, 206},  // state 48
    {207, 222},  // state 49
    {223, 228},  // state 50
    {229, 228},  // state 51
    {229, 228},  // state 52
    {229, 233},  // state 53
    {234, 240},  // state 54
    {241, 240},  // state 55
    {241, 240},  // state 56
    {241, 240},  // state 57
    {241, 245},  // state 58
    {246, 250},  // state 59
    {251, 253},  // state 60
    {254, 275},  // state 61
    {276, 280},  // state 62
    {281, 281},  // state 63
    {282, 288},  // state 64
    {289, 298},  // state 65
    {299, 303},  // state 66
    {304, 308},  // state 67
    {309, 313},  // state 68
    {314, 318},  // state 69
    {319, 319},  // state 70
    {320, 324},  // state 71
    {325, 329},  // state 72
    {330, 334},  // state 73
    {335, 334},  // state 74
    {335, 340},  // state 75
    {341, 340},  // state 76
    {341, 340},  // state 77
    {341, 343},  // state 78
    {344, 346},  // state 79
    {347, 349},  // state 80
    {350, 353},  // state 81
    {354, 353},  // state 82
    {354, 353},  // state 83
    {354, 353},  // state 84
    {354, 353},  // state 85
    {354, 353},  // state 86
    {354, 353},  // state 87
    {354, 362},  // state 88
    {363, 362},  // state 89
    {363, 384},  // state 90
    {385, 384},  // state 91
    {385, 384},  // state 92
    {385, 389},  // state 93
    {390, 392},  // state 94
    {393, 398},  // state 95
    {399, 398},  // state 96
    {399, 398},  // state 97
    {399, 398},  // state 98
    {399, 398},  // state 99
    {399, 398},  // state 100
    {399, 398},  // state 101
    {399, 398},  // state 102
    {399, 398},  // state 103
    {399, 403},  // state 104
    {404, 403},  // state 105
    {404, 403},  // state 106
    {404, 403},  // state 107
    {404, 418},  // state 108
    {419, 433},  // state 109
    {434, 448},  // state 110
    {449, 452},  // state 111
    {453, 452},  // state 112
    {453, 452},  // state 113
    {453, 452},  // state 114
    {453, 452},  // state 115
    {453, 452},  // state 116
    {453, 453},  // state 117
    {454, 453},  // state 118
    {454, 453},  // state 119
    {454, 453},  // state 120
    {454, 453},  // state 121
};

constexpr TYyEntry kGotos[] = {
    {-1, 1},  // state 0, input: goto 1
    {-2, 2},  // state 0, inputList: goto 2
    {-3, 3},  // state 0, inputLine: goto 3
    {-4, 4},  // state 0, cmdLine: goto 4
    {-7, 5},  // state 0, cmd: goto 5
    {-15, 6},  // state 0, atom: goto 6
    {-16, 7},  // state 0, name: goto 7
    {-17, 8},  // state 0, progName: goto 8
    {-3, 33},  // state 2, inputLine: goto 33
    {-4, 4},  // state 2, cmdLine: goto 4
    {-7, 5},  // state 2, cmd: goto 5
    {-15, 6},  // state 2, atom: goto 6
    {-16, 7},  // state 2, name: goto 7
    {-17, 8},  // state 2, progName: goto 8
    {-21, 35},  // state 8, osCmdOpts: goto 35
    {-22, 36},  // state 8, osCmdOptList: goto 36
    {-23, 37},  // state 8, osCmdOpt: goto 37
    {-7, 45},  // state 9, cmd: goto 45
    {-15, 6},  // state 9, atom: goto 6
    {-16, 7},  // state 9, name: goto 7
    {-17, 8},  // state 9, progName: goto 8
    {-14, 47},  // state 11, str: goto 47
    {-15, 48},  // state 11, atom: goto 48
    {-16, 49},  // state 11, name: goto 49
    {-19, 50},  // state 11, osArgList: goto 50
    {-20, 51},  // state 11, osArg: goto 51
    {-24, 53},  // state 12, intCmdOpts: goto 53
    {-25, 54},  // state 12, intCmdOptList: goto 54
    {-26, 55},  // state 12, intCmdOpt: goto 55
    {-24, 58},  // state 13, intCmdOpts: goto 58
    {-25, 54},  // state 13, intCmdOptList: goto 54
    {-26, 55},  // state 13, intCmdOpt: goto 55
    {-24, 59},  // state 14, intCmdOpts: goto 59
    {-25, 54},  // state 14, intCmdOptList: goto 54
    {-26, 55},  // state 14, intCmdOpt: goto 55
    {-6, 60},  // state 15, cmdblock: goto 60
    {-24, 62},  // state 16, intCmdOpts: goto 62
    {-25, 54},  // state 16, intCmdOptList: goto 54
    {-26, 55},  // state 16, intCmdOpt: goto 55
    {-10, 63},  // state 17, ifexpr: goto 63
    {-12, 64},  // state 17, strexpr: goto 64
    {-14, 65},  // state 17, str: goto 65
    {-15, 48},  // state 17, atom: goto 48
    {-16, 49},  // state 17, name: goto 49
    {-24, 66},  // state 18, intCmdOpts: goto 66
    {-25, 54},  // state 18, intCmdOptList: goto 54
    {-26, 55},  // state 18, intCmdOpt: goto 55
    {-24, 67},  // state 19, intCmdOpts: goto 67
    {-25, 54},  // state 19, intCmdOptList: goto 54
    {-26, 55},  // state 19, intCmdOpt: goto 55
    {-24, 68},  // state 20, intCmdOpts: goto 68
    {-25, 54},  // state 20, intCmdOptList: goto 54
    {-26, 55},  // state 20, intCmdOpt: goto 55
    {-24, 69},  // state 22, intCmdOpts: goto 69
    {-25, 54},  // state 22, intCmdOptList: goto 54
    {-26, 55},  // state 22, intCmdOpt: goto 55
    {-16, 70},  // state 23, name: goto 70
    {-24, 71},  // state 24, intCmdOpts: goto 71
    {-25, 54},  // state 24, intCmdOptList: goto 54
    {-26, 55},  // state 24, intCmdOpt: goto 55
    {-24, 72},  // state 26, intCmdOpts: goto 72
    {-25, 54},  // state 26, intCmdOptList: goto 54
    {-26, 55},  // state 26, intCmdOpt: goto 55
    {-24, 73},  // state 27, intCmdOpts: goto 73
    {-25, 54},  // state 27, intCmdOptList: goto 54
    {-26, 55},  // state 27, intCmdOpt: goto 55
    {-14, 47},  // state 35, str: goto 47
    {-15, 48},  // state 35, atom: goto 48
    {-16, 49},  // state 35, name: goto 49
    {-18, 74},  // state 35, osArgs: goto 74
    {-19, 75},  // state 35, osArgList: goto 75
    {-20, 51},  // state 35, osArg: goto 51
    {-23, 76},  // state 36, osCmdOpt: goto 76
    {-14, 47},  // state 50, str: goto 47
    {-15, 48},  // state 50, atom: goto 48
    {-16, 49},  // state 50, name: goto 49
    {-20, 82},  // state 50, osArg: goto 82
    {-12, 83},  // state 53, strexpr: goto 83
    {-14, 65},  // state 53, str: goto 65
    {-15, 48},  // state 53, atom: goto 48
    {-16, 49},  // state 53, name: goto 49
    {-26, 84},  // state 54, intCmdOpt: goto 84
    {-12, 85},  // state 58, strexpr: goto 85
    {-14, 65},  // state 58, str: goto 65
    {-15, 48},  // state 58, atom: goto 48
    {-16, 49},  // state 58, name: goto 49
    {-12, 86},  // state 59, strexpr: goto 86
    {-14, 65},  // state 59, str: goto 65
    {-15, 48},  // state 59, atom: goto 48
    {-16, 49},  // state 59, name: goto 49
    {-9, 87},  // state 60, optWhile: goto 87
    {-4, 89},  // state 61, cmdLine: goto 89
    {-5, 90},  // state 61, cmds: goto 90
    {-7, 5},  // state 61, cmd: goto 5
    {-15, 6},  // state 61, atom: goto 6
    {-16, 7},  // state 61, name: goto 7
    {-17, 8},  // state 61, progName: goto 8
    {-13, 92},  // state 62, optstrexpr: goto 92
    {-14, 93},  // state 62, str: goto 93
    {-15, 48},  // state 62, atom: goto 48
    {-16, 49},  // state 62, name: goto 49
    {-6, 94},  // state 63, cmdblock: goto 94
    {-11, 95},  // state 64, ifoper: goto 95
    {-12, 100},  // state 66, strexpr: goto 100
    {-14, 65},  // state 66, str: goto 65
    {-15, 48},  // state 66, atom: goto 48
    {-16, 49},  // state 66, name: goto 49
    {-12, 101},  // state 67, strexpr: goto 101
    {-14, 65},  // state 67, str: goto 65
    {-15, 48},  // state 67, atom: goto 48
    {-16, 49},  // state 67, name: goto 49
    {-12, 102},  // state 68, strexpr: goto 102
    {-14, 65},  // state 68, str: goto 65
    {-15, 48},  // state 68, atom: goto 48
    {-16, 49},  // state 68, name: goto 49
    {-12, 103},  // state 69, strexpr: goto 103
    {-14, 65},  // state 69, str: goto 65
    {-15, 48},  // state 69, atom: goto 48
    {-16, 49},  // state 69, name: goto 49
    {-12, 105},  // state 71, strexpr: goto 105
    {-14, 65},  // state 71, str: goto 65
    {-15, 48},  // state 71, atom: goto 48
    {-16, 49},  // state 71, name: goto 49
    {-12, 106},  // state 72, strexpr: goto 106
    {-14, 65},  // state 72, str: goto 65
    {-15, 48},  // state 72, atom: goto 48
    {-16, 49},  // state 72, name: goto 49
    {-12, 107},  // state 73, strexpr: goto 107
    {-14, 65},  // state 73, str: goto 65
    {-15, 48},  // state 73, atom: goto 48
    {-16, 49},  // state 73, name: goto 49
    {-14, 47},  // state 75, str: goto 47
    {-15, 48},  // state 75, atom: goto 48
    {-16, 49},  // state 75, name: goto 49
    {-20, 82},  // state 75, osArg: goto 82
    {-14, 108},  // state 78, str: goto 108
    {-15, 48},  // state 78, atom: goto 48
    {-16, 49},  // state 78, name: goto 49
    {-14, 109},  // state 79, str: goto 109
    {-15, 48},  // state 79, atom: goto 48
    {-16, 49},  // state 79, name: goto 49
    {-14, 110},  // state 80, str: goto 110
    {-15, 48},  // state 80, atom: goto 48
    {-16, 49},  // state 80, name: goto 49
    {-14, 111},  // state 81, str: goto 111
    {-15, 48},  // state 81, atom: goto 48
    {-16, 49},  // state 81, name: goto 49
    {-10, 113},  // state 88, ifexpr: goto 113
    {-12, 64},  // state 88, strexpr: goto 64
    {-14, 65},  // state 88, str: goto 65
    {-15, 48},  // state 88, atom: goto 48
    {-16, 49},  // state 88, name: goto 49
    {-4, 114},  // state 90, cmdLine: goto 114
    {-7, 5},  // state 90, cmd: goto 5
    {-15, 6},  // state 90, atom: goto 6
    {-16, 7},  // state 90, name: goto 7
    {-17, 8},  // state 90, progName: goto 8
    {-8, 116},  // state 94, optElse: goto 116
    {-12, 118},  // state 95, strexpr: goto 118
    {-14, 65},  // state 95, str: goto 65
    {-15, 48},  // state 95, atom: goto 48
    {-16, 49},  // state 95, name: goto 49
    {-12, 119},  // state 104, strexpr: goto 119
    {-14, 65},  // state 104, str: goto 65
    {-15, 48},  // state 104, atom: goto 48
    {-16, 49},  // state 104, name: goto 49
    {-6, 121},  // state 117, cmdblock: goto 121
};

constexpr TYyRange kGotoRanges[] = {
    {0, 7},  // state 0
    {8, 7},  // state 1
    {8, 13},  // state 2
    {14, 13},  // state 3
    {14, 13},  // state 4
    {14, 13},  // state 5
    {14, 13},  // state 6
    {14, 13},  // state 7
    {14, 16},  // state 8
    {17, 20},  // state 9
    {21, 20},  // state 10
    {21, 25},  // state 11
    {26, 28},  // state 12
    {29, 31},  // state 13
    {32, 34},  // state 14
    {35, 35},  // state 15
    {36, 38},  // state 16
    {39, 43},  // state 17
    {44, 46},  // state 18
    {47, 49},  // state 19
    {50, 52},  // state 20
    {53, 52},  // state 21
    {53, 55},  // state 22
    {56, 56},  // state 23
    {57, 59},  // state 24
    {60, 59},  // state 25
    {60, 62},  // state 26
    {63, 65},  // state 27
    {66, 65},  // state 28
    {66, 65},  // state 29
    {66, 65},  // state 30
    {66, 65},  // state 31
    {66, 65},  // state 32
    {66, 65},  // state 33
    {66, 65},  // state 34
    {66, 71},  // state 35
    {72, 72},  // state 36
    {73, 72},  // state 37
    {73, 72},  // state 38
    {73, 72},  // state 39
    {73, 72},  // state 40
    {73, 72},  // state 41
    {73, 72},  // state 42
    {73, 72},  // state 43
    {73, 72},  // state 44
    {73, 72},  // state 45
    {73, 72},  // state 46
    {73, 72},  // state 47
    {73, 72},  // state 48
    {73, 72},  // state 49
    {73, 76},  // state 50
    {77, 76},  // state 51
    {77, 76},  // state 52
    {77, 80},  // state 53
    {81, 81},  // state 54
    {82, 81},  // state 55
    {82, 81},  // state 56
    {82, 81},  // state 57
    {82, 85},  // state 58
    {86, 89},  // state 59
    {90, 90},  // state 60
    {91, 96},  // state 61
    {97, 100},  // state 62
    {101, 101},  // state 63
    {102, 102},  // state 64
    {103, 102},  // state 65
    {103, 106},  // state 66
    {107, 110},  // state 67
    {111, 114},  // state 68
    {115, 118},  // state 69
    {119, 118},  // state 70
    {119, 122},  // state 71
    {123, 126},  // state 72
    {127, 130},  // state 73
    {131, 130},  // state 74
    {131, 134},  // state 75
    {135, 134},  // state 76
    {135, 134},  // state 77
    {135, 137},  // state 78
    {138, 140},  // state 79
    {141, 143},  // state 80
    {144, 146},  // state 81
    {147, 146},  // state 82
    {147, 146},  // state 83
    {147, 146},  // state 84
    {147, 146},  // state 85
    {147, 146},  // state 86
    {147, 146},  // state 87
    {147, 151},  // state 88
    {152, 151},  // state 89
    {152, 156},  // state 90
    {157, 156},  // state 91
    {157, 156},  // state 92
    {157, 156},  // state 93
    {157, 157},  // state 94
    {158, 161},  // state 95
    {162, 161},  // state 96
    {162, 161},  // state 97
    {162, 161},  // state 98
    {162, 161},  // state 99
    {162, 161},  // state 100
    {162, 161},  // state 101
    {162, 161},  // state 102
    {162, 161},  // state 103
    {162, 165},  // state 104
    {166, 165},  // state 105
    {166, 165},  // state 106
    {166, 165},  // state 107
    {166, 165},  // state 108
    {166, 165},  // state 109
    {166, 165},  // state 110
    {166, 165},  // state 111
    {166, 165},  // state 112
    {166, 165},  // state 113
    {166, 165},  // state 114
    {166, 165},  // state 115
    {166, 165},  // state 116
    {166, 166},  // state 117
    {167, 166},  // state 118
    {167, 166},  // state 119
    {167, 166},  // state 120
    {167, 166},  // state 121
};

constexpr int32_t kDefaults[] = {
    0,  // state 0
    0,  // state 1
    0,  // state 2
    -3,  // state 3
    -5,  // state 4
    0,  // state 5
    -57,  // state 6
    -54,  // state 7
    0,  // state 8
    0,  // state 9
    0,  // state 10
    0,  // state 11
    0,  // state 12
    0,  // state 13
    0,  // state 14
    0,  // state 15
    0,  // state 16
    0,  // state 17
    0,  // state 18
    0,  // state 19
    0,  // state 20
    -24,  // state 21
    0,  // state 22
    0,  // state 23
    0,  // state 24
    -28,  // state 25
    0,  // state 26
    0,  // state 27
    -31,  // state 28
    -55,  // state 29
    -56,  // state 30
    -53,  // state 31
    -7,  // state 32
    -4,  // state 33
    -9,  // state 34
    0,  // state 35
    0,  // state 36
    -66,  // state 37
    -68,  // state 38
    -69,  // state 39
    -70,  // state 40
    -71,  // state 41
    -72,  // state 42
    -73,  // state 43
    -74,  // state 44
    0,  // state 45
    -8,  // state 46
    0,  // state 47
    -47,  // state 48
    0,  // state 49
    0,  // state 50
    -60,  // state 51
    -62,  // state 52
    0,  // state 53
    0,  // state 54
    -77,  // state 55
    -79,  // state 56
    -80,  // state 57
    0,  // state 58
    0,  // state 59
    0,  // state 60
    0,  // state 61
    0,  // state 62
    0,  // state 63
    0,  // state 64
    0,  // state 65
    0,  // state 66
    0,  // state 67
    0,  // state 68
    0,  // state 69
    0,  // state 70
    0,  // state 71
    0,  // state 72
    0,  // state 73
    -32,  // state 74
    0,  // state 75
    -67,  // state 76
    -6,  // state 77
    0,  // state 78
    0,  // state 79
    0,  // state 80
    0,  // state 81
    -61,  // state 82
    -15,  // state 83
    -78,  // state 84
    -16,  // state 85
    -17,  // state 86
    -18,  // state 87
    0,  // state 88
    -10,  // state 89
    0,  // state 90
    -13,  // state 91
    -19,  // state 92
    0,  // state 93
    0,  // state 94
    0,  // state 95
    -39,  // state 96
    -40,  // state 97
    -41,  // state 98
    -42,  // state 99
    -21,  // state 100
    -22,  // state 101
    -23,  // state 102
    -25,  // state 103
    0,  // state 104
    -27,  // state 105
    -29,  // state 106
    -30,  // state 107
    0,  // state 108
    0,  // state 109
    0,  // state 110
    0,  // state 111
    -52,  // state 112
    -36,  // state 113
    -11,  // state 114
    -12,  // state 115
    -20,  // state 116
    0,  // state 117
    -37,  // state 118
    -26,  // state 119
    -51,  // state 120
    -34,  // state 121
};

constexpr TYyRule kRules[] = {
    {2, 0},  // 0: $accept : input $end
    {0, -1},  // 1: input : /* empty */
    {1, -1},  // 2: input : inputList
    {1, -2},  // 3: inputList : inputLine
    {2, -2},  // 4: inputList : inputList inputLine
    {1, -3},  // 5: inputLine : cmdLine
    {3, -3},  // 6: inputLine : '{' cmd '}'
    {1, -3},  // 7: inputLine : NL
    {2, -3},  // 8: inputLine : error NL
    {2, -4},  // 9: cmdLine : cmd NL
    {1, -5},  // 10: cmds : cmdLine
    {2, -5},  // 11: cmds : cmds cmdLine
    {3, -6},  // 12: cmdblock : '{' cmds '}'
    {2, -6},  // 13: cmdblock : '{' '}'
    {2, -7},  // 14: cmd : _AT osArgList
    {3, -7},  // 15: cmd : _ACTIVATE intCmdOpts strexpr
    {3, -7},  // 16: cmd : _CD intCmdOpts strexpr
    {3, -7},  // 17: cmd : _CLOSE intCmdOpts strexpr
    {3, -7},  // 18: cmd : _DO cmdblock optWhile
    {3, -7},  // 19: cmd : _EDIT intCmdOpts optstrexpr
    {4, -7},  // 20: cmd : _IF ifexpr cmdblock optElse
    {3, -7},  // 21: cmd : _KILL intCmdOpts strexpr
    {3, -7},  // 22: cmd : _KILLWINDOW intCmdOpts strexpr
    {3, -7},  // 23: cmd : _PAUSE intCmdOpts strexpr
    {1, -7},  // 24: cmd : _PLIST
    {3, -7},  // 25: cmd : _SENDKEYS intCmdOpts strexpr
    {4, -7},  // 26: cmd : _SET name '=' strexpr
    {3, -7},  // 27: cmd : _SLEEP intCmdOpts strexpr
    {1, -7},  // 28: cmd : _WAITALL
    {3, -7},  // 29: cmd : _WAITCLOSE intCmdOpts strexpr
    {3, -7},  // 30: cmd : _WAITFOR intCmdOpts strexpr
    {1, -7},  // 31: cmd : _WLIST
    {3, -7},  // 32: cmd : progName osCmdOpts osArgs
    {0, -8},  // 33: optElse : /* empty */
    {2, -8},  // 34: optElse : _ELSE cmdblock
    {0, -9},  // 35: optWhile : /* empty */
    {2, -9},  // 36: optWhile : _WHILE ifexpr
    {3, -10},  // 37: ifexpr : strexpr ifoper strexpr
    {1, -10},  // 38: ifexpr : strexpr
    {1, -11},  // 39: ifoper : _EQ
    {1, -11},  // 40: ifoper : _NE
    {1, -11},  // 41: ifoper : _LT
    {1, -11},  // 42: ifoper : _GT
    {0, -12},  // 43: strexpr : /* empty */
    {1, -12},  // 44: strexpr : str
    {0, -13},  // 45: optstrexpr : /* empty */
    {1, -13},  // 46: optstrexpr : str
    {1, -14},  // 47: str : atom
    {3, -14},  // 48: str : str '&' str
    {3, -14},  // 49: str : str '+' str
    {3, -14},  // 50: str : str '-' str
    {4, -14},  // 51: str : name '(' str ')'
    {3, -14},  // 52: str : name '(' ')'
    {1, -15},  // 53: atom : QSTR
    {1, -15},  // 54: atom : name
    {1, -15},  // 55: atom : NUM
    {1, -16},  // 56: name : ID
    {1, -17},  // 57: progName : atom
    {0, -18},  // 58: osArgs : /* empty */
    {1, -18},  // 59: osArgs : osArgList
    {1, -19},  // 60: osArgList : osArg
    {2, -19},  // 61: osArgList : osArgList osArg
    {1, -20},  // 62: osArg : ILLEGAL
    {1, -20},  // 63: osArg : str
    {0, -21},  // 64: osCmdOpts : /* empty */
    {1, -21},  // 65: osCmdOpts : osCmdOptList
    {1, -22},  // 66: osCmdOptList : osCmdOpt
    {2, -22},  // 67: osCmdOptList : osCmdOptList osCmdOpt
    {1, -23},  // 68: osCmdOpt : _HIDE
    {1, -23},  // 69: osCmdOpt : _IGNORE
    {1, -23},  // 70: osCmdOpt : _MAX
    {1, -23},  // 71: osCmdOpt : _MIN
    {1, -23},  // 72: osCmdOpt : _NOACTIVATE
    {1, -23},  // 73: osCmdOpt : _WAIT
    {1, -23},  // 74: osCmdOpt : _WARN
    {0, -24},  // 75: intCmdOpts : /* empty */
    {1, -24},  // 76: intCmdOpts : intCmdOptList
    {1, -25},  // 77: intCmdOptList : intCmdOpt
    {2, -25},  // 78: intCmdOptList : intCmdOptList intCmdOpt
    {1, -26},  // 79: intCmdOpt : _IGNORE
    {1, -26},  // 80: intCmdOpt : _WARN
};

constexpr TYyTokenName kTokenNames[] = {
    {0, "$end"},
    {38, "'&'"},
    {40, "'('"},
    {41, "')'"},
    {43, "'+'"},
    {45, "'-'"},
    {61, "'='"},
    {123, "'{'"},
    {125, "'}'"},
    {256, "error"},
    {257, "_AT"},
    {258, "_ACTIVATE"},
    {259, "_CD"},
    {260, "_CLOSE"},
    {261, "_DO"},
    {262, "_EDIT"},
    {263, "_ELSE"},
    {264, "_IF"},
    {265, "_KILL"},
    {266, "_KILLWINDOW"},
    {267, "_PAUSE"},
    {268, "_PLIST"},
    {269, "_SENDKEYS"},
    {270, "_SET"},
    {271, "_SLEEP"},
    {272, "_WAITALL"},
    {273, "_WAITCLOSE"},
    {274, "_WAITFOR"},
    {275, "_WLIST"},
    {276, "_HIDE"},
    {277, "_IGNORE"},
    {278, "_MAX"},
    {279, "_MIN"},
    {280, "_NOACTIVATE"},
    {281, "_WAIT"},
    {282, "_WARN"},
    {283, "_WHILE"},
    {284, "_EQ"},
    {285, "_NE"},
    {286, "_LT"},
    {287, "_GT"},
    {288, "NUM"},
    {289, "ID"},
    {290, "QSTR"},
    {291, "ILLEGAL"},
    {292, "NL"},
};

constexpr const char* kNonterminalNames[] = {
    "input",  // -1
    "inputList",  // -2
    "inputLine",  // -3
    "cmdLine",  // -4
    "cmds",  // -5
    "cmdblock",  // -6
    "cmd",  // -7
    "optElse",  // -8
    "optWhile",  // -9
    "ifexpr",  // -10
    "ifoper",  // -11
    "strexpr",  // -12
    "optstrexpr",  // -13
    "str",  // -14
    "atom",  // -15
    "name",  // -16
    "progName",  // -17
    "osArgs",  // -18
    "osArgList",  // -19
    "osArg",  // -20
    "osCmdOpts",  // -21
    "osCmdOptList",  // -22
    "osCmdOpt",  // -23
    "intCmdOpts",  // -24
    "intCmdOptList",  // -25
    "intCmdOpt",  // -26
};

constexpr const char* kRuleTexts[] = {
    "$accept : input $end",
    "input : /* empty */",
    "input : inputList",
    "inputList : inputLine",
    "inputList : inputList inputLine",
    "inputLine : cmdLine",
    "inputLine : '{' cmd '}'",
    "inputLine : NL",
    "inputLine : error NL",
    "cmdLine : cmd NL",
    "cmds : cmdLine",
    "cmds : cmds cmdLine",
    "cmdblock : '{' cmds '}'",
    "cmdblock : '{' '}'",
    "cmd : _AT osArgList",
    "cmd : _ACTIVATE intCmdOpts strexpr",
    "cmd : _CD intCmdOpts strexpr",
    "cmd : _CLOSE intCmdOpts strexpr",
    "cmd : _DO cmdblock optWhile",
    "cmd : _EDIT intCmdOpts optstrexpr",
    "cmd : _IF ifexpr cmdblock optElse",
    "cmd : _KILL intCmdOpts strexpr",
    "cmd : _KILLWINDOW intCmdOpts strexpr",
    "cmd : _PAUSE intCmdOpts strexpr",
    "cmd : _PLIST",
    "cmd : _SENDKEYS intCmdOpts strexpr",
    "cmd : _SET name '=' strexpr",
    "cmd : _SLEEP intCmdOpts strexpr",
    "cmd : _WAITALL",
    "cmd : _WAITCLOSE intCmdOpts strexpr",
    "cmd : _WAITFOR intCmdOpts strexpr",
    "cmd : _WLIST",
    "cmd : progName osCmdOpts osArgs",
    "optElse : /* empty */",
    "optElse : _ELSE cmdblock",
    "optWhile : /* empty */",
    "optWhile : _WHILE ifexpr",
    "ifexpr : strexpr ifoper strexpr",
    "ifexpr : strexpr",
    "ifoper : _EQ",
    "ifoper : _NE",
    "ifoper : _LT",
    "ifoper : _GT",
    "strexpr : /* empty */",
    "strexpr : str",
    "optstrexpr : /* empty */",
    "optstrexpr : str",
    "str : atom",
    "str : str '&' str",
    "str : str '+' str",
    "str : str '-' str",
    "str : name '(' str ')'",
    "str : name '(' ')'",
    "atom : QSTR",
    "atom : name",
    "atom : NUM",
    "name : ID",
    "progName : atom",
    "osArgs : /* empty */",
    "osArgs : osArgList",
    "osArgList : osArg",
    "osArgList : osArgList osArg",
    "osArg : ILLEGAL",
    "osArg : str",
    "osCmdOpts : /* empty */",
    "osCmdOpts : osCmdOptList",
    "osCmdOptList : osCmdOpt",
    "osCmdOptList : osCmdOptList osCmdOpt",
    "osCmdOpt : _HIDE",
    "osCmdOpt : _IGNORE",
    "osCmdOpt : _MAX",
    "osCmdOpt : _MIN",
    "osCmdOpt : _NOACTIVATE",
    "osCmdOpt : _WAIT",
    "osCmdOpt : _WARN",
    "intCmdOpts : /* empty */",
    "intCmdOpts : intCmdOptList",
    "intCmdOptList : intCmdOpt",
    "intCmdOptList : intCmdOptList intCmdOpt",
    "intCmdOpt : _IGNORE",
    "intCmdOpt : _WARN",
};

}  // namespace

extern const TYyTables kTarvYaccTables;
const TYyTables kTarvYaccTables = {
    .stateCount = 122,
    .actions = kActions,
    .actionCount = 454,
    .actionRanges = kActionRanges,
    .gotos = kGotos,
    .gotoCount = 167,
    .gotoRanges = kGotoRanges,
    .defaults = kDefaults,
    .rules = kRules,
    .ruleCount = 81,
    .tokenNames = kTokenNames,
    .tokenNameCount = 46,
    .nonterminalNames = kNonterminalNames,
    .nonterminalCount = 26,
    .ruleTexts = kRuleTexts,
};
