#pragma once

// The pictures the build compiles into this library (see CMakeLists.txt).

namespace vostrel::assets {

struct EmbeddedPicture {
  const unsigned char* bytes;
  const unsigned long* size;
};

inline constexpr int kTreePictureCount = 6;
inline constexpr int kToolPictureCount = 9;

extern const EmbeddedPicture kTrayIconPicture;
extern const EmbeddedPicture kTreePictures[kTreePictureCount];
extern const EmbeddedPicture kToolPictures[kToolPictureCount];

}  // namespace vostrel::assets
