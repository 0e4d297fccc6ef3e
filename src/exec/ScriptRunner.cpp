// Each parse has its own parser with a fresh lexer and buffers; a text or
// file is parsed completely before any of its commands runs.

#include "exec/ScriptRunner.h"

#include <algorithm>
#include <exception>
#include <vector>

#include "exec/TarvExec.h"
#include "lang/TarvYacc.h"
#include "util/MessageBoxes.h"
#include "util/StringFuncs.h"
#include "util/SysFiles.h"
#include "util/TarvCommon.h"
#include "util/TextFiles.h"

namespace {

// Command files may run each other to this depth; a file that runs itself
// ends here with a clear message instead of exhausting the stack.
constexpr int kMaxFileNesting = 100;
int fileNesting = 0;

struct NestingGuard {
  NestingGuard() { ++fileNesting; }
  ~NestingGuard() { --fileNesting; }
};

// Every block and every command file runs its list one call deeper on the
// main thread's stack. One file's parse allows about 680 nested blocks, and
// files may nest 100 deep, so together they could nest far beyond what the
// stack holds: the run stops at this depth with a message instead.
constexpr int kMaxListNesting = 1000;
int listNesting = 0;

struct ListNestingGuard {
  ListNestingGuard() { ++listNesting; }
  ~ListNestingGuard() { --listNesting; }
};

[[noreturn]] void RaiseOpenError(const std::string& path) {
  RaiseScriptError("Error occurred while opening " + path + ":\r\n" + WinErrorText(LastSystemError()));
}

// Reads a command file a block at a time for the parser, so that a large
// file is never held whole, and turns its bytes into the program's text
// (TextFiles.h: UTF-8 or UTF-16 by its mark, UTF-8 when valid, else the
// legacy code page). A NUL character would end the lexer's input there and
// drop the rest of the file without a word (a UTF-16 file without its mark,
// a binary file): the file is refused, naming where the first one is. That
// and a read error end the parse at once, before anything of the file runs.
class TCommandFileReader {
 public:
  static constexpr size_t kBlockSize = 64 * 1024;
  // No line of a script comes near this; a file with a longer one (a binary
  // file, a generated one gone wrong) is refused before it is held whole.
  static constexpr size_t kMostLineBytes = 1024 * 1024;

  explicit TCommandFileReader(const std::string& path)
      : path_(path), handle_(SysOpenFile(path, kOfShareDenyNone)), decoder_(ReadFirstBlock(), path) {
    if (decoder_.PassesThrough())
      text_.assign(first_, MarkLength(encoding_));
    else
      decoder_.Decode(std::string_view(first_).substr(MarkLength(encoding_)), text_);
    first_.clear();
  }
  ~TCommandFileReader() { SysCloseFile(handle_); }
  TCommandFileReader(const TCommandFileReader&) = delete;
  TCommandFileReader& operator=(const TCommandFileReader&) = delete;

  uint64_t Size() const { return SysFileSize(handle_); }

  size_t Read(char* buffer, size_t size) {
    size = std::min(size, kBlockSize);
    const size_t count = text_.size() > taken_ || !decoder_.PassesThrough() ? TakeDecoded(buffer, size)
                                                                            : ReadBlock(buffer, size);
    const std::string_view block(buffer, count);
    RejectNulCharacter(block);
    CountLines(block);
    RejectLongLine();
    return block.size();
  }

 private:
  // Reads the first block and chooses the encoding: a file larger than the
  // block is read through once more to see whether all of it is UTF-8.
  TFileEncoding ReadFirstBlock() {
    if (handle_ < 0) RaiseOpenError(path_);
    first_.resize(kBlockSize);
    first_.resize(ReadBlock(first_.data(), kBlockSize));
    const bool whole = first_.size() < kBlockSize;
    const bool valid = IsValidUtf8(first_) || !whole;  // a full block may end in a cut character
    encoding_ = ChooseEncoding(first_, valid && (whole || IsValidUtf8File(path_)));
    return encoding_;
  }

  size_t ReadBlock(char* buffer, size_t size) {
    const int count = SysReadFile(handle_, buffer, static_cast<int>(size));
    if (count < 0) RaiseOpenError(path_);
    return static_cast<size_t>(count);
  }

