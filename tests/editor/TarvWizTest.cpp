#include <gtest/gtest.h>
#include <sys/resource.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>

#include "editor/FakeEditorControls.h"
#include "editor/TarvWiz.h"
#include "test_support/FileSizeLimit.h"
#include "test_support/RecordingUI.h"
#include "test_support/TempDir.h"
#include "util/TarvCommon.h"

namespace {

class EditorTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetRunState(); }

  void Open(const std::string& path) {
    editor.SetFileName(path);
    editor.ReadFile();
  }
  void Lines(const std::vector<std::string>& lines) {
    editor.SetFileName("");
    list.SetLines(lines);
  }
  std::vector<std::string> ErrorTexts() const {
    std::vector<std::string> texts;
    for (const auto& box : ui.boxes)
      if (box.kind == TBoxKind::Error) texts.push_back(box.text);
    return texts;
  }
  bool Modified() const { return window.panels[1] == "Modified"; }

  RecordingUI ui;
  TempDir dir;
  FakeListBox list;
  FakeEditorWindow window;
  FakeFileDialogs files;
  FakeEditorDialogs dialogs;
  TTarvWiz editor{window, list, files, dialogs};
};

// ---- Caption ----------------------------------------------------------------

TEST_F(EditorTest, CaptionShowsTheFileNameWithoutDirectory) {
  editor.SetFileName("C:\\jobs\\job.qd");
  EXPECT_EQ(window.caption, "job.qd - Tarv Command File Editor");
  EXPECT_EQ(editor.FileName(), "C:\\jobs\\job.qd");
}

TEST_F(EditorTest, CaptionOfAnEmptyNameIsUntitled) {
  editor.SetFileName("   ");
  EXPECT_EQ(window.caption, "Untitled - Tarv Command File Editor");
  EXPECT_EQ(editor.FileName(), "");
}

TEST_F(EditorTest, BaseCaptionIsTakenOnceAndKept) {
  editor.SetFileName("a.qd");
  editor.SetFileName("b.qd");
  EXPECT_EQ(editor.BaseCaption(), "Tarv Command File Editor");
  EXPECT_EQ(window.caption, "b.qd - Tarv Command File Editor");
}

TEST_F(EditorTest, FileNameLosesSurroundingBlanksAndControlCharacters) {
  editor.SetFileName("\t job.qd \r\n");
  EXPECT_EQ(editor.FileName(), "job.qd");
}

// ---- Reading and writing ----------------------------------------------------

TEST_F(EditorTest, ReadKeepsEmptyLinesAndDropsIndentation) {
  Open(dir.Write("a.qd", "notepad\r\n\r\n   \t/sleep 1  \r\n"));
  EXPECT_EQ(list.Lines(), (std::vector<std::string>{"notepad", "", "/sleep 1"}));
  EXPECT_FALSE(Modified());
}

TEST_F(EditorTest, ReadTakesALastLineWithoutLineEndAndLoneLineFeeds) {
  Open(dir.Write("a.qd", "one\ntwo\nthree"));
  EXPECT_EQ(list.Lines(), (std::vector<std::string>{"one", "two", "three"}));
}

TEST_F(EditorTest, ReadKeepsLongLinesWhole) {
  const std::string longLine = "notepad " + std::string(1000, 'x');
  Open(dir.Write("a.qd", longLine + "\r\nnext\r\n"));
  EXPECT_EQ(list.Lines(), (std::vector<std::string>{longLine, "next"}));
}

TEST_F(EditorTest, ReadOfAMissingFileShowsWhyAndLeavesTheListEmpty) {
  list.SetLines({"old"});
  window.panels[1] = "Modified";
  Open(dir.Path("missing.qd"));
  EXPECT_EQ(list.Count(), 0);
  ASSERT_EQ(ErrorTexts().size(), 1u);
  EXPECT_EQ(ErrorTexts()[0].rfind("Could not open \"" + dir.Path("missing.qd") + "\"\r\nERROR ", 0), 0u);
  EXPECT_TRUE(Modified());
}

