// Character encodings at the program's edges. Inside, a text is an 8-bit
// string in the program's code page: UTF-8 on Linux, and on Windows wherever
// the process runs with UTF-8 as its code page; the ANSI code page on older
// Windows. What comes in from elsewhere (a command file in another encoding,
// an X11 title, a UTF-16 file) is converted once, where it enters, with the
// functions here; they are pure and know no platform.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

/// One character read from UTF-8 text: its code point and how many bytes it
/// took. A malformed sequence (a stray continuation byte, a cut sequence, an
/// overlong form, a surrogate, a value beyond U+10FFFF) is one byte long,
/// not valid, and stands for U+FFFD.
struct TUtf8Char {
  char32_t code = 0;
  size_t length = 1;
  bool valid = true;
};

constexpr char32_t kReplacementCharacter = 0xFFFD;

/// The character that starts at byte `at` of the text (`at` < size).
TUtf8Char NextUtf8Char(std::string_view text, size_t at);
/// True when the whole text is well-formed UTF-8 (pure ASCII is).
bool IsValidUtf8(std::string_view text);
/// Appends the UTF-8 form of a code point (U+FFFD for one that has none).
void AppendUtf8(std::string& text, char32_t code);
/// The code points of a UTF-8 text; each malformed byte gives U+FFFD.
std::u32string DecodeUtf8(std::string_view text);
/// How many characters a UTF-8 text holds (a malformed byte counts as one).
size_t Utf8Length(std::string_view text);

/// The code point of a byte of Windows code page 1252 (the five unassigned
/// bytes keep their own value, as Windows maps them).
char32_t Cp1252ToCode(unsigned char byte);
/// A code page 1252 text as UTF-8.
std::string Cp1252ToUtf8(std::string_view text);
/// UTF-8 as code page 1252; false when a character has no place there.
bool Utf8ToCp1252(std::string_view utf8, std::string& bytes);

/// How a text file's bytes are encoded, as its start and content tell.
enum class TFileEncoding {
  Legacy,   // not valid UTF-8, no mark: the system's legacy code page
  Utf8,     // valid UTF-8 (pure ASCII included), no mark
  Utf8Bom,  // UTF-8 behind the mark EF BB BF
  Utf16Le,  // behind the mark FF FE
  Utf16Be,  // behind the mark FE FF
};

/// The encoding a byte-order mark at the start of `start` gives, or Legacy
/// when there is none (a text without a mark is told by IsValidUtf8).
TFileEncoding EncodingByMark(std::string_view start);
/// The length of the byte-order mark of an encoding (0 for none).
size_t MarkLength(TFileEncoding encoding);
/// The byte-order mark of an encoding, empty for none.
std::string_view MarkOf(TFileEncoding encoding);
/// UTF-16 code units (in the byte order of the encoding) as UTF-8; an odd
/// last byte or a lone surrogate gives U+FFFD. `bytes` holds no mark.
std::string Utf16ToUtf8(std::string_view bytes, TFileEncoding encoding);
/// UTF-8 text as UTF-16 bytes in the byte order of the encoding, no mark.
std::string Utf8ToUtf16(std::string_view text, TFileEncoding encoding);
