// Reading a mail: the text or HTML pane, the attachment names, the menus'
// focus and pop-up rules, select-all, copy and the tool buttons.
#include <gtest/gtest.h>

#include <filesystem>

#include "browser/mail_view.h"
#include "platform/gui/test_driver.h"
#include "platform/text/encoding.h"
#include "tests/browser/program_harness.h"
#include "tests/support/loopback_listener.h"

namespace vostrel::test {
namespace {

namespace driver = gui::test_driver;

class MailView : public ::testing::Test {
 protected:
  void SetUp() override {
    harness_.AddMails({
        {.id = "t1", .subject = "纯文本", .text = "正文一", .attachment_count = 2},
        {.id = "h1", .subject = "网页", .text = "", .html = "<p>网页正文</p>"},
        {.id = "b1", .subject = "空白", .text = " ", .html = "<p>not shown</p>"},
        {.id = "n1", .subject = "无标记", .text = "x"},
        {.id = "", .subject = "待发一", .status = 2},
        {.id = "", .subject = "待发二", .status = 2},
    });
    harness_.AddAttachments({{.mail_id = "t1", .file_name = "同名.txt", .data = "1"},
                             {.mail_id = "n1", .file_name = "hidden.txt", .data = "2"},
                             {.mail_id = "t1", .file_name = "同名.txt", .data = "3"},
                             {.mail_id = "t1", .file_name = "a.bin", .data = "4"}});
    harness_.Start();
  }
  core::MainWindow& w() { return harness_.window(); }
  std::vector<std::string> AttachmentRows() {
    std::vector<std::string> rows;
    for (int r = 0; r < w().attachment_list->RowCount(); ++r) rows.push_back(w().attachment_list->CellText(r, 0));
    return rows;
  }
  void Click(int row) { driver::ClickRow(*w().mail_list, row); }