TEST_F(EditorTest, WriteEndsEveryLineWithCrLf) {
  editor.SetFileName(dir.Path("out.qd"));
  list.SetLines({"notepad", "", "/sleep 1"});
  window.panels[1] = "Modified";
  editor.WriteFile();
  EXPECT_EQ(dir.Read("out.qd"), "notepad\r\n\r\n/sleep 1\r\n");
  EXPECT_FALSE(Modified());
}

TEST_F(EditorTest, WriteOfAnEmptyListGivesAnEmptyFileReplacingTheOld) {
  editor.SetFileName(dir.Write("out.qd", "old contents\r\n"));
  editor.WriteFile();
  EXPECT_EQ(dir.Read("out.qd"), "");
}

TEST_F(EditorTest, LongLinesSurviveAReadWriteRoundTrip) {
  const std::string longLine = "; " + std::string(700, 'y');
  Open(dir.Write("a.qd", longLine + "\r\n"));
  editor.WriteFile();
  EXPECT_EQ(dir.Read("a.qd"), longLine + "\r\n");
}

TEST_F(EditorTest, EveryEncodingIsReadAsTextAndWrittenBackByteForByte) {
  const std::string pause = "/pause \xCE\xA9 \xE6\x97\xA5";  // Greek and CJK, as the program's text
  const std::string files[] = {
      "/pause Gr\xFC\xDF"
      "e\r\n",                                 // legacy code page 1252
      "\xEF\xBB\xBF" + pause + "\r\n",         // UTF-8 with its mark
      std::string("\xFF\xFE/\0\r\0\n\0", 8)};  // UTF-16 "/" CR LF
  const std::string lines[] = {
      "/pause Gr\xC3\xBC\xC3\x9F"
      "e",
      pause, "/"};
  for (size_t i = 0; i < std::size(files); ++i) {
    Open(dir.Write("enc.qd", files[i]));
    EXPECT_EQ(list.Item(0), lines[i]);
    editor.WriteFile();
    EXPECT_EQ(dir.Read("enc.qd"), files[i]);
  }
  editor.New1Click();
  list.Add(pause);
  editor.SetFileName(dir.Path("new.qd"));
  editor.WriteFile();
  EXPECT_EQ(dir.Read("new.qd"), pause + "\r\n") << "a new file is UTF-8 without a mark";
}

TEST_F(EditorTest, WriteThatCannotOpenShowsWhyAndKeepsTheFlag) {
  editor.SetFileName(dir.Path("no-such-dir/out.qd"));
  list.SetLines({"x"});
  window.panels[1] = "Modified";
  editor.WriteFile();
  ASSERT_EQ(ErrorTexts().size(), 1u);
  EXPECT_EQ(ErrorTexts()[0].rfind("Could not save \"" + dir.Path("no-such-dir/out.qd") + "\"\r\n", 0), 0u);
  EXPECT_TRUE(Modified());
}

// ---- Status line and modified flag ------------------------------------------

TEST_F(EditorTest, StatusNoticeBeepsAndModifiedClearsItQuietly) {
  editor.StatusLine("At first item");
  EXPECT_EQ(window.panels[0], "At first item");
  EXPECT_EQ(window.beeps, 1);
  editor.SetModified(true);
  EXPECT_EQ(window.panels[0], "");
  EXPECT_EQ(window.panels[1], "Modified");
  EXPECT_EQ(window.beeps, 1);
  editor.SetModified(false);
  EXPECT_EQ(window.panels[1], "");
}

TEST_F(EditorTest, CheckModifiedSavesOnYes) {
  editor.SetFileName(dir.Path("job.qd"));
  list.SetLines({"notepad"});
  editor.SetModified(true);
  ui.answers = {true};
  editor.CheckModified();
  EXPECT_EQ(ui.questions, (std::vector<std::string>{"Do you want to save your changes?"}));
  EXPECT_EQ(dir.Read("job.qd"), "notepad\r\n");
  EXPECT_FALSE(Modified());
}

