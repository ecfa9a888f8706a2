#pragma once

#include <cstddef>
#include <string>

namespace vostrel::browser {

// Attachment names come from the sender. This turns one into a name that is
// safe to create inside a chosen folder, here and on any system the file may
// be copied to: the last path component only (both separators count), no
// control or reserved characters, no trailing dots or blanks, no device name
// such as CON or LPT1, at most kMaxFileNameBytes bytes cut on a character
// boundary (the extension is kept when it can be), and never empty, "." or "..".
std::string SafeFileName(const std::string& name);

// File systems allow 255 bytes to a name; os::WriteWholeFile writes through a
// temporary beside the target whose name adds up to 14 bytes to it.
inline constexpr std::size_t kMaxFileNameBytes = 255 - 15;
inline constexpr const char* kFallbackFileName = "附件";

}  // namespace vostrel::browser
