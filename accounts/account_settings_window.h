#pragma once

namespace vostrel::core {
class Program;
}

namespace vostrel::accounts {

// Shows the account settings window modally; returns once it has closed and
// the folder tree has been built again.
void OpenAccountSettingsWindow(core::Program& program);

}  // namespace vostrel::accounts
