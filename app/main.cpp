#include "app/program_start.h"
#include "platform/gui/event_loop.h"
#include "platform/gui/qt_desktop.h"
#include "platform/os/paths.h"

int main() {
  vostrel::gui::InitApplication();
  // The interface is Chinese, standard message-box buttons included.
  vostrel::gui::UseToolkitTranslations("zh_CN");
  vostrel::gui::QtDesktop desktop;
  return vostrel::app::ProgramStart(vostrel::os::ProgramFolder(), desktop);
}
