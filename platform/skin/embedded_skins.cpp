#include "platform/skin/embedded_skins.h"

#include "platform/skin/embedded_symbols.h"

namespace vostrel::skin {

std::string_view SkinModuleBytes() {
  return {reinterpret_cast<const char*>(kSkinModule), kSkinModule_size};
}

std::optional<std::string_view> SkinImage(int n) {
  if (n < 1 || n > kSkinImageCount) return std::nullopt;
  const EmbeddedBlock& block = kSkinImageBlocks[n - 1];
  return std::string_view(reinterpret_cast<const char*>(block.bytes), *block.size);
}

}  // namespace vostrel::skin
