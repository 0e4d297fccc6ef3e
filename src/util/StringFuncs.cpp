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
  // The front scan stops one short of the end; a text made of one white
  // character is then removed by the back scan.
  size_t start = 0;
  while (start + 1 < text.size() && IsFrontWhite(text[start])) ++start;
  size_t end = text.size();
  while (end > start && IsBackWhite(text[end - 1])) --end;
  return std::string(text.substr(start, end - start));
}

std::string ReplaceAll(std::string_view text, std::string_view find, std::string_view replacement) {
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

std::string_view AfterLastSeparator(std::string_view path) {
  size_t cut = path.find_last_of("\\/");
  return cut == std::string_view::npos ? path : path.substr(cut + 1);
}

std::string FileNameOnly(std::string_view path) {
  if (path.size() >= 2 && path[1] == ':') path.remove_prefix(2);
  return std::string(AfterLastSeparator(path));
}

std::string LastWord(std::string_view text) {
  size_t blank = text.rfind(' ');
  return std::string(blank == std::string_view::npos ? text : text.substr(blank + 1));
}

namespace {

// The hexadecimal prefix at `pos` allowed by `prefixes`, or 0 for none.
size_t HexPrefixLength(std::string_view text, size_t pos, unsigned prefixes) {
  std::string_view rest = text.substr(pos);
  if ((prefixes & kHexDollar) && rest.starts_with('$')) return 1;
  if ((prefixes & kHexZeroX) && (rest.starts_with("0x") || rest.starts_with("0X"))) return 2;
  if ((prefixes & kHexBareX) && (rest.starts_with('x') || rest.starts_with('X'))) return 1;
  return 0;
}

int DigitValue(char c, int base) {
  if (c >= '0' && c <= '9') return c - '0';
  return base == 16 ? HexDigit(c) : -1;
}

}  // namespace

int32_t TIntegerScan::Value() const {
  uint32_t bits = negative ? 0u - magnitude : magnitude;
  return static_cast<int32_t>(bits);
}

TIntegerScan ScanInteger(std::string_view text, unsigned hexPrefixes, bool hexUsesAllBits) {
  TIntegerScan scan;
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) scan.negative = text[i++] == '-';
  if (size_t prefix = HexPrefixLength(text, i, hexPrefixes)) {
    scan.base = 16;
    i += prefix;
  }
  const uint64_t limit = scan.base == 16 && hexUsesAllBits ? 0xFFFFFFFFu
                         : scan.negative                   ? 0x80000000u
                                                           : 0x7FFFFFFFu;
  uint64_t magnitude = 0;
  for (; i < text.size(); ++i) {
    int digit = DigitValue(text[i], scan.base);
    if (digit < 0) break;
    if (magnitude * scan.base + digit > limit) {
      scan.overflow = true;
      break;
    }
    magnitude = magnitude * scan.base + digit;
    scan.anyDigit = true;
  }
  scan.magnitude = static_cast<uint32_t>(magnitude);
  scan.complete = i == text.size();
  return scan;
}

bool StandardTextToInt(std::string_view text, int32_t& value) {
  TIntegerScan scan = ScanInteger(text, kHexDollar);
  if (!scan.Valid()) return false;
  value = scan.Value();
  return true;
}

int32_t TextToInt(std::string_view text) {
  TIntegerScan scan = ScanInteger(text, kHexDollar | kHexZeroX | kHexBareX, false);
  if (scan.complete && !scan.overflow) return scan.Value();
  return static_cast<int32_t>(std::min<uint32_t>(scan.magnitude, 0x7FFFFFFFu));
}

SplitWord SplitFirstWord(std::string_view text, std::string_view openQuote, std::string_view closeQuote,
                         bool strip) {
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
    if (!split.first.empty() && split.first.compare(0, openQuote.size(), openQuote) == 0 &&
        !openQuote.empty())
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
  bool oneQuotedWord =
      rest.size() >= 2 && rest.front() == '"' && rest.back() == '"' && rest.find('"', 1) == rest.size() - 1;
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
  if (dot == std::string_view::npos || (separator != std::string_view::npos && separator > dot)) return "";
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

std::string Quoted(std::string_view text) {
  std::string quoted;
  quoted.reserve(text.size() + 2);
  return quoted.append(1, '"').append(text).append(1, '"');
}
