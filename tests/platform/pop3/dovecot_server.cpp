#include "tests/platform/pop3/dovecot_server.h"

#include <netinet/in.h>
#include <pwd.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

namespace vostrel::test {
namespace {

namespace fs = std::filesystem;

constexpr char kDovecot[] = "/usr/sbin/dovecot";
constexpr auto kStartLimit = std::chrono::seconds(15);

int FreePort() {
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof(address);
  int port = 0;
  if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0 &&
      ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
    port = ntohs(address.sin_port);
  }
  ::close(fd);
  return port;
}

bool Accepts(int port) {
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(static_cast<uint16_t>(port));
  const bool ok = ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0;
  ::close(fd);
  return ok;
}

bool WriteFile(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

std::string UserName(uid_t uid) {
  const passwd* entry = getpwuid(uid);
  return entry ? entry->pw_name : std::to_string(uid);
}

// Dovecot will not run its login and internal processes as root; then they
// take its own unprivileged accounts (or nobody on a bare machine).
std::string ServiceUser(const char* wanted) {
  if (::getuid() != 0) return UserName(::getuid());
  return getpwnam(wanted) != nullptr ? wanted : "nobody";
}

}  // namespace

DovecotServer::DovecotServer() {
  std::string pattern = (fs::temp_directory_path() / "vostrel-dovecot-XXXXXX").string();
  if (::mkdtemp(pattern.data()) != nullptr) folder_ = pattern;
}

DovecotServer::~DovecotServer() {
  Stop();
  std::error_code ignored;
  // VOSTREL_KEEP_DOVECOT keeps the folder with its log for a look afterwards.
  if (!folder_.empty() && std::getenv("VOSTREL_KEEP_DOVECOT") == nullptr) fs::remove_all(folder_, ignored);
}

bool DovecotServer::IsInstalled() { return ::access(kDovecot, X_OK) == 0; }

bool DovecotServer::WriteConfiguration() {
  const fs::path root = folder_;
  std::error_code error;
  // The unprivileged service processes must reach the folder and the users.
  fs::permissions(root, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                            fs::perms::others_read | fs::perms::others_exec, error);
  for (const char* sub : {"run", "state", "Maildir/new", "Maildir/cur", "Maildir/tmp"}) {
    fs::create_directories(root / sub, error);
    if (error) return false;
  }
  // Dovecot refuses uid 0 for mail access, so under root the mail belongs to
  // its internal account.
  const passwd* owner = getpwnam(ServiceUser("dovecot").c_str());
  mail_uid_ = owner ? owner->pw_uid : ::getuid();
  mail_gid_ = owner ? owner->pw_gid : ::getgid();
  const uid_t uid = mail_uid_;
  const gid_t gid = mail_gid_;
  const std::string users = user_ + ":{PLAIN}" + password_ + ":" + std::to_string(uid) + ":" +
                            std::to_string(gid) + "::" + root.string() + "::\n";
  const std::string conf =
      "base_dir = " + (root / "run").string() + "\n" +
      "state_dir = " + (root / "state").string() + "\n" +
      "log_path = " + (root / "dovecot.log").string() + "\n" +
      "protocols = pop3\n"
      "listen = 127.0.0.1\n"
      "ssl = no\n"
      "disable_plaintext_auth = no\n"
      "auth_mechanisms = plain\n"
      "default_internal_user = " + ServiceUser("dovecot") + "\n" +
      "default_login_user = " + ServiceUser("dovenull") + "\n" +
      "first_valid_uid = " + std::to_string(uid) + "\n" +
      "last_valid_uid = " + std::to_string(uid) + "\n" +
      "first_valid_gid = " + std::to_string(gid) + "\n" +
      "mail_location = maildir:" + (root / "Maildir").string() + "\n" +
      "pop3_uidl_format = %08Xu%08Xv\n"
      "passdb {\n  driver = passwd-file\n  args = scheme=PLAIN username_format=%u " + (root / "users").string() + "\n}\n" +
      "userdb {\n  driver = passwd-file\n  args = username_format=%u " + (root / "users").string() + "\n}\n" +
      "service pop3-login {\n  inet_listener pop3 {\n    address = 127.0.0.1\n    port = " +
      std::to_string(port_) + "\n  }\n}\n" +
      "service stats {\n  unix_listener stats-writer {\n    mode = 0666\n  }\n}\n";
  return WriteFile(root / "users", users) && WriteFile(root / "dovecot.conf", conf) && GiveMailToOwner();
}

bool DovecotServer::GiveMailToOwner() const {
  if (::getuid() != 0) return true;
  const fs::path maildir = fs::path(folder_) / "Maildir";
  bool ok = ::chown(maildir.c_str(), mail_uid_, mail_gid_) == 0;
  std::error_code error;
  for (const auto& entry : fs::recursive_directory_iterator(maildir, error)) {
    ok = ::chown(entry.path().c_str(), mail_uid_, mail_gid_) == 0 && ok;
  }
  return ok && !error;
}

bool DovecotServer::Start() {
  if (pid_ > 0) return true;
  if (folder_.empty() || !IsInstalled()) return false;
  // The port is free when chosen but may be taken before Dovecot binds it.
  for (int attempt = 0; attempt < 3; ++attempt) {
    port_ = FreePort();
    if (port_ == 0 || !WriteConfiguration()) return false;
    const std::string conf = (fs::path(folder_) / "dovecot.conf").string();
    pid_ = ::fork();
    if (pid_ == 0) {
      ::execl(kDovecot, kDovecot, "-F", "-c", conf.c_str(), static_cast<char*>(nullptr));
      ::_exit(127);
    }
    if (pid_ < 0) return false;
    if (WaitUntilListening()) return true;
    Stop();
  }
  return false;
}

bool DovecotServer::WaitUntilListening() {
  const auto deadline = std::chrono::steady_clock::now() + kStartLimit;
  while (std::chrono::steady_clock::now() < deadline) {
    int status = 0;
    if (::waitpid(pid_, &status, WNOHANG) == pid_) {
      pid_ = -1;
      return false;
    }
    if (Accepts(port_)) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return false;
}

void DovecotServer::Stop() {
  if (pid_ <= 0) return;
  ::kill(pid_, SIGTERM);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  int status = 0;
  while (::waitpid(pid_, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > deadline) {
      ::kill(pid_, SIGKILL);
      ::waitpid(pid_, &status, 0);
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  pid_ = -1;
}

bool DovecotServer::AddMessage(const std::string& raw) {
  if (folder_.empty()) return false;
  const fs::path maildir = fs::path(folder_) / "Maildir";
  fs::create_directories(maildir / "new");
  fs::create_directories(maildir / "tmp");
  // Maildir delivery: write under tmp, then rename into new. The leading
  // sequence number keeps the messages in the order they were added.
  const std::string name = std::to_string(1700000000 + added_) + ".M" + std::to_string(added_) + "P" +
                           std::to_string(::getpid()) + ".vostrel";
  ++added_;
  if (!WriteFile(maildir / "tmp" / name, raw)) return false;
  std::error_code error;
  fs::rename(maildir / "tmp" / name, maildir / "new" / name, error);
  return !error && GiveMailToOwner();
}

void DovecotServer::ClearMailbox() {
  std::error_code error;
  fs::remove_all(fs::path(folder_) / "Maildir", error);
  for (const char* sub : {"new", "cur", "tmp"}) fs::create_directories(fs::path(folder_) / "Maildir" / sub, error);
  GiveMailToOwner();
}

}  // namespace vostrel::test
