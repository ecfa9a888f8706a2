#pragma once

#include <optional>
#include <string_view>

namespace vostrel::skin {

inline constexpr int kSkinImageCount = 33;

// The bytes of the loadable skin module, carried inside the program.
std::string_view SkinModuleBytes();

// Skin image n, for n from 1 to kSkinImageCount; nullopt for any other n.
std::optional<std::string_view> SkinImage(int n);

}  // namespace vostrel::skin
