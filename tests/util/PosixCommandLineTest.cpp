// The argument text of the native program, built from the words a shell
// hands it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "util/posix/CommandLine.h"

using Args = std::vector<std::string>;

TEST(PosixCommandLine, OneArgumentIsTheCommandTextExactlyAsTyped) {
  EXPECT_EQ(JoinCommandArguments({"/set X = \"a b\""}), "/set X = \"a b\"");
  EXPECT_EQ(JoinCommandArguments({"/if \"a b\" eq \"a b\" { /pause yes }"}),
            "/if \"a b\" eq \"a b\" { /pause yes }");
  EXPECT_EQ(JoinCommandArguments({"my script.qd"}), "my script.qd");
  EXPECT_EQ(JoinCommandArguments({"\"quoted.qd\""}), "\"quoted.qd\"");
  EXPECT_EQ(JoinCommandArguments({}), "");
}

TEST(PosixCommandLine, SeveralArgumentsAreJoinedByBlanksQuotingThoseThatNeedIt) {
  EXPECT_EQ(JoinCommandArguments({"notepad", "/wait", "my file.txt"}), "notepad /wait \"my file.txt\"");
  EXPECT_EQ(JoinCommandArguments({"prog", "", "a\tb", "c"}), "prog \"\" \"a\tb\" c");
  // Quotes written for the command language stay as written.
  EXPECT_EQ(JoinCommandArguments({"/set", "X", "=", "\"a b\" & x"}), "/set X = \"a b\" & x");
}
