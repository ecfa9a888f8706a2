#include "accounts/account_settings_window.h"

#include "accounts/account_settings.h"
#include "core/program.h"
#include "platform/gui/button.h"
#include "platform/gui/group_box.h"
#include "platform/gui/label.h"
#include "platform/gui/modal.h"

namespace vostrel::accounts {
namespace {

// Places inside the group box are given relative to it; its controls sit in
// the window over it.
constexpr int kGroupLeft = 8;
constexpr int kGroupTop = 8;

class GroupPlacer {
 public:
  explicit GroupPlacer(gui::Window& window) : window_(window) {}

  void AddLabel(const char* name, int left, int top, int width, int height, const char* caption) {
    window_.Add<gui::Label>(name, kGroupLeft + left, kGroupTop + top, width, height, caption);
  }
  gui::EditBox* AddEdit(const char* name, int left, int top, int width, int height,
                        gui::EditBoxStyle style = {}) {
    return window_.Add<gui::EditBox>(name, kGroupLeft + left, kGroupTop + top, width, height, style);
  }

 private:
  gui::Window& window_;
};

AccountSettingsBoxes AddGroup(gui::Window& window) {
  window.Add<gui::GroupBox>("分组框1", kGroupLeft, kGroupTop, 448, 224, "设置");
  GroupPlacer group(window);
  AccountSettingsBoxes boxes;
  group.AddLabel("发送邮件服务器标签", 16, 16, 160, 20, "发送邮件服务器（SMTP）：");
  boxes.smtp_server = group.AddEdit("发送邮件服务器编辑框", 16, 40, 416, 20);
  group.AddLabel("标签2", 208, 16, 208, 24, "例子：smtp.example.cn");
  group.AddLabel("标签4", 16, 64, 160, 20, "接收邮件服务器（POP3）：");
  boxes.pop3_server = group.AddEdit("接收邮件服务器编辑框", 16, 88, 416, 20);
  group.AddLabel("标签3", 208, 64, 208, 24, "例子：pop.example.cn");
  group.AddLabel("标签5", 16, 112, 160, 20, "POP3邮箱帐号：");
  boxes.pop3_account = group.AddEdit("POP3邮箱帐号编辑框", 16, 136, 416, 20);
  group.AddLabel("标签7", 208, 112, 184, 24, "例子：xiaoming@example.cn");
  group.AddLabel("标签6", 16, 160, 160, 20, "密码：");
  boxes.password = group.AddEdit("密码编辑框", 16, 184, 176, 20, {.password = true});
  group.AddLabel("标签1", 240, 160, 160, 20, "回复地址：");
  boxes.reply_address = group.AddEdit("回复地址编辑框", 240, 185, 192, 20);
  return boxes;
}

}  // namespace

void OpenAccountSettingsWindow(core::Program& program) {
  gui::Window window("用户信箱设置", 50, 50, 463, 308);
  const AccountSettingsBoxes boxes = AddGroup(window);
  auto* ok = window.Add<gui::Button>("确定按钮", 80, 242, 88, 24, "确定");
  auto* cancel = window.Add<gui::Button>("取消按钮", 264, 242, 88, 24, "取消");
  window.on_created = [&program, &boxes] { FillAccountSettings(program, boxes); };
  ok->on_click = [&program, &boxes, &window] { SaveAccountSettings(program, boxes, window); };
  cancel->on_click = [&window] { window.Destroy(); };
  window.on_destroying = [&program] { AccountSettingsClosed(program); };
  gui::RunModal(window);
}

}  // namespace vostrel::accounts
