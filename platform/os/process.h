#pragma once

#include <string>
#include <vector>

namespace vostrel::os {

// Starts argv[0] (searched on PATH when it holds no '/') with these
// arguments, without a shell and without waiting for it. The program is
// detached, so it leaves no zombie behind. True when it was started.
bool StartCommand(const std::vector<std::string>& argv);

}  // namespace vostrel::os
