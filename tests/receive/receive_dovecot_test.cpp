// Receive runs against a real Dovecot POP3 server, and runs killed midway.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <thread>

#include "core/store_schemas.h"
#include "platform/gui/test_driver.h"
#include "platform/store/record_file.h"
#include "tests/browser/program_harness.h"
#include "tests/platform/pop3/dovecot_server.h"
#include "tests/receive/mail_fixtures.h"

namespace vostrel::test {
namespace {

namespace driver = gui::test_driver;

class ReceiveFromDovecot : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!DovecotServer::IsInstalled()) GTEST_SKIP() << "dovecot is not installed";
    ASSERT_TRUE(server_.Start());
  }
  void StartProgram() {
    harness_.WriteAccount(server_.address(), server_.user(), server_.password());
    harness_.Start();
  }
  void PressReceive() { driver::ClickToolButton(*harness_.window().tool_bar, 0); }

  // Each mail record's fields of interest, in store order.
  struct Stored {
    std::string id, subject, sender, name, reply, text, html, raw;
    double attachments, size, status;
  };
  std::vector<Stored> Mails() {
    auto& s = harness_.program().stores;
    s.SelectStore(core::kMailAlias);
    std::vector<Stored> mails;
    for (s.GoToFirstRecord(); s.CurrentRecord() < s.RecordCount(); s.SkipRecord())
      mails.push_back({s.ReadText(core::kMailId), s.ReadText(core::kSubject), s.ReadText(core::kSenderAddress),
                       s.ReadText(core::kSenderName), s.ReadText(core::kReplyAddress), s.ReadText(core::kPlainText),
                       s.ReadText(core::kHtmlText), s.ReadText(core::kRawSource),
                       s.ReadNumber(core::kAttachmentCount), s.ReadNumber(core::kMailSize),
                       s.ReadNumber(core::kMailStatusField)});
    return mails;
  }
  struct StoredAttachment {
    std::string mail_id, name, type, data;
    bool is_inline;
  };
  std::vector<StoredAttachment> Attachments() {
    auto& s = harness_.program().stores;
    s.SelectStore(core::kAttachmentAlias);
    std::vector<StoredAttachment> all;
    for (s.GoToFirstRecord(); s.CurrentRecord() < s.RecordCount(); s.SkipRecord())
      all.push_back({s.ReadText(core::kAttachmentMailId), s.ReadText(core::kAttachmentFileName),
                     s.ReadText(core::kAttachmentType), s.ReadBytes(core::kAttachmentData),
                     s.ReadNumber(core::kAttachmentInline) != 0});
    return all;
  }

  DovecotServer server_;
  ProgramHarness harness_;
};

TEST_F(ReceiveFromDovecot, FirstRunStoresEveryMessageOnceAndSecondRunNothing) {
  const std::vector<std::string> fixtures = {PlainMail("hello", "你好，世界"), MailWithTwoAttachments(),
                                             HtmlMailWithInlineImage()};
  for (const auto& raw : fixtures) ASSERT_TRUE(server_.AddMessage(raw));
  StartProgram();
  PressReceive();
  ASSERT_EQ(harness_.window().status_bar->Text(0), "接受完成");

  const auto mails = Mails();
  ASSERT_EQ(mails.size(), 3u);
  for (size_t i = 0; i < mails.size(); ++i) {
    EXPECT_FALSE(mails[i].id.empty());
    EXPECT_EQ(mails[i].raw, fixtures[i]);
    EXPECT_EQ(mails[i].size, static_cast<double>(fixtures[i].size()));  // as the server lists it
    EXPECT_EQ(mails[i].status, 1);
  }
  EXPECT_EQ(mails[0].subject, "hello");
  EXPECT_EQ(mails[0].name, "Zhang San");
  EXPECT_EQ(mails[0].text, "你好，世界\r\n");
  EXPECT_EQ(mails[1].subject, "报告");
  EXPECT_EQ(mails[1].name, "李四");
  EXPECT_EQ(mails[1].sender, "li@example.cn");
  EXPECT_EQ(mails[1].reply, "reply@example.cn");
  EXPECT_EQ(mails[1].attachments, 2);
  EXPECT_EQ(mails[2].text, "");
  EXPECT_NE(mails[2].html.find("<img src=\"pic.png\">"), std::string::npos) << mails[2].html;

  const auto attachments = Attachments();
  ASSERT_EQ(attachments.size(), 3u);
  EXPECT_EQ(attachments[0].mail_id, mails[1].id);
  EXPECT_EQ(attachments[0].name, "notes.txt");
  EXPECT_EQ(attachments[0].data, "hello world");
  EXPECT_EQ(attachments[1].name, "data.bin");
  EXPECT_EQ(attachments[1].data, std::string("\x00\x01\x02\x03\x04\x05\xff", 7));
  EXPECT_EQ(attachments[2].mail_id, mails[2].id);
  EXPECT_EQ(attachments[2].name, "pic.png");
  EXPECT_EQ(attachments[2].type, "image/png");
  EXPECT_TRUE(attachments[2].is_inline);

  EXPECT_EQ(harness_.MailListColumn(2), (std::vector<std::string>{"hello", "报告", "picture"}));
  EXPECT_EQ(harness_.MailListColumn(5), (std::vector<std::string>{"", "√", "√"}));
  EXPECT_EQ(harness_.MailListColumn(3)[2], "2021年3月5日9时30分15秒");

  PressReceive();
  EXPECT_EQ(Mails().size(), 3u);
  EXPECT_EQ(Attachments().size(), 3u);
  EXPECT_EQ(harness_.window().mail_list->RowCount(), 3);
}

