// The one place that knows every subsystem: it fills the program's command
// table that menus, pop-up menus and tool buttons run.
#include "app/program_start.h"
#include "browser/about_window.h"
#include "core/program.h"

namespace vostrel::app {

void BindCommands(core::Program& program) {
  core::Commands& c = program.commands;
  c.open_about_window = [] { browser::ShowAboutWindow(); };
}

}  // namespace vostrel::app
