#include "platform/gui/tree_view.h"

#include <gtest/gtest.h>

#include "platform/gui/test_driver.h"
#include "platform/gui/window.h"

namespace vostrel::gui {
namespace {

namespace drive = test_driver;

class TreeViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    tree = window.Add<TreeView>("tree", 4, 56, 128, 300);
    tree->AddItem("account", 0);
    for (const char* folder : {"收件箱", "发件箱", "已删除"}) tree->AddItem(folder, 1, 0);
    tree->AddItem("second account", 0);
    tree->AddItem("late child of 0", 2, 0);
    tree->Expand(0);
    tree->on_selection_changed = [this] { selected.push_back(tree->SelectedIndex()); };
    window.Show();
  }

  Window window{"tree test", 0, 0, 300, 400};
  TreeView* tree = nullptr;
  std::vector<int> selected;
};

TEST_F(TreeViewTest, IndexesCountInOrderOfAdding) {
  EXPECT_EQ(tree->ItemCount(), 6);
  EXPECT_EQ(tree->ItemText(1), "收件箱");
  EXPECT_EQ(tree->ItemText(5), "late child of 0");
  EXPECT_EQ(tree->ParentIndex(0), -1);
  EXPECT_EQ(tree->ParentIndex(3), 0);
  EXPECT_EQ(tree->ParentIndex(4), -1);
  EXPECT_EQ(tree->ParentIndex(5), 0);
  EXPECT_EQ(tree->SelectedIndex(), -1);
}

TEST_F(TreeViewTest, ProgramMouseAndKeyboardSelectionsAllReportTheChange) {
  tree->Select(1);
  drive::SelectTreeItemByMouse(*tree, 3);
  drive::SelectTreeItemByKey(*tree, "Up");
  EXPECT_EQ(selected, (std::vector<int>{1, 3, 2}));
}

TEST_F(TreeViewTest, SelectingUnknownIndexChangesNothing) {
  tree->Select(2);
  tree->Select(6);
  tree->Select(-1);
  EXPECT_EQ(tree->SelectedIndex(), 2);
  EXPECT_EQ(selected.size(), 1u);
}

TEST_F(TreeViewTest, ClearEmptiesTreeAndSelection) {
  tree->Select(1);
  tree->Clear();
  EXPECT_EQ(tree->ItemCount(), 0);
  EXPECT_EQ(tree->SelectedIndex(), -1);
  EXPECT_EQ(tree->AddItem("again", 0), 0);
}

}  // namespace
}  // namespace vostrel::gui
