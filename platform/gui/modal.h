#pragma once

#include <functional>

#include "platform/gui/window.h"

namespace vostrel::gui {

// Shows the window modally and returns when it has been closed.
void RunModal(Window& window);

// For tests: while a hook is set, RunModal shows the window (on_created runs),
// calls the hook, and closes the window if it is still open, without blocking.
// Modal windows opened from inside the hook reach the same hook.
void SetModalHook(std::function<void(Window&)> hook);
void ClearModalHook();

}  // namespace vostrel::gui
