#pragma once

#include <string>

namespace vostrel::gui {
class Desktop;
}

namespace vostrel::core {
class Program;
}

namespace vostrel::app {

// Binds every built command to the program's menus and tool buttons.
void BindCommands(core::Program& program);

// Builds the main window, binds the commands and shows the window; its
// creation event then runs the start-up.
void LoadMainWindow(core::Program& program);

// The program's entry: state, exit routine, main window, message loop.
int ProgramStart(const std::string& folder, gui::Desktop& desktop);

}  // namespace vostrel::app
