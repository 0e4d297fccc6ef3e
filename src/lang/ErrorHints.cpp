#include "lang/ErrorHints.h"

#include <algorithm>
#include <cctype>

#include "lang/TarvCmd2Obj.h"
#include "lang/TarvLex.h"

namespace {

bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }
bool IsHexDigit(char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; }

// After "{" the lexer takes the blanks of the next line with the brace, so an
// indented comment there no longer starts its line.
bool IsComment(std::string_view token) { return token.starts_with('#') || token.starts_with(';'); }

// "2.5" is read as the number 2 and the word ".5".
bool IsDecimalFraction(std::string_view token) {
  return token.size() > 1 && token[0] == '.' && IsDigit(token[1]);
}

// "$1F" fails at the "$"; "0x1F" is read as the number 0 and the word "x1F".
bool IsHexTail(std::string_view token) {
  if (token == "$") return true;
  return token.size() > 1 && (token[0] == 'x' || token[0] == 'X') &&
         std::all_of(token.begin() + 1, token.end(), IsHexDigit);
}

// A "}" that does not start its line, as in a block written on one line.
bool IsRightBrace(std::string_view token) { return token == "}"; }

bool IsOption(std::string_view token) {
  const int slot = KeywordLookup(token);
  if (slot < 0) return false;
  const int kind = KeywordRecord(slot).token;
  return std::any_of(std::begin(CommandOptions()), std::end(CommandOptions()),
                     [kind](const TOptionRec& option) { return option.token == kind; });
}

bool Always(std::string_view) { return true; }

struct THintRow {
  THintContext context;
  bool (*matches)(std::string_view text);
  std::string_view hint;  // "{}" stands for the text
};

constexpr THintRow kHints[] = {
    {THintContext::SyntaxError, IsComment,
     "hint: a comment must start its line, and after { the blanks of the next line go with the brace: "
     "start the comment in the first column or write it as /* ... */"},
    {THintContext::SyntaxError, IsDecimalFraction,
     "hint: a number with a decimal point is a text: write it in double quotes (\"2.5\")"},
    {THintContext::SyntaxError, IsHexTail,
     "hint: a hexadecimal number is a text: write it in double quotes (\"$1F\" or \"0x1F\")"},
    {THintContext::SyntaxError, IsRightBrace,
     "hint: a block's } must start a line: put the commands of the block and its closing } on lines "
     "of their own"},
    {THintContext::SyntaxError, IsOption,
     "hint: options go right after the program or command, before its arguments (prog /wait file, "
     "/sleep /warn 5); /set, /if, /do, /while, /waitall, /plist, /wlist and @ take none"},
    {THintContext::ArithmeticWord, Always,
     "hint: if {} is a name, write it in double quotes (\"{}\"): unquoted, a - or + in a word makes a "
     "difference or a sum"},
};

std::string WithText(std::string_view hint, std::string_view text) {
  std::string filled;
  for (size_t at = 0; at < hint.size();) {
    if (hint.substr(at, 2) == "{}") {
      filled += text;
      at += 2;
    } else {
      filled += hint[at++];
    }
  }
  return filled;
}

}  // namespace

std::string ErrorHint(THintContext context, std::string_view text) {
  for (const THintRow& row : kHints)
    if (row.context == context && row.matches(text)) return WithText(row.hint, text);
  return "";
}
