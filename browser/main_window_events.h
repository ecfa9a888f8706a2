#pragma once

namespace vostrel::core {
class Program;
}

namespace vostrel::browser {

// The main window's creation event: skin, stores, account check, tree, the
// received-mail folder listed, tray icon.
void MainWindowCreated(core::Program& program);

}  // namespace vostrel::browser
