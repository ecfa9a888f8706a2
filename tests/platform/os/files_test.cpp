#include "platform/os/environment.h"
#include "platform/os/files.h"
#include "platform/os/paths.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "tests/support/temp_folder.h"

namespace vostrel::os {
namespace {

using test::TempFolder;

TEST(WriteWholeFile, ReplacesContentWholeAndLeavesNoScratchFile) {
  TempFolder folder;
  const std::string path = folder.File("a.bin");
  ASSERT_TRUE(WriteWholeFile(path, std::string("long first content\0x", 20)));
  ASSERT_TRUE(WriteWholeFile(path, "short"));
  EXPECT_EQ(ReadWholeFile(path), "short");
  ASSERT_TRUE(WriteWholeFile(path, ""));
  EXPECT_EQ(ReadWholeFile(path), "");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()),
                          std::filesystem::directory_iterator()),
            1);
}

TEST(WriteWholeFile, NameAtTheFileSystemLimitIsWritten) {
  TempFolder folder;
  const std::string path = folder.File(std::string(255, 'n'));
  ASSERT_TRUE(WriteWholeFile(path, "full length"));
  EXPECT_EQ(ReadWholeFile(path), "full length");
}

TEST(WriteWholeFile, FailsCleanlyWhereNoFileCanBe) {
  TempFolder folder;
  test::WriteWholeFile(folder.File("plain"), "keep");
  std::filesystem::create_directory(folder.File("dir"));
  for (const std::string name : {"missing/x.bin", "plain/x.bin", "dir"}) {
    SCOPED_TRACE(name);
    EXPECT_FALSE(WriteWholeFile(folder.File(name), "bytes"));
  }
  EXPECT_EQ(test::ReadWholeFile(folder.File("plain")), "keep");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()),
                          std::filesystem::directory_iterator()),
            2);
}

TEST(Files, ExistenceReadDeleteAndHidden) {
  TempFolder folder;
  const std::string file = folder.File("f");
  const std::string dir = folder.File("d");
  std::filesystem::create_directory(dir);
  test::WriteWholeFile(file, "x");

  EXPECT_TRUE(FileExists(file));
  EXPECT_FALSE(FileExists(dir));
  EXPECT_TRUE(IsDirectory(dir));
  EXPECT_FALSE(IsDirectory(file));
  EXPECT_TRUE(SetFileHidden(file));
  EXPECT_FALSE(SetFileHidden(folder.File("none")));
  EXPECT_EQ(ReadWholeFile(folder.File("none")), std::nullopt);
  EXPECT_EQ(ReadWholeFile(dir), std::nullopt);

  EXPECT_TRUE(DeleteFile(file));
  EXPECT_FALSE(FileExists(file));
  EXPECT_TRUE(DeleteFile(file));  // already gone
  EXPECT_FALSE(DeleteFile(dir));
}

TEST(EnsureFolder, CreatesMissingLevelsAndRefusesAFile) {
  TempFolder folder;
  EXPECT_TRUE(EnsureFolder(folder.File("a/b/c")));
  EXPECT_TRUE(IsDirectory(folder.File("a/b/c")));
  EXPECT_TRUE(EnsureFolder(folder.File("a/b/c")));
  test::WriteWholeFile(folder.File("f"), "x");
  EXPECT_FALSE(EnsureFolder(folder.File("f")));
  EXPECT_FALSE(EnsureFolder(folder.File("f/sub")));
}

TEST(Paths, ProgramFolderHoldsThisExecutable) {
  const auto exe = std::filesystem::canonical("/proc/self/exe");
  EXPECT_EQ(ProgramFolder(), exe.parent_path().string());
  EXPECT_EQ(JoinPath(ProgramFolder(), exe.filename().string()), exe.string());
}

TEST(EnvironmentVariable, ExactThenCaseBlindAndUnset) {
  setenv("VOSTREL_TEST_Mixed", "v1", 1);
  EXPECT_EQ(EnvironmentVariable("VOSTREL_TEST_Mixed"), "v1");
  EXPECT_EQ(EnvironmentVariable("vostrel_test_mixed"), "v1");
  setenv("VOSTREL_TEST_EMPTY", "", 1);
  EXPECT_EQ(EnvironmentVariable("VOSTREL_TEST_EMPTY"), "");
  EXPECT_EQ(EnvironmentVariable("VOSTREL_TEST_UNSET_NAME"), std::nullopt);
  EXPECT_EQ(EnvironmentVariable(""), std::nullopt);
}

}  // namespace
}  // namespace vostrel::os
