#include "app/program_start.h"
#include "platform/gui/event_loop.h"
#include "platform/gui/qt_desktop.h"
#include "platform/os/paths.h"

int main() {
  vostrel::gui::InitApplication();
  vostrel::gui::QtDesktop desktop;
  return vostrel::app::ProgramStart(vostrel::os::ProgramFolder(), desktop);
}
