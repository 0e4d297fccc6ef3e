#include "util/StreamFuncs.h"

#include "run/TarvCommon.h"
#include "util/MessageBoxes.h"
#include "util/StringFuncs.h"
#include "util/SysFiles.h"

void TTextStream::Write(std::string_view bytes) {
  if (pos_ > data_.size()) data_.resize(pos_);
  size_t overlap = std::min(bytes.size(), data_.size() - pos_);
  data_.replace(pos_, overlap, bytes.substr(0, overlap));
  data_.append(bytes.substr(overlap));
  pos_ += bytes.size();
}

bool StreamAtEnd(const TTextStream& stream) { return stream.Position() >= stream.Size(); }

std::string StreamReadLine(TTextStream& stream) {
  std::string line;
  char c;
  while (stream.ReadByte(c)) {
    if (c == '\n') break;
    if (c == '\r') {
      char next;
      if (!stream.ReadByte(next)) {
        line += '\r';
        break;
      }
      if (next == '\n') break;
      line += '\r';
      line += next;
      continue;
    }
    line += c;
  }
  return line;
}

void StreamWriteText(TTextStream& stream, std::string_view text) { stream.Write(text); }

void StreamWriteLine(TTextStream& stream, std::string_view text) {
  stream.Write(text);
  stream.Write("\r\n");
}

intptr_t OpenLineFile(std::string_view name, int mode) {
  std::string path(name);
  if (!path.empty() && path.front() == '"') path = path.size() >= 2 ? path.substr(1, path.size() - 2) : "";
  if ((mode & kOfWrite) && !SysCreateEmptyFile(path)) return -1;
  return SysOpenFile(path, mode);
}

void CloseLineFile(intptr_t handle) { SysCloseFile(handle); }

LineRead ReadLine(intptr_t handle) {
  LineRead result;
  std::string raw;
  char c;
  while (SysReadFile(handle, &c, 1) == 1) {
    raw += c;
    ++result.count;
    if (c == '\n') break;
  }
  result.line = TrimBlanks(raw);
  return result;
}

int WriteLine(intptr_t handle, std::string_view text) {
  std::string buffer(text);
  buffer += "\r\n";
  int written = SysWriteFile(handle, buffer.data(), static_cast<int>(buffer.size()));
  if (written < 0)
    ShowError("Could not write to file\r\n" + WinErrorText(LastSystemError()));
  return written;
}

void DebugTrace(std::string_view text) {
  if (!RunState().DebugTraceOn) return;
  SysAppendLine(RunState().DebugTraceFile, text);
}
