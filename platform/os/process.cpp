#include "platform/os/process.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <optional>

namespace vostrel::os {
namespace {

bool IsExecutableFile(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
         access(path.c_str(), X_OK) == 0;
}

// Resolved before forking: only async-signal-safe calls may run in the child.
std::optional<std::string> ResolveProgram(const std::string& program) {
  if (program.empty()) return std::nullopt;
  if (program.find('/') != std::string::npos) {
    return IsExecutableFile(program) ? std::optional(program) : std::nullopt;
  }
  const char* path_variable = std::getenv("PATH");
  const std::string search = path_variable ? path_variable : "/usr/local/bin:/usr/bin:/bin";
  size_t start = 0;
  while (start <= search.size()) {
    size_t end = search.find(':', start);
    if (end == std::string::npos) end = search.size();
    const std::string folder = end > start ? search.substr(start, end - start) : ".";
    const std::string candidate = folder + "/" + program;
    if (IsExecutableFile(candidate)) return candidate;
    start = end + 1;
  }
  return std::nullopt;
}

// The grandchild runs the program; the child exits at once so the caller can
// reap it and the program is adopted by init. The pipe closes on a successful
// exec and carries errno when exec fails.
[[noreturn]] void RunDetached(const char* program, char* const* args, int report_fd) {
  const pid_t grandchild = fork();
  if (grandchild != 0) _exit(grandchild < 0 ? 1 : 0);
  setsid();
  execv(program, args);
  const int error = errno;
  (void)!write(report_fd, &error, sizeof error);
  _exit(127);
}

}  // namespace

bool StartCommand(const std::vector<std::string>& argv) {
  if (argv.empty()) return false;
  const auto program = ResolveProgram(argv[0]);
  if (!program) return false;
  std::vector<char*> args;
  for (const auto& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);

  int report[2];
  if (pipe2(report, O_CLOEXEC) != 0) return false;
  const pid_t child = fork();
  if (child == 0) {
    close(report[0]);
    RunDetached(program->c_str(), args.data(), report[1]);
  }
  close(report[1]);
  bool started = false;
  if (child > 0) {
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    int exec_error = 0;
    ssize_t got;
    while ((got = read(report[0], &exec_error, sizeof exec_error)) < 0 && errno == EINTR) {
    }
    started = WIFEXITED(status) && WEXITSTATUS(status) == 0 && got == 0;
  }
  close(report[0]);
  return started;
}

}  // namespace vostrel::os
