#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sys/Winfuncs.h"
#include "test_support/FakeSystem.h"

namespace {

// Desktop
//   editor "Report - Editor" (pid 7)
//     text "Report text" (pid 7)
//     ruler "" (pid 7)
//   other "Other" (pid 8)
//     dialog "Report - Editor" (pid 8), class "#32770"
class WindowWalk : public ::testing::Test {
 protected:
  void SetUp() override {
    editor = sys.windows.Add(sys.windows.Desktop(), "Report - Editor", "EditorFrame", 7);
    text = sys.windows.Add(editor, "Report text", "Edit", 7);
    ruler = sys.windows.Add(editor, "", "Ruler", 7);
    other = sys.windows.Add(sys.windows.Desktop(), "Other", "OtherFrame", 8);
    dialog = sys.windows.Add(other, "Report - Editor", "#32770", 8);
  }
  FakeSystem sys;
  TWindowHandle editor = 0, text = 0, ruler = 0, other = 0, dialog = 0;
};

}  // namespace

TEST_F(WindowWalk, VisitsEachWindowAfterAllOfItsDescendants) {
  EXPECT_EQ(EnumMatchingWindows(0, 0, "*", "*"), 4);
  EXPECT_EQ(sys.windows.titlesRead, (std::vector<TWindowHandle>{text, ruler, editor, dialog, other}));
  EXPECT_EQ(FoundWindows(), (std::vector<TWindowHandle>{text, editor, dialog, other}));
  EXPECT_EQ(FoundWindowTitles(),
            (std::vector<std::string>{"Report text", "Report - Editor", "Report - Editor", "Other"}));
  EXPECT_EQ(FoundWindowCount(), 4u);
}

TEST_F(WindowWalk, ServesMessagesBetweenWindows) {
  EnumMatchingWindows(0, 0, "*", "*");
  EXPECT_EQ(sys.pumps, 5);
}

TEST_F(WindowWalk, WindowsWithAnEmptyTitleNeverMatch) {
  EXPECT_EQ(EnumMatchingWindows(0, 0, "", "*"), 4);
  EXPECT_EQ(EnumMatchingWindows(0, 0, "*", "Ruler"), 0);
}

TEST_F(WindowWalk, FindsTheFirstMatchInWalkOrderChildControlsFirst) {
  EXPECT_EQ(FindWindowByTitle("Report*"), text);
  EXPECT_EQ(FindWindowByTitle("*Editor"), editor);
  EXPECT_EQ(FoundWindowCount(), 2u);
  EXPECT_EQ(FindWindowByTitleClass("*Editor", "#32770"), dialog);
}

TEST_F(WindowWalk, ASearchThatMatchesNothingFindsNoWindowAndEmptiesTheTables) {
  FindWindowByTitle("*");
  EXPECT_EQ(FindWindowByTitle("report*"), kNoWindow);
  EXPECT_EQ(FoundWindowCount(), 0u);
  EXPECT_TRUE(FoundWindowTitles().empty());
}

TEST_F(WindowWalk, OnlyWindowsOfTheGivenProcessAreConsideredButAllAreWalked) {
  EXPECT_EQ(EnumMatchingWindows(0, 8, "*", "*"), 2);
  EXPECT_EQ(FoundWindows(), (std::vector<TWindowHandle>{dialog, other}));
  EXPECT_EQ(sys.pumps, 5);
  EXPECT_EQ(EnumMatchingWindows(0, 99, "*", "*"), -1);
}

TEST_F(WindowWalk, StartsBelowAGivenParent) {
  EXPECT_EQ(EnumMatchingWindows(editor, 0, "*", "*"), 1);
  EXPECT_EQ(FoundWindows(), (std::vector<TWindowHandle>{text}));
}

TEST(WindowSearch, ReportsMinusOneWhenThereIsNoWindowToConsider) {
  FakeSystem sys;
  EXPECT_EQ(EnumMatchingWindows(0, 0, "*", "*"), -1);
  EXPECT_EQ(FindWindowByTitle("*"), kNoWindow);
}

TEST(WindowSearch, KeepsEveryMatchBeyondFiveHundredAndOne) {
  FakeSystem sys;
  for (int i = 0; i < 600; ++i) sys.windows.Add(sys.windows.Desktop(), "Window " + std::to_string(i));
  EXPECT_EQ(EnumMatchingWindows(0, 0, "Window*", "*"), 600);
  EXPECT_EQ(FoundWindowCount(), 600u);
  EXPECT_EQ(FoundWindowTitles().back(), "Window 599");
}

TEST_F(WindowWalk, WindowActionsReachTheWindowAndServeMessages) {
  ActivateWindow(editor);
  SendCloseToWindow(dialog);
  SendQuitToWindow(other);
  EXPECT_EQ(sys.windows.foreground, (std::vector<TWindowHandle>{editor}));
  EXPECT_EQ(sys.windows.closed, (std::vector<TWindowHandle>{dialog}));
  EXPECT_EQ(sys.windows.quit, (std::vector<TWindowHandle>{other}));
  EXPECT_EQ(sys.pumps, 3);
}

