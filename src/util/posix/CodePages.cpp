// On Linux the program's texts are UTF-8, as the locales of today's systems
// are; the legacy code page of old scripts is 1252, the page they were
// written in on Windows.
#include "util/CodePages.h"

#include "util/TextEncoding.h"

bool ProgramTextIsUtf8() { return true; }

unsigned LegacyCodePage() { return 1252; }

std::string LegacyToUtf8(std::string_view bytes) { return Cp1252ToUtf8(bytes); }

bool Utf8ToLegacy(std::string_view utf8, std::string& bytes) { return Utf8ToCp1252(utf8, bytes); }

bool Utf8ToProgramText(std::string_view utf8, std::string& text, size_t&) {
  text.assign(utf8);
  return true;
}

std::string ProgramTextToUtf8(std::string_view text) { return std::string(text); }
