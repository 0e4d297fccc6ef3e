#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

#include "test_support/FileSizeLimit.h"
#include "test_support/TempDir.h"
#include "util/SysFiles.h"

namespace {

std::string Mode(const std::string& path) {
  struct stat info {};
  ::stat(path.c_str(), &info);
  return std::to_string(info.st_mode & 0777);
}

size_t FilesIn(const std::string& folder) {
  return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

// Every way a save can fail leaves the old file byte for byte and no
// temporary file behind.
TEST(SaveFile, AFailedSaveLeavesTheOldFileAsItWas) {
  TempDir dir;
  const std::string path = dir.Write("job.qd", "old contents\r\n");
  const std::string big(46890, 'x');
  bool savedPastTheLimit = true;
  {
    FileSizeLimit limit(4096);
    savedPastTheLimit = SysSaveFile(path, big);
  }
  EXPECT_FALSE(savedPastTheLimit);
  EXPECT_EQ(dir.Read("job.qd"), "old contents\r\n");
  EXPECT_EQ(FilesIn(dir.Root()), 1u);

  ::chmod(dir.Root().c_str(), 0555);  // a read-only folder (root may write there all the same)
  const bool savedInReadOnly = SysSaveFile(path, "new\r\n");
  ::chmod(dir.Root().c_str(), 0755);
  if (geteuid() != 0) EXPECT_FALSE(savedInReadOnly);
  if (!savedInReadOnly) EXPECT_EQ(dir.Read("job.qd"), "old contents\r\n");
  EXPECT_FALSE(SysSaveFile(dir.Path("no-such-folder/job.qd"), "new\r\n"));
}

TEST(SaveFile, KeepsTheModeAndWritesThroughALink) {
  TempDir dir;
  const std::string target = dir.Write("secret.qd", "password\r\n");
  ::chmod(target.c_str(), 0600);
  const std::string link = dir.Path("link.qd");
  ASSERT_EQ(::symlink("secret.qd", link.c_str()), 0);
  ASSERT_TRUE(SysSaveFile(link, "changed\r\n"));
  EXPECT_EQ(dir.Read("secret.qd"), "changed\r\n");
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(Mode(target), std::to_string(0600));
  ASSERT_TRUE(SysSaveFile(dir.Path("new.qd"), "fresh\r\n"));
  EXPECT_EQ(dir.Read("new.qd"), "fresh\r\n");
  EXPECT_EQ(FilesIn(dir.Root()), 3u);
}

}  // namespace
