#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vostrel::pop3 {

// Called while a multi-line response arrives: once with 0 bytes before it,
// then after every chunk received. Returning 0 stops the transfer, which
// fails and drops the connection.
using ProgressFunction = std::function<int(int stage, int message_number, int chunk_bytes)>;

inline constexpr int kStageSizeList = 1;
inline constexpr int kStageIdList = 2;
inline constexpr int kStageMessage = 3;
inline constexpr int kStandardPort = 110;

// A POP3 session over plain TCP. Every wait is limited by the timeout given to
// Connect. A step that fails by a stall, an early close or an unreadable reply
// drops the connection, so nothing is re-sent on a connection out of step.
class Pop3Client {
 public:
  Pop3Client();
  ~Pop3Client();
  Pop3Client(const Pop3Client&) = delete;
  Pop3Client& operator=(const Pop3Client&) = delete;

  // Opens the connection and logs in with USER/PASS. `server` is "host" or
  // "host:port". Up to `attempts` fresh connections are tried when the network
  // or the server fails; a refused login is not retried.
  bool Connect(const std::string& server, int default_port, const std::string& user,
               const std::string& password, int timeout_ms, int attempts);

  bool Stat(int64_t& count, int64_t& total_bytes);
  // Fills `sizes` with exactly `count` entries; entry n-1 is message n's size.
  bool ListSizes(int64_t count, std::vector<int64_t>& sizes);
  // Served from one UIDL listing per connection, else by "UIDL n".
  bool UniqueId(int64_t message_number, std::string& id);
  // The message exactly as sent after dot-unstuffing, line ends kept, without
  // the status line. Empty after a failure.
  bool Retrieve(int64_t message_number, std::string& raw);
  void Quit();
  void Close();

  bool IsConnected() const;
  const std::string& LastError() const;
  void SetProgress(ProgressFunction progress);

 private:
  struct Session;
  std::unique_ptr<Session> session_;
};

}  // namespace vostrel::pop3
