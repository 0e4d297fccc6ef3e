#include "util/TextFiles.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

#include "util/CodePages.h"
#include "util/StreamFuncs.h"
#include "util/SysFiles.h"

namespace {

constexpr size_t kScanBlock = 64 * 1024;

bool IsUtf16(TFileEncoding encoding) {
  return encoding == TFileEncoding::Utf16Le || encoding == TFileEncoding::Utf16Be;
}

// Bytes of a cut sequence at the end of a block: they are checked with the
// next block.
size_t OpenSequenceLength(std::string_view bytes) {
  const size_t lookBack = std::min<size_t>(3, bytes.size());
  for (size_t back = 1; back <= lookBack; ++back) {
    const auto byte = static_cast<unsigned char>(bytes[bytes.size() - back]);
    if ((byte & 0xC0) == 0x80) continue;  // a continuation byte: look further
    const size_t needed = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
    return needed > back ? back : 0;
  }
  return 0;
}

std::string CodePointName(char32_t code) {
  char name[16];
  std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(code));
  return name;
}

}  // namespace

TFileEncoding ChooseEncoding(std::string_view start, bool validUtf8) {
  const TFileEncoding byMark = EncodingByMark(start);
  if (byMark != TFileEncoding::Legacy) return byMark;
  return validUtf8 ? TFileEncoding::Utf8 : TFileEncoding::Legacy;
}

bool IsValidUtf8File(const std::string& path) {
  const intptr_t file = SysOpenFile(path, kOfRead | kOfShareDenyNone);
  if (file < 0) return false;
  std::string block;
  size_t open = 0;  // bytes of a cut sequence carried over
  bool valid = true;
  for (;;) {
    block.erase(0, block.size() - open);
    block.resize(open + kScanBlock);
    const int count = SysReadFile(file, block.data() + open, static_cast<int>(kScanBlock));
    if (count <= 0) {
      valid = count == 0 && open == 0;
      break;
    }
    block.resize(open + static_cast<size_t>(count));
    open = OpenSequenceLength(block);
    if (!IsValidUtf8(std::string_view(block).substr(0, block.size() - open))) {
      valid = false;
      break;
    }
  }
  SysCloseFile(file);
  return valid;
}

TTextDecoder::TTextDecoder(TFileEncoding encoding, std::string source)
    : encoding_(encoding), source_(std::move(source)) {
  const bool legacy = encoding == TFileEncoding::Legacy;
  passesThrough_ = IsUtf16(encoding) ? false : ProgramTextIsUtf8() != legacy;
}

// Where the whole lines of the open bytes end: after the last line feed
// (for UTF-16, the last unit 0x000A).
size_t TTextDecoder::LinesEnd() const {
  if (!IsUtf16(encoding_)) {
    const size_t lineFeed = open_.rfind('\n');
    return lineFeed == std::string::npos ? 0 : lineFeed + 1;
  }
  const bool bigEndian = encoding_ == TFileEncoding::Utf16Be;
  for (size_t at = open_.size() & ~size_t{1}; at >= 2; at -= 2) {
    const char first = open_[at - 2], second = open_[at - 1];
    if (bigEndian ? (first == 0 && second == '\n') : (first == '\n' && second == 0)) return at;
  }
  return 0;
}

void TTextDecoder::Decode(std::string_view bytes, std::string& text) {
  if (passesThrough_) return text.append(bytes), void();
  open_.append(bytes);
  const size_t end = LinesEnd();
  if (end == 0) return;
  DecodeLines(std::string_view(open_).substr(0, end), text);
  open_.erase(0, end);
}

void TTextDecoder::Finish(std::string& text) {
  DecodeLines(open_, text);
  open_.clear();
}

void TTextDecoder::DecodeLines(std::string_view lines, std::string& text) {
  std::string utf8;
  if (IsUtf16(encoding_))
    utf8 = Utf16ToUtf8(lines, encoding_);
  else if (encoding_ == TFileEncoding::Legacy)
    utf8 = LegacyToUtf8(lines);
  else
    utf8.assign(lines);
  std::string converted;
  size_t unmappable = 0;
  if (!Utf8ToProgramText(utf8, converted, unmappable)) RaiseUnmappable(utf8, unmappable);
  text += converted;
  lines_ += static_cast<size_t>(std::count(utf8.begin(), utf8.end(), '\n'));
}

void TTextDecoder::RaiseUnmappable(std::string_view utf8, size_t at) const {
  const std::string_view before = utf8.substr(0, at);
  const size_t lineStart = before.rfind('\n') == std::string_view::npos ? 0 : before.rfind('\n') + 1;
  const size_t line = lines_ + 1 + static_cast<size_t>(std::count(before.begin(), before.end(), '\n'));
  const size_t column = Utf8Length(before.substr(lineStart)) + 1;
  throw std::runtime_error("\"" + source_ + "\" line " + std::to_string(line) + ", column " +
                           std::to_string(column) + ": the character " +
                           CodePointName(NextUtf8Char(utf8, at).code) +
                           " is not in this system's code page " + std::to_string(LegacyCodePage()) +
                           " (such characters need Windows 10 version 1903 or later)");
}

bool ReadTextFile(const std::string& path, std::string& text, TFileEncoding& encoding) {
  const intptr_t file = SysOpenFile(path, kOfRead | kOfShareDenyNone);
  if (file < 0) return false;
  std::string bytes;
  int count = 0;
  do {
    bytes.resize(bytes.size() + kScanBlock);
    count = SysReadFile(file, bytes.data() + bytes.size() - kScanBlock, static_cast<int>(kScanBlock));
    bytes.resize(bytes.size() - kScanBlock + static_cast<size_t>(std::max(count, 0)));
  } while (count > 0);
  SysCloseFile(file);
  if (count < 0) return false;
  encoding = ChooseEncoding(bytes, IsValidUtf8(bytes));
  TTextDecoder decoder(encoding, path);
  text.clear();
  decoder.Decode(std::string_view(bytes).substr(MarkLength(encoding)), text);
  decoder.Finish(text);
  return true;
}

std::string EncodeText(std::string_view text, TFileEncoding& encoding) {
  if (encoding == TFileEncoding::Legacy) {
    if (!ProgramTextIsUtf8()) return std::string(text);
    std::string bytes;
    if (Utf8ToLegacy(text, bytes)) return bytes;
    encoding = TFileEncoding::Utf8;
  }
  const std::string utf8 = ProgramTextToUtf8(text);
  const std::string body = IsUtf16(encoding) ? Utf8ToUtf16(utf8, encoding) : utf8;
  return std::string(MarkOf(encoding)) + body;
}
