#include "lang/TarvLex.h"

#include <algorithm>
#include <array>
#include <vector>

#include "lang/SlashWords.h"
#include "lang/Vocabulary.h"
#include "util/StringFuncs.h"

// ---- Keyword table ---------------------------------------------------------

static_assert(kWordCount == kUsedKeywordSlots, "every used keyword slot holds one word of kWords");

namespace {

// The slots are the words of the vocabulary in their order, then the empty
// slot; made on first use, so that no other unit's start-up reads them early.
const std::array<TKwRec, kKeywordSlots>& Keywords() {
  static const std::array<TKwRec, kKeywordSlots> kKeywords = [] {
    std::array<TKwRec, kKeywordSlots> table{};
    for (int i = 0; i < kWordCount; ++i) {
      const TWordRow& row = kWords[i];
      table[static_cast<size_t>(i)] = {row.word,      row.token, row.takesRestOfLine,
                                       row.isCommand, row.label, row.subLabel};
    }
    return table;
  }();
  return kKeywords;
}

}  // namespace

const TKwRec& KeywordRecord(int slot) {
  if (slot < 1 || slot > kKeywordSlots) return Keywords()[kKeywordSlots - 1];
  return Keywords()[static_cast<size_t>(slot - 1)];
}

namespace {

constexpr size_t kLongestKeyword = kLongestWord;

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// The keyword slots by the length of their text and its second character
// (the first letter after a slash), built once from the table: a word is
// compared with the one or two keywords that share both with it.
constexpr size_t kLetterGroups = 32;
using TKeywordBuckets = std::array<std::array<std::vector<int>, kLetterGroups>, kLongestKeyword + 1>;

size_t LetterGroup(std::string_view text) {
  return text.size() < 2 ? 0 : static_cast<unsigned char>(LowerAscii(text[1])) % kLetterGroups;
}

const TKeywordBuckets& KeywordBuckets() {
  static const TKeywordBuckets kBuckets = [] {
    TKeywordBuckets buckets;
    for (int slot = 1; slot <= kUsedKeywordSlots; ++slot) {
      const std::string& keyword = KeywordRecord(slot).keyword;
      if (keyword.size() <= kLongestKeyword) buckets[keyword.size()][LetterGroup(keyword)].push_back(slot);
    }
    return buckets;
  }();
  return kBuckets;
}

// The longest keyword that does not begin with a slash: most words of a
// command file (program names, file names, arguments) are longer and no
// slash word, so they need no search.
size_t LongestPlainKeyword() {
  static const size_t kLongest = [] {
    size_t longest = 0;
    for (int slot = 1; slot <= kUsedKeywordSlots; ++slot) {
      const std::string& keyword = KeywordRecord(slot).keyword;
      if (keyword.empty() || keyword[0] != '/') longest = std::max(longest, keyword.size());
    }
    return longest;
  }();
  return kLongest;
}

// The keyword (lower case) and the text in any letter case, of equal length.
bool SameLetters(const char* keyword, std::string_view text) {
  for (size_t i = 0; i < text.size(); ++i)
    if (LowerAscii(text[i]) != keyword[i]) return false;
  return true;
}

}  // namespace

int KeywordLookup(std::string_view text) {
  if (text.size() > kLongestKeyword) return -1;
  if (text.size() > LongestPlainKeyword() && text[0] != '/') return -1;
  // The words straight from the vocabulary: slot N is its row N - 1.
  for (int slot : KeywordBuckets()[text.size()][LetterGroup(text)])
    if (SameLetters(kWords[static_cast<size_t>(slot - 1)].word, text)) return slot;
  return -1;
}

int KeywordSlotOfToken(int token) {
  // The first slot of each token code, found once for the codes in use.
  constexpr int kFirstToken = 256;
  constexpr int kTokenRange = 64;
  static const std::array<int, kTokenRange> kFirstSlot = [] {
    std::array<int, kTokenRange> first;
    first.fill(-1);
    for (int slot = kUsedKeywordSlots; slot >= 1; --slot) {
      int code = KeywordRecord(slot).token - kFirstToken;
      if (code >= 0 && code < kTokenRange) first[static_cast<size_t>(code)] = slot;
    }
    return first;
  }();
  int code = token - kFirstToken;
  if (code >= 0 && code < kTokenRange) return kFirstSlot[static_cast<size_t>(code)];
  for (int slot = 1; slot <= kUsedKeywordSlots; ++slot)
    if (KeywordRecord(slot).token == token) return slot;
  return -1;
}

