#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vostrel::os {

// True when something other than a folder exists at path.
bool FileExists(const std::string& path);

bool IsDirectory(const std::string& path);

// Creates or replaces the file with exactly these bytes. The bytes go to a
// temporary file in the same folder first, are flushed to disk and then
// renamed over the target, so the target is either the old or the new file,
// never a torn one. False on any failure, leaving the target untouched.
bool WriteWholeFile(const std::string& path, std::string_view bytes);

// The whole content, or nullopt when the file cannot be read.
std::optional<std::string> ReadWholeFile(const std::string& path);

// Removes the file; a file that is already missing is no error.
bool DeleteFile(const std::string& path);

// POSIX has no hidden attribute (hiding is a matter of the name), so this
// only reports whether the file exists.
bool SetFileHidden(const std::string& path);

// Creates the folder, and any missing folder above it. True when the folder
// exists afterwards.
bool EnsureFolder(const std::string& path);

}  // namespace vostrel::os
