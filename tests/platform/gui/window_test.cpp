#include "platform/gui/window.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/gui/button.h"
#include "platform/gui/event_loop.h"
#include "platform/gui/label.h"
#include "platform/gui/modal.h"
#include "platform/gui/test_driver.h"
#include "tests/support/temp_folder.h"

namespace vostrel::gui {
namespace {

namespace drive = test_driver;

struct Events {
  std::vector<std::string> seen;
  void Watch(Window& window) {
    window.on_created = [this] { seen.push_back("created"); };
    window.on_destroying = [this] { seen.push_back("destroying"); };
  }
};

TEST(WindowTest, CreatedOnShowAndDestroyingOnceWhenEventsRun) {
  Window window("主窗口", 50, 50, 800, 600);
  Events events;
  events.Watch(window);
  window.Show();
  EXPECT_TRUE(window.IsOpen());
  EXPECT_EQ(window.Width(), 800);
  window.Destroy();
  EXPECT_TRUE(window.IsOpen());  // asynchronous: nothing happens until events run
  window.Destroy();
  ProcessPendingEvents();
  EXPECT_FALSE(window.IsOpen());
  drive::CloseByCloseBox(window);
  EXPECT_EQ(events.seen, (std::vector<std::string>{"created", "destroying"}));
}

TEST(WindowTest, CloseBoxDestroysAndRemovesTrayIcon) {
  Window window("w", 0, 0, 200, 100);
  Events events;
  events.Watch(window);
  window.Show();
  window.Tray().Set("", "tip");
  drive::CloseByCloseBox(window);
  EXPECT_EQ(events.seen, (std::vector<std::string>{"created", "destroying"}));
  EXPECT_FALSE(window.Tray().IsShown());
}

TEST(WindowTest, ResizeFiresSizeChangedAndControlsClampNegativeSizes) {
  Window window("w", 0, 0, 300, 200);
  window.AddStatusBar({100, 200});
  int changes = 0;
  window.on_size_changed = [&] { ++changes; };
  auto* label = window.Add<Label>("label", 5, 5, 50, 12, "主题");
  window.Show();
  const int before = changes;
  window.Resize(640, 480);
  EXPECT_GT(changes, before);
  EXPECT_EQ(window.Width(), 640);
  EXPECT_EQ(window.Height(), 480);
  EXPECT_GT(window.StatusBar()->Height(), 0);
  EXPECT_LT(window.ClientHeight(), 480);
  label->MoveHorizontally(-3, -20);
  EXPECT_EQ(label->Left(), -3);
  EXPECT_EQ(label->Width(), 0);
  label->SetHeight(-1);
  EXPECT_EQ(label->Height(), 0);
  EXPECT_EQ(label->Caption(), "主题");
  window.StatusBar()->SetText(0, "正在收取");
  EXPECT_EQ(window.StatusBar()->Text(0), "正在收取");
  EXPECT_EQ(window.StatusBar()->Text(5), "");
}

TEST(WindowTest, GrabWritesPng) {
  test::TempFolder folder;
  Window window("w", 0, 0, 200, 100);
  window.Show();
  const std::string path = folder.File("shot.png");
  ASSERT_TRUE(drive::Grab(window, path));
  EXPECT_EQ(test::ReadWholeFile(path).substr(1, 3), "PNG");
}

TEST(ModalTest, HookActsInsideAndClosesWindowLeftOpen) {
  std::vector<std::string> seen;
  SetModalHook([&](Window& window) {
    seen.push_back("hook " + window.Title());
    if (window.Title() == "outer") {
      Window inner("inner", 0, 0, 100, 100);
      inner.on_destroying = [&] { seen.push_back("inner destroying"); };
      RunModal(inner);
      seen.push_back("inner returned");
    }
  });
  Window outer("outer", 0, 0, 100, 100);
  outer.on_created = [&] { seen.push_back("outer created"); };
  outer.on_destroying = [&] { seen.push_back("outer destroying"); };
  RunModal(outer);
  ClearModalHook();
  EXPECT_FALSE(outer.IsOpen());
  EXPECT_EQ(seen,
            (std::vector<std::string>{"outer created", "hook outer", "hook inner",
                                      "inner destroying", "inner returned", "outer destroying"}));
}

TEST(ModalTest, WithoutHookRunsUntilWindowCloses) {
  Window dialog("dialog", 0, 0, 200, 100);
  auto* ok = dialog.Add<Button>("ok", 10, 10, 80, 24, "确定");
  ok->on_click = [&] { dialog.Destroy(); };
  int destroyed = 0;
  dialog.on_destroying = [&] { ++destroyed; };
  // The click arrives from inside the modal loop, as a person's would.
  PostTask([&] { test_driver::ClickButton(*ok); });
  RunModal(dialog);
  EXPECT_FALSE(dialog.IsOpen());
  EXPECT_EQ(destroyed, 1);
}

}  // namespace
}  // namespace vostrel::gui

namespace vostrel::gui {
namespace {

// The toolkit's standard button texts follow the interface language.
TEST(ToolkitTranslations, ChineseButtonTextsWhenInstalledAndUnknownLocaleRefused) {
  EXPECT_FALSE(UseToolkitTranslations("xx_NOWHERE"));
  if (!UseToolkitTranslations("zh_CN")) GTEST_SKIP() << "qt6-translations-l10n is not installed";
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes").toStdString(), "是(&Y)");
}

}  // namespace
}  // namespace vostrel::gui
