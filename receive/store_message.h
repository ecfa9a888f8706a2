#pragma once

#include <cstdint>
#include <string>

namespace vostrel::core {
class Program;
}

namespace vostrel::receive {

// Stores the parsed message held in the program state under `id` as one unit:
// its attachments, its mail record and its seen record, in that order, so that
// a run cut short leaves no seen record for a message only partly stored. Any
// such partial records of an earlier run are removed first. Leaves the mail
// store current on the new mail record. False when a write failed; then the
// seen record is not written and the message is fetched again next time.
bool StoreReceivedMessage(core::Program& program, const std::string& id, int64_t listed_size);

// Whether the seen store holds the identifier.
bool WasFetchedBefore(core::Program& program, const std::string& id);

}  // namespace vostrel::receive
