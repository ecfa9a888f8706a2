#pragma once

namespace vostrel::core {
class Program;
}

namespace vostrel::browser {

// Creates the main window with every control at its designed place, its menus
// with their shortcuts and start states, and binds its events to the handlers
// and to the program's commands. The window is not shown yet.
void BuildMainWindow(core::Program& program);

}  // namespace vostrel::browser
