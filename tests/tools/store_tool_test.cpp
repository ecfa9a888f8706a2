// The store tool as a user runs it: create, refuse to overwrite, account, dump.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <string>

#include "tests/support/temp_folder.h"

namespace {

struct ToolRun {
  int status;
  std::string out;
};

ToolRun Tool(const std::string& arguments) {
  const std::string command = std::string(STORE_TOOL) + " " + arguments + " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  std::string out;
  char buffer[4096];
  size_t got;
  while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, got);
  return {WEXITSTATUS(pclose(pipe)), out};
}

TEST(StoreTool, CreatesStoresAndRefusesToOverwriteUnlessForced) {
  vostrel::test::TempFolder folder;
  const std::string dir = folder.path().string();
  ASSERT_EQ(Tool("create " + dir).status, 0);
  for (const char* name : {"data.edb", "xuhao.edb", "fujian.edb", "id.edb", "box.edb"})
    EXPECT_TRUE(std::filesystem::exists(folder.path() / name)) << name;
  struct stat account {};
  ASSERT_EQ(stat(folder.File("id.edb").c_str(), &account), 0);
  EXPECT_EQ(account.st_mode & 0777, 0600);

  const ToolRun again = Tool("create " + dir);
  EXPECT_NE(again.status, 0);
  EXPECT_NE(again.out.find("--force"), std::string::npos);
  EXPECT_EQ(Tool("create " + dir + " --force").status, 0);

  const ToolRun folders = Tool("dump " + folder.File("box.edb"));
  EXPECT_NE(folders.out.find("文件夹名称 (text)"), std::string::npos);
  EXPECT_NE(folders.out.find("records: 5"), std::string::npos);
  const ToolRun mail = Tool("dump " + folder.File("data.edb"));
  EXPECT_NE(mail.out.find("16 回复邮件地址 (text)"), std::string::npos);
}

TEST(StoreTool, AccountIsWrittenOnceAndReplaced) {
  vostrel::test::TempFolder folder;
  const std::string dir = folder.path().string();
  ASSERT_EQ(Tool("create " + dir).status, 0);
  ASSERT_EQ(Tool("account " + dir + " --pop3 a:1 --smtp b --user u --password p --address u@x").status, 0);
  ASSERT_EQ(Tool("account " + dir + " --pop3 c:2 --smtp d --user v --password \"q\\\"\" --address v@x").status, 0);
  const ToolRun dump = Tool("dump " + folder.File("id.edb") + " --json");
  EXPECT_EQ(dump.out,
            "{\"接受服务器\":\"c:2\",\"发送服务器\":\"d\",\"用户名\":\"v\",\"密码\":\"q\\\"\",\"地址\":\"v@x\"}\n");
}

TEST(StoreTool, DumpRefusesWhatIsNotAStore) {
  vostrel::test::TempFolder folder;
  vostrel::test::WriteWholeFile(folder.path() / "x.edb", "not a database at all, just text");
  EXPECT_NE(Tool("dump " + folder.File("x.edb")).status, 0);
  EXPECT_NE(Tool("dump " + folder.File("missing.edb")).status, 0);
}

}  // namespace
