#include "core/tray.h"

#include <string>

#include "assets/assets.h"
#include "core/program.h"

namespace vostrel::core {

void SetTrayIcon(Program& program) {
  program.main_window.window->Tray().Set(std::string(assets::TrayIcon()), kTrayTip);
}

}  // namespace vostrel::core
