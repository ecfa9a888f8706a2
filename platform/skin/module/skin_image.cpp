#include "platform/skin/module/skin_image.h"

#include <cstdint>

namespace vostrel::skin {
namespace {

constexpr std::string_view kMagic = ".SHE";
constexpr unsigned char kVersion = 1;

uint32_t ReadLittleEndian32(std::string_view bytes) {
  uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes[i]);
  return value;
}

bool ParsePalette(std::string_view text, SkinImageParts& image) {
  while (!text.empty()) {
    const auto end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty()) continue;
    const auto equals = line.find('=');
    if (equals == std::string_view::npos || equals == 0) return false;
    image.palette.emplace_back(line.substr(0, equals), line.substr(equals + 1));
  }
  return true;
}

}  // namespace

std::optional<SkinImageParts> ParseSkinImage(std::string_view bytes) {
  if (bytes.substr(0, kMagic.size()) != kMagic || bytes.size() <= kMagic.size() ||
      static_cast<unsigned char>(bytes[kMagic.size()]) != kVersion) {
    return std::nullopt;
  }
  bytes.remove_prefix(kMagic.size() + 1);
  SkinImageParts image;
  bool has_palette = false;
  bool has_style = false;
  while (!bytes.empty()) {
    if (bytes.size() < 8) return std::nullopt;
    const std::string_view tag = bytes.substr(0, 4);
    const uint32_t length = ReadLittleEndian32(bytes.substr(4, 4));
    bytes.remove_prefix(8);
    if (length > bytes.size()) return std::nullopt;
    const std::string_view payload = bytes.substr(0, length);
    bytes.remove_prefix(length);
    if (tag == "NAME") {
      image.name = payload;
    } else if (tag == "PALT") {
      if (!ParsePalette(payload, image)) return std::nullopt;
      has_palette = true;
    } else if (tag == "QSS ") {
      image.style_sheet = payload;
      has_style = true;
    }
  }
  if (!has_palette && !has_style) return std::nullopt;
  return image;
}

}  // namespace vostrel::skin