  ProgramHarness harness_;
};

TEST_F(MailView, PlainTextMailShowsTextAndAttachmentsInStoreOrder) {
  Click(0);
  EXPECT_EQ(w().subject_label->Caption(), "纯文本");
  EXPECT_TRUE(w().mail_text_box->Visible());
  EXPECT_FALSE(w().mail_html_viewer->Visible());
  EXPECT_EQ(w().mail_text_box->Text(), "正文一");
  EXPECT_EQ(AttachmentRows(), (std::vector<std::string>{"同名.txt", "同名.txt", "a.bin"}));
}

TEST_F(MailView, OnlyEmptyTextSelectsHtmlAndEveryClickRewritesTheScratchPage) {
  Click(2);  // a single blank is text
  EXPECT_TRUE(w().mail_text_box->Visible());
  EXPECT_EQ(w().mail_text_box->Text(), " ");

  Click(1);
  EXPECT_FALSE(w().mail_text_box->Visible());
  EXPECT_TRUE(w().mail_html_viewer->Visible());
  const std::string page = harness_.Path("temp.html");
  EXPECT_NE(text::GbkToUtf8(ReadWholeFile(page)).find("<p>网页正文</p>"), std::string::npos);
  EXPECT_NE(w().mail_html_viewer->PlainText().find("网页正文"), std::string::npos);
  EXPECT_EQ(w().mail_text_box->Text(), " ");  // the hidden pane keeps its content

  std::filesystem::remove(page);
  Click(1);
  EXPECT_TRUE(std::filesystem::exists(page));
}

TEST_F(MailView, ClickBelowRowsClearsAttachmentsAndKeepsTheMailShown) {
  Click(0);
  driver::ClickBelowRows(*w().mail_list);
  EXPECT_EQ(w().mail_list->CurrentRow(), -1);
  EXPECT_TRUE(AttachmentRows().empty());
  EXPECT_EQ(w().subject_label->Caption(), "纯文本");
  EXPECT_EQ(w().mail_text_box->Text(), "正文一");
}

TEST_F(MailView, KeyboardMovesDoNotShowAMail) {
  Click(0);
  driver::PressKey(*w().mail_list, "Down");
  EXPECT_EQ(w().mail_list->CurrentRow(), 1);
  EXPECT_EQ(w().subject_label->Caption(), "纯文本");
}

TEST_F(MailView, WithoutTheMarkNoAttachmentIsListed) {
  Click(3);
  EXPECT_EQ(w().subject_label->Caption(), "无标记");
  EXPECT_TRUE(AttachmentRows().empty());
}

TEST_F(MailView, MailsWithTheEmptyIdentifierShowTheFirstOfThem) {
  w().folder_tree->Select(2);
  ASSERT_EQ(w().mail_list->RowCount(), 2);
  Click(1);
  EXPECT_EQ(w().subject_label->Caption(), "待发一");
}

TEST_F(MailView, FocusRuleSwitchesTheFiveItemsTogether) {
  const std::vector<gui::MenuItem*> items = {w().edit_delete_item, w().select_all_item, w().reply_item,
                                             w().raw_message_item, w().mail_delete_item};
  const auto all_enabled = [&](bool enabled) {
    for (auto* item : items)
      if (item->IsEnabled() != enabled) return false;
    return true;
  };
  EXPECT_TRUE(all_enabled(false));  // the window's design
  driver::GiveFocus(*w().mail_list);
  EXPECT_TRUE(all_enabled(false));  // no row selected
  EXPECT_EQ(harness_.program().state.focused_list_name, "");
  Click(0);
  driver::TakeFocus(*w().mail_list);
  EXPECT_TRUE(all_enabled(false));
  driver::GiveFocus(*w().mail_list);
  EXPECT_TRUE(all_enabled(true));
  EXPECT_EQ(harness_.program().state.focused_list_name, "超级列表框1");
}

TEST_F(MailView, PopUpRuleFollowsTheCurrentRow) {
  driver::RightClickRow(*w().mail_list, -1);
  EXPECT_TRUE(w().mail_menu->IsPoppedUp());
  EXPECT_FALSE(w().reply_item->IsEnabled());
  EXPECT_FALSE(w().raw_message_item->IsEnabled());
  w().mail_menu->ClosePopup();
  driver::RightClickRow(*w().mail_list, 1);
  EXPECT_TRUE(w().reply_item->IsEnabled());
  EXPECT_TRUE(w().raw_message_item->IsEnabled());
  EXPECT_FALSE(w().mail_delete_item->IsEnabled());  // the other items keep their state
  w().mail_menu->ClosePopup();
}

TEST_F(MailView, SelectAllActsOnTheListLastFocused) {
  Click(0);
  driver::GiveFocus(*w().mail_list);
  driver::ClickMenuItem(*w().select_all_item);
  EXPECT_EQ(w().mail_list->SelectedRows().size(), 4u);
  harness_.program().state.focused_list_name = "超级列表框2";
  w().select_all_item->SetEnabled(true);
  driver::ClickMenuItem(*w().select_all_item);
  EXPECT_EQ(w().attachment_list->SelectedRows().size(), 3u);
}

TEST_F(MailView, CopyTakesTheTextPaneEvenWhileHtmlShows) {
  Click(0);
  w().mail_text_box->Select(0, 2);
  Click(1);
  ASSERT_TRUE(w().mail_html_viewer->Visible());
  driver::ClickMenuItem(*w().copy_item);
  EXPECT_EQ(harness_.desktop().ClipboardText(), "正文");
}

TEST_F(MailView, ToolButtonsRunTheirCommandsWhateverTheMenus) {
  std::vector<int> ran;
  auto& c = harness_.program().commands;
  c.open_reply = [&] { ran.push_back(3); };
  c.delete_selected_mails = [&] { ran.push_back(4); };
  ASSERT_FALSE(w().reply_item->IsEnabled());
  driver::ClickToolButton(*w().tool_bar, 3);
  driver::ClickToolButton(*w().tool_bar, 4);
  EXPECT_EQ(ran, (std::vector<int>{3, 4}));
  driver::ClickToolButton(*w().tool_bar, 6);
  const auto launched = harness_.desktop().CallsOf(gui::ScriptedDesktop::Kind::WebBrowser);
  ASSERT_EQ(launched.size(), 1u);
  EXPECT_EQ(launched[0].text.rfind("https://", 0), 0u);
}

TEST(MailViewPrivacy, RemoteImagesAreNeverFetchedAndInlineImagesAreServed) {
  LoopbackListener listener;
  const std::string remote = "http://127.0.0.1:" + std::to_string(listener.Port());
  ProgramHarness harness;
  harness.AddMails({{.id = "p1", .subject = "track", .attachment_count = 1,
                     .html = "<img src=\"" + remote + "/pixel.png\"><link rel=stylesheet href=\"" + remote +
                             "/s.css\"><img src=\"pic.png\"><script>location='" + remote + "'</script>"}});
  harness.AddAttachments({{.mail_id = "p1", .file_name = "pic.png", .data = "PNGDATA", .is_inline = true}});
  harness.Start();
  driver::ClickRow(*harness.window().mail_list, 0);
  driver::RunEventsFor(300);
  EXPECT_EQ(listener.Accepted(), 0);
  EXPECT_EQ(browser::InlineImageOfShownMail(harness.program(), "pic.png"), std::optional<std::string>("PNGDATA"));
  EXPECT_EQ(browser::InlineImageOfShownMail(harness.program(), remote + "/pixel.png"), std::optional<std::string>(""));
}

}  // namespace
}  // namespace vostrel::test
