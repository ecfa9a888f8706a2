#include "platform/skin/skin_library.h"

#include <dlfcn.h>

#include <utility>

#include "platform/skin/skin_module.h"

namespace vostrel::skin {

SkinLibrary::SkinLibrary(std::string path) : path_(std::move(path)) {}

SkinLibrary::~SkinLibrary() {
  if (handle_ != nullptr) dlclose(handle_);
}

void* SkinLibrary::Function(const char* name, void*& slot) {
  if (slot != nullptr) return slot;
  if (handle_ == nullptr) handle_ = dlopen(path_.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle_ == nullptr) return nullptr;
  slot = dlsym(handle_, name);
  return slot;
}

bool SkinLibrary::AttachRes(const unsigned char* data, int size, const std::string& password,
                            int a, int b, int c) {
  auto* attach = reinterpret_cast<decltype(&SkinH_AttachRes)>(Function(kAttachResName, attach_res_));
  return attach != nullptr && attach(data, size, password.c_str(), a, b, c) != 0;
}

bool SkinLibrary::SetAero(int on) {
  auto* set_aero = reinterpret_cast<decltype(&SkinH_SetAero)>(Function(kSetAeroName, set_aero_));
  return set_aero != nullptr && set_aero(on) != 0;
}

}  // namespace vostrel::skin
