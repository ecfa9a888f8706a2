#pragma once

#include <string>

namespace vostrel::os {

// The folder holding the running executable, without a trailing separator.
// "." when the executable cannot be located.
std::string ProgramFolder();

// folder + separator + name.
std::string JoinPath(const std::string& folder, const std::string& name);

}  // namespace vostrel::os
