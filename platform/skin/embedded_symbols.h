#pragma once

// The blocks the build compiles into this library (see CMakeLists.txt).

#include "platform/skin/embedded_skins.h"

extern const unsigned char kSkinModule[];
extern const unsigned long kSkinModule_size;

namespace vostrel::skin {

struct EmbeddedBlock {
  const unsigned char* bytes;
  const unsigned long* size;
};

// Skin image n is element n - 1.
extern const EmbeddedBlock kSkinImageBlocks[kSkinImageCount];

}  // namespace vostrel::skin
