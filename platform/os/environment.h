#pragma once

#include <optional>
#include <string>

namespace vostrel::os {

// The value of an environment variable, nullopt when it is not set. An exact
// name wins; otherwise the first variable whose name matches ignoring ASCII
// case, because callers name variables the way case-blind systems do.
std::optional<std::string> EnvironmentVariable(const std::string& name);

}  // namespace vostrel::os
