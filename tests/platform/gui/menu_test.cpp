#include "platform/gui/menu.h"

#include <gtest/gtest.h>

#include "platform/gui/edit_box.h"
#include "platform/gui/test_driver.h"
#include "platform/gui/tool_bar.h"
#include "platform/gui/window.h"

namespace vostrel::gui {
namespace {

namespace drive = test_driver;

class MenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Menu* file = window.MenuBar().AddMenu("文件(&F)");
    save = file->AddItem("保存为(&A)...", "Ctrl+S");
    file->AddSeparator();
    exit = file->AddItem("退出(&X)");
    save->on_click = [this] { ++saves; };
    exit->on_click = [this] { ++exits; };
    box = window.Add<EditBox>("box", 10, 10, 100, 20);
    window.Show();
  }

  Window window{"menu test", 0, 0, 300, 200};
  MenuItem* save = nullptr;
  MenuItem* exit = nullptr;
  EditBox* box = nullptr;
  int saves = 0;
  int exits = 0;
};

TEST_F(MenuTest, ItemsKeepCaptionShortcutAndOrder) {
  const Menu& file = *window.MenuBar().Menus().at(0);
  EXPECT_EQ(file.Caption(), "文件(&F)");
  ASSERT_EQ(file.Items().size(), 2u);
  EXPECT_EQ(file.Items()[0]->Shortcut(), "Ctrl+S");
  EXPECT_EQ(file.Items()[1]->Caption(), "退出(&X)");
  EXPECT_EQ(file.Items()[1]->Shortcut(), "");
}

TEST_F(MenuTest, AcceleratorAndClickWorkOnlyWhileEnabled) {
  drive::PressKey(*box, "Ctrl+S");
  drive::ClickMenuItem(*save);
  EXPECT_EQ(saves, 2);
  save->SetEnabled(false);
  EXPECT_FALSE(save->IsEnabled());
  drive::PressKey(*box, "Ctrl+S");
  drive::ClickMenuItem(*save);
  EXPECT_EQ(saves, 2);
  save->SetEnabled(true);
  drive::PressKey(*box, "Ctrl+S");
  EXPECT_EQ(saves, 3);
  EXPECT_EQ(exits, 0);
}

TEST_F(MenuTest, MenuBarMenuAlsoPopsUpWithoutBlocking) {
  Menu* file = window.MenuBar().Menus()[0].get();
  file->Popup();
  EXPECT_TRUE(file->IsPoppedUp());
  drive::ClickMenuItem(*exit);
  EXPECT_EQ(exits, 1);
  file->ClosePopup();
  EXPECT_FALSE(file->IsPoppedUp());
}

TEST_F(MenuTest, ToolBarReportsIndexOfButtonClicked) {
  auto* bar = window.Add<ToolBar>("bar", 0, 0, 300, 28);
  std::vector<int> clicked;
  bar->on_button_click = [&](int index) { clicked.push_back(index); };
  for (const char* caption : {"  收取  ", "  发送  ", "  撰写  "}) bar->AddButton(caption, 0);
  drive::ClickToolButton(*bar, 2);
  drive::ClickToolButton(*bar, 0);
  EXPECT_EQ(clicked, (std::vector<int>{2, 0}));
  EXPECT_GT(bar->Height(), 0);
}

}  // namespace
}  // namespace vostrel::gui
