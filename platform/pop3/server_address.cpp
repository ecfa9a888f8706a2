#include "platform/pop3/server_address.h"

#include <charconv>

namespace vostrel::pop3 {
namespace {

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

bool ParsePort(std::string_view text, int& port) {
  if (text.empty()) return false;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), port);
  return ec == std::errc() && end == text.data() + text.size() && port >= 1 && port <= 65535;
}

}  // namespace

bool ParseServerText(std::string_view text, int default_port, ServerAddress& out) {
  text = TrimBlanks(text);
  std::string_view host = text;
  int port = default_port;
  if (!text.empty() && text.front() == '[') {
    const size_t close = text.find(']');
    if (close == std::string_view::npos) return false;
    host = text.substr(1, close - 1);
    const std::string_view rest = text.substr(close + 1);
    if (!rest.empty() && (rest.front() != ':' || !ParsePort(rest.substr(1), port))) return false;
  } else if (const size_t colon = text.find(':');
             colon != std::string_view::npos && text.find(':', colon + 1) == std::string_view::npos) {
    host = text.substr(0, colon);
    if (!ParsePort(text.substr(colon + 1), port)) return false;
  }
  if (host.empty() || port < 1 || port > 65535) return false;
  out.host = std::string(host);
  out.port = port;
  return true;
}

}  // namespace vostrel::pop3
