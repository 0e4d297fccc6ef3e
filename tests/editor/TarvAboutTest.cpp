#include <gtest/gtest.h>

#include <map>

#include "editor/TarvAbout.h"
#include "test_support/FakeSystem.h"
#include "test_support/RecordingUI.h"
#include "test_support/TempDir.h"
#include "util/SysFiles.h"
#include "util/TarvCommon.h"

namespace {

class FakeVersionStrings : public IVersionStrings {
 public:
  std::optional<std::string> Value(const std::string& name) const override {
    auto found = values.find(name);
    if (found == values.end()) return std::nullopt;
    return found->second;
  }
  std::map<std::string, std::string> values;
};

TEST(AboutWindow, VersionAndCopyrightComeFromTheResource) {
  FakeVersionStrings strings;
  strings.values = {{"FileVersion", "1.0"}, {"LegalCopyright", "Copyright (C) the makers"}};
  TAboutTexts texts = getver(&strings);
  EXPECT_EQ(texts.Version, "Version 1.0");
  EXPECT_EQ(texts.Copyright, "Copyright (C) the makers");
}

TEST(AboutWindow, MissingValueIsNamedAsNotAvailable) {
  FakeVersionStrings strings;
  strings.values = {{"FileVersion", "2.3.0.0"}};
  TAboutTexts texts = getver(&strings);
  EXPECT_EQ(texts.Version, "Version 2.3.0.0");
  EXPECT_EQ(texts.Copyright, "<LegalCopyright not available>");
}

TEST(AboutWindow, WithoutAVersionResourceTheLabelsKeepTheirDesign) {
  TAboutTexts texts = getver(nullptr);
  EXPECT_EQ(texts.Version, "<versionInfo ver");
  EXPECT_EQ(texts.Copyright, "Copyright in TarvMain");
}

TEST(AboutWindow, NativeProgramHasNoVersionResource) { EXPECT_EQ(OwnVersionStrings(), nullptr); }

class UserGuideLinkTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetRunState(); }

  RecordingUI ui;
  FakeSystem sys;
  TempDir dir;
};

TEST_F(UserGuideLinkTest, OpensThePageBesideTheProgram) {
  dir.Write("user-guide.md", "# Guide\n");
  dir.Write("user-guide.html", "<h1>Guide</h1>\n");
  sys.launcher.ServeNextWithoutProcess();
  Label6Click(dir.Root());
  ASSERT_EQ(sys.launcher.starts.size(), 1u);
  EXPECT_EQ(sys.launcher.starts[0].request.file, dir.Path("user-guide.html"));
  EXPECT_EQ(sys.launcher.starts[0].request.showCommand, 1);
  EXPECT_TRUE(ui.boxes.empty());
}

TEST_F(UserGuideLinkTest, OpensTheMarkdownSourceWithoutThePage) {
  dir.Write("user-guide.md", "# Guide\n");
  sys.launcher.QueueExitCodes({0});
  Label6Click(dir.Root());
  ASSERT_EQ(sys.launcher.starts.size(), 1u);
  EXPECT_EQ(sys.launcher.starts[0].request.file, dir.Path("user-guide.md"));
  EXPECT_TRUE(sys.launcher.open.empty());  // the viewer's process is let go
}

TEST_F(UserGuideLinkTest, MissingGuideIsExplainedAndNothingStarts) {
  Label6Click(dir.Root());
  EXPECT_TRUE(sys.launcher.starts.empty());
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].kind, TBoxKind::Error);
  EXPECT_NE(ui.boxes[0].text.find("user guide (user-guide.html) is missing"), std::string::npos);
}

TEST_F(UserGuideLinkTest, GuideThatCannotBeOpenedShowsTheSystemReason) {
  dir.Write("user-guide.html", "<h1>Guide</h1>\n");
  sys.launcher.FailNextStart(1155);  // no program for the document
  Label6Click(dir.Root());
  ASSERT_EQ(ui.boxes.size(), 1u);
  EXPECT_EQ(ui.boxes[0].text,
            "Could not open the user guide \"" + dir.Path("user-guide.html") + "\"\r\n" + WinErrorText(1155));
}

}  // namespace
