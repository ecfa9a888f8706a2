#pragma once

namespace vostrel::test {

// A listener on 127.0.0.1 at a free port that only counts the connections it
// gets: proof that nothing was fetched from it.
class LoopbackListener {
 public:
  LoopbackListener();
  ~LoopbackListener();
  LoopbackListener(const LoopbackListener&) = delete;
  LoopbackListener& operator=(const LoopbackListener&) = delete;

  int Port() const { return port_; }
  // Accepts and closes every connection waiting; returns how many there were.
  int Accepted();

 private:
  int fd_ = -1;
  int port_ = 0;
};

}  // namespace vostrel::test
