// Runs one receive in the program folder given, as the program would when
// its user presses receive, then exits. The crash tests kill it midway.
#include <cstdlib>

#include "app/program_start.h"
#include "core/program.h"
#include "platform/gui/event_loop.h"
#include "platform/gui/scripted_desktop.h"
#include "receive/receive_run.h"

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  vostrel::gui::InitApplication();
  vostrel::gui::ScriptedDesktop desktop;
  vostrel::core::Program program(argv[1], desktop);
  vostrel::app::LoadMainWindow(program);
  vostrel::receive::ReceiveNewMail(program);
  return program.main_window.status_bar->Text(0) == "接受完成" ? 0 : 1;
}