const std::string& KeywordOfSlot(int slot) { return KeywordRecord(slot).keyword; }

// ---- The lexer -------------------------------------------------------------

TTarvLex::TTarvLex() : TTarvLex(GluedSlashIsPathError()) {}

int TTarvLex::yylex() {
  int token = RunScanner(kTarvLexTables);
  if (gluedSlashIsPathError_) FollowWord(token);
  return token;
}

void TTarvLex::Action(int rule) {
  switch (rule) {
    case CommentLine: EndWord(); break;
    case CommentBlock:
      EndWord();
      ReadCommentBlock();
      break;
    case BlankLine:
      EndWord();
      Trace("sucked up blank line(s)");
      break;
    case WhiteSpace:
      EndWord();
      Trace("sucked up white space");
      break;
    case QuotedString:
      ReadQuotedString();
      ReturnToken(QSTR);
      break;
    case ArgToBrace:
      DropBlanksBeforeBrace();
      RestOfLineArgument("OLDSTRARG");
      break;
    case ArgToLineEnd: RestOfLineArgument("OLDSTRARGFILE"); break;
    case ElseAfterLine: KeywordAfterLineEnd(_ELSE); break;
    case WhileAfterLine: KeywordAfterLineEnd(_WHILE); break;
    case Word: WordAction(); break;
    case Number:
      if (Tracing()) Trace("got NUM (" + yytext + ")");
      ReturnToken(NUM);
      break;
    case BraceAfterLine:
    case LeftBrace:
      Trace("got left bracket");
      ReturnChar('{');
      break;
    case RightBrace:
      Trace("got right bracket");
      StartCondition(INITIAL);
      ReturnChar('}');
      break;
    case LineEnd:
      Trace("got NL");
      StartCondition(INITIAL);
      ReturnToken(NL);
      break;
    case At:
      Trace("got @");
      ReturnToken(_AT);
      break;
    default: OtherCharacter(); break;
  }
}

void TTarvLex::OtherCharacter() {
  if (Tracing()) Trace("got " + Quoted(yytext) + " char");
  ReturnChar(static_cast<unsigned char>(yytext[0]));
}

// In "{ /waitfor Untitled - Notepad }" the blank before the brace only
// separates it: it goes back to the input instead of ending the title.
void TTarvLex::DropBlanksBeforeBrace() {
  if (PeekBufferedChar() != '}') return;
  const size_t kept = yytext.find_last_not_of(" \t");
  yyless(kept == std::string::npos ? 0 : kept + 1);
}

void TTarvLex::RestOfLineArgument(const char* condition) {
  if (Tracing()) Trace(std::string("got ") + condition + " ID (" + yytext + ")");
  StartCondition(INITIAL);
  ReturnToken(ID);
}

void TTarvLex::KeywordAfterLineEnd(int token) {
  if (Tracing()) Trace("got keyword " + Quoted(KeywordOfSlot(KeywordSlotOfToken(token))));
  ReturnToken(token);
}

// A word is a keyword, an unknown slash word (ILLEGAL) or a plain ID. A
// keyword that takes the rest of its line switches to the argument reader:
// under "ARGS" the argument ends at "}", elsewhere at the line end.
void TTarvLex::WordAction() {
  int slot = KeywordLookup(yytext);
  if (slot < 0) {
    bool slashWord = yytext[0] == '/';
    if (Tracing()) Trace(std::string(slashWord ? "got ILLEGAL (" : "got ID (") + yytext + ")");
    ReturnToken(slashWord ? ILLEGAL : ID);
    return;
  }
  const TKwRec& keyword = KeywordRecord(slot);
  if (keyword.takesRestOfLine) StartCondition(SourceName() == "ARGS" ? OLDSTRARG : OLDSTRARGFILE);
  if (Tracing()) Trace("got keyword " + Quoted(keyword.keyword));
  ReturnToken(keyword.token);
}

// ---- Slashes glued to words -------------------------------------------------

