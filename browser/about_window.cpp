#include "browser/about_window.h"

#include "core/program.h"
#include "platform/gui/button.h"
#include "platform/gui/label.h"
#include "platform/gui/modal.h"
#include "platform/gui/window.h"

namespace vostrel::browser {

void ShowAboutWindow() {
  gui::Window window("关于", 50, 50, 378, 129);
  window.Add<gui::Label>("标签1", 16, 6, 344, 17, core::kMainWindowTitle);
  window.Add<gui::Label>("标签2", 56, 32, 288, 24, "Vostrel 开发组 出品，版权所有");
  auto* ok = window.Add<gui::Button>("按钮1", 136, 72, 96, 24, "确定");
  ok->on_click = [&window] { window.Destroy(); };
  gui::RunModal(window);
}

}  // namespace vostrel::browser
