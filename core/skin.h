#pragma once

namespace vostrel::core {

class Program;

inline constexpr int kStartupSkinNumber = 6;

// Writes the skin library beside the program when it is missing, hidden.
void EnsureSkinLibrary(Program& program);
// Ensures the library and dresses the windows with skin n (1 to 33; any other
// n hands the library no data).
void ApplySkin(Program& program, int n);

}  // namespace vostrel::core
