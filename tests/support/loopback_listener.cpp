#include "tests/support/loopback_listener.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace vostrel::test {

LoopbackListener::LoopbackListener() {
  fd_ = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address);
  listen(fd_, 8);
  socklen_t length = sizeof address;
  getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length);
  port_ = ntohs(address.sin_port);
}

LoopbackListener::~LoopbackListener() { close(fd_); }

int LoopbackListener::Accepted() {
  int count = 0;
  for (int client; (client = accept(fd_, nullptr, nullptr)) >= 0; ++count) close(client);
  return count;
}

}  // namespace vostrel::test
