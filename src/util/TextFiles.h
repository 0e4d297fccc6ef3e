// Text files as the program reads and writes them. A file's encoding is
// told from its bytes: a byte-order mark names UTF-8 or UTF-16; without one,
// a file that is valid UTF-8 throughout is UTF-8, and any other is in the
// legacy code page (CodePages.h), so that scripts written before UTF-8 read
// byte for byte as they always did. The bytes become the program's text
// here, once, and a file written back keeps the encoding it was read in.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "util/TextEncoding.h"

/// The encoding of a file that starts with `start`; `validUtf8` tells
/// whether the whole file is valid UTF-8 (it decides only without a mark).
TFileEncoding ChooseEncoding(std::string_view start, bool validUtf8);
/// True when every byte of the file is valid UTF-8; false also when it
/// cannot be read (reading it later reports that).
bool IsValidUtf8File(const std::string& path);

/// Turns a text file's bytes (after the mark) into the program's text. The
/// bytes come in blocks; the part of a line that a block leaves open waits
/// for the next, so that conversions see whole characters. A character that
/// the program's code page lacks (older Windows) raises std::runtime_error
/// naming the file, the line and the column.
class TTextDecoder {
 public:
  TTextDecoder(TFileEncoding encoding, std::string source);
  /// True when the program's text is the file's bytes unchanged.
  bool PassesThrough() const { return passesThrough_; }
  /// Appends the text of the whole lines that the bytes complete.
  void Decode(std::string_view bytes, std::string& text);
  /// Appends the text of the last, unfinished line.
  void Finish(std::string& text);

 private:
  size_t LinesEnd() const;
  void DecodeLines(std::string_view lines, std::string& text);
  [[noreturn]] void RaiseUnmappable(std::string_view utf8, size_t at) const;

  TFileEncoding encoding_;
  std::string source_;
  bool passesThrough_;
  std::string open_;  // bytes of a line not yet complete
  size_t lines_ = 0;  // lines converted so far
};

/// Reads a whole text file as the program's text and tells its encoding.
/// False when it cannot be opened or read (the system error says why);
/// raises as TTextDecoder does.
bool ReadTextFile(const std::string& path, std::string& text, TFileEncoding& encoding);

/// The program's text as a file of the encoding. A legacy file that has come
/// to hold a character its code page lacks is written as UTF-8 instead, and
/// `encoding` says so: no character is lost.
std::string EncodeText(std::string_view text, TFileEncoding& encoding);
