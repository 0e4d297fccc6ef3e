// String helpers shared by every subsystem: trimming, splitting off a first
// word, the last word of a title, file names of paths, replacing and integer
// conversion. All are pure functions over 8-bit texts; positions in the
// comments count from 1 as the command language does (0 = not found).
//
// Every function here takes texts of any length; only the language's values
// are limited (to 255 characters), and that limit is kept by their callers.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

/// Removes leading blanks, tabs, CRs and LFs, and trailing blanks, NULs, tabs,
/// CRs and LFs. A leading NUL is kept (it is not white space for the front).
std::string TrimBlanks(std::string_view text);

/// Replaces every occurrence of `find`, left to right and without overlap; the
/// inserted replacement is never searched again. An empty `find` is never found.
std::string ReplaceAll(std::string_view text, std::string_view find, std::string_view replacement);

/// The part of a path after its last "\" or "/" (all of it without one).
std::string_view AfterLastSeparator(std::string_view path);
/// The part of a path after its last "\" or "/", without a drive prefix "X:".
std::string FileNameOnly(std::string_view path);

/// The text after the last blank (the whole text when it has none).
std::string LastWord(std::string_view text);

/// The hexadecimal prefixes an integer text may carry, as bits.
enum THexPrefix : unsigned { kHexDollar = 1, kHexZeroX = 2, kHexBareX = 4 };

/// What ScanInteger found: leading blanks, an optional sign, a hexadecimal
/// prefix of the allowed kinds, then digits (any number of leading zeros).
/// Reading stops at the first character that is not a digit of the base, or
/// at a digit that would take the magnitude beyond the 32-bit range: up to
/// 2147483647 (2147483648 after "-"), and for hexadecimal, which may use all
/// 32 bits unless `hexUsesAllBits` is false, up to 4294967295.
struct TIntegerScan {
  bool negative = false;
  int base = 10;
  uint32_t magnitude = 0;  // of the digits read
  bool anyDigit = false;
  bool complete = false;  // the digits ran to the end of the text
  bool overflow = false;  // stopped at a digit beyond the range

  /// A whole, valid number: digits to the end and within the range.
  bool Valid() const { return anyDigit && complete && !overflow; }
  /// The signed value; hexadecimal wraps into the 32 bits.
  int32_t Value() const;
};
TIntegerScan ScanInteger(std::string_view text, unsigned hexPrefixes, bool hexUsesAllBits = true);

/// The standard conversion that conditions and arithmetic share: leading
/// blanks, an optional sign, then decimal digits or "$" and hexadecimal
/// digits, to the end of the text and within the 32-bit range. False for any
/// other text ("0x1F" among them).
bool StandardTextToInt(std::string_view text, int32_t& value);

/// Lenient conversion: leading blanks, an optional sign, "$", "x", "X" or "0x"
/// for hexadecimal. Stops at the first bad character and then ignores the
/// sign (so "-5x" gives 5). Never fails; an overflowing number stops at the
/// last digit that still fits a signed 32-bit value.
int32_t TextToInt(std::string_view text);

struct SplitWord {
  std::string first;
  std::string rest;
};

/// Splits a command line into its first word (possibly quoted, running to the
/// first blank after its closing quote) and the rest after one blank. With
/// `strip`, a first word that starts with `openQuote` loses its first and last
/// characters, and so does a rest that starts with a double quote.
SplitWord SplitFirstWord(std::string_view text, std::string_view openQuote, std::string_view closeQuote,
                         bool strip);

/// The argument text of a full command line (program path first): the path is
/// dropped, a rest that is one double-quoted word loses its quotes, and white
/// space is trimmed at both ends.
std::string ArgumentsOfCommandLine(std::string_view commandLine);

/// This program's argument text: on Windows ArgumentsOfCommandLine of its
/// own command line; on POSIX its arguments joined (util/posix/CommandLine.h),
/// trimmed.
std::string ProgramArguments();

/// Cuts a value to what a fixed buffer of `capacity` characters can hand to
/// the system as a C string: a value that fills the buffer loses its last
/// character.
std::string ShortTextAsCString(std::string_view value, size_t capacity = 255);

/// The extension of a path: from the last "." after the last "\" or ":",
/// lower-cased, with every double quote removed. Empty when there is none.
std::string ExtensionLower(std::string_view path);

std::string UpperCase(std::string_view text);
std::string LowerCase(std::string_view text);

/// The text between double quotes, as messages show a name or a value; the
/// text itself is not changed (a quote inside stays as it is).
std::string Quoted(std::string_view text);
