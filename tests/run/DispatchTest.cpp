#include <gtest/gtest.h>

#include "run/TarvMain.h"
#include "test_support/TempDir.h"

TEST(DispatchText, WrapsABareCommandFileNameIntoAnAtCommand) {
  EXPECT_EQ(DispatchText("job.qd"), "@\"job.qd\"");
  EXPECT_EQ(DispatchText("my script.qd"), "@\"my script.qd\"");
  EXPECT_EQ(DispatchText("X.QD"), "@\"X.QD\"");
  EXPECT_EQ(DispatchText("notepad x.qd"), "@\"notepad x.qd\"");
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

TEST(DispatchText, AbsolutePathOfAnExistingCommandFileIsWrapped) {
  TempDir dir;
  std::string path = dir.Write("job.qd", "");
  EXPECT_EQ(DispatchText(path), "@\"" + path + "\"");
  EXPECT_EQ(DispatchText("/edit " + path), "/edit " + path);
}