TEST_F(ReceiveFromDovecot, PurgedMailIsNotFetchedAgainAndOnlyNewMailIsStored) {
  ASSERT_TRUE(server_.AddMessage(PlainMail("first", "1")));
  ASSERT_TRUE(server_.AddMessage(PlainMail("second", "2")));
  StartProgram();
  PressReceive();
  ASSERT_EQ(Mails().size(), 2u);

  auto& stores = harness_.program().stores;
  stores.SelectStore(core::kMailAlias);
  ASSERT_TRUE(stores.DeleteMatching([&] { return stores.ReadText(core::kSubject) == "first"; }));
  ASSERT_TRUE(stores.PurgeDeleted());
  ASSERT_TRUE(server_.AddMessage(PlainMail("third", "3")));
  PressReceive();
  const auto mails = Mails();
  ASSERT_EQ(mails.size(), 2u);
  EXPECT_EQ(mails[0].subject, "second");
  EXPECT_EQ(mails[1].subject, "third");
}

// A receive run in a child process killed at several points: afterwards one
// more run leaves every message stored exactly once with all its attachments.
TEST_F(ReceiveFromDovecot, KilledRunsLeaveEveryMessageStoredOnce) {
  constexpr int kMessages = 24;
  for (int i = 0; i < kMessages; ++i) ASSERT_TRUE(server_.AddMessage(GeneratedMail(i, i % 3 == 0, 20000)));
  harness_.WriteAccount(server_.address(), server_.user(), server_.password());
  const std::string folder = harness_.folder().path().string();
  const std::string seen_path = harness_.Path("xuhao.edb");

  const auto seen_count = [&] {
    auto file = store::RecordFile::Open(seen_path);
    return file ? file->Count() : -1;
  };
  std::vector<int64_t> killed_at;
  const auto run_child = [&](int64_t kill_after_seen) {
    const pid_t child = fork();
    if (child == 0) {
      execl(RECEIVE_CHILD, RECEIVE_CHILD, folder.c_str(), static_cast<char*>(nullptr));
      _exit(127);
    }
    int status = 0;
    if (kill_after_seen >= 0) {
      const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
      while (seen_count() < kill_after_seen && std::chrono::steady_clock::now() < deadline &&
             waitpid(child, &status, WNOHANG) == 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
      std::this_thread::sleep_for(std::chrono::microseconds(700 * kill_after_seen % 3000));
      kill(child, SIGKILL);
      killed_at.push_back(seen_count());
    }
    waitpid(child, &status, 0);
    return status;
  };
  for (int64_t point : {0, 1, 4, 9, 15, 21}) run_child(point);
  // The kills came while messages were still being stored.
  EXPECT_TRUE(std::any_of(killed_at.begin(), killed_at.end(),
                          [](int64_t seen) { return seen > 0 && seen < kMessages; }));
  const int status = run_child(-1);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;

  harness_.Start();
  std::map<std::string, int> mail_ids, seen_ids, attachment_ids;
  for (const auto& m : Mails()) {
    ++mail_ids[m.id];
    const int index = std::stoi(m.subject.substr(std::string("邮件").size()));
    EXPECT_EQ(m.attachments, index % 3 == 0 ? 2 : 0) << m.subject;
  }
  for (const auto& a : Attachments()) ++attachment_ids[a.mail_id];
  auto& stores = harness_.program().stores;
  stores.SelectStore(core::kSeenAlias);
  for (stores.GoToFirstRecord(); stores.CurrentRecord() < stores.RecordCount(); stores.SkipRecord())
    ++seen_ids[stores.ReadText(core::kMailId)];
  EXPECT_EQ(mail_ids.size(), static_cast<size_t>(kMessages));
  EXPECT_EQ(seen_ids.size(), static_cast<size_t>(kMessages));
  for (const auto& [id, count] : mail_ids) {
    EXPECT_EQ(count, 1) << id;
    EXPECT_EQ(seen_ids[id], 1) << id;
  }
  int with_attachments = 0;
  for (const auto& [id, count] : attachment_ids) {
    EXPECT_EQ(count, 2) << id;
    EXPECT_EQ(mail_ids.count(id), 1u) << id;
    ++with_attachments;
  }
  EXPECT_EQ(with_attachments, (kMessages + 2) / 3);
}

}  // namespace
}  // namespace vostrel::test
