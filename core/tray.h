#pragma once

namespace vostrel::core {

class Program;

inline constexpr const char* kTrayTip = "Vostrelv1.0";

// Puts the program's icon with its tip into the notification area.
void SetTrayIcon(Program& program);

}  // namespace vostrel::core
