#pragma once

#include <string>
#include <sys/types.h>

namespace vostrel::test {

// A private Dovecot POP3 instance for integration tests: its own folder,
// configuration, user and Maildir, listening on 127.0.0.1 at a port chosen
// at run time. Stopped and removed in the destructor.
class DovecotServer {
 public:
  DovecotServer();
  ~DovecotServer();
  DovecotServer(const DovecotServer&) = delete;
  DovecotServer& operator=(const DovecotServer&) = delete;

  static bool IsInstalled();

  // Writes the configuration, starts `dovecot -F` and waits until the port
  // accepts connections.
  bool Start();
  void Stop();

  int port() const { return port_; }
  std::string address() const { return "127.0.0.1:" + std::to_string(port_); }
  const std::string& user() const { return user_; }
  const std::string& password() const { return password_; }
  const std::string& folder() const { return folder_; }

  // Drops a message into the Maildir as a new mail; the bytes are kept as given.
  bool AddMessage(const std::string& raw);
  void ClearMailbox();

 private:
  bool WriteConfiguration();
  bool WaitUntilListening();
  bool GiveMailToOwner() const;

  std::string folder_;
  std::string user_ = "tester";
  std::string password_ = "secret-pass";
  int port_ = 0;
  pid_t pid_ = -1;
  int added_ = 0;
  uid_t mail_uid_ = 0;
  gid_t mail_gid_ = 0;
};

}  // namespace vostrel::test