TEST_F(EditorTest, CheckModifiedDoesNotAskWhenNothingChanged) {
  editor.CheckModified();
  EXPECT_TRUE(ui.questions.empty());
}

// ---- File menu --------------------------------------------------------------

TEST_F(EditorTest, NewGivesAnUntitledEmptyList) {
  Open(dir.Write("a.qd", "x\r\n"));
  editor.New1Click();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(window.caption, "Untitled - Tarv Command File Editor");
  EXPECT_FALSE(Modified());
}

TEST_F(EditorTest, OpenAfterNoDiscardsTheChangesAndLoadsTheChosenFile) {
  const std::string old = dir.Write("old.qd", "old\r\n");
  Open(old);
  list.Add("unsaved");
  editor.SetModified(true);
  files.openAnswers = {dir.Write("new.qd", "new\r\n")};
  ui.answers = {false};
  editor.Open1Click();
  EXPECT_EQ(list.Lines(), (std::vector<std::string>{"new"}));
  EXPECT_EQ(window.caption, "new.qd - Tarv Command File Editor");
  EXPECT_EQ(dir.Read("old.qd"), "old\r\n");
  EXPECT_EQ(ui.questions.size(), 1u);
}

TEST_F(EditorTest, OpenCancelledKeepsEverything) {
  Open(dir.Write("a.qd", "a\r\n"));
  editor.Open1Click();
  EXPECT_EQ(files.opens, 1);
  EXPECT_EQ(list.Lines(), (std::vector<std::string>{"a"}));
  EXPECT_EQ(editor.FileName(), dir.Path("a.qd"));
}

TEST_F(EditorTest, SaveOfAnUntitledListAsksForANameAndUsesIt) {
  Lines({"notepad"});
  editor.SetModified(true);
  files.saveAnswers = {dir.Path("named.qd")};
  editor.Save1Click();
  EXPECT_EQ(dir.Read("named.qd"), "notepad\r\n");
  EXPECT_EQ(window.caption, "named.qd - Tarv Command File Editor");
  EXPECT_FALSE(Modified());
}

TEST_F(EditorTest, SaveAsCancelledLeavesTheListModified) {
  Lines({"notepad"});
  editor.SetModified(true);
  editor.Save1Click();
  EXPECT_EQ(files.saves, 1);
  EXPECT_TRUE(Modified());
  EXPECT_EQ(editor.FileName(), "");
}

TEST_F(EditorTest, SaveOfANamedFileWritesWithoutAsking) {
  Open(dir.Write("a.qd", "a\r\n"));
  list.Add("b");
  editor.Save1Click();
  EXPECT_EQ(files.saves, 0);
  EXPECT_EQ(dir.Read("a.qd"), "a\r\nb\r\n");
}

TEST_F(EditorTest, ExitAsksTheWindowToClose) {
  editor.Exit1Click();
  EXPECT_EQ(window.closeRequests, 1);
}

TEST_F(EditorTest, ClosingOffersToSaveAndClosesAfterNo) {
  Lines({"x"});
  editor.SetModified(true);
  ui.answers = {false};
  EXPECT_TRUE(editor.OnCloseQuery());
  EXPECT_EQ(ui.questions.size(), 1u);
}

// A save that fails must never lose the user's changes: the list and its
// mark stay, and the close, New or Open that asked for the save is dropped.
TEST_F(EditorTest, AFailedSaveKeepsTheListAndCancelsWhatAskedForIt) {
  const std::string path = dir.Path("gone/job.qd");  // its folder does not exist
  editor.SetFileName(path);
  list.SetLines({"notepad", "/sleep 1"});
  editor.SetModified(true);
  files.openAnswers = {dir.Write("other.qd", "other\r\n")};
  ui.answers = {true, true, true};
  EXPECT_FALSE(editor.OnCloseQuery());
  editor.New1Click();
  editor.Open1Click();
  EXPECT_EQ(files.opens, 0);
  EXPECT_EQ(list.Lines(), (std::vector<std::string>{"notepad", "/sleep 1"}));
  EXPECT_TRUE(Modified());
  EXPECT_EQ(editor.FileName(), path);
  ASSERT_EQ(ErrorTexts().size(), 3u);
  for (const std::string& text : ErrorTexts())
    EXPECT_EQ(text.rfind("Could not save \"" + path + "\"\r\n", 0), 0u);
}

