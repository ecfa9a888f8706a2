// The folder tree, the mail list and the one date form.
#include <gtest/gtest.h>

#include "browser/date_text.h"
#include "browser/mail_list.h"
#include "platform/gui/event_loop.h"
#include "platform/gui/test_driver.h"
#include "tests/browser/program_harness.h"

namespace vostrel::test {
namespace {

namespace driver = gui::test_driver;

DateTime At(int64_t y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
  return ToDateTime(CivilTime{y, mo, d, h, mi, s});
}

TEST(DateText, FormsAndClamp) {
  const struct {
    DateTime when;
    const char* text;
  } cases[] = {
      {At(2013, 8, 24, 10, 5, 0), "2013年8月24日10时5分"},
      {At(2013, 8, 24, 0, 0, 0), "2013年8月24日"},
      {At(2013, 8, 24, 7, 0, 0), "2013年8月24日7时"},
      {At(2013, 8, 24, 0, 0, 9), "2013年8月24日0时0分9秒"},
      {At(2024, 2, 29, 23, 59, 59), "2024年2月29日23时59分59秒"},
      {DateTime{}, "1899年12月30日"},
      {DateTime{-1}, "1899年12月29日23时59分59秒"},
      {At(50, 6, 1, 12), "100年1月1日"},
      {At(12000, 1, 1), "9999年12月31日23时59分59秒"},
  };
  for (const auto& c : cases) EXPECT_EQ(browser::DateText(c.when), c.text);
}

class FolderList : public ::testing::Test {
 protected:
  void SetUp() override {
    harness_.AddMails({
        {.id = "r1", .sender_name = "张三", .subject = "第一封", .date = At(2013, 8, 24, 10, 5), .attachment_count = 2,
         .size = 2048, .status = 1},
        {.id = "s1", .subject = "已发", .status = 4},
        {.id = "", .sender_name = "小明", .subject = "待发", .status = 2},
        {.id = "r2", .sender_name = "李四", .subject = "第二封", .date = At(2014, 1, 2), .size = 10, .status = 1},
    });
    harness_.Start();
  }
  ProgramHarness harness_;
};

TEST_F(FolderList, TreeHoldsAccountAndFiveFoldersWithPictures) {
  const gui::TreeView& tree = *harness_.window().folder_tree;
  ASSERT_EQ(tree.ItemCount(), 6);
  EXPECT_EQ(tree.ParentIndex(0), -1);
  const char* names[] = {"收件箱", "待发邮件", "废件箱", "已发邮件", "归档"};
  for (int j = 1; j <= 5; ++j) {
    EXPECT_EQ(tree.ItemText(j), names[j - 1]);
    EXPECT_EQ(tree.ParentIndex(j), 0);
  }
}

TEST_F(FolderList, ReceivedFolderRowsInStoreOrderWithAllColumns) {
  auto& h = harness_;
  EXPECT_EQ(h.MailListColumn(0), (std::vector<std::string>{"r1", "r2"}));
  EXPECT_EQ(h.MailListColumn(1), (std::vector<std::string>{"张三", "李四"}));
  EXPECT_EQ(h.MailListColumn(2), (std::vector<std::string>{"第一封", "第二封"}));
  EXPECT_EQ(h.MailListColumn(3), (std::vector<std::string>{"2013年8月24日10时5分", "2014年1月2日"}));
  EXPECT_EQ(h.MailListColumn(4), (std::vector<std::string>{"2048", "10"}));
  EXPECT_EQ(h.MailListColumn(5), (std::vector<std::string>{"√", ""}));
}

TEST_F(FolderList, EachFolderListsItsStatusAndAccountItemListsNothing) {
  auto& tree = *harness_.window().folder_tree;
  driver::SelectTreeItemByMouse(tree, 2);
  EXPECT_EQ(harness_.MailListColumn(0), std::vector<std::string>{""});
  EXPECT_EQ(harness_.MailListColumn(3), std::vector<std::string>{"1899年12月30日"});
  EXPECT_EQ(harness_.MailListColumn(4), std::vector<std::string>{"0"});
  driver::SelectTreeItemByKey(tree, "Down");
  EXPECT_EQ(harness_.window().mail_list->RowCount(), 0);
  driver::SelectTreeItemByKey(tree, "Down");
  EXPECT_EQ(harness_.MailListColumn(0), std::vector<std::string>{"s1"});
  driver::SelectTreeItemByMouse(tree, 0);
  EXPECT_EQ(harness_.window().mail_list->RowCount(), 0);
}

// A folder selected while a listing yields ends that listing: no row of the
// old folder follows the new folder's rows.
TEST_F(FolderList, SelectingAnotherFolderDuringTheYieldEndsTheOlderListing) {
  auto& tree = *harness_.window().folder_tree;
  driver::SelectTreeItemByMouse(tree, 4);
  bool switched = false;
  gui::PostTask([&] {
    // Runs inside the first yield of the received-folder listing below; also
    // leaves another store current, as any handler may.
    harness_.program().stores.SelectStore("fujian");
    tree.Select(4);
    switched = true;
  });
  tree.Select(1);
  ASSERT_TRUE(switched);
  EXPECT_EQ(harness_.MailListColumn(0), std::vector<std::string>{"s1"});
}

TEST_F(FolderList, ListingGoesOnFromItsOwnRecordAfterTheYield) {
  auto& stores = harness_.program().stores;
  gui::PostTask([&] {
    stores.SelectStore("mail");
    stores.GoToFirstRecord();  // another handler moved the mail store's record
  });
  browser::ListFolderMails(harness_.program());
  EXPECT_EQ(harness_.MailListColumn(0), (std::vector<std::string>{"r1", "r2"}));
}

TEST(FolderListEmpty, EmptyMailStoreEmptiesTheList) {
  ProgramHarness harness;
  harness.Start();
  harness.window().mail_list->AddRow();
  driver::SelectTreeItemByMouse(*harness.window().folder_tree, 3);
  EXPECT_EQ(harness.window().mail_list->RowCount(), 0);
}

}  // namespace
}  // namespace vostrel::test
