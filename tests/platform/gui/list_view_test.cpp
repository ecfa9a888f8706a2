#include "platform/gui/event_loop.h"
#include "platform/gui/list_view.h"

#include <QAbstractItemView>
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "platform/gui/test_driver.h"
#include "platform/gui/window.h"

namespace vostrel::gui {
namespace {

namespace drive = test_driver;

struct Counts {
  int clicks = 0;
  int right_clicks = 0;
  int double_clicks = 0;
  int mouse_downs = 0;
  int got_focus = 0;
  int lost_focus = 0;
};

class ListViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    list = window.Add<ListView>("list", 10, 10, 400, 300);
    list->AddColumn("", 50);
    list->AddColumn("name", 100);
    for (int row = 0; row < 5; ++row) {
      list->SetCell(list->AddRow(), 0, "id" + std::to_string(row));
    }
    list->on_click = [this] { ++counts.clicks; };
    list->on_right_click = [this] { ++counts.right_clicks; };
    list->on_double_click = [this] { ++counts.double_clicks; };
    list->on_mouse_down = [this] { ++counts.mouse_downs; };
    list->on_got_focus = [this] { ++counts.got_focus; };
    list->on_lost_focus = [this] { ++counts.lost_focus; };
    window.Show();
  }

  Window window{"list test", 0, 0, 500, 400};
  ListView* list = nullptr;
  Counts counts;
};

TEST_F(ListViewTest, CellsKeepTextAndIgnoreUnknownPlaces) {
  list->SetCell(1, 1, "名字");
  list->SetCell(99, 0, "x");
  list->SetCell(1, 7, "x");
  EXPECT_EQ(list->CellText(1, 1), "名字");
  EXPECT_EQ(list->CellText(1, 0), "id1");
  EXPECT_EQ(list->CellText(2, 1), "");
  EXPECT_EQ(list->CellText(99, 0), "");
  EXPECT_EQ(list->RowCount(), 5);
  list->Clear();
  EXPECT_EQ(list->RowCount(), 0);
  EXPECT_EQ(list->CurrentRow(), -1);
}

TEST_F(ListViewTest, ClickSelectsRowAndFiresClickEvenWhenSelectionStays) {
  drive::ClickRow(*list, 2);
  EXPECT_EQ(list->CurrentRow(), 2);
  drive::ClickRow(*list, 2);
  EXPECT_EQ(counts.clicks, 2);
  EXPECT_EQ(counts.mouse_downs, 2);
  EXPECT_EQ(counts.got_focus, 1);
}

TEST_F(ListViewTest, KeyboardMovesSelectionWithoutClick) {
  drive::ClickRow(*list, 1);
  const int clicks = counts.clicks;
  int changes = 0;
  list->on_selection_changed = [&] { ++changes; };
  drive::PressKey(*list, "Down");
  EXPECT_EQ(list->CurrentRow(), 2);
  EXPECT_EQ(counts.clicks, clicks);
  EXPECT_GE(changes, 1);
}

TEST_F(ListViewTest, CurrentRowIsLowestSelectedRow) {
  list->SelectRow(3);
  list->SelectRow(1);
  list->SelectRow(4);
  EXPECT_EQ(list->CurrentRow(), 1);
  EXPECT_EQ(list->SelectedRows(), (std::vector<int>{1, 3, 4}));
  list->ClearSelection();
  EXPECT_EQ(list->CurrentRow(), -1);
  list->SelectAll();
  EXPECT_EQ(list->SelectedRows().size(), 5u);
}

TEST_F(ListViewTest, ClickBelowRowsClearsSelectionAndStillClicks) {
  list->SelectRow(0);
  list->SelectRow(3);
  drive::ClickBelowRows(*list);
  EXPECT_EQ(list->CurrentRow(), -1);
  EXPECT_TRUE(list->SelectedRows().empty());
  EXPECT_EQ(counts.clicks, 1);
}

TEST_F(ListViewTest, RightAndDoubleClicksReportTheirOwnEvents) {
  drive::RightClickRow(*list, 3);
  EXPECT_EQ(counts.right_clicks, 1);
  EXPECT_EQ(counts.clicks, 0);
  EXPECT_EQ(list->CurrentRow(), 3);
  drive::RightClickRow(*list, -1);
  EXPECT_EQ(counts.right_clicks, 2);
  drive::DoubleClickRow(*list, 1);
  EXPECT_EQ(counts.double_clicks, 1);
  EXPECT_EQ(counts.clicks, 1);  // the first press of the pair, not the closing release
  EXPECT_EQ(list->CurrentRow(), 1);
}

TEST_F(ListViewTest, FocusEventsFollowFocus) {
  auto* other = window.Add<ListView>("other", 10, 320, 100, 50);
  drive::GiveFocus(*list);
  EXPECT_TRUE(list->HasFocus());
  drive::GiveFocus(*other);
  EXPECT_EQ(counts.got_focus, 1);
  EXPECT_EQ(counts.lost_focus, 1);
}

TEST_F(ListViewTest, HeaderlessListGetsOneColumnOfNames) {
  auto* names = window.Add<ListView>("names", 10, 320, 100, 50);
  names->SetHeaderVisible(false);
  names->SetCell(names->AddRow(), 0, "a.txt");
  EXPECT_EQ(names->ColumnCount(), 1);
  EXPECT_EQ(names->CellText(0, 0), "a.txt");
}

TEST_F(ListViewTest, HundredThousandRowsFillQuickly) {
  list->Clear();
  for (int column = 2; column < 6; ++column) list->AddColumn("c", 50);
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < 100000; ++i) {
    const int row = list->AddRow();
    for (int column = 0; column < 6; ++column) list->SetCell(row, column, "cell text");
  }
  drive::RunEventsFor(0);
  const auto elapsed = std::chrono::steady_clock::now() - start;
  EXPECT_EQ(list->RowCount(), 100000);
  // Generous for the sanitizer build; an update per row takes many seconds.
  EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count(), 5000);
  drive::ClickRow(*list, 99999);
  EXPECT_EQ(list->CurrentRow(), 99999);
}

// Rows added one at a time with events run after each, as a folder is listed:
// the view learns of them in batches, and soon, not once per row.
TEST_F(ListViewTest, RowsAddedBetweenEventsReachTheViewInBatches) {
  auto* view = static_cast<QAbstractItemView*>(list->Widget());
  list->Clear();
  int announcements = 0;
  QObject::connect(view->model(), &QAbstractItemModel::rowsInserted, [&] { ++announcements; });
  for (int i = 0; i < 2000; ++i) {
    list->SetCell(list->AddRow(), 0, std::to_string(i));
    ProcessPendingEvents();
  }
  EXPECT_EQ(list->RowCount(), 2000);
  EXPECT_EQ(list->CellText(1999, 0), "1999");
  EXPECT_LT(announcements, 200);
  drive::RunEventsFor(100);
  EXPECT_EQ(view->model()->rowCount(), 2000);
}

}  // namespace
}  // namespace vostrel::gui
