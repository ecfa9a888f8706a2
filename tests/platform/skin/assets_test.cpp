#include "assets/assets.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QImage>

#include <set>

namespace vostrel::assets {
namespace {

QImage Decode(std::string_view bytes, const char* format) {
  return QImage::fromData(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())),
                          format);
}

bool HasOpaqueAndClearPixels(const QImage& image) {
  bool opaque = false;
  bool clear = false;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const int alpha = qAlpha(image.pixel(x, y));
      opaque = opaque || alpha == 255;
      clear = clear || alpha == 0;
    }
  }
  return opaque && clear;
}

TEST(Assets, TrayIconIsOneSmallIcoPicture) {
  const auto icon = TrayIcon();
  EXPECT_EQ(icon.size(), 1406u);
  EXPECT_EQ(icon.substr(0, 6), std::string_view("\0\0\1\0\1\0", 6));
  const QImage image = Decode(icon, "ICO");
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(image.size(), QSize(16, 16));
  EXPECT_TRUE(HasOpaqueAndClearPixels(image));
}

TEST(Assets, TreeAndToolBarPicturesDecodeAtTheirSizes) {
  const struct {
    std::vector<std::string_view> pictures;
    size_t count;
    int side;
  } sets[] = {{FolderTreePictures(), 6, 16}, {ToolBarPictures(), 9, 32}};
  for (const auto& set : sets) {
    ASSERT_EQ(set.pictures.size(), set.count);
    std::set<std::string_view> distinct(set.pictures.begin(), set.pictures.end());
    EXPECT_EQ(distinct.size(), set.count);
    for (size_t i = 0; i < set.count; ++i) {
      SCOPED_TRACE(testing::Message() << set.side << " px picture " << i);
      const QImage image = Decode(set.pictures[i], "PNG");
      ASSERT_FALSE(image.isNull());
      EXPECT_EQ(image.size(), QSize(set.side, set.side));
      EXPECT_TRUE(HasOpaqueAndClearPixels(image));
    }
  }
}

}  // namespace
}  // namespace vostrel::assets
