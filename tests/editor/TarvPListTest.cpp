#include <gtest/gtest.h>

#include "editor/TarvPList.h"
#include "test_support/FakeSystem.h"

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
