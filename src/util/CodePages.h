// The program's code page against the encodings around it. A text of the
// program is in its code page: UTF-8 on Linux, and on Windows 10 (1903) and
// later, where the program's manifest makes UTF-8 the code page of the
// process, so that the 8-bit system calls carry every character. On older
// Windows the program's code page is the system's ANSI code page, and a
// character that page lacks cannot be a text of the program at all.
//
// The legacy code page is what a text file without a mark that is not valid
// UTF-8 is written in: the system's ANSI code page on Windows, code page 1252
// on Linux, so that every script written before UTF-8 reads as it did.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

/// True when the program's texts are UTF-8.
bool ProgramTextIsUtf8();
/// The legacy code page's number, for messages.
unsigned LegacyCodePage();
/// Bytes of the legacy code page as UTF-8; whole lines, so that no
/// character is split.
std::string LegacyToUtf8(std::string_view bytes);
/// UTF-8 as bytes of the legacy code page; false when a character has no
/// place there (`bytes` is then incomplete).
bool Utf8ToLegacy(std::string_view utf8, std::string& bytes);
/// UTF-8 as a text of the program. False when a character has no place in
/// the program's code page: `unmappable` is then its byte offset in `utf8`.
bool Utf8ToProgramText(std::string_view utf8, std::string& text, size_t& unmappable);
/// A text of the program as UTF-8.
std::string ProgramTextToUtf8(std::string_view text);
