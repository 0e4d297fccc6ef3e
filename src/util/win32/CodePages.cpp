// Conversions through UTF-16 with the system's own tables. The legacy code
// page is the system's ANSI code page, which GetACP no longer gives once the
// manifest has made UTF-8 the code page of the process: the system locale's
// default says which it is.
#include "util/CodePages.h"

#include <windows.h>

#include "util/win32/WideText.h"

namespace {

std::wstring ToWide(UINT codePage, std::string_view bytes) {
  if (bytes.empty()) return {};
  const int size = static_cast<int>(bytes.size());
  std::wstring wide(static_cast<size_t>(MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0)),
                    L'\0');
  MultiByteToWideChar(codePage, 0, bytes.data(), size, wide.data(), static_cast<int>(wide.size()));
  return wide;
}

// False when a character has no place in the code page (for UTF-8, never).
bool FromWide(UINT codePage, std::wstring_view wide, std::string& bytes) {
  bytes.clear();
  if (wide.empty()) return true;
  const int size = static_cast<int>(wide.size());
  BOOL lossy = FALSE;
  BOOL* lossyFlag = codePage == CP_UTF8 ? nullptr : &lossy;
  const DWORD flags = codePage == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
  bytes.resize(static_cast<size_t>(
      WideCharToMultiByte(codePage, flags, wide.data(), size, nullptr, 0, nullptr, lossyFlag)));
  WideCharToMultiByte(codePage, flags, wide.data(), size, bytes.data(), static_cast<int>(bytes.size()),
                      nullptr, lossyFlag);
  return !lossy;
}

UINT SystemAnsiCodePage() {
  UINT codePage = 0;
  const int chars = sizeof(codePage) / sizeof(WCHAR);
  if (GetLocaleInfoW(LOCALE_SYSTEM_DEFAULT, LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                     reinterpret_cast<LPWSTR>(&codePage), chars) == 0 ||
      codePage == 0)
    return 1252;
  return codePage;
}

}  // namespace

std::wstring WideOf(std::string_view text) { return ToWide(CP_ACP, text); }

std::string NarrowOf(std::wstring_view wide) {
  std::string text;
  FromWide(CP_ACP, wide, text);
  return text;
}

bool ProgramTextIsUtf8() { return GetACP() == CP_UTF8; }

unsigned LegacyCodePage() {
  static const UINT codePage = SystemAnsiCodePage();
  return codePage;
}

std::string LegacyToUtf8(std::string_view bytes) {
  std::string utf8;
  FromWide(CP_UTF8, ToWide(LegacyCodePage(), bytes), utf8);
  return utf8;
}

bool Utf8ToLegacy(std::string_view utf8, std::string& bytes) {
  return FromWide(LegacyCodePage(), ToWide(CP_UTF8, utf8), bytes);
}

// Where a character is lost, each is tried alone to name the first one.
bool Utf8ToProgramText(std::string_view utf8, std::string& text, size_t& unmappable) {
  if (ProgramTextIsUtf8() || FromWide(CP_ACP, ToWide(CP_UTF8, utf8), text)) {
    if (ProgramTextIsUtf8()) text.assign(utf8);
    return true;
  }
  std::string one;
  for (size_t at = 0, length = 1; at < utf8.size(); at += length) {
    length = 1;
    while (at + length < utf8.size() && (static_cast<unsigned char>(utf8[at + length]) & 0xC0) == 0x80)
      ++length;
    if (!FromWide(CP_ACP, ToWide(CP_UTF8, utf8.substr(at, length)), one)) {
      unmappable = at;
      return false;
    }
  }
  unmappable = 0;
  return false;
}

std::string ProgramTextToUtf8(std::string_view text) {
  if (ProgramTextIsUtf8()) return std::string(text);
  std::string utf8;
  FromWide(CP_UTF8, ToWide(CP_ACP, text), utf8);
  return utf8;
}
