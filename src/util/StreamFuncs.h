// Line-oriented reading and writing.
//
// TTextStream is the growable in-memory byte buffer with a position that the
// run log, the lexers' input and the parsers' output and error buffers use.
// The line routines keep no state between calls, so a reader can switch
// between streams at any line. Lines written here end in CR LF; readers
// accept CR LF and a lone LF.
//
// A stream can also read a long input a block at a time (a command file):
// it then holds whole lines only (the bytes after the last line feed of a
// block wait for the next one), and when the line reader has read all it
// holds, it drops them and reads on. Such a stream is only read line by line.
//
// The line-file routines give the editor plain command files on system file
// handles, and DebugTrace appends to the debug trace file while it is on.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

class TTextStream {
 public:
  /// Puts up to `size` bytes of the input at `buffer` and returns how many;
  /// 0 at the end of the input. May raise (a read error).
  using TBlockReader = std::function<size_t(char* buffer, size_t size)>;

  TTextStream() = default;
  explicit TTextStream(std::string bytes) : data_(std::move(bytes)) {}
  /// A stream that reads its input with `reader`, `blockSize` bytes at a
  /// time; the first lines are read at once. `sizeHint` is the size of the
  /// whole input, as far as it is known.
  TTextStream(TBlockReader reader, size_t blockSize, uint64_t sizeHint);

  /// Drops the bytes read so far and reads the next lines; false at the end
  /// of the input, and always for a stream held in memory.
  bool ReadMore();
  /// Whether ReadMore may still give more lines.
  bool MoreToRead() const { return static_cast<bool>(reader_); }
  /// The size of the whole input: the size held for a stream in memory.
  uint64_t SizeHint() const { return reader_ ? sizeHint_ : data_.size(); }

  const std::string& Text() const { return data_; }
  size_t Size() const { return data_.size(); }
  size_t Position() const { return pos_; }
  void Seek(size_t pos) { pos_ = pos; }
  bool Empty() const { return data_.empty(); }
  void Clear() {
    data_.clear();
    pos_ = 0;
  }

  /// Reads one byte; false at the end.
  bool ReadByte(char& c) {
    if (pos_ >= data_.size()) return false;
    c = data_[pos_++];
    return true;
  }
  /// Writes at the position (overwriting, then appending), as a file would.
  void Write(std::string_view bytes);

 private:
  std::string data_;
  size_t pos_ = 0;
  TBlockReader reader_;  // empty when the input is all in data_
  size_t blockSize_ = 0;
  uint64_t sizeHint_ = 0;
  std::string partLine_;  // read, after the last line feed so far
};

/// True when all the input has been read (a stream that reads blocks reads
/// the next one to tell).
bool StreamAtEnd(TTextStream& stream);
/// The next line without its line end; a lone CR inside a line is kept.
std::string StreamReadLine(TTextStream& stream);
/// The same into `line`, reusing its storage (the lexers read every line so).
void StreamReadLine(TTextStream& stream, std::string& line);
/// The same appended to `text`.
void StreamAppendLine(TTextStream& stream, std::string& text);
void StreamWriteText(TTextStream& stream, std::string_view text);
void StreamWriteLine(TTextStream& stream, std::string_view text);

/// Open modes of the system's files (the system's OF_ flag values).
constexpr int kOfRead = 0x00;
constexpr int kOfWrite = 0x01;
constexpr int kOfReadWrite = 0x02;
constexpr int kOfAccessMask = 0x03;
constexpr int kOfShareDenyNone = 0x40;

/// Appends one line to the debug trace file while the debug trace is on.
void DebugTrace(std::string_view text);
