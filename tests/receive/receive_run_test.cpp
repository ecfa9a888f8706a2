// The receive run against a scripted POP3 peer: the texts, boxes and stores
// of each outcome, and the faults a real server will not produce on demand.
#include <gtest/gtest.h>

#include "core/store_schemas.h"
#include "platform/gui/event_loop.h"
#include "platform/gui/test_driver.h"
#include "receive/receive_run.h"
#include "tests/browser/program_harness.h"
#include "tests/platform/pop3/scripted_server.h"
#include "tests/receive/mail_fixtures.h"

namespace vostrel::test {
namespace {

namespace driver = gui::test_driver;
using Kind = gui::ScriptedDesktop::Kind;
using Script = ScriptedServer::Script;

std::string Listing(const std::vector<std::string>& lines) {
  std::string reply = "+OK\r\n";
  for (const auto& line : lines) reply += line + "\r\n";
  return reply + ".\r\n";
}

std::string Retrieved(const std::string& mail) { return "+OK\r\n" + mail + ".\r\n"; }

class ReceiveRun : public ::testing::Test {
 protected:
  void StartWith(ScriptedServer& server) {
    harness_.WriteAccount(server.address(), "user", "secret");
    harness_.Start();
  }
  void PressReceive() { driver::ClickToolButton(*harness_.window().tool_bar, 0); }
  std::string Status() { return harness_.window().status_bar->Text(0); }
  std::vector<std::string> StoredIds(const char* alias, const char* field) {
    auto& stores = harness_.program().stores;
    stores.SelectStore(alias);
    std::vector<std::string> ids;
    for (stores.GoToFirstRecord(); stores.CurrentRecord() < stores.RecordCount(); stores.SkipRecord())
      ids.push_back(stores.ReadText(field));
    return ids;
  }
  std::vector<std::string> MailIds() { return StoredIds(core::kMailAlias, core::kMailId); }
  std::vector<std::string> SeenIds() { return StoredIds(core::kSeenAlias, core::kMailId); }