  // Hands out the converted text, converting the next block when it is used up.
  size_t TakeDecoded(char* buffer, size_t size) {
    while (taken_ == text_.size() && !finished_) {
      text_.clear();
      taken_ = 0;
      std::string raw(kBlockSize, '\0');
      raw.resize(ReadBlock(raw.data(), kBlockSize));
      if (raw.empty()) {
        decoder_.Finish(text_);
        finished_ = true;
      } else {
        decoder_.Decode(raw, text_);
      }
    }
    const size_t count = std::min(size, text_.size() - taken_);
    std::copy_n(text_.data() + taken_, count, buffer);
    taken_ += count;
    return count;
  }

  void RejectNulCharacter(std::string_view block) const {
    const size_t nul = block.find('\0');
    if (nul == std::string_view::npos) return;
    const std::string_view before = block.substr(0, nul);
    const size_t lineFeed = before.rfind('\n');
    const size_t line = lineFeeds_ + 1 + static_cast<size_t>(std::count(before.begin(), before.end(), '\n'));
    const size_t column = lineFeed == std::string_view::npos ? bytesInLine_ + nul + 1 : nul - lineFeed;
    RaiseScriptError("Command file \"" + path_ + "\" holds a NUL character at line " + std::to_string(line) +
                     ", column " + std::to_string(column) + ": it is not a plain text file");
  }

  void RejectLongLine() const {
    if (bytesInLine_ <= kMostLineBytes) return;
    RaiseScriptError("Command file \"" + path_ + "\" has a line longer than " +
                     std::to_string(kMostLineBytes) + " bytes at line " + std::to_string(lineFeeds_ + 1) +
                     ": it is not a script");
  }

  void CountLines(std::string_view block) {
    // A plain loop over the bytes, which the compiler turns into vector code.
    size_t lineFeeds = 0;
    for (const char c : block) lineFeeds += c == '\n';
    lineFeeds_ += lineFeeds;
    const size_t lineFeed = block.rfind('\n');
    bytesInLine_ =
        lineFeed == std::string_view::npos ? bytesInLine_ + block.size() : block.size() - lineFeed - 1;
  }

  std::string path_;
  intptr_t handle_;
  std::string first_;  // the first block, until the encoding is chosen
  TFileEncoding encoding_ = TFileEncoding::Legacy;
  TTextDecoder decoder_;
  std::string text_;  // converted text not yet handed out
  size_t taken_ = 0;
  bool finished_ = false;
  size_t lineFeeds_ = 0;    // line feeds before the next block
  size_t bytesInLine_ = 0;  // bytes of the last line before the next block
};

TCmdList ParseText(TTextStream& input, const std::string& sourceName) {
  TTarvYacc parser;
  return parser.Parse(input, sourceName);
}

}  // namespace

void RunCommandText(const std::string& text) {
  TTextStream input(text + "\r\n");
  RunCommandList(ParseText(input, "ARGS"));
}

void RunCommandFile(const std::string& path) {
  TCommandFileReader reader(path);
  // The first lines are read (and checked) here, before the nesting check.
  TTextStream input([&reader](char* buffer, size_t size) { return reader.Read(buffer, size); },
                    TCommandFileReader::kBlockSize, reader.Size());
  if (fileNesting >= kMaxFileNesting)
    RaiseScriptError("Command files nested more than " + std::to_string(kMaxFileNesting) + " deep: " + path);
  NestingGuard nested;
  IUserInterface& ui = UserInterface();
  std::string savedTitle = ui.AppTitle();
  ui.SetAppTitle(FileNameOnly(path) + " - " + LastWord(savedTitle));
  RunCommandList(ParseText(input, path));
  ui.SetAppTitle(savedTitle);
}

void RunCommandList(const TCmdList& list) {
  if (listNesting >= kMaxListNesting)
    RaiseScriptError("Blocks and command files nested more than " + std::to_string(kMaxListNesting) +
                     " deep");
  ListNestingGuard nested;
  // The count is taken once; /set exec inside the list affects what follows.
  const size_t count = list.size();
  for (size_t i = 0; i < count; ++i) RunCommand(*list[i], RunState().ExecEnabled);
}
