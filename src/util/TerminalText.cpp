#include "util/TerminalText.h"

#include <cstdio>

#include "util/TextEncoding.h"

namespace {

constexpr char32_t kDelete = 0x7F;

bool IsC0OrDelete(char32_t code) { return code < 0x20 || code == kDelete; }
bool IsC1(char32_t code) { return code >= 0x80 && code <= 0x9F; }

bool KeptAsIs(char32_t code, TTerminalLines lines) {
  return lines == TTerminalLines::Multiple && (code == '\n' || code == '\t');
}

// ^@ for NUL ... ^_ for 0x1F, ^? for DEL: the letter is the code XOR 0x40.
void AppendCaret(std::string& out, char32_t code) {
  out += '^';
  out += static_cast<char>(code ^ 0x40);
}

void AppendHex(std::string& out, const char* prefix, unsigned value, int digits) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%s%0*X", prefix, digits, value);
  out += buffer;
}

std::string SingleByteSafe(std::string_view text, TTerminalLines lines) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    auto code = static_cast<unsigned char>(c);
    if (IsC0OrDelete(code) && !KeptAsIs(code, lines))
      AppendCaret(out, code);
    else
      out += c;
  }
  return out;
}

}  // namespace

std::string TerminalSafe(std::string_view text, bool utf8, TTerminalLines lines) {
  if (!utf8) return SingleByteSafe(text, lines);
  std::string out;
  out.reserve(text.size());
  for (size_t at = 0; at < text.size();) {
    TUtf8Char c = NextUtf8Char(text, at);
    if (!c.valid)
      AppendHex(out, "\\x", static_cast<unsigned char>(text[at]), 2);
    else if (IsC0OrDelete(c.code) && !KeptAsIs(c.code, lines))
      AppendCaret(out, c.code);
    else if (IsC1(c.code))
      AppendHex(out, "\\u", static_cast<unsigned>(c.code), 4);
    else
      out.append(text.substr(at, c.length));
    at += c.length;
  }
  return out;
}
