#include "core/skin.h"

#include <string>

#include "core/program.h"
#include "platform/os/files.h"
#include "platform/skin/embedded_skins.h"

namespace vostrel::core {

void EnsureSkinLibrary(Program& program) {
  const std::string path = program.PathOf(kSkinLibraryName);
  if (os::FileExists(path)) return;
  os::WriteWholeFile(path, skin::SkinModuleBytes());
  os::SetFileHidden(path);
}

void ApplySkin(Program& program, int n) {
  EnsureSkinLibrary(program);
  const auto image = skin::SkinImage(n);
  // A copy, as the library may keep or alter what it is handed.
  const std::string copy = image ? std::string(*image) : std::string();
  program.skin_library.AttachRes(copy.empty() ? nullptr : reinterpret_cast<const unsigned char*>(copy.data()),
                                 static_cast<int>(copy.size()), "", 0, 0, 0);
}

}  // namespace vostrel::core