// Windows close while the walk is at them: tooltips, popups, other programs
// ending. A closed window has no next sibling, which must not end the level.
namespace {

// Desktop: "Alpha", "Beta", "Gamma", "Delta", in that z-order.
class ClosingWindows : public ::testing::Test {
 protected:
  void SetUp() override {
    alpha = sys.windows.Add(sys.windows.Desktop(), "Alpha");
    beta = sys.windows.Add(sys.windows.Desktop(), "Beta");
    gamma = sys.windows.Add(sys.windows.Desktop(), "Gamma");
    delta = sys.windows.Add(sys.windows.Desktop(), "Delta");
  }
  // The window closes as soon as the walk has read its title.
  void CloseWhenConsidered(TWindowHandle closing) {
    sys.windows.onTitleRead = [this, closing](TWindowHandle window) {
      if (window == closing) sys.windows.Remove(window);
    };
  }
  FakeSystem sys;
  TWindowHandle alpha = 0, beta = 0, gamma = 0, delta = 0;
};

}  // namespace

TEST_F(ClosingWindows, AWindowAfterASiblingThatClosedDuringTheWalkIsStillFound) {
  CloseWhenConsidered(beta);
  EXPECT_EQ(FindWindowByTitle("Delta"), delta);
  EXPECT_EQ(sys.windows.removed, (std::vector<TWindowHandle>{beta}));
}

TEST_F(ClosingWindows, NoWindowIsConsideredTwiceWhenTheWalkPicksUpAgain) {
  CloseWhenConsidered(gamma);
  EXPECT_EQ(EnumMatchingWindows(0, 0, "*", "*"), 4);
  EXPECT_EQ(sys.windows.titlesRead, (std::vector<TWindowHandle>{alpha, beta, gamma, delta}));
  EXPECT_EQ(FoundWindows(), (std::vector<TWindowHandle>{alpha, beta, gamma, delta}));
  EXPECT_EQ(sys.pumps, 4);
}

TEST_F(ClosingWindows, AWindowThatIsClosingAndHasLeftTheZOrderDoesNotEndTheWalk) {
  sys.windows.onTitleRead = [this](TWindowHandle window) {
    if (window == beta) sys.windows.Unlink(beta);
  };
  EXPECT_EQ(FindWindowByTitle("Delta"), delta);
  EXPECT_EQ(sys.windows.titlesRead, (std::vector<TWindowHandle>{alpha, beta, gamma, delta}));
}

TEST_F(ClosingWindows, TheLastWindowClosingEndsTheWalkAsUsual) {
  CloseWhenConsidered(delta);
  EXPECT_EQ(EnumMatchingWindows(0, 0, "*", "*"), 4);
  EXPECT_EQ(sys.windows.titlesRead, (std::vector<TWindowHandle>{alpha, beta, gamma, delta}));
}

TEST_F(ClosingWindows, AWindowOpenedOnTopDuringTheWalkIsFoundAfterTheOthers) {
  TWindowHandle opened = 0;
  sys.windows.onTitleRead = [&](TWindowHandle window) {
    if (window != beta) return;
    sys.windows.Remove(beta);
    opened = sys.windows.AddOnTop(sys.windows.Desktop(), "Opened");
  };
  EXPECT_EQ(EnumMatchingWindows(0, 0, "*", "*"), 5);
  EXPECT_EQ(FoundWindows(), (std::vector<TWindowHandle>{alpha, beta, opened, gamma, delta}));
}

TEST_F(WindowWalk, AChildThatClosesLeavesItsLaterSiblingsToBeWalked) {
  sys.windows.onTitleRead = [this](TWindowHandle window) {
    if (window == text) sys.windows.Remove(text);
  };
  EXPECT_EQ(EnumMatchingWindows(0, 0, "*", "*"), 4);
  EXPECT_EQ(sys.windows.titlesRead, (std::vector<TWindowHandle>{text, ruler, editor, dialog, other}));
}

TEST_F(WindowWalk, AWindowThatClosesBeforeItIsConsideredIsNotMatched) {
  // The editor closes, its children with it, while its first child is read.
  sys.windows.onTitleRead = [this](TWindowHandle window) {
    if (window == text) sys.windows.Remove(editor);
  };
  EXPECT_EQ(EnumMatchingWindows(0, 0, "*", "*"), 3);
  EXPECT_EQ(sys.windows.titlesRead, (std::vector<TWindowHandle>{text, editor, dialog, other}));
  EXPECT_EQ(FoundWindows(), (std::vector<TWindowHandle>{text, dialog, other}));
  EXPECT_EQ(FindWindowByTitle("*Editor"), dialog);
}

TEST(WindowSearch, AWalkEndsWhileWindowsKeepClosingAndOpening) {
  FakeSystem sys;
  sys.windows.Add(sys.windows.Desktop(), "Churn 0");
  sys.windows.Add(sys.windows.Desktop(), "Stable");
  // Each window the walk reads closes and a new one opens on top of all,
  // up to a limit that only a walk without an end of its own reaches.
  constexpr size_t kChurnLimit = 100000;
  sys.windows.onTitleRead = [&sys](TWindowHandle window) {
    if (sys.windows.removed.size() >= kChurnLimit) return;
    sys.windows.Remove(window);
    sys.windows.AddOnTop(sys.windows.Desktop(), "Churn " + std::to_string(sys.windows.removed.size()));
  };
  EnumMatchingWindows(0, 0, "Stable", "*");
  EXPECT_LT(sys.windows.removed.size(), 1000u);
  EXPECT_EQ(sys.windows.titlesRead.size(), sys.windows.removed.size());
}