  ProgramHarness harness_;
};

TEST_F(ReceiveRun, AccountItemSelectedAsksForAnAccountAndDoesNotConnect) {
  ScriptedServer server(std::vector<Script>{});
  StartWith(server);
  harness_.window().folder_tree->Select(0);
  PressReceive();
  EXPECT_EQ(Status(), "请选择你要收取邮件的帐户！");
  EXPECT_EQ(server.connections_accepted(), 0);
}

TEST_F(ReceiveRun, RefusedLoginShowsConnectFailure) {
  ScriptedServer server(std::vector<Script>{
      Script{{"", "+OK ready\r\n"}, {"USER user", "+OK\r\n"}, {"PASS secret", "-ERR denied\r\n"}}});
  StartWith(server);
  PressReceive();
  EXPECT_EQ(Status(), "连接收信服务器失败！");
  EXPECT_EQ(harness_.program().state.current_pop3_server, server.address());
  EXPECT_TRUE(MailIds().empty());
}

struct ReadFailure {
  const char* name;
  Script script;
  const char* box;
};

class ReceiveReadFailures : public ReceiveRun, public ::testing::WithParamInterface<ReadFailure> {};

TEST_P(ReceiveReadFailures, ShowTheErrorBoxAndStoreNothing) {
  ScriptedServer server({GetParam().script});
  StartWith(server);
  PressReceive();
  const auto boxes = harness_.desktop().CallsOf(Kind::Message);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, GetParam().box);
  EXPECT_EQ(boxes[0].caption, "读取邮件错误");
  EXPECT_EQ(boxes[0].buttons, gui::MessageButtons::Ok);
  EXPECT_EQ(boxes[0].icon, gui::MessageIcon::None);
  EXPECT_TRUE(MailIds().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, ReceiveReadFailures,
    ::testing::Values(ReadFailure{"Status", LoggedIn({{"STAT", "-ERR busy\r\n"}}), "获取邮件信息出错:获取邮件信息错误。"},
                      ReadFailure{"SizeList", LoggedIn({{"STAT", "+OK 1 10\r\n"}, {"LIST", "-ERR nope\r\n"}}),
                                  "获取邮件大小出错:没有这封邮件。"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ReceiveRun, EmptyMailboxFinishesWithBoxThenQuit) {
  const struct {
    const char* total;
    int64_t kilobytes;
  } totals[] = {{"1023", 0}, {"2048", 2}, {"3221225472", 3145728}};
  std::vector<Script> scripts;
  for (const auto& t : totals)
    scripts.push_back(LoggedIn({{"STAT", std::string("+OK 0 ") + t.total + "\r\n"},
                                {"LIST", Listing({})},
                                {"QUIT", "+OK bye\r\n"}}));
  ScriptedServer server(scripts);
  StartWith(server);
  for (const auto& t : totals) {
    harness_.desktop().ClearCalls();
    PressReceive();
    EXPECT_EQ(harness_.program().state.total_mail_size, t.kilobytes) << t.total;
    EXPECT_EQ(Status(), "接受完成");
    const auto boxes = harness_.desktop().CallsOf(Kind::Message);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "接受邮件完毕！");
    EXPECT_EQ(boxes[0].caption, "接受完成");
    EXPECT_EQ(boxes[0].icon, gui::MessageIcon::Information);
  }
  EXPECT_EQ(server.received().back(), "QUIT");
}

TEST_F(ReceiveRun, ProgressTextNamesTotalCountAndMessage) {
  ScriptedServer server(std::vector<Script>{});
  StartWith(server);
  harness_.program().state.total_mail_size = 2050;
  EXPECT_EQ(receive::ReceiveProgress(harness_.program(), 7, 3, 3, 512), 1);
  EXPECT_EQ(Status(), "邮件总大小：2050k   共有 7 个邮件     3/7");
  harness_.window().status_bar->SetText(0, "kept");
  EXPECT_EQ(receive::ReceiveProgress(harness_.program(), 7, 1, 0, 0), 1);
  EXPECT_EQ(Status(), "kept");
}

// Message 2 has no identifier and message 3 breaks off: neither is stored,
// the status names both, and the next run fetches exactly those two.
TEST_F(ReceiveRun, FailedIdentifierAndDownloadAreFetchedByTheNextRun) {
  const std::string sizes = Listing({"1 100", "2 200", "3 300"});
  ScriptedServer server(
      {LoggedIn({{"STAT", "+OK 3 600\r\n"},
                 {"LIST", sizes},
                 {"UIDL", Listing({"1 id-a", "3 id-c"})},
                 {"RETR 1", Retrieved(PlainMail("one", "first"))},
                 {"UIDL 2", "-ERR no such message\r\n"},
                 {"RETR 3", "+OK\r\nFrom: x@example.cn\r\nSubject: cut", ScriptedServer::After::kClose}}),
       LoggedIn({{"STAT", "+OK 3 600\r\n"},
                 {"LIST", sizes},
                 {"UIDL", Listing({"1 id-a", "2 id-b", "3 id-c"})},
                 {"RETR 2", Retrieved(PlainMail("two", "second"))},
                 {"RETR 3", Retrieved(MailWithTwoAttachments())},
                 {"QUIT", "+OK\r\n"}})});
  StartWith(server);
  PressReceive();
  EXPECT_EQ(MailIds(), std::vector<std::string>{"id-a"});
  EXPECT_EQ(SeenIds(), std::vector<std::string>{"id-a"});
  EXPECT_NE(Status().find("2、3"), std::string::npos) << Status();
  EXPECT_EQ(harness_.MailListColumn(4), std::vector<std::string>{"100"});

  PressReceive();
  EXPECT_EQ(MailIds(), (std::vector<std::string>{"id-a", "id-b", "id-c"}));
  EXPECT_EQ(SeenIds(), (std::vector<std::string>{"id-a", "id-b", "id-c"}));
  EXPECT_EQ(StoredIds(core::kAttachmentAlias, core::kAttachmentMailId),
            (std::vector<std::string>{"id-c", "id-c"}));
  EXPECT_EQ(harness_.MailListColumn(4), (std::vector<std::string>{"100", "200", "300"}));
  EXPECT_EQ(Status(), "接受完成");
}

TEST_F(ReceiveRun, PressingReceiveDuringARunStartsNoSecondRun) {
  ScriptedServer server({LoggedIn({{"STAT", "+OK 1 100\r\n"},
                                   {"LIST", Listing({"1 100"})},
                                   {"UIDL", Listing({"1 only"})},
                                   {"RETR 1", Retrieved(PlainMail("x", "y"))},
                                   {"QUIT", "+OK\r\n"}}),
                         LoggedIn({{"STAT", "+OK 0 0\r\n"}})});
  StartWith(server);
  int pressed = 0;
  gui::PostTask([&] {
    ++pressed;
    PressReceive();  // inside the run's first yield
  });
  PressReceive();
  EXPECT_EQ(pressed, 1);
  EXPECT_EQ(server.connections_accepted(), 1);
  EXPECT_EQ(MailIds(), std::vector<std::string>{"only"});
}

TEST_F(ReceiveRun, RowsAreAppendedWhateverFolderIsShown) {
  ScriptedServer server({LoggedIn({{"STAT", "+OK 1 100\r\n"},
                                   {"LIST", Listing({"1 100"})},
                                   {"UIDL", Listing({"1 new-one"})},
                                   {"RETR 1", Retrieved(PlainMail("x", "y"))},
                                   {"QUIT", "+OK\r\n"}})});
  StartWith(server);
  harness_.window().folder_tree->Select(4);  // the sent folder, still under the account
  PressReceive();
  EXPECT_EQ(harness_.MailListColumn(0), std::vector<std::string>{"new-one"});
  harness_.window().folder_tree->Select(1);
  EXPECT_EQ(harness_.MailListColumn(0), std::vector<std::string>{"new-one"});
}

}  // namespace
}  // namespace vostrel::test