namespace {

bool EndsWord(unsigned char c) {
  return c == 0 || c == ' ' || c == '\t' || c == '\n' || c == '\f' || c == '{' || c == '}';
}

}  // namespace

// Called with every token: extends the word of glued tokens and reports the
// first slash glued into it, unless it glues options to a command's first
// word or to each other. A word that begins with an unknown slash word and
// goes on with a slash is a bare path ("/bin/echo"): it is reported with its
// first token, since the grammar may refuse that token before the rest of
// the word is read.
void TTarvLex::FollowWord(int token) {
  const bool wordStartsCommand = atCommandStart_;
  atCommandStart_ = token <= 0 || token == NL || token == '{' || token == '}';
  const bool endsWord =
      atCommandStart_ || yytext.empty() || EndsWord(static_cast<unsigned char>(yytext.back()));
  if (token > 0) {
    bool isOption = IsOptionToken(token);
    if (word_.empty()) {
      wordLine_ = LineNo();
      wordCol_ = std::max(1, ColNo() - static_cast<int>(yytext.size()));
      wordTakesOptions_ = wordStartsCommand || isOption;
      wordReported_ = false;
      if (token == ILLEGAL && PeekBufferedChar() == '/') ReportGluedSlash();
    } else {
      bool gluedOption = wordTakesOptions_ && isOption;
      if (!yytext.empty() && yytext[0] == '/' && !gluedOption && !wordReported_) ReportGluedSlash();
      if (!isOption) wordTakesOptions_ = false;
    }
    if (!endsWord && !WordEndsNext()) word_ += yytext;
  }
  if (endsWord) EndWord();
}

// True when the character after the token certainly ends the word before
// another token can be glued to it: a blank starts white space (outside a
// line start every condition reads it so, and its action ends the word),
// and a line end starts a token whose text does not begin with a slash and
// ends the word. The word's text is then never needed, and most words
// (a program name, an argument) are followed so: they are not copied.
bool TTarvLex::WordEndsNext() const {
  const int next = PeekBufferedChar();
  return next == ' ' || next == '\t' || next == '\n';
}

// Reports the word with the glued slash: the word so far, yytext (the token
// that begins with the slash) and the characters that follow it.
void TTarvLex::ReportGluedSlash() {
  wordReported_ = true;
  std::string word = Quoted(word_ + yytext + PeekRestOfWord());
  ErrorLine("Line " + std::to_string(wordLine_) + " Col " + std::to_string(wordCol_) + " in file " +
            Quoted(SourceName()));
  ErrorLine("the word " + word + " holds a slash: quote a path, e.g. " + word);
}

// The characters that still belong to the word, read and given back.
std::string TTarvLex::PeekRestOfWord() {
  std::string rest;
  for (;;) {
    unsigned char c = GetChar();
    if (c == 0) break;
    if (EndsWord(c) || rest.size() >= kLexMaxTokenText) {
      UngetChar(c);
      break;
    }
    rest.push_back(static_cast<char>(c));
  }
  for (auto c = rest.rbegin(); c != rest.rend(); ++c) UngetChar(static_cast<unsigned char>(*c));
  return rest;
}

// ---- String and comment readers ---------------------------------------------

// yytext holds the opening quote. A backslash takes the next character with
// it, so \" does not end the string; line ends are ordinary characters. The
// text keeps its quotes and backslashes and may pass 255 characters.
void TTarvLex::ReadQuotedString() {
  for (;;) {
    unsigned char c = GetChar();
    bool escaped = c == '\\';
    if (escaped) {
      yytext.push_back('\\');
      c = GetChar();
    }
    if (c == 0) {
      ErrorLine("unexpected EOF inside quoted string at line " + std::to_string(LineNo()));
      return;
    }
    yytext.push_back(static_cast<char>(c));
    if (c == '"' && !escaped) break;
  }
  if (Tracing()) Trace("got QSTR (" + yytext + ")");
  StartCondition(INITIAL);
}

// Skips to the closing star-slash; a line end right after it goes with the
// comment. The comment's characters never enter yytext, so the token after
// it does not begin a line.
void TTarvLex::ReadCommentBlock() {
  if (SkipCommentBlock()) Trace("Sucked up C style comment block");
}
