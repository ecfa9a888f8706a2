#pragma once

#include <cstddef>
#include <functional>
#include <string>

namespace vostrel::pop3 {

// A TCP connection read line by line; every wait is bounded by the timeout
// given to Open. Internal to the POP3 client.
class LineSocket {
 public:
  enum class Result { kOk, kTimeout, kClosed, kTooLong, kStopped, kFailed };

  LineSocket() = default;
  ~LineSocket();
  LineSocket(const LineSocket&) = delete;
  LineSocket& operator=(const LineSocket&) = delete;

  Result Open(const std::string& host, int port, int timeout_ms);
  void Close();
  bool is_open() const { return fd_ >= 0; }

  Result WriteAll(const std::string& bytes);

  // Reads one line including its line end ("\n" or "\r\n", kept as sent).
  // A line longer than `max_length` octets is kTooLong.
  Result ReadLine(std::string& line, size_t max_length);

  // Called with the byte count after every chunk received; false stops the
  // read with kStopped. Cleared with an empty function.
  void set_on_chunk(std::function<bool(size_t)> on_chunk) { on_chunk_ = std::move(on_chunk); }

 private:
  Result Fill();
  Result WaitFor(short events);

  int fd_ = -1;
  int timeout_ms_ = 0;
  std::string buffer_;
  size_t start_ = 0;
  std::function<bool(size_t)> on_chunk_;
};

}  // namespace vostrel::pop3
