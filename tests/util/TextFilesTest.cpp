#include <gtest/gtest.h>

#include "test_support/TempDir.h"
#include "util/TextFiles.h"

namespace {

// Two lines with letters of several scripts, as the program's text (UTF-8).
const std::string kText =
    "/pause Gr\xC3\xBC\xC3\x9F"
    "e \xE2\x82\xAC\r\n/pause \xCE\xA9 \xD0\x96 \xE6\x97\xA5 \xF0\x9F\x98\x80\r\nend";

// Decodes the bytes fed in blocks of `blockSize`.
std::string DecodeInBlocks(TFileEncoding encoding, std::string_view bytes, size_t blockSize) {
  TTextDecoder decoder(encoding, "x.qd");
  std::string text;
  for (size_t at = 0; at < bytes.size(); at += blockSize) decoder.Decode(bytes.substr(at, blockSize), text);
  decoder.Finish(text);
  return text;
}

TEST(TextFiles, EveryEncodingReadsBackTheSameTextWhereverBlocksAreCut) {
  for (TFileEncoding encoding :
       {TFileEncoding::Utf8, TFileEncoding::Utf8Bom, TFileEncoding::Utf16Le, TFileEncoding::Utf16Be}) {
    TFileEncoding written = encoding;
    const std::string file = EncodeText(kText, written);
    ASSERT_EQ(written, encoding);
    const bool validUtf8 = encoding == TFileEncoding::Utf8 || encoding == TFileEncoding::Utf8Bom;
    ASSERT_EQ(ChooseEncoding(file, validUtf8), encoding);
    const std::string body = file.substr(MarkLength(encoding));
    for (size_t block : {1, 2, 3, 7, 64})
      EXPECT_EQ(DecodeInBlocks(encoding, body, block), kText)
          << static_cast<int>(encoding) << " in " << block;
  }
}

TEST(TextFiles, LegacyFilesReadAsCodePage1252AndStayLegacyWhileTheyCan) {
  const std::string legacy =
      "/pause Gr\xFC\xDF"
      "e \x80\n";
  ASSERT_EQ(ChooseEncoding(legacy, IsValidUtf8(legacy)), TFileEncoding::Legacy);
  const std::string text = DecodeInBlocks(TFileEncoding::Legacy, legacy, 5);
  EXPECT_EQ(text,
            "/pause Gr\xC3\xBC\xC3\x9F"
            "e \xE2\x82\xAC\n");
  TFileEncoding encoding = TFileEncoding::Legacy;
  EXPECT_EQ(EncodeText(text, encoding), legacy);
  EXPECT_EQ(encoding, TFileEncoding::Legacy);
  // A character the page lacks: the file becomes UTF-8 rather than lose it.
  EXPECT_EQ(EncodeText(kText, encoding), kText);
  EXPECT_EQ(encoding, TFileEncoding::Utf8);
}

TEST(TextFiles, ValidityOfAWholeFileIsToldAcrossBlocks) {
  TempDir dir;
  std::string content(64 * 1024 - 1, 'a');
  content += "\xC3\xBC";  // cut by the first block
  EXPECT_TRUE(IsValidUtf8File(dir.Write("big.qd", content)));
  EXPECT_FALSE(IsValidUtf8File(dir.Write("big.qd", content + "\xFC")));
  EXPECT_FALSE(IsValidUtf8File(dir.Path("missing.qd")));
}

}  // namespace
