#include <gtest/gtest.h>

#include "platform/pop3/pop3_client.h"
#include "tests/platform/pop3/dovecot_server.h"

namespace vostrel::pop3 {
namespace {

TEST(DovecotIntegrationTest, FetchesEveryMessageByteForByte) {
  if (!test::DovecotServer::IsInstalled()) GTEST_SKIP() << "dovecot is not installed";
  const std::vector<std::string> messages = {
      "From: a@example.com\r\nSubject: one\r\n\r\nfirst body\r\n",
      "From: b@example.com\r\nSubject: two\r\n\r\n.starts with a dot\r\n..two dots\r\n.\r\nend\r\n",
      "From: c@example.com\r\nSubject: =?gbk?B?1tDOxA==?=\r\nContent-Type: text/plain; charset=gbk\r\n"
      "\r\n\xD6\xD0\xCE\xC4\r\n" + std::string(200000, 'x') + "\r\n",
  };
  test::DovecotServer server;
  for (const std::string& message : messages) ASSERT_TRUE(server.AddMessage(message));
  ASSERT_TRUE(server.Start());

  Pop3Client client;
  ASSERT_TRUE(client.Connect(server.address(), kStandardPort, server.user(), server.password(), 5000, 3))
      << client.LastError();
  int64_t count = 0, total = 0;
  ASSERT_TRUE(client.Stat(count, total)) << client.LastError();
  ASSERT_EQ(count, 3);
  std::vector<int64_t> sizes;
  ASSERT_TRUE(client.ListSizes(count, sizes)) << client.LastError();
  int64_t listed_total = 0;
  for (int64_t n = 1; n <= count; ++n) {
    const std::string& expected = messages[static_cast<size_t>(n - 1)];
    EXPECT_EQ(sizes[static_cast<size_t>(n - 1)], static_cast<int64_t>(expected.size()));
    listed_total += sizes[static_cast<size_t>(n - 1)];
    std::string id;
    EXPECT_TRUE(client.UniqueId(n, id));
    EXPECT_FALSE(id.empty());
    std::string raw;
    ASSERT_TRUE(client.Retrieve(n, raw)) << client.LastError();
    EXPECT_EQ(raw, expected) << "message " << n;
  }
  EXPECT_EQ(total, listed_total);

  // A wrong password is refused by the real server too.
  Pop3Client intruder;
  EXPECT_FALSE(intruder.Connect(server.address(), kStandardPort, server.user(), "wrong", 5000, 1));
  EXPECT_EQ(intruder.LastError(), "用户名或密码错误。");
  client.Quit();
  EXPECT_FALSE(client.IsConnected());
}

}  // namespace
}  // namespace vostrel::pop3
