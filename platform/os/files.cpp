#include "platform/os/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace vostrel::os {
namespace {

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<size_t>(written));
  }
  return true;
}

std::string FolderOf(const std::string& path) {
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// Makes the rename itself durable; failure here does not undo the write.
void SyncFolder(const std::string& folder) {
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

// Opens a fresh temporary file in path's folder; its name goes to temp_path.
// The name is short, so that a target name near the file-system limit works.
int OpenTemporaryBeside(const std::string& path, std::string& temp_path) {
  const std::string folder = FolderOf(path);
  for (int attempt = 0; attempt < 100; ++attempt) {
    temp_path = folder + "/.vostrel-" + std::to_string(getpid()) + "-" + std::to_string(attempt) + ".tmp";
    const int fd = open(temp_path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

}  // namespace

bool FileExists(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

bool IsDirectory(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool WriteWholeFile(const std::string& path, std::string_view bytes) {
  if (IsDirectory(path)) return false;
  std::string temp_path;
  const int fd = OpenTemporaryBeside(path, temp_path);
  if (fd < 0) return false;
  bool ok = WriteAll(fd, bytes) && fsync(fd) == 0;
  ok = close(fd) == 0 && ok;
  ok = ok && rename(temp_path.c_str(), path.c_str()) == 0;
  if (!ok) {
    unlink(temp_path.c_str());
    return false;
  }
  SyncFolder(FolderOf(path));
  return true;
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  std::string content;
  char buffer[65536];
  for (;;) {
    const ssize_t got = read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      close(fd);
      return std::nullopt;
    }
    if (got == 0) break;
    content.append(buffer, static_cast<size_t>(got));
  }
  close(fd);
  return content;
}

bool DeleteFile(const std::string& path) {
  return unlink(path.c_str()) == 0 || errno == ENOENT;
}

bool SetFileHidden(const std::string& path) { return FileExists(path); }

bool EnsureFolder(const std::string& path) {
  if (path.empty()) return false;
  if (IsDirectory(path)) return true;
  const std::string parent = FolderOf(path);
  if (parent != path && !EnsureFolder(parent)) return false;
  return mkdir(path.c_str(), 0777) == 0 || IsDirectory(path);
}

}  // namespace vostrel::os
