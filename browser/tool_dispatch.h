#pragma once

namespace vostrel::core {
class Program;
}

namespace vostrel::browser {

// Runs the command of tool button `index` (0 to 6); any other index does nothing.
void DispatchToolButton(core::Program& program, int index);

}  // namespace vostrel::browser