// A file size limit makes a write fail part-way through, as a full disk does.
TEST_F(EditorTest, AWriteErrorIsReportedOnceAndKeepsTheFileAndTheModifiedMark) {
  editor.SetFileName(dir.Write("job.qd", "old\r\n"));
  list.SetLines({"first line", "second line", "third line"});
  editor.SetModified(true);
  bool saved = true;
  {
    FileSizeLimit limit(8);
    saved = editor.Save1Click();
  }
  EXPECT_FALSE(saved);
  EXPECT_TRUE(Modified());
  ASSERT_EQ(ErrorTexts().size(), 1u);
  EXPECT_EQ(ErrorTexts()[0].rfind("Could not save \"" + dir.Path("job.qd") + "\"\r\nERROR 27", 0), 0u);
  EXPECT_EQ(dir.Read("job.qd"), "old\r\n");
  // With room again, the next save writes the whole list.
  EXPECT_TRUE(editor.Save1Click());
  EXPECT_EQ(dir.Read("job.qd"), "first line\r\nsecond line\r\nthird line\r\n");
  EXPECT_FALSE(Modified());
}

// ---- Run --------------------------------------------------------------------

TEST_F(EditorTest, RunOfAModifiedListThatIsNotSavedDoesNothing) {
  Open(dir.Write("job.qd", "/set TARV_EDITOR_RUN=no\r\n"));
  editor.SetModified(true);
  ui.answers = {false};
  editor.Run1Click();
  EXPECT_EQ(ui.questions, (std::vector<std::string>{
                              "You must save changes before running.\r\nDo you want to save your changes?"}));
  EXPECT_TRUE(window.busyChanges.empty());
  EXPECT_EQ(window.caption, "job.qd - Tarv Command File Editor");
}

TEST_F(EditorTest, RunOfAPathWithBlanksRunsTheFile) {
  unsetenv("TARV_EDITOR_RUN");
  Open(dir.Write("my job.qd", "/set TARV_EDITOR_RUN=ran\r\n"));
  editor.Run1Click();
  const char* value = std::getenv("TARV_EDITOR_RUN");
  ASSERT_NE(value, nullptr);
  EXPECT_STREQ(value, "ran");
  EXPECT_TRUE(ErrorTexts().empty());
  EXPECT_EQ(window.captions.end()[-2], "Running my job.qd - Tarv Command File Editor");
  EXPECT_EQ(window.caption, "my job.qd - Tarv Command File Editor");
  EXPECT_EQ(window.busyChanges, (std::vector<bool>{true, false}));
}

TEST_F(EditorTest, RunSavesFirstWhenTheUserAgrees) {
  unsetenv("TARV_EDITOR_SAVED");
  Open(dir.Write("job.qd", ""));
  list.Add("/set TARV_EDITOR_SAVED=yes");
  editor.SetModified(true);
  ui.answers = {true};
  editor.Run1Click();
  EXPECT_EQ(dir.Read("job.qd"), "/set TARV_EDITOR_SAVED=yes\r\n");
  ASSERT_NE(std::getenv("TARV_EDITOR_SAVED"), nullptr);
}

TEST_F(EditorTest, RunFailureShowsTheErrorBoxAndRestoresTheWindow) {
  Open(dir.Write("bad.qd", "/frobnicate\r\n"));
  editor.Run1Click();
  ASSERT_EQ(ErrorTexts().size(), 1u);
  EXPECT_EQ(ErrorTexts()[0].rfind("TARV32: ", 0), 0u);
  EXPECT_EQ(window.caption, "bad.qd - Tarv Command File Editor");
  EXPECT_FALSE(window.busy);
}

