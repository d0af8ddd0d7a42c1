#include <gtest/gtest.h>

#include "dialog/dialog_file.h"

namespace quorbel {
namespace {

using namespace std::string_literals;

const Text kGifBmp = ConvertFilter(u"GIF|*.gif|BMP|*.bmp");
const Text kJpegGifBmp = ConvertFilter(u"JPEG|*.jpg;*.jpeg|GIF|*.gif|BMP|*.bmp");

TEST(FileDialogFilter, BarsBecomeNulsPaddedTo260) {
  EXPECT_EQ(kGifBmp.size(), 260u);
  EXPECT_EQ(kGifBmp.substr(0, 20), u"GIF\0*.gif\0BMP\0*.bmp\0"s);
  EXPECT_EQ(kGifBmp.find_first_not_of(u'\0', 19), Text::npos);

  const Text long_filter = ConvertFilter(Text(270, u'x') + u"|*.x");
  EXPECT_EQ(long_filter.size(), 276u);
  EXPECT_EQ(long_filter.substr(270), u"\0*.x\0\0"s);
}

TEST(FileDialogFilter, IndexForNameMatchesAWholeSingleMaskPattern) {
  EXPECT_EQ(FilterIndexForName(kGifBmp, u"x.gif"), 1);
  EXPECT_EQ(FilterIndexForName(kGifBmp, u"x.GIF"), 1);
  EXPECT_EQ(FilterIndexForName(kGifBmp, u"x.bmp"), 2);
  EXPECT_EQ(FilterIndexForName(kGifBmp, u"x.jpg"), 123);

  EXPECT_EQ(FilterIndexForName(kJpegGifBmp, u"C:\\pics\\x.gif"), 2);
  EXPECT_EQ(FilterIndexForName(kJpegGifBmp, u"x.bmp"), 3);
  EXPECT_GT(FilterIndexForName(kJpegGifBmp, u"x.jpg"), 3);
  EXPECT_GT(FilterIndexForName(kJpegGifBmp, u"x.jpeg"), 3);
  EXPECT_GT(FilterIndexForName(kJpegGifBmp, u"C:\\Quorbel"), 3);
  EXPECT_GT(FilterIndexForName(kJpegGifBmp, u"ab"), 3);
}

TEST(FileDialogFilter, SelectedPatternIsASingleMaskOrNothing) {
  EXPECT_EQ(FilterPatternAt(kJpegGifBmp, 0), u"");
  EXPECT_EQ(FilterPatternAt(kJpegGifBmp, 1), u"*.gif");
  EXPECT_EQ(FilterPatternAt(kJpegGifBmp, 2), u"*.bmp");
  EXPECT_EQ(FilterPatternAt(kJpegGifBmp, 3), u"");
  EXPECT_EQ(FilterPatternAt(kJpegGifBmp, 200), u"");
  EXPECT_EQ(FilterPatternAt(kJpegGifBmp, -1), u"JPEG");
}

TEST(FileDialogText, CutAtNulKeepsWhatPrecedesTheFirstNul) {
  EXPECT_EQ(CutAtNul(u"C:\\a.gif\0rest"s), u"C:\\a.gif");
  EXPECT_EQ(CutAtNul(u"whole"), u"whole");
  EXPECT_EQ(CutAtNul(kGifBmp), u"GIF");
}

TEST(FileDialogExtension, ANewTypeInASaveDialogCutsTheOldExtension) {
  EXPECT_EQ(CutExtensionForNewType(u"photo.jpeg"), u"photo");
  EXPECT_EQ(CutExtensionForNewType(u"photo.jpg"), u"photo");
  EXPECT_EQ(CutExtensionForNewType(u"x.tar.gz"), u"x.tar");
  EXPECT_EQ(CutExtensionForNewType(u"a.b.c"), u"a");
  EXPECT_EQ(CutExtensionForNewType(u"my.photo"), u"my.photo");
  EXPECT_EQ(CutExtensionForNewType(u"ab.c"), u"ab.c");
  EXPECT_EQ(CutExtensionForNewType(u"report."), u"report");
  EXPECT_EQ(DefaultExtension(u"*.gif"), u"gif");
  EXPECT_EQ(DefaultExtension(u"*."), u"");
}

TEST(FileDialogExtension, ANameWithoutExtensionGetsTheChosenTypes) {
  EXPECT_EQ(WithChosenExtension(u"C:\\docs\\README", u"*.bmp", false), u"C:\\docs\\README.bmp");
  EXPECT_EQ(WithChosenExtension(u"C:\\pics\\x.gif", u"*.bmp", true), u"C:\\pics\\x.gif");
  EXPECT_EQ(WithChosenExtension(u"C:\\docs\\README", u"", false), u"C:\\docs\\README");
  EXPECT_EQ(WithChosenExtension(u"C:\\docs\\README", u"*.", false), u"C:\\docs\\README");
}

}  // namespace
}  // namespace quorbel
