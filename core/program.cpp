#include "core/program.h"

#include "platform/os/paths.h"

namespace vostrel::core {

Program::Program(std::string folder, gui::Desktop& desktop_in)
    : desktop(desktop_in),
      skin_library(os::JoinPath(folder, kSkinLibraryName)),
      folder_(std::move(folder)) {}

Program::~Program() = default;

std::string Program::PathOf(const std::string& name) const { return os::JoinPath(folder_, name); }

gui::MessageBoxResult Program::ShowMessage(const std::string& text, gui::MessageButtons buttons, gui::MessageIcon icon,
                                        const std::string& caption) {
  return desktop.ShowMessage(text, caption, buttons, icon);
}

}  // namespace vostrel::core