// The first run leaves every kind of run-wide state behind: a program still
// running, another directory, a variable, the debug log and a dry run. The
// second run starts as a fresh start of the program would.
TEST_F(EditorTest, EachRunStartsFromAFreshStart) {
  const std::string startDirectory = std::filesystem::current_path().string();
  unsetenv("TARV_LEFT_OVER");
  Open(
      dir.Write("first.qd", "sh \"-c\" \"sleep 10\"\r\n/cd \"" + dir.Root() +
                                "\"\r\n/set TARV_LEFT_OVER = yes\r\n/set debug = on\r\n/set exec = off\r\n"));
  editor.Run1Click();
  ASSERT_FALSE(RunState().ExecEnabled);

  dir.Write("report.sh", "pwd > \"$1\"; echo \"[$TARV_LEFT_OVER]\" >> \"$1\"\n");
  Open(dir.Write("second.qd", "/waitall\r\nsh /wait \"" + dir.Path("report.sh") + "\" \"" +
                                  dir.Path("out.txt") + "\"\r\n"));
  const auto started = std::chrono::steady_clock::now();
  editor.Run1Click();
  const auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();

  EXPECT_TRUE(ErrorTexts().empty());
  EXPECT_EQ(dir.Read("out.txt"), startDirectory + "\n[]\n");
  EXPECT_LT(seconds, 5.0) << "the second run waited for the first run's program";
  EXPECT_TRUE(RunState().ExecEnabled);
  EXPECT_FALSE(RunState().DebugLog);
  EXPECT_EQ(std::filesystem::current_path().string(), startDirectory);
}

TEST_F(EditorTest, RunCommandQuotesTheFileName) {
  EXPECT_EQ(RunCommandOfFile("C:\\my jobs\\a.qd"), "@\"C:\\my jobs\\a.qd\"");
  EXPECT_EQ(RunCommandOfFile("\"C:\\a.qd\""), "@\"C:\\a.qd\"");
}

// ---- Editing lines ----------------------------------------------------------

TEST_F(EditorTest, NewCommandCancelledLeavesAnEmptyLineAtTheEnd) {
  Lines({"a", "b"});
  list.Select({0});
  list.SetFocusIndex(0);
  editor.NewCommand1Click();
  EXPECT_EQ(list.Lines(), (std::vector<std::string>{"a", "b", ""}));
  EXPECT_EQ(list.SelectedIndexes(), (std::vector<int>{2}));
  EXPECT_EQ(list.FocusIndex(), 2);
  EXPECT_TRUE(Modified());
  EXPECT_EQ(dialogs.closedDialogs.size(), 1u);
}

TEST_F(EditorTest, NewCommandConfirmedAddsTheBuiltLine) {
  Lines({"a"});
  dialogs.commandUser = [](FakeCommandDialog& d, ICommandDialogEvents& e) {
    d.TypeProg("/sleep", e);
    d.args = "2";
    return e.btnOkClick();
  };
  editor.List1KeyDown(TListKey::Insert);
  EXPECT_EQ(list.Lines(), (std::vector<std::string>{"a", "/sleep 2"}));
}

TEST_F(EditorTest, EditReplacesTheLineWithTheRebuiltOne) {
  Lines({"a", "notepad /min readme.txt", "c"});
  list.Select({1});
  dialogs.commandUser = [](FakeCommandDialog& d, ICommandDialogEvents& e) {
    d.args = "\"my notes.txt\"";
    return e.btnOkClick();
  };
  editor.List1DblClick();
  EXPECT_EQ(list.Item(1), "notepad /min \"my notes.txt\"");
  EXPECT_EQ(list.FocusIndex(), 1);
  EXPECT_TRUE(Modified());
}

TEST_F(EditorTest, EditCancelledKeepsTheLineButMarksModified) {
  Lines({"notepad /min readme.txt"});
  list.Select({0});
  editor.List1KeyDown(TListKey::Enter);
  EXPECT_EQ(list.Item(0), "notepad /min readme.txt");
  EXPECT_TRUE(Modified());
}

