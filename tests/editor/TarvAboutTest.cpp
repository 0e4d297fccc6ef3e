#include <gtest/gtest.h>

#include <map>

#include "editor/TarvAbout.h"
#include "test_support/FakeSystem.h"
#include "test_support/RecordingUI.h"
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

TEST(AboutWindow, LinkStartsTheAddressAsAProgram) {
  ResetRunState();
  RecordingUI ui;
  FakeSystem sys;
  sys.launcher.ServeNextWithoutProcess();
  Label6Click(kDownloadAddress);
  ASSERT_EQ(sys.launcher.starts.size(), 1u);
  EXPECT_EQ(sys.launcher.starts[0].request.file, kDownloadAddress);
  EXPECT_TRUE(ui.boxes.empty());
}

TEST(AboutWindow, LinkThatCannotStartShowsTheFailure) {
  ResetRunState();
  RecordingUI ui;
  FakeSystem sys;
  sys.launcher.FailNextStart(2);
  Label6Click(kDownloadAddress);
  ASSERT_FALSE(ui.boxes.empty());
  EXPECT_EQ(ui.boxes.back().text.rfind("TARV32: ", 0), 0u);
}

}  // namespace
