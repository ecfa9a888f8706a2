#include "platform/os/environment.h"

#include <strings.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

extern char** environ;

namespace vostrel::os {

std::optional<std::string> EnvironmentVariable(const std::string& name) {
  if (name.empty() || name.find('=') != std::string::npos) return std::nullopt;
  if (const char* value = std::getenv(name.c_str())) return std::string(value);
  for (char** entry = environ; entry != nullptr && *entry != nullptr; ++entry) {
    const char* equals = std::strchr(*entry, '=');
    if (equals == nullptr || static_cast<size_t>(equals - *entry) != name.size()) continue;
    if (strncasecmp(*entry, name.c_str(), name.size()) == 0) return std::string(equals + 1);
  }
  return std::nullopt;
}

}  // namespace vostrel::os