TEST_F(EditorTest, EditNeedsExactlyOneSelectedLine) {
  Lines({"a", "b"});
  editor.EditCommand1Click();
  list.Select({0, 1});
  editor.EditCommand1Click();
  EXPECT_EQ(ErrorTexts(), (std::vector<std::string>{"No item selected",
                                                    "Too many items selected - select only one to edit"}));
  EXPECT_TRUE(dialogs.closedDialogs.empty());
  EXPECT_FALSE(Modified());
}

TEST_F(EditorTest, EditOfALongLineConfirmedUnchangedKeepsItWhole) {
  const std::string longLine = "copy " + std::string(300, 'f') + " " + std::string(300, 't');
  Lines({longLine});
  list.Select({0});
  dialogs.commandUser = PressOk;
  editor.EditCommand1Click();
  EXPECT_EQ(list.Item(0), longLine);
}

TEST_F(EditorTest, DeleteRemovesEverySelectedLine) {
  Lines({"a", "b", "c", "d"});
  list.Select({0, 2, 3});
  editor.List1KeyDown(TListKey::Delete);
  EXPECT_EQ(list.Lines(), (std::vector<std::string>{"b"}));
  EXPECT_TRUE(Modified());
}

TEST_F(EditorTest, DeleteWithoutSelectionSaysSo) {
  Lines({"a"});
  editor.DeleteCommand1Click();
  EXPECT_EQ(ErrorTexts(), (std::vector<std::string>{"No item(s) selected"}));
  EXPECT_FALSE(Modified());
}

// ---- Replace All --------------------------------------------------------------

TEST_F(EditorTest, ReplaceOnAnEmptyListHasNothingToReplace) {
  editor.Replace1Click();
  EXPECT_EQ(ErrorTexts(), (std::vector<std::string>{"Nothing to replace"}));
  EXPECT_EQ(dialogs.replaceShowings, 0);
}

TEST_F(EditorTest, ReplaceChangesEveryOccurrenceCaseSensitively) {
  Lines({"notepad a.txt", "Notepad notepad", "x"});
  dialogs.replaceAnswer = TReplaceStrings{"notepad", "wordpad"};
  editor.Replace1Click();
  EXPECT_EQ(list.Lines(), (std::vector<std::string>{"wordpad a.txt", "Notepad wordpad", "x"}));
  EXPECT_TRUE(Modified());
}

TEST_F(EditorTest, ReplaceCancelledLeavesTheListUntouched) {
  Lines({"notepad"});
  editor.Replace1Click();
  EXPECT_EQ(dialogs.replaceShowings, 1);
  EXPECT_EQ(list.Lines(), (std::vector<std::string>{"notepad"}));
  EXPECT_FALSE(Modified());
}

TEST_F(EditorTest, ReplaceWithAnEmptyFindTextChangesNothingButMarksModified) {
  Lines({"notepad"});
  dialogs.replaceAnswer = TReplaceStrings{"", "x"};
  editor.Replace1Click();
  EXPECT_EQ(list.Lines(), (std::vector<std::string>{"notepad"}));
  EXPECT_TRUE(Modified());
}

TEST_F(EditorTest, ReplaceWorksOnLongLines) {
  Lines({std::string(300, 'a') + "END"});
  dialogs.replaceAnswer = TReplaceStrings{"END", "FIN"};
  editor.Replace1Click();
  EXPECT_EQ(list.Item(0), std::string(300, 'a') + "FIN");
}

// ---- Lists menu -------------------------------------------------------------

TEST_F(EditorTest, PickedWindowsBecomeActivateLinesAfterTheLastSelectedLine) {
  Lines({"notepad", "/sleep 1", "/pause done"});
  list.Select({0, 1});
  dialogs.pickedTitles = {"Untitled - Notepad", "Calculator"};
  editor.WindowList1Click();
  ASSERT_EQ(dialogs.listShowings.size(), 1u);
  EXPECT_TRUE(dialogs.listShowings[0].windowMode);
  EXPECT_TRUE(dialogs.listShowings[0].offersActivateLine);
  EXPECT_EQ(list.Lines(), (std::vector<std::string>{"notepad", "/sleep 1", "/activate Untitled - Notepad",
                                                    "/activate Calculator", "/pause done"}));
  EXPECT_EQ(list.SelectedIndexes(), std::vector<int>{3});
  EXPECT_EQ(list.focus, 3);
  EXPECT_TRUE(Modified());
}

