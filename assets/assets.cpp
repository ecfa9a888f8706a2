#include "assets/assets.h"

#include "assets/embedded_pictures.h"

namespace vostrel::assets {
namespace {

std::string_view View(const EmbeddedPicture& picture) {
  return {reinterpret_cast<const char*>(picture.bytes), *picture.size};
}

std::vector<std::string_view> Views(const EmbeddedPicture* first, int count) {
  std::vector<std::string_view> views;
  for (int i = 0; i < count; ++i) views.push_back(View(first[i]));
  return views;
}

}  // namespace

std::string_view TrayIcon() { return View(kTrayIconPicture); }

std::vector<std::string_view> FolderTreePictures() {
  return Views(kTreePictures, kTreePictureCount);
}

std::vector<std::string_view> ToolBarPictures() {
  return Views(kToolPictures, kToolPictureCount);
}

}  // namespace vostrel::assets
