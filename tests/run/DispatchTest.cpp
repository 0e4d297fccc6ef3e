#include <gtest/gtest.h>
#include <sys/xattr.h>

#include <cstring>

#include "run/TarvMain.h"
#include "test_support/RecordingUI.h"
#include "test_support/TempDir.h"
#include "util/Environment.h"
#include "util/TarvCommon.h"

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

// A downloaded command file runs only when the user says yes; unattended it
// runs only where TARV_RUN_DOWNLOADED=1 says such files are expected.
TEST(DispatchText, ADownloadedCommandFileAsksBeforeItRuns) {
  TempDir dir;
  const std::string path = dir.Write("job.qd", "/set TARV_DOWNLOAD_RAN = yes\r\n");
  const char* url = "https://example.org/job.qd";
  if (::setxattr(path.c_str(), "user.xdg.origin.url", url, std::strlen(url), 0) != 0)
    GTEST_SKIP() << "no extended attributes here";
  struct TCase {
    bool canAsk, answer;
    const char* runDownloaded;
    bool ran;
  } cases[] = {
      {true, false, "", false}, {true, true, "", true}, {false, false, "", false}, {false, false, "1", true}};
  for (const TCase& c : cases) {
    RecordingUI ui;
    ui.canAsk = c.canAsk;
    ui.answers = {c.answer};
    SetEnvVar("TARV_RUN_DOWNLOADED", c.runDownloaded);
    RemoveEnvVar("TARV_DOWNLOAD_RAN");
    ResetRunState();
    EXPECT_EQ(TarvMain(path), c.ran ? 0 : 1);
    EXPECT_EQ(GetEnvVar("TARV_DOWNLOAD_RAN").status == TEnvStatus::Found, c.ran);
    const bool asked = c.canAsk && c.runDownloaded[0] == 0;
    ASSERT_EQ(ui.questions.size(), asked ? 1u : 0u);
    if (asked) EXPECT_EQ(ui.questions[0].rfind("\"" + path + "\" was downloaded from the Internet.", 0), 0u);
    if (!c.canAsk && !c.ran) EXPECT_NE(ui.boxes.at(0).text.find("TARV_RUN_DOWNLOADED=1"), std::string::npos);
  }
  RemoveEnvVar("TARV_RUN_DOWNLOADED");
}

TEST(FirstContactText, OnlyTheExactHelpAndVersionArgumentsAreTaken) {
  const TProgramFace posix = {"tarv32", "9.8.7", {"--help", "-h"}, "/usr/share/doc/tarv32/user-guide.html"};
  const TProgramFace win32 = {"tarv32.exe", "9.8.7", {"/?"}, "user-guide.html, beside tarv32.exe"};
  struct TCase {
    const TProgramFace& face;
    const char* argument;
    const char* shown;  // a part of what is printed; nullptr: a command text
  };
  const TCase cases[] = {
      {posix, "--help", "\n  tarv32 --help   "},
      {posix, "-h", "The user guide: /usr/share/doc/tarv32/"},
      {posix, "--version", "Tarv32 9.8.7\n"},
      {win32, "/?", "\n  tarv32.exe /?   "},
      {win32, "/?", "user-guide.html, beside tarv32.exe\n"},
      {win32, "--version", "Tarv32 9.8.7\n"},
      {posix, "/?", nullptr},
      {win32, "--help", nullptr},
      {posix, "--help ", nullptr},
      {posix, "-H", nullptr},
      {posix, "--version x", nullptr},
      {posix, "\"--help\"", nullptr},
  };
  for (const TCase& c : cases) {
    const std::string text = FirstContactText(c.argument, c.face);
    if (c.shown == nullptr)
      EXPECT_EQ(text, "") << c.argument;
    else
      EXPECT_NE(text.find(c.shown), std::string::npos) << c.argument << " gave:\n" << text;
  }
  // Every form of the usage is there, the editor's first.
  const std::string usage = FirstContactText("-h", posix);
  EXPECT_NE(usage.find("Usage:\n  tarv32      "), std::string::npos) << usage;
  for (std::string_view form : {"tarv32 FILE.qd", "tarv32 { COMMAND ... }", "tarv32 --version"})
    EXPECT_NE(usage.find(form), std::string::npos) << form;
}
