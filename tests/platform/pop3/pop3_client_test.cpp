#include "platform/pop3/pop3_client.h"

#include <gtest/gtest.h>

#include <chrono>

#include "platform/pop3/server_address.h"
#include "tests/platform/pop3/scripted_server.h"

namespace vostrel::pop3 {
namespace {

using test::LoggedIn;
using test::ScriptedServer;
using After = ScriptedServer::After;

constexpr int kShortLimitMs = 300;
constexpr size_t kOverlong = 1100000;  // beyond the 1 MiB line bound

bool ConnectTo(Pop3Client& client, const ScriptedServer& server, int attempts = 1) {
  return client.Connect(server.address(), kStandardPort, "user", "secret", kShortLimitMs, attempts);
}

TEST(ServerAddressTest, ParsesHostAndPort) {
  struct Case {
    std::string text;
    bool ok;
    std::string host;
    int port;
  };
  const std::vector<Case> cases = {
      {"pop.example.com", true, "pop.example.com", 110},
      {" pop.example.com:995 ", true, "pop.example.com", 995},
      {"127.0.0.1:2110", true, "127.0.0.1", 2110},
      {"[::1]:2110", true, "::1", 2110},
      {"::1", true, "::1", 110},
      {"host:", false, "", 0},
      {"host:0", false, "", 0},
      {"host:70000", false, "", 0},
      {"host:12x", false, "", 0},
      {":110", false, "", 0},
      {"", false, "", 0},
  };
  for (const Case& c : cases) {
    ServerAddress address;
    ASSERT_EQ(ParseServerText(c.text, 110, address), c.ok) << c.text;
    if (!c.ok) continue;
    EXPECT_EQ(address.host, c.host) << c.text;
    EXPECT_EQ(address.port, c.port) << c.text;
  }
}

TEST(Pop3ClientTest, RefusedLoginIsReportedAndNotRetried) {
  ScriptedServer server({{{"", "+OK\r\n"}, {"USER user", "+OK\r\n"}, {"PASS secret", "-ERR denied\r\n"}},
                         LoggedIn({})});
  Pop3Client client;
  EXPECT_FALSE(ConnectTo(client, server, 3));
  EXPECT_EQ(client.LastError(), "用户名或密码错误。");
  EXPECT_FALSE(client.IsConnected());
  EXPECT_EQ(server.connections_accepted(), 1);
}

TEST(Pop3ClientTest, StalledGreetingUsesEveryAttemptWithinItsLimit) {
  const ScriptedServer::Script stall = {{"", "", After::kStall}};
  ScriptedServer server({stall, stall, LoggedIn({})});
  Pop3Client client;
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(ConnectTo(client, server, 2));
  const auto elapsed = std::chrono::steady_clock::now() - start;
  EXPECT_EQ(client.LastError(), "连接服务器超时。");
  EXPECT_EQ(server.connections_accepted(), 2);
  EXPECT_LT(elapsed, std::chrono::milliseconds(2 * kShortLimitMs + 1000));
  // The third connection of the script logs in: a later attempt can succeed.
  EXPECT_TRUE(ConnectTo(client, server, 1));
}

TEST(Pop3ClientTest, CredentialsWithLineBreaksAreNotSent) {
  ScriptedServer server({LoggedIn({})});
  Pop3Client client;
  EXPECT_FALSE(client.Connect(server.address(), 110, "user\r\nDELE 1", "secret", kShortLimitMs, 1));
  EXPECT_EQ(client.LastError(), "用户名或密码含有无效字符。");
}

TEST(Pop3ClientTest, StatReportsCountAndSizeBeyond32Bits) {
  ScriptedServer server({LoggedIn({{"STAT", "+OK 3 5000000000\r\n"}})});
  Pop3Client client;
  ASSERT_TRUE(ConnectTo(client, server));
  int64_t count = 0, bytes = 0;
  ASSERT_TRUE(client.Stat(count, bytes));
  EXPECT_EQ(count, 3);
  EXPECT_EQ(bytes, 5000000000);
  EXPECT_EQ(client.LastError(), "");
}

TEST(Pop3ClientTest, StatFailuresGiveTheirServiceTexts) {
  struct Case {
    const char* name;
    ScriptedServer::Step step;
    std::string error;
  };
  const std::vector<Case> cases = {
      {"refused", {"STAT", "-ERR locked\r\n"}, "获取邮件信息错误。"},
      {"garbage", {"STAT", "HELLO?\r\n"}, "获取邮件信息错误。"},
      {"unparsable", {"STAT", "+OK many\r\n"}, "获取邮件信息错误。"},
      {"overlong", {"STAT", "+OK " + std::string(600, '1') + "\r\n"}, "获取邮件信息错误。"},
      {"stall", {"STAT", "", After::kStall}, "未知异常2."},
      {"early close", {"STAT", "+OK 1", After::kClose}, "未知异常2."},
  };
  for (const Case& c : cases) {
    ScriptedServer server({LoggedIn({c.step})});
    Pop3Client client;
    ASSERT_TRUE(ConnectTo(client, server)) << c.name;
    int64_t count = 0, bytes = 0;
    EXPECT_FALSE(client.Stat(count, bytes)) << c.name;
    EXPECT_EQ(client.LastError(), c.error) << c.name;
  }
  Pop3Client unconnected;
  int64_t count = 0, bytes = 0;
  EXPECT_FALSE(unconnected.Stat(count, bytes));
  EXPECT_EQ(unconnected.LastError(), "还没有连接到服务器。");
}

TEST(Pop3ClientTest, CommandWhoseReplyTimedOutIsNotResent) {
  ScriptedServer server({LoggedIn({{"STAT", "", After::kStall}})});
  Pop3Client client;
  ASSERT_TRUE(ConnectTo(client, server));
  int64_t count = 0, bytes = 0;
  EXPECT_FALSE(client.Stat(count, bytes));
  EXPECT_FALSE(client.IsConnected());
  std::vector<int64_t> sizes;
  EXPECT_FALSE(client.ListSizes(1, sizes));
  client.Close();
  EXPECT_EQ(server.received(), (std::vector<std::string>{"USER user", "PASS secret", "STAT"}));
}

TEST(Pop3ClientTest, ListSizesHasOneEntryPerMessage) {
  ScriptedServer server({LoggedIn({{"LIST", "+OK 3 messages\r\n1 120\r\n3 4000000000\r\n4 9\r\n.\r\n"}})});
  Pop3Client client;
  ASSERT_TRUE(ConnectTo(client, server));
  std::vector<int64_t> sizes;
  ASSERT_TRUE(client.ListSizes(3, sizes));
  EXPECT_EQ(sizes, (std::vector<int64_t>{120, 0, 4000000000}));
}

TEST(Pop3ClientTest, ListFailuresGiveTheirServiceTexts) {
  struct Case {
    const char* name;
    ScriptedServer::Step step;
    std::string error;
  };
  const std::vector<Case> cases = {
      {"refused", {"LIST", "-ERR no such message\r\n"}, "没有这封邮件。"},
      {"garbage status", {"LIST", "??\r\n"}, "未知异常3."},
      {"garbage line", {"LIST", "+OK\r\n1 big\r\n.\r\n"}, "未知异常3."},
      {"overlong line", {"LIST", "+OK\r\n1 " + std::string(kOverlong, '9') + "\r\n.\r\n"}, "未知异常3."},
      {"stall", {"LIST", "+OK\r\n1 100\r\n", After::kStall}, "未知异常3."},
      {"early close", {"LIST", "+OK\r\n1 100\r\n", After::kClose}, "未知异常3."},
  };
  for (const Case& c : cases) {
    ScriptedServer server({LoggedIn({c.step})});
    Pop3Client client;
    ASSERT_TRUE(ConnectTo(client, server)) << c.name;
    std::vector<int64_t> sizes;
    EXPECT_FALSE(client.ListSizes(1, sizes)) << c.name;
    EXPECT_TRUE(sizes.empty()) << c.name;
    EXPECT_EQ(client.LastError(), c.error) << c.name;
  }
}

TEST(Pop3ClientTest, UniqueIdsComeFromOneListing) {
  ScriptedServer server({LoggedIn({{"UIDL", "+OK\r\n1 aaa\r\n2 bbb\r\n.\r\n"}, {"UIDL 3", "+OK 3 ccc\r\n"}})});
  Pop3Client client;
  ASSERT_TRUE(ConnectTo(client, server));
  std::string id;
  EXPECT_TRUE(client.UniqueId(2, id));
  EXPECT_EQ(id, "bbb");
  EXPECT_TRUE(client.UniqueId(1, id));
  EXPECT_EQ(id, "aaa");
  EXPECT_TRUE(client.UniqueId(3, id));  // missing from the listing: asked alone
  EXPECT_EQ(id, "ccc");
}

TEST(Pop3ClientTest, UniqueIdFallsBackToSingleRequests) {
  ScriptedServer server({LoggedIn({{"UIDL", "-ERR not that way\r\n"},
                                   {"UIDL 1", "+OK 1 first\r\n"},
                                   {"UIDL 2", "-ERR no such message\r\n"}})});
  Pop3Client client;
  ASSERT_TRUE(ConnectTo(client, server));
  std::string id;
  EXPECT_TRUE(client.UniqueId(1, id));
  EXPECT_EQ(id, "first");
  EXPECT_FALSE(client.UniqueId(2, id));
  EXPECT_EQ(id, "");
  EXPECT_EQ(client.LastError(), "获取邮件标识失败。");
}

TEST(Pop3ClientTest, RetrieveUnstuffsDotsAndKeepsLineEnds) {
  const std::string wire =
      "+OK 5 lines\r\n"
      "Subject: dots\r\n"
      "\r\n"
      "..leading dot\r\n"
      "...\r\n"
      "bare LF line\n"
      ". \r\n"
      ".\r\n";
  const std::string expected = "Subject: dots\r\n\r\n.leading dot\r\n..\r\nbare LF line\n \r\n";
  ScriptedServer server({LoggedIn({{"RETR 1", wire}})});
  Pop3Client client;
  ASSERT_TRUE(ConnectTo(client, server));
  std::vector<std::vector<int>> calls;
  client.SetProgress([&calls](int stage, int number, int bytes) {
    calls.push_back({stage, number, bytes});
    return 1;
  });
  std::string raw;
  ASSERT_TRUE(client.Retrieve(1, raw));
  EXPECT_EQ(raw, expected);
  ASSERT_GE(calls.size(), 2u);
  EXPECT_EQ(calls.front(), (std::vector<int>{kStageMessage, 1, 0}));
  int64_t total = 0;
  for (const std::vector<int>& call : calls) {
    EXPECT_EQ(call[0], kStageMessage);
    EXPECT_EQ(call[1], 1);
    total += call[2];
  }
  EXPECT_EQ(total, static_cast<int64_t>(wire.size()));
}

TEST(Pop3ClientTest, RetrieveFailuresLeaveNothing) {
  struct Case {
    const char* name;
    ScriptedServer::Step step;
    std::string error;
  };
  const std::vector<Case> cases = {
      {"refused", {"RETR 1", "-ERR no such message\r\n"}, "下载邮件失败。"},
      {"early close", {"RETR 1", "+OK\r\nSubject: cut\r\n\r\nhalf", After::kClose}, "下载邮件时服务器断开了连接。"},
      {"stall", {"RETR 1", "+OK\r\nSubject: slow\r\n", After::kStall}, "下载邮件超时。"},
      {"overlong line", {"RETR 1", "+OK\r\n" + std::string(kOverlong, 'x') + "\r\n.\r\n"}, "服务器发送的行过长。"},
  };
  for (const Case& c : cases) {
    ScriptedServer server({LoggedIn({c.step})});
    Pop3Client client;
    ASSERT_TRUE(ConnectTo(client, server)) << c.name;
    std::string raw = "stale";
    EXPECT_FALSE(client.Retrieve(1, raw)) << c.name;
    EXPECT_EQ(raw, "") << c.name;
    EXPECT_EQ(client.LastError(), c.error) << c.name;
  }
}

TEST(Pop3ClientTest, ProgressRoutineCanStopTheDownload) {
  ScriptedServer server({LoggedIn({{"RETR 1", "+OK\r\nSubject: x\r\n\r\nbody\r\n.\r\n"}})});
  Pop3Client client;
  ASSERT_TRUE(ConnectTo(client, server));
  client.SetProgress([](int, int, int bytes) { return bytes == 0 ? 1 : 0; });
  std::string raw;
  EXPECT_FALSE(client.Retrieve(1, raw));
  EXPECT_EQ(client.LastError(), "下载已取消。");
  EXPECT_FALSE(client.IsConnected());
}

}  // namespace
}  // namespace vostrel::pop3
