// The words of the command language, each written once.
//
// kWords is the one list of the language's keywords: the lexer's keyword
// table (TarvLex.h) is made from it, the option table of the command object
// (TarvCmd2Obj.h) takes its long forms from it, and the executor's messages
// name their command by its kind through it. The token codes come from the
// grammar's %token lines (TarvYaccRules.h); the checks at the end of this
// file fail the build when the grammar's token order and this list no longer
// agree.
#pragma once

#include <string>

#include "lang/TarvYaccRules.h"

/// One keyword. An option is a slash word that is no command: the lexer
/// lets it glue to a command's first word, the grammar accepts it among a
/// command's options.
struct TWordRow {
  const char* word;  // lower case
  int token;
  bool takesRestOfLine;  // the lexer reads the rest of the line as its argument
  bool isCommand;        // an internal command; the editor's program list offers it
  const char* label;     // caption of the argument field in the command dialog
  const char* subLabel;  // its second caption
};

constexpr int kWordCount = 34;

/// Sorted by the bytes of the word (the keyword slots 1..34 in this order).
inline constexpr TWordRow kWords[kWordCount] = {
    {"/activate", _ACTIVATE, true, true, "Window", "name"},
    {"/cd", _CD, true, true, "Directory", "pathname"},
    {"/close", _CLOSE, true, true, "Window", "name"},
    {"/do", _DO, false, true, "", ""},
    {"/edit", _EDIT, true, true, ".qd file", "pathname"},
    {"/else", _ELSE, false, true, "", ""},
    {"/h", _HIDE, false, false, "", ""},
    {"/hide", _HIDE, false, false, "", ""},
    {"/i", _IGNORE, false, false, "", ""},
    {"/if", _IF, false, true, "Condition", "expression"},
    {"/ignore", _IGNORE, false, false, "", ""},
    {"/kill", _KILL, true, true, "Program", "name"},
    {"/killwindow", _KILLWINDOW, true, true, "Window", "name"},
    {"/max", _MAX, false, false, "", ""},
    {"/min", _MIN, false, false, "", ""},
    {"/noactivate", _NOACTIVATE, false, false, "", ""},
    {"/pause", _PAUSE, true, true, "Message", "text"},
    {"/plist", _PLIST, false, true, "", ""},
    {"/sendkeys", _SENDKEYS, true, true, "Keystrokes", "to send"},
    {"/set", _SET, false, true, "variable", "= value"},
    {"/sleep", _SLEEP, false, true, "Seconds", "to sleep"},
    {"/w", _WAIT, false, false, "", ""},
    {"/wait", _WAIT, false, false, "", ""},
    {"/waitall", _WAITALL, false, true, "", ""},
    {"/waitclose", _WAITCLOSE, true, true, "Window", "name"},
    {"/waitfor", _WAITFOR, true, true, "Window", "name"},
    {"/warn", _WARN, false, false, "", ""},
    {"/while", _WHILE, false, true, "Condition", "expression"},
    {"/wlist", _WLIST, false, true, "", ""},
    {"@", _AT, true, false, "Command", "filename"},
    {"eq", _EQ, false, false, "", ""},
    {"gt", _GT, false, false, "", ""},
    {"lt", _LT, false, false, "", ""},
    {"ne", _NE, false, false, "", ""},
};

/// The grammar declares the option tokens as one run of codes.
constexpr int kFirstOptionToken = _HIDE;
constexpr int kLastOptionToken = _WARN;
constexpr int kOptionTokenCount = kLastOptionToken - kFirstOptionToken + 1;

constexpr bool IsOptionToken(int token) { return token >= kFirstOptionToken && token <= kLastOptionToken; }

namespace vocabulary_detail {

constexpr int Length(const char* text) {
  int n = 0;
  while (text[n] != '\0') ++n;
  return n;
}

constexpr bool Before(const char* a, const char* b) {
  for (; *a != '\0' && *a == *b; ++a, ++b) {
  }
  return static_cast<unsigned char>(*a) < static_cast<unsigned char>(*b);
}

constexpr bool IsOptionRow(const TWordRow& row) { return row.word[0] == '/' && !row.isCommand; }

constexpr bool Sorted() {
  for (int i = 1; i < kWordCount; ++i)
    if (!Before(kWords[i - 1].word, kWords[i].word)) return false;
  return true;
}

// Every named token from _AT to _GT has a word, and a word is an option
// exactly when its token lies in the option run.
constexpr bool TokensAgree() {
  for (int token = _AT; token <= _GT; ++token) {
    bool found = false;
    for (const TWordRow& row : kWords) found = found || row.token == token;
    if (!found) return false;
  }
  for (const TWordRow& row : kWords)
    if (IsOptionRow(row) != IsOptionToken(row.token)) return false;
  return true;
}

constexpr int LongestWord() {
  int longest = 0;
  for (const TWordRow& row : kWords) longest = Length(row.word) > longest ? Length(row.word) : longest;
  return longest;
}

}  // namespace vocabulary_detail

/// The first word of the token in list order (for an option its short
/// form: "/h", "/i", "/w"); "" for a token that no word has.
constexpr const char* FirstWordOf(int token) {
  for (const TWordRow& row : kWords)
    if (row.token == token) return row.word;
  return "";
}

/// The longest word of the token: an option's long form ("/hide").
constexpr const char* LongWordOf(int token) {
  const char* longest = "";
  for (const TWordRow& row : kWords)
    if (row.token == token && vocabulary_detail::Length(row.word) > vocabulary_detail::Length(longest))
      longest = row.word;
  return longest;
}

/// The word that names a command of this kind in messages ("/waitfor").
inline std::string CommandWord(int kind) { return FirstWordOf(kind); }

/// No keyword is longer than this: a longer word is no keyword.
constexpr int kLongestWord = vocabulary_detail::LongestWord();

static_assert(vocabulary_detail::Sorted(), "kWords must stay sorted by their bytes");
static_assert(vocabulary_detail::TokensAgree(),
              "the option tokens of the grammar's %token lines and the option words of kWords differ");
