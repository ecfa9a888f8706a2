#include "browser/tool_dispatch.h"

#include <functional>

#include "core/program.h"

namespace vostrel::browser {

void DispatchToolButton(core::Program& program, int index) {
  core::Commands& c = program.commands;
  const std::function<void()>* const by_button[] = {&c.receive_new_mail,      &c.send_queued_mails,
                                                    &c.open_new_mail,         &c.open_reply,
                                                    &c.delete_selected_mails, &c.open_find_mail_window,
                                                    &c.open_home_page};
  if (index < 0 || index >= static_cast<int>(std::size(by_button))) return;
  core::RunCommand(*by_button[index]);
}

}  // namespace vostrel::browser
