#include <gtest/gtest.h>

#include "sys/Winfuncs.h"

namespace {

struct Case {
  const char* name;
  const char* pattern;
  bool matches;
};

const Case kCases[] = {
    {"anything", "*", true},
    {"", "*", true},
    {"abc", "abc", true},
    {"abcd", "abc", false},
    {"ABC", "abc", false},
    {"abcdef", "abc*", true},
    {"abc", "abc*", true},
    {"xabc", "abc*", false},
    {"xxabcxx", "*abc*", true},
    {"abc", "*abc*", true},
    {"xxabxx", "*abc*", false},
    {"xabc", "*abc", true},
    {"abc", "*abc", true},
    {"abcabc", "*abc", false},
    {"abcx", "*abc", false},
    {"a*c", "a*c", true},
    {"abc", "a*c", false},
    {"xacx", "*a*c", true},
    {"xabcx", "*a*c", false},
    {"anything", "**", false},
    {"", "**", false},
    {"anything", "", true},
    {"", "", true},
    {"", "abc", false},
    {"", "*abc", false},
    {"Tarv Привет", "*Привет", true},  // UTF-8 text, byte by byte
    {"Привет", "Пр*", true},
    {"При", "Пре*", false},
};

}  // namespace

TEST(MatchWildcard, FollowsTheStarRulesForEveryPatternShape) {
  for (const Case& c : kCases)
    EXPECT_EQ(MatchWildcard(c.name, c.pattern), c.matches)
        << '"' << c.name << "\" against \"" << c.pattern << '"';
}

TEST(MatchWildcard, FindsAnEditorWindowTitleTheWayScriptsWriteIt) {
  const char* title = "Report - Editor";
  EXPECT_TRUE(MatchWildcard(title, "Report*"));
  EXPECT_TRUE(MatchWildcard(title, "*Editor*"));
  EXPECT_TRUE(MatchWildcard(title, "*Editor"));
  EXPECT_TRUE(MatchWildcard(title, "*"));
  EXPECT_FALSE(MatchWildcard(title, "report*"));
  EXPECT_FALSE(MatchWildcard(title, "Editor"));
}

TEST(MatchWildcard, ComparesBytesSoAccentedLettersMatchOnlyThemselves) {
  EXPECT_TRUE(MatchWildcard("caf\xE9", "*\xE9"));
  EXPECT_FALSE(MatchWildcard("caf\xC9", "*\xE9"));
}
