#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace vostrel::test {

// A one-shot POP3 peer on 127.0.0.1 that plays a script per connection, for
// the faults a real server will not produce on demand.
class ScriptedServer {
 public:
  enum class After { kNothing, kStall, kClose };
  struct Step {
    std::string expect;  // command line awaited first, without its line end; "" reads nothing
    std::string reply;   // bytes sent back verbatim
    After after = After::kNothing;
  };
  using Script = std::vector<Step>;

  explicit ScriptedServer(std::vector<Script> connections);
  ~ScriptedServer();
  ScriptedServer(const ScriptedServer&) = delete;
  ScriptedServer& operator=(const ScriptedServer&) = delete;

  std::string address() const { return "127.0.0.1:" + std::to_string(port_); }
  int port() const { return port_; }
  // Command lines received so far, in order, over all connections.
  std::vector<std::string> received() const;
  int connections_accepted() const { return accepted_; }

 private:
  void Serve(std::vector<Script> connections);
  void Play(int fd, const Script& script);
  bool ReadCommand(int fd, std::string& pending, std::string& line);

  int listen_fd_ = -1;
  int port_ = 0;
  std::atomic<int> accepted_{0};
  std::atomic<bool> stopping_{false};
  mutable std::mutex mutex_;
  std::vector<std::string> received_;
  std::thread thread_;
};

// Greeting, USER and PASS accepted: the usual opening of a script.
ScriptedServer::Script LoggedIn(ScriptedServer::Script rest);

}  // namespace vostrel::test
