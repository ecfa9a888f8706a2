#pragma once

#include <ostream>
#include <string>

namespace vostrel::tools {

// Prints the fields and every record of a store file: readable text, or one
// JSON object per record (bytes as base64). False when it is not a store.
bool DumpStore(const std::string& path, bool json, std::ostream& out);

}  // namespace vostrel::tools
