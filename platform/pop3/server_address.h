#pragma once

#include <string>
#include <string_view>

namespace vostrel::pop3 {

struct ServerAddress {
  std::string host;
  int port = 0;
};

// "host:port" names its port; a bare host (or a bare IPv6 address) takes
// `default_port`; "[v6]:port" is accepted too. False for an empty host or a
// port that is not 1..65535.
bool ParseServerText(std::string_view text, int default_port, ServerAddress& out);

}  // namespace vostrel::pop3
