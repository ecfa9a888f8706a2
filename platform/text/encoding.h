#pragma once

#include <string>
#include <string_view>

namespace vostrel::text {

// True when the bytes are well-formed UTF-8 (no overlongs, no surrogates).
bool IsValidUtf8(std::string_view bytes);

// UTF-8 to the GBK bytes written at the program's edges. Characters outside
// GBK come out as GB18030, which encodes every GBK character the same way.
// Malformed UTF-8 input becomes '?'.
std::string Utf8ToGbk(std::string_view utf8);

// GBK (read as GB18030) to UTF-8; malformed bytes become U+FFFD.
std::string GbkToUtf8(std::string_view gbk);

// Bytes in a declared charset to UTF-8. gb2312 and gbk are read as GB18030.
// An empty or unknown charset keeps valid UTF-8 and reads anything else as
// GB18030. Malformed sequences become U+FFFD.
std::string DecodeToUtf8(std::string_view bytes, std::string_view charset);

}  // namespace vostrel::text
