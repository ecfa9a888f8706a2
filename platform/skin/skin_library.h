#pragma once

#include <string>

#include "platform/skin/embedded_skins.h"

namespace vostrel::skin {

// The skin module as a file on disk. The file is loaded at the first call,
// and each function is looked up by name at its own first call. When the
// file is missing or is not a usable module the calls return false, and a
// later call tries again (the file may have been written meanwhile).
class SkinLibrary {
 public:
  explicit SkinLibrary(std::string path);
  ~SkinLibrary();
  SkinLibrary(const SkinLibrary&) = delete;
  SkinLibrary& operator=(const SkinLibrary&) = delete;

  // True when the module was reached and applied the skin image.
  bool AttachRes(const unsigned char* data, int size, const std::string& password, int a,
                 int b, int c);
  // True when the module was reached and took the setting.
  bool SetAero(int on);

 private:
  void* Function(const char* name, void*& slot);

  std::string path_;
  void* handle_ = nullptr;
  void* attach_res_ = nullptr;
  void* set_aero_ = nullptr;
};

}  // namespace vostrel::skin
