// The command lexer and the keyword table of the command language.
//
// TTarvLex turns command text (a command file, a command line, an editor
// line) into tokens for the command grammar. Its automaton comes from
// TarvLex.rules through the lexer generator; the rule actions here look words
// up in the keyword table, read quoted strings and comment blocks, and switch
// to a rest-of-line argument after keywords that take one: under the source
// name "ARGS" (condition OLDSTRARG) the argument stops at "}", under any other
// name (OLDSTRARGFILE) it runs to the line end.
//
// Where paths are written with slashes (lang/SlashWords.h), the lexer also
// follows each word made of tokens with no white space between them and
// reports a slash glued into it ("sub/zz9") as a positioned error, except
// options glued to a command's first word or to each other.
//
// The keyword table is shared with the grammar, the command object, the
// executor and the editor: 35 slots numbered 1 to 35, slots 1 to 34 the words
// of lang/Vocabulary.h in their order (sorted by keyword bytes), slot 35
// empty; a lookup compares a word only with the keywords of its length and
// second letter. Token codes (TTarvToken,
// generated from the grammar's %token lines into lang/TarvYaccRules.h)
// double as command kinds and option codes.
#pragma once

#include <string>
#include <string_view>

#include "lang/LexLib.h"
#include "lang/TarvYaccRules.h"

/// One keyword of the command language.
struct TKwRec {
  std::string keyword;  // lower case
  int token;
  bool takesRestOfLine;  // the lexer reads the rest of the line as its argument
  bool isCommand;        // an internal command; the editor's program list offers it
  std::string label;     // caption of the argument field in the command dialog
  std::string subLabel;  // its second caption
};

constexpr int kKeywordSlots = 35;  // slots 1..34 used, 35 empty
constexpr int kUsedKeywordSlots = 34;

/// The record of slot 1..35; the empty record for any other number.
const TKwRec& KeywordRecord(int slot);
/// The slot (1..34) of a keyword in any letter case, or -1.
int KeywordLookup(std::string_view text);
/// The first slot (1..34) whose token is `token`, or -1; for option tokens
/// that two keywords share this is the short form ("/h", "/i", "/w").
int KeywordSlotOfToken(int token);
/// The keyword text of slot 1..35 (empty for slot 35 and out of range).
const std::string& KeywordOfSlot(int slot);

/// The automaton of the command lexer (generated from TarvLex.rules).
extern const TLexTables kTarvLexTables;

class TTarvLex : public TCustomLexer {
 public:
  /// The rules, in the order of TarvLex.rules (the generated tables check it).
  enum Rule : int {
    CommentLine = 1,
    CommentBlock,
    BlankLine,
    WhiteSpace,
    QuotedString,
    ArgToBrace,
    ArgToLineEnd,
    ElseAfterLine,
    WhileAfterLine,
    Word,
    Number,
    BraceAfterLine,
    LeftBrace,
    RightBrace,
    LineEnd,
    At,
    OtherChar,
  };

  /// The platform's rule for glued slashes (GluedSlashIsPathError).
  TTarvLex();
  /// With `gluedSlashIsPathError` false, a glued slash starts a new word.
  explicit TTarvLex(bool gluedSlashIsPathError) : gluedSlashIsPathError_(gluedSlashIsPathError) {}
  int yylex() override;
  /// True while the token just returned belongs to a word whose glued slash
  /// has been reported: a parse error at that token is the same fault.
  bool InReportedWord() const { return wordReported_ && !word_.empty(); }

 protected:
  void Action(int rule) override;

 private:
  // Start conditions (condition number times two).
  static constexpr int INITIAL = 0;
  static constexpr int OLDSTRARG = 2;
  static constexpr int OLDSTRARGFILE = 4;

  void WordAction();
  void ReadQuotedString();
  void ReadCommentBlock();
  void DropBlanksBeforeBrace();
  void RestOfLineArgument(const char* condition);
  void KeywordAfterLineEnd(int token);
  void OtherCharacter();

  // The word of glued tokens: white space, comments and line ends end it.
  void EndWord() { word_.clear(); }
  void FollowWord(int token);
  bool WordEndsNext() const;
  void ReportGluedSlash();
  std::string PeekRestOfWord();

  bool gluedSlashIsPathError_;
  std::string word_;  // text of the glued tokens so far
  int wordLine_ = 0;  // where the word began
  int wordCol_ = 0;
  bool wordTakesOptions_ = false;  // so far a command's first word or options
  bool wordReported_ = false;
  bool atCommandStart_ = true;  // the next token begins a command
};
