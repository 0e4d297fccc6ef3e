#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "test_support/RecordingUI.h"
#include "test_support/TempDir.h"
#include "util/StreamFuncs.h"
#include "util/SysFiles.h"
#include "util/TarvCommon.h"

using namespace std::string_literals;

TEST(StreamReadLine, AcceptsCrLfAndLoneLf) {
  TTextStream s("a\r\nb\nc");
  EXPECT_EQ(StreamReadLine(s), "a");
  EXPECT_EQ(StreamReadLine(s), "b");
  EXPECT_FALSE(StreamAtEnd(s));
  EXPECT_EQ(StreamReadLine(s), "c");
  EXPECT_TRUE(StreamAtEnd(s));
  EXPECT_EQ(StreamReadLine(s), "");
}

TEST(StreamReadLine, KeepsALoneCrInsideALine) {
  TTextStream s("a\rb\n");
  EXPECT_EQ(StreamReadLine(s), "a\rb");
  EXPECT_TRUE(StreamAtEnd(s));
  TTextStream end("a\r");
  EXPECT_EQ(StreamReadLine(end), "a\r");
  EXPECT_TRUE(StreamAtEnd(end));
  TTextStream twice("a\r\rb");
  EXPECT_EQ(StreamReadLine(twice), "a\r\rb");
}

TEST(StreamWriteLine, EndsLinesWithCrLf) {
  TTextStream s;
  StreamWriteLine(s, "one");
  StreamWriteText(s, "");
  StreamWriteText(s, std::string(3000, 'x'));
  StreamWriteLine(s, "");
  EXPECT_EQ(s.Text(), "one\r\n" + std::string(3000, 'x') + "\r\n");
}

TEST(DebugTrace, AppendsOnlyWhileOn) {
  TempDir dir;
  ResetRunState();
  RunState().DebugTraceFile = dir.Path("trace.log");
  DebugTrace("not written");
  RunState().DebugTraceOn = true;
  DebugTrace("one");
  DebugTrace("two");
  EXPECT_EQ(dir.Read("trace.log"), "one\r\ntwo\r\n");
  ResetRunState();
}

TEST(DebugTrace, UnwritableFileRaisesAnInputOutputError) {
  ResetRunState();
  RunState().DebugTraceOn = true;
  RunState().DebugTraceFile = "/nonexistent-dir/trace.log";
  EXPECT_THROW(DebugTrace("x"), std::runtime_error);
  ResetRunState();
}

TEST(WinErrorText, NamesTheCodeAndTheSystemText) {
  std::string text = WinErrorText(2);
  EXPECT_EQ(text.rfind("ERROR 2: ", 0), 0u);
  EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
  EXPECT_EQ(WinErrorText(999999), "ERROR 999999");
}

TEST(StreamReadLine, AStreamReadInBlocksGivesTheSameLines) {
  // Line ends, lone CRs and long lines fall on every block boundary.
  const std::string text = "a\r\nbb\rc\n\r\n" + std::string(20, 'x') + "\ny\r\rz\r\nlast";
  for (size_t blockSize = 1; blockSize <= text.size(); ++blockSize) {
    size_t at = 0;
    TTextStream blocks(
        [&](char* buffer, size_t size) {
          size_t count = std::min(size, text.size() - at);
          text.copy(buffer, count, at);
          at += count;
          return count;
        },
        blockSize, text.size());
    TTextStream whole(text);
    while (!StreamAtEnd(whole)) {
      ASSERT_FALSE(StreamAtEnd(blocks)) << "block size " << blockSize;
      EXPECT_EQ(StreamReadLine(blocks), StreamReadLine(whole)) << "block size " << blockSize;
      EXPECT_LE(blocks.Size(), text.size() / 2 + 2 * blockSize) << "it holds about a line and a block";
    }
    EXPECT_TRUE(StreamAtEnd(blocks));
  }
}
