#include "util/StringFuncs.h"

#include <algorithm>
#include <cctype>
#include <limits>

namespace {

bool IsFrontWhite(char c) { return c == ' ' || c == '\n' || c == '\r' || c == '\t'; }
bool IsBackWhite(char c) { return IsFrontWhite(c) || c == '\0'; }

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::string TrimBlanks(std::string_view text) {
  // The front scan stops one short of the end, as the original did: a text
  // made of one white character is then removed by the back scan.
  size_t start = 0;
  while (start + 1 < text.size() && IsFrontWhite(text[start])) ++start;
  size_t end = text.size();
  while (end > start && IsBackWhite(text[end - 1])) --end;
  return std::string(text.substr(start, end - start));
}

std::string ReplaceAll(std::string_view text, std::string_view find,
                       std::string_view replacement) {
  if (text.empty() || find.empty()) return std::string(text);
  std::string result;
  result.reserve(text.size());
  size_t from = 0;
  for (size_t p = text.find(find); p != std::string_view::npos; p = text.find(find, from)) {
    result.append(text.substr(from, p - from));
    result.append(replacement);
    from = p + find.size();
  }
  result.append(text.substr(from));
  return result;
}

std::string FileNameOnly(std::string_view path) {
  if (path.size() >= 2 && path[1] == ':') path.remove_prefix(2);
  size_t cut = path.find_last_of("\\/");
  if (cut != std::string_view::npos) path.remove_prefix(cut + 1);
  return std::string(path);
}

std::string LastWord(std::string_view text) {
  size_t blank = text.rfind(' ');
  return std::string(blank == std::string_view::npos ? text : text.substr(blank + 1));
}

int32_t TextToInt(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  int base = 10;
  if (i < text.size() && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
    base = 16;
    ++i;
  } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  // Accumulate in 64 bits; a digit that would leave the 32-bit range stops
  // the conversion like a bad character does.
  int64_t value = 0;
  const int64_t limit = negative ? int64_t{1} << 31 : std::numeric_limits<int32_t>::max();
  for (; i < text.size(); ++i) {
    int digit = base == 16 ? HexDigit(text[i]) : (std::isdigit(static_cast<unsigned char>(text[i])) ? text[i] - '0' : -1);
    if (digit < 0 || value * base + digit > limit) {
      return static_cast<int32_t>(std::min<int64_t>(value, std::numeric_limits<int32_t>::max()));
    }
    value = value * base + digit;
  }
  return static_cast<int32_t>(negative ? -value : value);
}

SplitWord SplitFirstWord(std::string_view text, std::string_view openQuote,
                         std::string_view closeQuote, bool strip) {
  size_t q = openQuote.empty() ? std::string_view::npos : text.find(openQuote);
  size_t b = text.find(' ');
  size_t p = std::min(q, b);
  SplitWord split;
  if (p == std::string_view::npos) {
    split.first = text;
  } else {
    size_t s = p;  // the blank that ends the first word
    if (p == q) {
      size_t k = closeQuote.empty() ? std::string_view::npos : text.find(closeQuote, p + 1);
      s = text.find(' ', k == std::string_view::npos ? p : k);
    }
    if (s == std::string_view::npos) {
      split.first = text;
    } else {
      split.first = text.substr(0, s);
      split.rest = text.substr(s + 1);
    }
  }
  if (strip) {
    // A leading quote is taken to promise a closing one at the end.
    if (!split.first.empty() && split.first.compare(0, openQuote.size(), openQuote) == 0 && !openQuote.empty())
      split.first = split.first.size() >= 2 ? split.first.substr(1, split.first.size() - 2) : "";
    if (!split.rest.empty() && split.rest[0] == '"')
      split.rest = split.rest.size() >= 2 ? split.rest.substr(1, split.rest.size() - 2) : "";
  }
  return split;
}

std::string ArgumentsOfCommandLine(std::string_view commandLine) {
  std::string rest = SplitFirstWord(commandLine, "\"", "\"", false).rest;
  // Only a rest that is one quoted word loses its quotes: a quoted program
  // path followed by arguments must reach the parser intact.
  bool oneQuotedWord = rest.size() >= 2 && rest.front() == '"' && rest.back() == '"' &&
                       rest.find('"', 1) == rest.size() - 1;
  if (oneQuotedWord) rest = rest.substr(1, rest.size() - 2);
  return TrimBlanks(rest);
}

std::string ShortTextAsCString(std::string_view value, size_t capacity) {
  if (value.size() >= capacity && capacity > 0) value = value.substr(0, capacity - 1);
  return std::string(value.substr(0, value.find('\0')));
}

std::string ExtensionLower(std::string_view path) {
  size_t dot = path.rfind('.');
  size_t separator = path.find_last_of("\\:");
  if (dot == std::string_view::npos ||
      (separator != std::string_view::npos && separator > dot))
    return "";
  return ReplaceAll(LowerCase(path.substr(dot)), "\"", "");
}

std::string UpperCase(std::string_view text) {
  std::string result(text);
  for (char& c : result)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return result;
}

std::string LowerCase(std::string_view text) {
  std::string result(text);
  for (char& c : result)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return result;
}
