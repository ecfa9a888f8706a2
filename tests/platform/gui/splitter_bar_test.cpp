#include "platform/gui/splitter_bar.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "platform/gui/test_driver.h"
#include "platform/gui/window.h"

namespace vostrel::gui {
namespace {

namespace drive = test_driver;

class SplitterBarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window.Show();
    vertical = window.Add<SplitterBar>("vertical", 130, 10, 5, 200, SplitterOrientation::kVertical);
    horizontal =
        window.Add<SplitterBar>("horizontal", 10, 210, 300, 20, SplitterOrientation::kHorizontal);
    for (SplitterBar* bar : {vertical, horizontal}) {
      bar->on_drag = [this](int old_position, int new_position) {
        drags.emplace_back(old_position, new_position);
      };
    }
  }

  Window window{"splitter test", 0, 0, 400, 300};
  SplitterBar* vertical = nullptr;
  SplitterBar* horizontal = nullptr;
  std::vector<std::pair<int, int>> drags;
};

TEST_F(SplitterBarTest, DragReportsOldAndNewPlaceAndLeavesBarWhereItWas) {
  drive::DragSplitter(*vertical, 30);
  drive::DragSplitter(*horizontal, -40);
  EXPECT_EQ(drags, (std::vector<std::pair<int, int>>{{130, 160}, {210, 170}}));
  EXPECT_EQ(vertical->Left(), 130);
  EXPECT_EQ(horizontal->Top(), 210);
}

TEST_F(SplitterBarTest, PlaceStaysInsideClientArea) {
  drive::DragSplitter(*vertical, -1000);
  drive::DragSplitter(*vertical, 5000);
  drive::DragSplitter(*horizontal, 5000);
  ASSERT_EQ(drags.size(), 3u);
  EXPECT_EQ(drags[0].second, 0);
  EXPECT_EQ(drags[1].second, window.ClientWidth() - 5);
  EXPECT_EQ(drags[2].second, window.ClientHeight() - 20);
}

TEST_F(SplitterBarTest, EscapeAndReleaseInPlaceReportNothing) {
  drive::DragSplitter(*vertical, 30, /*cancel_with_escape=*/true);
  drive::DragSplitter(*vertical, 0);
  EXPECT_TRUE(drags.empty());
  EXPECT_FALSE(vertical->IsDragging());
  // After a cancelled drag the next one works normally.
  drive::DragSplitter(*vertical, 10);
  EXPECT_EQ(drags, (std::vector<std::pair<int, int>>{{130, 140}}));
}

TEST_F(SplitterBarTest, HandlerMovingBarMakesNextDragStartThere) {
  vertical->on_drag = [this](int, int new_position) { vertical->SetLeft(new_position); };
  drive::DragSplitter(*vertical, 20);
  EXPECT_EQ(vertical->Left(), 150);
  vertical->on_drag = [this](int old_position, int new_position) {
    drags.emplace_back(old_position, new_position);
  };
  drive::DragSplitter(*vertical, -15);
  EXPECT_EQ(drags, (std::vector<std::pair<int, int>>{{150, 135}}));
}

}  // namespace
}  // namespace vostrel::gui
