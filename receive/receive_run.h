#pragma once

#include <cstdint>

namespace vostrel::core {
class Program;
}

namespace vostrel::receive {

// Fetches every new message of the account whose folder is selected in the
// tree, stores each one once with its attachments, and lists it.
void ReceiveNewMail(core::Program& program);

// The progress text while message `number` of `count` arrives.
int ReceiveProgress(core::Program& program, int64_t count, int stage, int number, int bytes);

}  // namespace vostrel::receive
