#include "util/StreamFuncs.h"

#include <cstring>

#include "util/MessageBoxes.h"
#include "util/StringFuncs.h"
#include "util/SysFiles.h"
#include "util/TarvCommon.h"

void TTextStream::Write(std::string_view bytes) {
  if (pos_ > data_.size()) data_.resize(pos_);
  size_t overlap = std::min(bytes.size(), data_.size() - pos_);
  data_.replace(pos_, overlap, bytes.substr(0, overlap));
  data_.append(bytes.substr(overlap));
  pos_ += bytes.size();
}

TTextStream::TTextStream(TBlockReader reader, size_t blockSize, uint64_t sizeHint)
    : reader_(std::move(reader)), blockSize_(blockSize), sizeHint_(sizeHint) {
  ReadMore();
}

// Reads blocks until at least one whole line has come (or the input ends),
// keeping the bytes after the last line feed for the next call.
bool TTextStream::ReadMore() {
  if (!reader_) return false;
  data_.erase(0, pos_);
  pos_ = 0;
  data_ += partLine_;
  partLine_.clear();
  for (;;) {
    const size_t held = data_.size();
    data_.resize(held + blockSize_);
    const size_t count = reader_(data_.data() + held, blockSize_);
    data_.resize(held + count);
    if (count == 0) {
      reader_ = nullptr;  // the end: whatever is held is the last line
      return !data_.empty();
    }
    // Only the new block can hold a line feed: the bytes before it had none.
    const size_t inBlock = std::string_view(data_).substr(held).rfind('\n');
    if (inBlock != std::string_view::npos) {
      partLine_.assign(data_, held + inBlock + 1);
      data_.resize(held + inBlock + 1);
      return true;
    }
  }
}

bool StreamAtEnd(TTextStream& stream) { return stream.Position() >= stream.Size() && !stream.ReadMore(); }

std::string StreamReadLine(TTextStream& stream) {
  std::string line;
  StreamReadLine(stream, line);
  return line;
}

namespace {

// The position of the first CR or LF at or after `pos`, or the size: the
// line feed is found first (one fast search), then a CR only before it.
size_t LineBreakAt(const std::string& data, size_t pos) {
  const char* begin = data.data() + pos;
  const void* lf = std::memchr(begin, '\n', data.size() - pos);
  size_t end = lf != nullptr ? static_cast<size_t>(static_cast<const char*>(lf) - data.data()) : data.size();
  const void* cr = std::memchr(begin, '\r', end - pos);
  return cr != nullptr ? static_cast<size_t>(static_cast<const char*>(cr) - data.data()) : end;
}

}  // namespace

void StreamReadLine(TTextStream& stream, std::string& line) {
  line.clear();
  StreamAppendLine(stream, line);
}

void StreamAppendLine(TTextStream& stream, std::string& line) {
  if (stream.Position() >= stream.Size()) stream.ReadMore();
  const std::string& data = stream.Text();
  size_t pos = stream.Position();
  while (pos < data.size()) {
    // The bytes up to the next CR or LF go in as one piece.
    size_t end = LineBreakAt(data, pos);
    line.append(data, pos, end - pos);
    if (end == data.size()) {
      pos = end;
      break;
    }
    if (data[end] == '\n') {
      pos = end + 1;
      break;
    }
    // A CR ends the line when an LF follows; otherwise it stays, together
    // with the byte after it.
    if (end + 1 == data.size()) {
      line += '\r';
      pos = end + 1;
      break;
    }
    if (data[end + 1] == '\n') {
      pos = end + 2;
      break;
    }
    line += '\r';
    line += data[end + 1];
    pos = end + 2;
  }
  if (pos > stream.Position()) stream.Seek(pos);
}

void StreamWriteText(TTextStream& stream, std::string_view text) { stream.Write(text); }

void StreamWriteLine(TTextStream& stream, std::string_view text) {
  stream.Write(text);
  stream.Write("\r\n");
}

void DebugTrace(std::string_view text) {
  if (!RunState().DebugTraceOn) return;
  SysAppendLine(RunState().DebugTraceFile, text);
}
