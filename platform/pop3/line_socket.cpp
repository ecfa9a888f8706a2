#include "platform/pop3/line_socket.h"

#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace vostrel::pop3 {
namespace {

constexpr size_t kChunkSize = 64 * 1024;

bool SetNonBlocking(int fd) {
  const int flags = fcntl(fd, F_GETFL, 0);
  return flags >= 0 && fcntl(fd, F_SETFL, flags | O_NONBLOCK) == 0;
}

}  // namespace

LineSocket::~LineSocket() { Close(); }

void LineSocket::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  buffer_.clear();
  start_ = 0;
}

LineSocket::Result LineSocket::WaitFor(short events) {
  pollfd pfd{fd_, events, 0};
  while (true) {
    const int rc = ::poll(&pfd, 1, timeout_ms_);
    if (rc > 0) return Result::kOk;
    if (rc == 0) return Result::kTimeout;
    if (errno != EINTR) return Result::kFailed;
  }
}

LineSocket::Result LineSocket::Open(const std::string& host, int port, int timeout_ms) {
  Close();
  timeout_ms_ = timeout_ms > 0 ? timeout_ms : 1;
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  if (getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0) {
    return Result::kFailed;
  }
  Result result = Result::kFailed;
  for (addrinfo* a = found; a != nullptr && fd_ < 0; a = a->ai_next) {
    fd_ = ::socket(a->ai_family, a->ai_socktype | SOCK_CLOEXEC, a->ai_protocol);
    if (fd_ < 0) continue;
    if (SetNonBlocking(fd_)) {
      if (::connect(fd_, a->ai_addr, a->ai_addrlen) == 0) {
        result = Result::kOk;
      } else if (errno == EINPROGRESS) {
        result = WaitFor(POLLOUT);
        int error = 0;
        socklen_t length = sizeof(error);
        if (result == Result::kOk &&
            (getsockopt(fd_, SOL_SOCKET, SO_ERROR, &error, &length) != 0 || error != 0)) {
          result = Result::kFailed;
        }
      }
    }
    if (result != Result::kOk) {
      ::close(fd_);
      fd_ = -1;
    }
  }
  freeaddrinfo(found);
  return result;
}

LineSocket::Result LineSocket::WriteAll(const std::string& bytes) {
  if (fd_ < 0) return Result::kClosed;
  size_t sent = 0;
  while (sent < bytes.size()) {
    const ssize_t n = ::send(fd_, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
    if (n > 0) {
      sent += static_cast<size_t>(n);
    } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) {
      if (const Result r = WaitFor(POLLOUT); r != Result::kOk) return r;
    } else {
      return errno == EPIPE || errno == ECONNRESET ? Result::kClosed : Result::kFailed;
    }
  }
  return Result::kOk;
}

LineSocket::Result LineSocket::Fill() {
  while (true) {
    char chunk[kChunkSize];
    const ssize_t n = ::recv(fd_, chunk, sizeof(chunk), 0);
    if (n > 0) {
      if (start_ > 0 && start_ == buffer_.size()) {
        buffer_.clear();
        start_ = 0;
      }
      buffer_.append(chunk, static_cast<size_t>(n));
      if (on_chunk_ && !on_chunk_(static_cast<size_t>(n))) return Result::kStopped;
      return Result::kOk;
    }
    if (n == 0) return Result::kClosed;
    if (errno == ECONNRESET) return Result::kClosed;
    if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) return Result::kFailed;
    if (const Result r = WaitFor(POLLIN); r != Result::kOk) return r;
  }
}

LineSocket::Result LineSocket::ReadLine(std::string& line, size_t max_length) {
  line.clear();
  if (fd_ < 0) return Result::kClosed;
  size_t searched = start_;
  while (true) {
    const size_t newline = buffer_.find('\n', searched);
    if (newline != std::string::npos) {
      if (newline + 1 - start_ > max_length) return Result::kTooLong;
      line.assign(buffer_, start_, newline + 1 - start_);
      start_ = newline + 1;
      // Drop consumed bytes now and then so the buffer stays small.
      if (start_ > kChunkSize) {
        buffer_.erase(0, start_);
        start_ = 0;
      }
      return Result::kOk;
    }
    if (buffer_.size() - start_ > max_length) return Result::kTooLong;
    searched = buffer_.size();
    const size_t offset = start_;
    if (const Result r = Fill(); r != Result::kOk) return r;
    // Fill may have compacted the buffer.
    if (start_ != offset) searched -= offset;
  }
}

}  // namespace vostrel::pop3
