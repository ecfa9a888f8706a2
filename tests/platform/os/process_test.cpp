#include "platform/os/process.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <thread>

#include "tests/support/temp_folder.h"

namespace vostrel::os {
namespace {

bool WaitForFile(const std::string& path) {
  for (int i = 0; i < 200; ++i) {
    if (std::filesystem::exists(path)) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return false;
}

TEST(StartCommand, RunsWithArgumentsAsGivenAndLeavesNoChild) {
  test::TempFolder folder;
  const std::string out = folder.File("out.txt");
  // The argument with blanks and a quote must arrive as one word.
  ASSERT_TRUE(StartCommand({"sh", "-c", "printf '%s' \"$1\" > \"$2.part\" && mv \"$2.part\" \"$2\"",
                            "sh", "a b 'c'", out}));
  ASSERT_TRUE(WaitForFile(out));
  EXPECT_EQ(test::ReadWholeFile(out), "a b 'c'");
  // The started program is not our child, so nothing is left to reap.
  EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1);
  EXPECT_EQ(errno, ECHILD);
}

TEST(StartCommand, RefusesWhatCannotStart) {
  test::TempFolder folder;
  test::WriteWholeFile(folder.File("not_executable"), "#!/bin/sh\n");
  EXPECT_FALSE(StartCommand({}));
  EXPECT_FALSE(StartCommand({""}));
  EXPECT_FALSE(StartCommand({"vostrel-no-such-program-here"}));
  EXPECT_FALSE(StartCommand({folder.File("not_executable")}));
  EXPECT_FALSE(StartCommand({folder.path().string()}));
}

}  // namespace
}  // namespace vostrel::os
