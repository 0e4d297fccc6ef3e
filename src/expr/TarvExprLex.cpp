#include "expr/TarvExprLex.h"

#include <array>
#include <string_view>

#include "util/StringFuncs.h"

using namespace ExprTok;

namespace {

struct TExprKeyword {
  std::string_view text;  // lower case
  int token;
};

// Sorted by text: the lookup bisects.
constexpr std::array<TExprKeyword, 6> kExprKeywords = {{
    {"env", ENV},
    {"eq", EQ},
    {"errorlevel", ERRORLEVEL},
    {"gt", GT},
    {"lt", LT},
    {"ne", NE},
}};

}  // namespace

int ExprKeywordToken(const std::string& word) {
  // No keyword is longer than this: a longer word is an identifier.
  constexpr size_t kLongestKeyword = 16;
  if (word.size() > kLongestKeyword) return IDENT;
  std::string key = LowerCase(word);
  int low = 0;
  int high = static_cast<int>(kExprKeywords.size()) - 1;
  while (low <= high) {
    int middle = low + (high - low) / 2;
    int order = std::string_view(key).compare(kExprKeywords[middle].text);
    if (order == 0) return kExprKeywords[middle].token;
    if (order > 0)
      low = middle + 1;
    else
      high = middle - 1;
  }
  return IDENT;
}

int TTarvExprLex::yylex() { return RunScanner(kTarvExprLexTables); }

void TTarvExprLex::Action(int rule) {
  switch (rule) {
    case Comment: SkipCommentBlock(); break;
    case Blanks: break;
    case QuotedString: ReadQuotedString(); break;
    case Word: ReturnToken(ExprKeywordToken(yytext)); break;
    case Number: ReturnToken(NUMBER); break;
    case LineEnd: ReturnToken(NEWLINE); break;
    default: ReturnChar(static_cast<unsigned char>(yytext[0])); break;
  }
}

// yytext holds the opening quote. \\ gives one backslash, \" a quote that
// does not end the string; any other backslash pair stays as it is. An
// unterminated string gives no token, only the error line.
void TTarvExprLex::ReadQuotedString() {
  for (;;) {
    unsigned char c = GetChar();
    bool escaped = c == '\\';
    if (escaped) c = GetChar();
    if (c == 0) {
      ErrorLine("unexpected EOF inside quoted string at line " + std::to_string(LineNo()));
      return;
    }
    if (escaped && c != '\\' && c != '"') yytext.push_back('\\');
    yytext.push_back(static_cast<char>(c));
    if (c == '"' && !escaped) break;
  }
  if (Tracing()) Trace("got QSTR (" + yytext + ")");
  StartCondition(0);
  ReturnToken(QSTR);
}
