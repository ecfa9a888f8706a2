#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vostrel::skin {

// One skin image taken apart. The image is ".SHE", a version byte (1), then
// sections of a 4-byte tag, a 32-bit little-endian length and the payload:
// "NAME" (the skin's name), "PALT" (lines "Role=#rrggbb") and "QSS " (a
// style sheet). Unknown tags are skipped, so later images may carry more.
struct SkinImageParts {
  std::string name;
  std::vector<std::pair<std::string, std::string>> palette;  // role, colour text
  std::string style_sheet;
};

// nullopt for anything not well formed: wrong magic or version, a section
// running past the end, a palette line without "=", or no palette and no
// style sheet at all.
std::optional<SkinImageParts> ParseSkinImage(std::string_view bytes);

}  // namespace vostrel::skin
