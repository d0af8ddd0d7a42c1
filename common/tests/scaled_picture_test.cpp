#include "common/scaled_picture.h"

#include <gtest/gtest.h>

namespace quorbel {
namespace {

TEST(ScaledPictureTest, HighResolutionNameGoesBeforeTheExtension) {
  EXPECT_EQ(HighResolutionPath(u"C:\\app\\skins\\skin1.png"), u"C:\\app\\skins\\skin1@2x.png");
  EXPECT_EQ(HighResolutionPath(u"/usr/share/q/skins/skin.one.jpg"), u"/usr/share/q/skins/skin.one@2x.jpg");
  // A dot in a folder's name, or a leading dot, is no extension.
  EXPECT_EQ(HighResolutionPath(u"C:\\my.skins\\plain"), u"C:\\my.skins\\plain@2x");
  EXPECT_EQ(HighResolutionPath(u"skins/.hidden"), u"skins/.hidden@2x");
  EXPECT_EQ(HighResolutionPath(u""), u"");
}

TEST(ScaledPictureTest, LargerPictureIsTriedFirstOnlyAboveScaleOne) {
  const Text skin = u"d\\skin1.png";
  EXPECT_EQ(PictureFilesFor(skin, DisplayScale(1.0)), (std::vector<PictureFile>{{skin, 1}}));
  EXPECT_EQ(PictureFilesFor(skin, DisplayScale(0.75)), (std::vector<PictureFile>{{skin, 1}}));
  const std::vector<PictureFile> both{{u"d\\skin1@2x.png", 2}, {skin, 1}};
  EXPECT_EQ(PictureFilesFor(skin, DisplayScale(1.25)), both);
  EXPECT_EQ(PictureFilesFor(skin, DisplayScale(2.0)), both);
  EXPECT_EQ(PictureFilesFor(u"", DisplayScale(2.0)), (std::vector<PictureFile>{{u"", 1}}));
}

TEST(ScaledPictureTest, LargerPictureCoversHalfItsSizeCutAtTheWindow) {
  EXPECT_EQ(PictureCorner({450, 140}, 2), (PixelSize{900, 280}));
  EXPECT_EQ(LogicalSize({900, 280}, 2), (PixelSize{450, 140}));
  EXPECT_EQ(LogicalSize({601, 199}, 2), (PixelSize{301, 100})) << "an odd pixel is shown";
  EXPECT_EQ(LogicalSize({300, 100}, 1), (PixelSize{300, 100}));
  EXPECT_EQ(LogicalSize({0, 0}, 2), (PixelSize{0, 0}));
}

}  // namespace
}  // namespace quorbel
