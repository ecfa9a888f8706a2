#pragma once

#include <functional>

namespace vostrel::core {

// The commands that menus, pop-up menus and tool buttons run. Each subsystem
// fills in its own when the program is put together; a command not yet bound
// is empty and does nothing.
struct Commands {
  std::function<void()> receive_new_mail;
  std::function<void()> send_queued_mails;
  std::function<void()> open_new_mail;
  std::function<void()> open_reply;
  std::function<void()> delete_selected_mails;
  std::function<void()> open_find_mail_window;
  std::function<void()> open_home_page;
  std::function<void()> export_mail_as_text;
  std::function<void()> show_raw_message;
  std::function<void()> open_account_settings;
  std::function<void()> open_about_window;
};

inline void RunCommand(const std::function<void()>& command) {
  if (command) command();
}

}  // namespace vostrel::core
