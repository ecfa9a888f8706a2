#include "app/program_start.h"

#include "browser/main_window_builder.h"
#include "core/program.h"
#include "core/shutdown.h"
#include "platform/gui/event_loop.h"

namespace vostrel::app {

void LoadMainWindow(core::Program& program) {
  browser::BuildMainWindow(program);
  BindCommands(program);
  program.main_window.window->Show();
}

int ProgramStart(const std::string& folder, gui::Desktop& desktop) {
  core::Program program(folder, desktop);
  gui::RegisterExitRoutine([&program] { core::ProgramExitCleanup(program); });
  LoadMainWindow(program);
  return gui::RunEventLoop();
}

}  // namespace vostrel::app