TEST_F(EditorTest, PickedWindowWithoutASelectedLineGoesAtTheEnd) {
  Lines({"notepad"});
  dialogs.pickedTitles = {"Calculator"};
  editor.WindowList1Click();
  EXPECT_EQ(list.Lines(), (std::vector<std::string>{"notepad", "/activate Calculator"}));
  editor.ProcessList1Click();
  ASSERT_EQ(dialogs.listShowings.size(), 2u);
  EXPECT_FALSE(dialogs.listShowings[1].windowMode);
  EXPECT_FALSE(dialogs.listShowings[1].offersActivateLine);
  EXPECT_EQ(list.Count(), 2);
}

// ---- Moving lines -----------------------------------------------------------

TEST_F(EditorTest, MoveUpWithTheFirstLineSelectedMovesNothing) {
  Lines({"1", "2", "3", "4", "5"});
  list.Select({0, 2});
  editor.btnUpClick();
  EXPECT_EQ(list.Lines(), (std::vector<std::string>{"1", "2", "3", "4", "5"}));
  EXPECT_EQ(window.panels[0], "At first item");
  EXPECT_EQ(window.beeps, 1);
  EXPECT_FALSE(Modified());
}

TEST_F(EditorTest, MoveUpMovesSeparateSelectedLinesOnePlaceEach) {
  Lines({"1", "2", "3", "4", "5"});
  list.Select({1, 3});
  editor.btnUpClick();
  EXPECT_EQ(list.Lines(), (std::vector<std::string>{"2", "1", "4", "3", "5"}));
  EXPECT_EQ(list.SelectedIndexes(), (std::vector<int>{0, 2}));
  EXPECT_TRUE(Modified());
}

TEST_F(EditorTest, MoveUpMovesAContiguousBlockTogether) {
  Lines({"1", "2", "3", "4"});
  list.Select({2, 3});
  editor.btnUpClick();
  EXPECT_EQ(list.Lines(), (std::vector<std::string>{"1", "3", "4", "2"}));
  EXPECT_EQ(list.SelectedIndexes(), (std::vector<int>{1, 2}));
}

TEST_F(EditorTest, MoveDownWithTheLastLineSelectedMovesNothing) {
  Lines({"1", "2", "3"});
  list.Select({0, 2});
  editor.btnDownClick();
  EXPECT_EQ(list.Lines(), (std::vector<std::string>{"1", "2", "3"}));
  EXPECT_EQ(window.panels[0], "At last item");
  EXPECT_FALSE(Modified());
}

TEST_F(EditorTest, MoveDownMovesSelectedLinesAndKeepsThemSelected) {
  Lines({"1", "2", "3", "4", "5"});
  list.Select({0, 1, 3});
  editor.btnDownClick();
  EXPECT_EQ(list.Lines(), (std::vector<std::string>{"3", "1", "2", "5", "4"}));
  EXPECT_EQ(list.SelectedIndexes(), (std::vector<int>{1, 2, 4}));
  EXPECT_TRUE(Modified());
}

TEST_F(EditorTest, MoveWithoutSelectionSaysSoWithABeep) {
  Lines({"1", "2"});
  editor.btnDownClick();
  EXPECT_EQ(window.panels[0], "No item(s) selected");
  EXPECT_EQ(window.beeps, 1);
  editor.btnUpClick();
  EXPECT_EQ(window.beeps, 2);
  EXPECT_FALSE(Modified());
}

TEST_F(EditorTest, AboutShowsTheAboutWindow) {
  editor.About1Click();
  EXPECT_EQ(dialogs.aboutShowings, 1);
}

}  // namespace
