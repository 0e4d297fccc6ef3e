// Generated from TarvYacc.grammar. Do not edit.
//
// The names of the grammar: its token codes and its rules by their labels.
#pragma once

/// Token codes: 0 is the end of input, 1..255 a single character, 256 the
/// parser's error token.
enum TTarvToken : int {
  _AT = 257,
  _ACTIVATE = 258,
  _CD = 259,
  _CLOSE = 260,
  _DO = 261,
  _EDIT = 262,
  _ELSE = 263,
  _IF = 264,
  _KILL = 265,
  _KILLWINDOW = 266,
  _PAUSE = 267,
  _PLIST = 268,
  _SENDKEYS = 269,
  _SET = 270,
  _SLEEP = 271,
  _WAITALL = 272,
  _WAITCLOSE = 273,
  _WAITFOR = 274,
  _WLIST = 275,
  _HIDE = 276,
  _IGNORE = 277,
  _MAX = 278,
  _MIN = 279,
  _NOACTIVATE = 280,
  _WAIT = 281,
  _WARN = 282,
  _WHILE = 283,
  _EQ = 284,
  _NE = 285,
  _LT = 286,
  _GT = 287,
  NUM = 288,
  ID = 289,
  QSTR = 290,
  ILLEGAL = 291,
  NL = 292,
};

/// The rules by their labels, valued as the parse tables number them (rule 0
/// is the accept rule).
enum class TTarvYaccRule : int {
  InputEmpty = 1,         // input : /* empty */
  InputList = 2,          // input : inputList
  ListFirstLine = 3,      // inputList : inputLine
  ListNextLine = 4,       // inputList : inputList inputLine
  LineCommand = 5,        // inputLine : cmdLine
  LineBracedCommand = 6,  // inputLine : '{' cmd '}'
  LineEmpty = 7,          // inputLine : NL
  LineError = 8,          // inputLine : error NL
  CmdLine = 9,            // cmdLine : cmd NL
  CmdsFirst = 10,         // cmds : cmdLine
  CmdsNext = 11,          // cmds : cmds cmdLine
  BlockCmds = 12,         // cmdblock : '{' cmds '}'
  BlockEmpty = 13,        // cmdblock : '{' '}'
  CmdAt = 14,             // cmd : _AT osArgList
  CmdActivate = 15,       // cmd : _ACTIVATE intCmdOpts strexpr
  CmdCd = 16,             // cmd : _CD intCmdOpts strexpr
  CmdClose = 17,          // cmd : _CLOSE intCmdOpts strexpr
  CmdDo = 18,             // cmd : _DO cmdblock optWhile
  CmdEdit = 19,           // cmd : _EDIT intCmdOpts optstrexpr
  CmdIf = 20,             // cmd : _IF ifexpr cmdblock optElse
  CmdKill = 21,           // cmd : _KILL intCmdOpts strexpr
  CmdKillWindow = 22,     // cmd : _KILLWINDOW intCmdOpts strexpr
  CmdPause = 23,          // cmd : _PAUSE intCmdOpts strexpr
  CmdPlist = 24,          // cmd : _PLIST
  CmdSendKeys = 25,       // cmd : _SENDKEYS intCmdOpts strexpr
  CmdSet = 26,            // cmd : _SET name '=' strexpr
  CmdSleep = 27,          // cmd : _SLEEP intCmdOpts strexpr
  CmdWaitAll = 28,        // cmd : _WAITALL
  CmdWaitClose = 29,      // cmd : _WAITCLOSE intCmdOpts strexpr
  CmdWaitFor = 30,        // cmd : _WAITFOR intCmdOpts strexpr
  CmdWList = 31,          // cmd : _WLIST
  CmdProgram = 32,        // cmd : progName osCmdOpts osArgs
  ElseEmpty = 33,         // optElse : /* empty */
  ElseBlock = 34,         // optElse : _ELSE cmdblock
  WhileEmpty = 35,        // optWhile : /* empty */
  WhileCondition = 36,    // optWhile : _WHILE ifexpr
  IfCompare = 37,         // ifexpr : strexpr ifoper strexpr
  IfText = 38,            // ifexpr : strexpr
  OperEq = 39,            // ifoper : _EQ
  OperNe = 40,            // ifoper : _NE
  OperLt = 41,            // ifoper : _LT
  OperGt = 42,            // ifoper : _GT
  StrExprEmpty = 43,      // strexpr : /* empty */
  StrExprStr = 44,        // strexpr : str
  OptStrEmpty = 45,       // optstrexpr : /* empty */
  OptStrStr = 46,         // optstrexpr : str
  StrAtom = 47,           // str : atom
  StrAmp = 48,            // str : str '&' str
  StrPlus = 49,           // str : str '+' str
  StrMinus = 50,          // str : str '-' str
  StrCall = 51,           // str : name '(' str ')'
  StrCallEmpty = 52,      // str : name '(' ')'
  AtomQuoted = 53,        // atom : QSTR
  AtomName = 54,          // atom : name
  AtomNumber = 55,        // atom : NUM
  NameId = 56,            // name : ID
  ProgNameAtom = 57,      // progName : atom
  OsArgsEmpty = 58,       // osArgs : /* empty */
  OsArgsList = 59,        // osArgs : osArgList
  OsArgListFirst = 60,    // osArgList : osArg
  OsArgListNext = 61,     // osArgList : osArgList osArg
  OsArgIllegal = 62,      // osArg : ILLEGAL
  OsArgStr = 63,          // osArg : str
  OsOptsEmpty = 64,       // osCmdOpts : /* empty */
  OsOptsList = 65,        // osCmdOpts : osCmdOptList
  OsOptListFirst = 66,    // osCmdOptList : osCmdOpt
  OsOptListNext = 67,     // osCmdOptList : osCmdOptList osCmdOpt
  OsOptHide = 68,         // osCmdOpt : _HIDE
  OsOptIgnore = 69,       // osCmdOpt : _IGNORE
  OsOptMax = 70,          // osCmdOpt : _MAX
  OsOptMin = 71,          // osCmdOpt : _MIN
  OsOptNoActivate = 72,   // osCmdOpt : _NOACTIVATE
  OsOptWait = 73,         // osCmdOpt : _WAIT
  OsOptWarn = 74,         // osCmdOpt : _WARN
  IntOptsEmpty = 75,      // intCmdOpts : /* empty */
  IntOptsList = 76,       // intCmdOpts : intCmdOptList
  IntOptListFirst = 77,   // intCmdOptList : intCmdOpt
  IntOptListNext = 78,    // intCmdOptList : intCmdOptList intCmdOpt
  IntOptIgnore = 79,      // intCmdOpt : _IGNORE
  IntOptWarn = 80,        // intCmdOpt : _WARN
};
