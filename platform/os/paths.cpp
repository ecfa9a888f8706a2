#include "platform/os/paths.h"

#include <limits.h>
#include <unistd.h>

namespace vostrel::os {

std::string ProgramFolder() {
  char buffer[PATH_MAX];
  const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer);
  if (length <= 0 || static_cast<size_t>(length) >= sizeof buffer) return ".";
  std::string path(buffer, static_cast<size_t>(length));
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  // An executable in "/" gives "", which JoinPath still turns into "/name".
  return path.substr(0, slash);
}

std::string JoinPath(const std::string& folder, const std::string& name) {
  return folder + "/" + name;
}

}  // namespace vostrel::os
