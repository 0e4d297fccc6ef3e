#include <gtest/gtest.h>

#include "util/TextEncoding.h"

namespace {

// One text of each script the program must carry, in UTF-8.
struct TSample {
  const char* name;
  std::string utf8;
  std::u32string codes;
};

const TSample kSamples[] = {
    {"ascii", "Notepad", U"Notepad"},
    {"cp1252",
     "Gr\xC3\xBC\xC3\x9F"
     "e \xE2\x82\xAC",
     U"Grüße €"},
    {"greek", "\xCE\x95\xCE\xBB\xCE\xBB\xCE\xB7\xCE\xBD\xCE\xB9\xCE\xBA\xCE\xAC", U"Ελληνικά"},
    {"cyrillic", "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82", U"Привет"},
    {"cjk", "\xE6\x97\xA5\xE6\x9C\xAC", U"日本"},
    {"astral", "\xF0\x9F\x98\x80", U"\U0001F600"},
};

TEST(TextEncoding, EveryScriptSurvivesUtf8AndUtf16BothWays) {
  for (const TSample& sample : kSamples) {
    SCOPED_TRACE(sample.name);
    EXPECT_TRUE(IsValidUtf8(sample.utf8));
    EXPECT_EQ(DecodeUtf8(sample.utf8), sample.codes);
    EXPECT_EQ(Utf8Length(sample.utf8), sample.codes.size());
    std::string again;
    for (char32_t c : sample.codes) AppendUtf8(again, c);
    EXPECT_EQ(again, sample.utf8);
    for (TFileEncoding order : {TFileEncoding::Utf16Le, TFileEncoding::Utf16Be})
      EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16(sample.utf8, order), order), sample.utf8);
  }
}

TEST(TextEncoding, MalformedSequencesAreInvalidAndReplacedByteByByte) {
  const char* malformed[] = {"\x80",
                             "\xC3",
                             "\xC0\xAF",
                             "\xE0\x80\xAF",
                             "\xED\xA0\x80",
                             "\xF4\x90\x80\x80",
                             "Gr\xFC\xDF"
                             "e"};
  for (const char* text : malformed) {
    SCOPED_TRACE(text);
    EXPECT_FALSE(IsValidUtf8(text));
    EXPECT_NE(DecodeUtf8(text).find(kReplacementCharacter), std::u32string::npos);
  }
  EXPECT_EQ(DecodeUtf8("a\xC3z"), U"a\uFFFDz");
}

TEST(TextEncoding, LegacyBytesAndMarks) {
  EXPECT_EQ(Cp1252ToUtf8("Gr\xFC\xDF"
                         "e \x80\x81"),
            "Gr\xC3\xBC\xC3\x9F"
            "e \xE2\x82\xAC\xC2\x81");
  EXPECT_EQ(EncodingByMark("\xEF\xBB\xBF/pause"), TFileEncoding::Utf8Bom);
  EXPECT_EQ(EncodingByMark("\xFF\xFE/"), TFileEncoding::Utf16Le);
  EXPECT_EQ(EncodingByMark("\xFE\xFF"), TFileEncoding::Utf16Be);
  EXPECT_EQ(EncodingByMark("\xEF\xBB"), TFileEncoding::Legacy);
  EXPECT_EQ(Utf16ToUtf8(std::string("a\0\x3D\xD8", 4), TFileEncoding::Utf16Le), "a\xEF\xBF\xBD");
}

}  // namespace
