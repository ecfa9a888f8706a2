#include "platform/gui/tray_icon.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/gui/test_driver.h"

namespace vostrel::gui {
namespace {

namespace drive = test_driver;

TEST(TrayIconTest, KeepsIconAndTipUntilRemoved) {
  TrayIcon tray;
  EXPECT_FALSE(tray.IsShown());
  tray.Set("icon bytes", "Vostrelv1.0");
  EXPECT_TRUE(tray.IsShown());
  EXPECT_EQ(tray.Tip(), "Vostrelv1.0");
  EXPECT_EQ(tray.IconBytes(), "icon bytes");
  tray.Remove();
  EXPECT_FALSE(tray.IsShown());
}

TEST(TrayIconTest, EachClickKindReportsItselfAndHoverNothing) {
  TrayIcon tray;
  tray.Set("", "tip");
  std::vector<TrayEvent> seen;
  tray.on_activated = [&](TrayEvent event) { seen.push_back(event); };
  drive::HoverTray(tray);
  for (TrayEvent event :
       {TrayEvent::LeftButtonUp, TrayEvent::LeftDoubleClick, TrayEvent::RightButtonUp}) {
    drive::ActivateTray(tray, event);
  }
  drive::HoverTray(tray);
  EXPECT_EQ(seen, (std::vector<TrayEvent>{TrayEvent::LeftButtonUp, TrayEvent::LeftDoubleClick,
                                          TrayEvent::RightButtonUp}));
  tray.Remove();
  drive::ActivateTray(tray, TrayEvent::LeftButtonUp);
  EXPECT_EQ(seen.size(), 3u);  // a removed icon cannot be clicked
}

}  // namespace
}  // namespace vostrel::gui
