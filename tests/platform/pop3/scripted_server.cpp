#include "tests/platform/pop3/scripted_server.h"

#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace vostrel::test {
namespace {

// Long enough for any client limit used in tests; bounds a broken test run.
constexpr int kPeerWaitMs = 5000;

bool WaitReadable(int fd, int timeout_ms) {
  pollfd pfd{fd, POLLIN, 0};
  return ::poll(&pfd, 1, timeout_ms) > 0;
}

void SendAll(int fd, const std::string& bytes) {
  size_t sent = 0;
  while (sent < bytes.size()) {
    const ssize_t n = ::send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
    if (n <= 0) return;
    sent += static_cast<size_t>(n);
  }
}

}  // namespace

ScriptedServer::Script LoggedIn(ScriptedServer::Script rest) {
  ScriptedServer::Script script = {
      {"", "+OK ready\r\n"}, {"USER user", "+OK\r\n"}, {"PASS secret", "+OK logged in\r\n"}};
  script.insert(script.end(), rest.begin(), rest.end());
  return script;
}

ScriptedServer::ScriptedServer(std::vector<Script> connections) {
  listen_fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;
  ::bind(listen_fd_, reinterpret_cast<sockaddr*>(&address), sizeof(address));
  ::listen(listen_fd_, 8);
  socklen_t length = sizeof(address);
  ::getsockname(listen_fd_, reinterpret_cast<sockaddr*>(&address), &length);
  port_ = ntohs(address.sin_port);
  thread_ = std::thread([this, connections = std::move(connections)]() mutable { Serve(std::move(connections)); });
}

ScriptedServer::~ScriptedServer() {
  stopping_ = true;
  thread_.join();
  ::close(listen_fd_);
}

std::vector<std::string> ScriptedServer::received() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return received_;
}

void ScriptedServer::Serve(std::vector<Script> connections) {
  for (const Script& script : connections) {
    // Poll in short slices so a test that expects fewer connections ends quickly.
    bool ready = false;
    for (int waited = 0; waited < kPeerWaitMs && !stopping_ && !ready; waited += 50) {
      ready = WaitReadable(listen_fd_, 50);
    }
    if (!ready) return;
    const int fd = ::accept(listen_fd_, nullptr, nullptr);
    if (fd < 0) return;
    ++accepted_;
    Play(fd, script);
    ::close(fd);
  }
}

bool ScriptedServer::ReadCommand(int fd, std::string& pending, std::string& line) {
  while (pending.find('\n') == std::string::npos) {
    char buffer[4096];
    if (!WaitReadable(fd, kPeerWaitMs)) return false;
    const ssize_t n = ::recv(fd, buffer, sizeof(buffer), 0);
    if (n <= 0) return false;
    pending.append(buffer, static_cast<size_t>(n));
  }
  const size_t end = pending.find('\n');
  line = pending.substr(0, end);
  pending.erase(0, end + 1);
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return true;
}

void ScriptedServer::Play(int fd, const Script& script) {
  std::string pending;
  for (const Step& step : script) {
    if (!step.expect.empty()) {
      std::string line;
      if (!ReadCommand(fd, pending, line)) return;
      {
        std::lock_guard<std::mutex> lock(mutex_);
        received_.push_back(line);
      }
      if (line != step.expect) return;
    }
    SendAll(fd, step.reply);
    if (step.after == After::kClose) return;
    if (step.after == After::kStall) break;
  }
  // Keep recording until the client hangs up, so tests see anything re-sent.
  std::string line;
  while (ReadCommand(fd, pending, line)) {
    std::lock_guard<std::mutex> lock(mutex_);
    received_.push_back(line);
  }
}

}  // namespace vostrel::test
