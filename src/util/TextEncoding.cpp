#include "util/TextEncoding.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <iterator>

namespace {

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// The lead byte's sequence length and its payload bits; length 0 for a byte
// that cannot start a sequence.
struct TLead {
  size_t length;
  char32_t bits;
};

TLead Lead(unsigned char byte) {
  if (byte < 0x80) return {1, byte};
  if (byte >= 0xC2 && byte <= 0xDF) return {2, byte & 0x1Fu};
  if (byte >= 0xE0 && byte <= 0xEF) return {3, byte & 0x0Fu};
  if (byte >= 0xF0 && byte <= 0xF4) return {4, byte & 0x07u};
  return {0, 0};
}

// The smallest code point that needs a sequence of each length.
constexpr char32_t kShortestForm[5] = {0, 0, 0x80, 0x800, 0x10000};

bool IsSurrogate(char32_t code) { return code >= 0xD800 && code <= 0xDFFF; }

// Code page 1252's 0x80..0x9F; the unassigned bytes keep their value.
constexpr char16_t kCp1252High[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                      0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

}  // namespace

TUtf8Char NextUtf8Char(std::string_view text, size_t at) {
  const TLead lead = Lead(static_cast<unsigned char>(text[at]));
  const TUtf8Char malformed{kReplacementCharacter, 1, false};
  if (lead.length == 0 || at + lead.length > text.size()) return malformed;
  char32_t code = lead.bits;
  for (size_t i = 1; i < lead.length; ++i) {
    const auto byte = static_cast<unsigned char>(text[at + i]);
    if (!IsContinuation(byte)) return malformed;
    code = (code << 6) | (byte & 0x3Fu);
  }
  if (code < kShortestForm[lead.length] || code > 0x10FFFF || IsSurrogate(code)) return malformed;
  return {code, lead.length, true};
}

bool IsValidUtf8(std::string_view text) {
  for (size_t at = 0; at < text.size();) {
    // Runs of ASCII, the bulk of every script, eight bytes at a time.
    uint64_t eight = 0;
    if (at + 8 <= text.size() &&
        (std::memcpy(&eight, text.data() + at, 8), (eight & 0x8080808080808080u) == 0)) {
      at += 8;
      continue;
    }
    if (static_cast<unsigned char>(text[at]) < 0x80) {
      ++at;
      continue;
    }
    const TUtf8Char c = NextUtf8Char(text, at);
    if (!c.valid) return false;
    at += c.length;
  }
  return true;
}

void AppendUtf8(std::string& text, char32_t code) {
  if (code > 0x10FFFF || IsSurrogate(code)) code = kReplacementCharacter;
  auto put = [&text](char32_t byte) { text.push_back(static_cast<char>(byte)); };
  if (code < 0x80) return put(code);
  if (code < 0x800) return put(0xC0 | code >> 6), put(0x80 | (code & 0x3F));
  if (code < 0x10000)
    return put(0xE0 | code >> 12), put(0x80 | (code >> 6 & 0x3F)), put(0x80 | (code & 0x3F));
  put(0xF0 | code >> 18);
  put(0x80 | (code >> 12 & 0x3F));
  put(0x80 | (code >> 6 & 0x3F));
  put(0x80 | (code & 0x3F));
}

std::u32string DecodeUtf8(std::string_view text) {
  std::u32string codes;
  codes.reserve(text.size());
  for (size_t at = 0; at < text.size();) {
    const TUtf8Char c = NextUtf8Char(text, at);
    codes.push_back(c.code);
    at += c.length;
  }
  return codes;
}

size_t Utf8Length(std::string_view text) {
  size_t count = 0;
  for (size_t at = 0; at < text.size(); at += NextUtf8Char(text, at).length) ++count;
  return count;
}

char32_t Cp1252ToCode(unsigned char byte) {
  return byte >= 0x80 && byte < 0xA0 ? kCp1252High[byte - 0x80] : byte;
}

std::string Cp1252ToUtf8(std::string_view text) {
  std::string utf8;
  utf8.reserve(text.size() + text.size() / 2);
  for (const char c : text) AppendUtf8(utf8, Cp1252ToCode(static_cast<unsigned char>(c)));
  return utf8;
}

bool Utf8ToCp1252(std::string_view utf8, std::string& bytes) {
  bytes.clear();
  for (size_t at = 0; at < utf8.size();) {
    const TUtf8Char c = NextUtf8Char(utf8, at);
    at += c.length;
    if (!c.valid) return false;
    if (c.code < 0x80 || (c.code >= 0xA0 && c.code <= 0xFF)) {
      bytes.push_back(static_cast<char>(c.code));
      continue;
    }
    const char16_t* high = std::find(std::begin(kCp1252High), std::end(kCp1252High), c.code);
    if (high == std::end(kCp1252High)) return false;
    bytes.push_back(static_cast<char>(0x80 + (high - kCp1252High)));
  }
  return true;
}

TFileEncoding EncodingByMark(std::string_view start) {
  if (start.starts_with("\xEF\xBB\xBF")) return TFileEncoding::Utf8Bom;
  if (start.starts_with("\xFF\xFE")) return TFileEncoding::Utf16Le;
  if (start.starts_with("\xFE\xFF")) return TFileEncoding::Utf16Be;
  return TFileEncoding::Legacy;
}

std::string_view MarkOf(TFileEncoding encoding) {
  switch (encoding) {
    case TFileEncoding::Utf8Bom: return "\xEF\xBB\xBF";
    case TFileEncoding::Utf16Le: return "\xFF\xFE";
    case TFileEncoding::Utf16Be: return "\xFE\xFF";
    default: return "";
  }
}

size_t MarkLength(TFileEncoding encoding) { return MarkOf(encoding).size(); }

std::string Utf16ToUtf8(std::string_view bytes, TFileEncoding encoding) {
  const bool bigEndian = encoding == TFileEncoding::Utf16Be;
  auto unit = [&](size_t i) -> char32_t {
    const auto first = static_cast<unsigned char>(bytes[i]),
               second = static_cast<unsigned char>(bytes[i + 1]);
    return bigEndian ? (first << 8 | second) : (second << 8 | first);
  };
  std::string utf8;
  utf8.reserve(bytes.size());
  size_t i = 0;
  for (; i + 1 < bytes.size(); i += 2) {
    char32_t code = unit(i);
    const bool high = code >= 0xD800 && code < 0xDC00;
    if (high && i + 3 < bytes.size() && unit(i + 2) >= 0xDC00 && unit(i + 2) < 0xE000) {
      code = 0x10000 + ((code - 0xD800) << 10) + (unit(i + 2) - 0xDC00);
      i += 2;
    }
    AppendUtf8(utf8, code);  // a lone surrogate becomes U+FFFD there
  }
  if (i < bytes.size()) AppendUtf8(utf8, kReplacementCharacter);
  return utf8;
}

std::string Utf8ToUtf16(std::string_view text, TFileEncoding encoding) {
  const bool bigEndian = encoding == TFileEncoding::Utf16Be;
  std::string bytes;
  bytes.reserve(text.size() * 2);
  auto put = [&](char32_t unit) {
    const char low = static_cast<char>(unit & 0xFF), high = static_cast<char>(unit >> 8);
    bytes += bigEndian ? std::string{high, low} : std::string{low, high};
  };
  for (const char32_t code : DecodeUtf8(text)) {
    if (code < 0x10000) {
      put(code);
      continue;
    }
    put(0xD800 + ((code - 0x10000) >> 10));
    put(0xDC00 + ((code - 0x10000) & 0x3FF));
  }
  return bytes;
}
