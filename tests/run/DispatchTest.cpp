#include <gtest/gtest.h>

#include "run/TarvMain.h"
#include "test_support/TempDir.h"

TEST(DispatchText, WrapsABareCommandFileNameIntoAnAtCommand) {
  EXPECT_EQ(DispatchText("job.qd"), "@\"job.qd\"");
  EXPECT_EQ(DispatchText("my script.qd"), "@\"my script.qd\"");
  EXPECT_EQ(DispatchText("X.QD"), "@\"X.QD\"");
  EXPECT_EQ(DispatchText("notepad x.qd"), "@\"notepad x.qd\"");
  // Backslashes are escaped where the quoted name would lose them: a
  // network path keeps both of its first two.
  EXPECT_EQ(DispatchText("C:\\my dir\\job.qd"), "@\"C:\\my dir\\job.qd\"");
  EXPECT_EQ(DispatchText("\\\\server\\share\\job.qd"), "@\"\\\\\\\\server\\share\\job.qd\"");
}

TEST(DispatchText, QuotedNameGetsOnlyTheAt) { EXPECT_EQ(DispatchText("\"a b\" c.qd"), "@\"a b\" c.qd"); }

TEST(DispatchText, CommandsAndBlocksAreRunUnchanged) {
  EXPECT_EQ(DispatchText("@job.qd"), "@job.qd");
  EXPECT_EQ(DispatchText("/edit job.qd"), "/edit job.qd");
  EXPECT_EQ(DispatchText("{ @a.qd }"), "{ @a.qd }");
  EXPECT_EQ(DispatchText("notepad readme.txt"), "notepad readme.txt");
  EXPECT_EQ(DispatchText("/waitall"), "/waitall");
  EXPECT_EQ(DispatchText("c:\\dir.qd\\prog"), "c:\\dir.qd\\prog");
}

TEST(DispatchText, AnExistingFileIsTakenWholeWhateverItsName) {
  TempDir dir;
  for (std::string name : {"job.qd", "a}b & c.qd", "\xD0\x9F\xD1\x80\xD0\xB8.qd"}) {
    std::string path = dir.Write(name, "");
    EXPECT_EQ(DispatchText(path), "@\"" + path + "\"");
    EXPECT_EQ(DispatchText("/edit " + path), "/edit \"" + path + "\"");
  }
}
