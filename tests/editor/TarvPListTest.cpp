#include <gtest/gtest.h>

#include "editor/TarvPList.h"
#include "exec/ScriptRunner.h"
#include "test_support/FakeSystem.h"
#include "test_support/RecordingUI.h"
#include "util/TarvCommon.h"

namespace {

class ProcessListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    sys.processes.Add(4, "C:\\WINDOWS\\system32\\notepad.exe");
    sys.processes.Add(5, "C:\\Tools\\Calc.exe");
    sys.processes.Add(6, "");
    sys.processes.Add(7, "D:\\apps\\NotesMaker.exe");
    sys.processes.Add(8, "C:\\WINDOWS\\system32\\notepad.exe");
    sys.windows.Add(sys.windows.Desktop(), "readme - Notepad", "Notepad", 4);
    sys.windows.Add(sys.windows.Desktop(), "notes.txt - Wordpad", "Wordpad", 5);
    sys.windows.Add(sys.windows.Desktop(), "Calculator", "Calc", 5);
    TWindowHandle own =
        sys.windows.Add(sys.windows.Desktop(), "List of windows", "#32770", sys.processes.currentPid);
    sys.windows.Add(own, "&Refresh", "Button", sys.processes.currentPid);
  }

  FakeSystem sys;
  TPListModel list;
};

TEST_F(ProcessListTest, ProcessesAreListedByUpperCaseFileNameInOrder) {
  list.ResetAndRefresh();
  EXPECT_EQ(list.Caption, "List of running processes");
  EXPECT_EQ(list.Entries,
            (std::vector<std::string>{"NOTEPAD.EXE", "CALC.EXE", "NOTESMAKER.EXE", "NOTEPAD.EXE"}));
}

TEST_F(ProcessListTest, FindOfProcessesIgnoresLetterCase) {
  list.Find("note");
  EXPECT_EQ(list.Entries, (std::vector<std::string>{"NOTEPAD.EXE", "NOTESMAKER.EXE", "NOTEPAD.EXE"}));
}

TEST_F(ProcessListTest, FindOfWindowsMatchesTheExactLetterCase) {
  list.WindowMode = true;
  list.Find("note");
  EXPECT_EQ(list.Caption, "List of windows");
  EXPECT_EQ(list.Entries, (std::vector<std::string>{"notes.txt - Wordpad"}));
}

TEST_F(ProcessListTest, WindowListLeavesOutTheWindowsOfTarv32Itself) {
  list.WindowMode = true;
  list.ResetAndRefresh();
  EXPECT_EQ(list.Entries,
            (std::vector<std::string>{"readme - Notepad", "notes.txt - Wordpad", "Calculator"}));
}

// Each line, run as a script would run it, activates the window whose
// title it was made from.
TEST_F(ProcessListTest, ActivateLineFindsItsWindowWhateverTheTitleHolds) {
  const std::vector<std::string> titles = {
      "Report - Notepad",    "\"Quoted\" C:\\dir\\ - Viewer", "/x marks the spot",  "  blanks at both ends  ",
      std::string(300, 'w'), std::string(300, '"'),           "*Untitled - Notepad"};
  for (const std::string& title : titles) {
    TWindowHandle window = sys.windows.Add(sys.windows.Desktop(), title, "Target", 9);
    SCOPED_TRACE(ActivateLineOf(title));
    ResetRunState();
    RecordingUI ui;
    EXPECT_NO_THROW(RunCommandText(ActivateLineOf(title)));
    EXPECT_EQ(sys.windows.front, window);
    EXPECT_TRUE(ui.boxes.empty());
  }
  EXPECT_EQ(ActivateLineOf("Report - Notepad"), "/activate Report - Notepad");
  EXPECT_EQ(ActivateLineOf("first line\r\nsecond"), "/activate first line*");
}

TEST_F(ProcessListTest, FindCancelledListsEverythingAgain) {
  list.WindowMode = true;
  list.Find("Calc");
  ASSERT_EQ(list.Entries.size(), 1u);
  list.Find("");
  EXPECT_EQ(list.Entries.size(), 3u);
}

TEST_F(ProcessListTest, RefreshAfterFindResetsTheFilter) {
  list.Find("calc");
  list.ResetAndRefresh();
  EXPECT_EQ(list.Filter, "*");
  EXPECT_EQ(list.Entries.size(), 4u);
}

}  // namespace
