// The one place that knows every subsystem: it fills the program's command
// table that menus, pop-up menus and tool buttons run.
#include "accounts/account_settings_window.h"
#include "app/program_start.h"
#include "browser/about_window.h"
#include "browser/home_page.h"
#include "core/program.h"
#include "receive/receive_run.h"

namespace vostrel::app {

void BindCommands(core::Program& program) {
  core::Commands& c = program.commands;
  c.open_about_window = [] { browser::ShowAboutWindow(); };
  c.receive_new_mail = [&program] { receive::ReceiveNewMail(program); };
  c.open_account_settings = [&program] { accounts::OpenAccountSettingsWindow(program); };
  c.open_home_page = [&program] { browser::OpenHomePage(program); };
}

}  // namespace vostrel::app
