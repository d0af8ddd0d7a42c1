#include "dialog/skin_picker_qt.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <vector>

namespace quorbel {
namespace {

// Thumbnail k's top-left pixel in the viewport: the 2-pixel sunken border,
// then the strip's margin and pitch.
QPoint ThumbnailCorner(int index, int offset = 0) {
  return QPoint(2 + ThumbnailLeft(index) - offset, 2 + kThumbnailTop);
}

// A 1 x 1 GIF whose one pixel is pure red.
constexpr unsigned char kRedGif[] = {
    0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x01, 0x00, 0x01, 0x00, 0x80, 0x00, 0x00, 0xFF, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x2C, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0x00, 0x02, 0x02, 0x44,
    0x01, 0x00, 0x3B};

// `over` (ARGB, not premultiplied) blended onto the opaque colour `under`.
QColor Blend(QColor under, uint32_t over) {
  const QColor top = QColor::fromRgba(over);
  const double a = top.alphaF();
  return QColor::fromRgbF(under.redF() * (1 - a) + top.redF() * a,
                          under.greenF() * (1 - a) + top.greenF() * a,
                          under.blueF() * (1 - a) + top.blueF() * a);
}

::testing::AssertionResult Near(QColor actual, QColor expected) {
  const int spread = std::max({std::abs(actual.red() - expected.red()),
                               std::abs(actual.green() - expected.green()),
                               std::abs(actual.blue() - expected.blue())});
  if (spread <= 2) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "got " << actual.name().toStdString() << ", expected "
                                       << expected.name().toStdString();
}

class QtSkinStripTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(files_.isValid()); }

  // A solid picture of `size` in the temporary folder, as `name`.
  Text Picture(const QString& name, QColor colour, QSize size = QSize(49, 49)) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    const QString path = files_.filePath(name);
    EXPECT_TRUE(image.save(path));
    return path.toStdU16String();
  }
  void SolidPictures(int count) {
    for (int k = 0; k < count; ++k) paths_.push_back(Picture(QString("s%1.png").arg(k), Qt::blue));
  }
  QtSkinPicker& Build(const std::vector<Text>& paths) {
    strip_.Build(paths);
    return strip_;
  }
  QImage Shot() const { return strip_.Viewport().grab().toImage(); }
  QColor At(const QPoint& point) const { return Shot().pixelColor(point); }

  QTemporaryDir files_;
  QWidget dialog_;
  SkinPicker picker_;
  std::vector<int> clicks_;
  QtSkinPicker strip_{dialog_, picker_, [this](int index) { clicks_.push_back(index); }, [](StripKey) {}};
  std::vector<Text> paths_;
};

TEST_F(QtSkinStripTest, TheScrollBarReachesTheLastThumbnailAndPagesByOneThumbnail) {
  SolidPictures(3);
  Build(paths_);
  EXPECT_EQ(strip_.ScrollBar().maximum(), 0);
  EXPECT_FALSE(strip_.ScrollBar().isEnabled());

  paths_.clear();
  SolidPictures(10);
  Build(paths_);
  QScrollBar& bar = strip_.ScrollBar();
  EXPECT_TRUE(bar.isEnabled());
  EXPECT_EQ(bar.maximum(), 252);
  bar.triggerAction(QAbstractSlider::SliderSingleStepAdd);
  EXPECT_EQ(bar.value(), 1);
  bar.triggerAction(QAbstractSlider::SliderPageStepAdd);
  EXPECT_EQ(bar.value(), 50);
  bar.triggerAction(QAbstractSlider::SliderPageStepSub);
  bar.triggerAction(QAbstractSlider::SliderPageStepSub);
  EXPECT_EQ(bar.value(), 0);
  bar.triggerAction(QAbstractSlider::SliderToMaximum);
  // Scrolled to the end, the last thumbnail's right edge is in view.
  const QPoint last = ThumbnailCorner(9, bar.value());
  EXPECT_TRUE(Near(At(last + QPoint(48, 10)), Qt::blue));
  EXPECT_TRUE(Near(At(last + QPoint(49, 10)), Qt::white));

  Build(paths_);
  EXPECT_EQ(bar.value(), 0) << "a new strip starts at its left end";
}

TEST_F(QtSkinStripTest, EveryPictureFormatLoadsAtItsOwnSizeFromTheTopLeft) {
  QImage large(100, 100, QImage::Format_RGB32);
  large.fill(Qt::blue);
  for (int y = 0; y < 49; ++y) {
    for (int x = 0; x < 49; ++x) large.setPixelColor(x, y, Qt::red);
  }
  const QString large_path = files_.filePath("large.png");
  ASSERT_TRUE(large.save(large_path));
  QFile gif(files_.filePath("red.gif"));
  ASSERT_TRUE(gif.open(QIODevice::WriteOnly));
  gif.write(reinterpret_cast<const char*>(kRedGif), sizeof kRedGif);
  gif.close();

  picker_.Select(6);  // keep the frame off the thumbnails looked at
  Build({large_path.toStdU16String(), Picture("green.bmp", Qt::green),
         Picture("grey.jpg", QColor(128, 128, 128)), gif.fileName().toStdU16String(),
         files_.filePath("missing.png").toStdU16String(), u"", Picture("s.png", Qt::blue),
         Picture("cyan.ppm", Qt::cyan)});
  const QImage shot = Shot();
  EXPECT_TRUE(Near(shot.pixelColor(ThumbnailCorner(0) + QPoint(48, 48)), Qt::red)) << "not scaled";
  EXPECT_TRUE(Near(shot.pixelColor(ThumbnailCorner(1) + QPoint(20, 20)), Qt::green));
  EXPECT_TRUE(Near(shot.pixelColor(ThumbnailCorner(2) + QPoint(20, 20)), QColor(128, 128, 128)));
  EXPECT_TRUE(Near(shot.pixelColor(ThumbnailCorner(3)), Qt::red));
  EXPECT_TRUE(Near(shot.pixelColor(ThumbnailCorner(3) + QPoint(1, 1)), Qt::white));
  EXPECT_TRUE(Near(shot.pixelColor(ThumbnailCorner(4) + QPoint(20, 20)), Qt::white)) << "plain";
  EXPECT_TRUE(Near(shot.pixelColor(ThumbnailCorner(5) + QPoint(4, 20)), Qt::white)) << "plain";
  const int end = strip_.ScrollBar().maximum();
  strip_.ScrollBar().setValue(end);
  EXPECT_TRUE(Near(At(ThumbnailCorner(7, end) + QPoint(20, 20)), Qt::cyan)) << "sized by Qt's reader";
}

// One column more than 2048 x 2048 (4 Mi pixels, the budget), or a FIFO or a
// folder in the picture's place: a plain thumbnail, and the strip is built
// at once.
TEST_F(QtSkinStripTest, AThumbnailOverTheBudgetOrNotARegularFileIsPlain) {
  const QString fifo = files_.filePath("fifo.bmp");
  ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
  const QString folder = files_.filePath("folder.bmp");
  ASSERT_TRUE(QDir().mkdir(folder));
  picker_.Select(6);
  Build({Picture("over.png", Qt::red, QSize(2049, 2048)), fifo.toStdU16String(), folder.toStdU16String()});
  const QImage shot = Shot();
  for (int index = 0; index < 3; ++index) {
    EXPECT_TRUE(Near(shot.pixelColor(ThumbnailCorner(index) + QPoint(20, 20)), Qt::white)) << index;
  }
}

TEST_F(QtSkinStripTest, TheSelectedThumbnailHasTheFrameTintAndBand) {
  const QColor picture(40, 160, 220);
  picker_.Select(1);
  Build({Picture("a.png", picture), Picture("b.png", picture)});
  QImage shot = Shot();
  const QPoint corner = ThumbnailCorner(1);
  const auto pixel = [&](int x, int y) { return shot.pixelColor(corner + QPoint(x, y)); };
  const QColor tinted = Blend(picture, kSelectionTint);
  // The tint starts at (2, 2) and runs to the thumbnail's edge, under the rings.
  EXPECT_TRUE(Near(pixel(0, 0), Blend(picture, kSelectionOuter)));
  EXPECT_TRUE(Near(pixel(48, 0), Blend(picture, kSelectionOuter)));
  EXPECT_TRUE(Near(pixel(0, 48), Blend(picture, kSelectionOuter)));
  EXPECT_TRUE(Near(pixel(48, 48), Blend(tinted, kSelectionOuter)));
  EXPECT_TRUE(Near(pixel(20, 48), Blend(tinted, kSelectionOuter)));
  EXPECT_TRUE(Near(pixel(1, 1), Blend(picture, kSelectionInner)));
  EXPECT_TRUE(Near(pixel(47, 47), Blend(tinted, kSelectionInner)));
  EXPECT_TRUE(Near(pixel(20, 20), tinted));
  EXPECT_TRUE(Near(shot.pixelColor(ThumbnailCorner(0) + QPoint(20, 20)), picture)) << "unselected";
  EXPECT_TRUE(Near(shot.pixelColor(corner + QPoint(49, 20)), Qt::white)) << "the gap stays white";

  picker_.Tick(kThumbnailSize, kThumbnailSize);  // the band at rows 0 ... 15
  strip_.Redraw(1);
  shot = Shot();
  EXPECT_TRUE(Near(pixel(20, 15), Blend(tinted, kLightBand)));
  EXPECT_TRUE(Near(pixel(20, 16), tinted));
}

TEST_F(QtSkinStripTest, LeftClicksOnAThumbnailReportItsIndexOnTheMovedStrip) {
  SolidPictures(6);
  Build(paths_);
  QWidget& viewport = strip_.Viewport();
  QTest::mouseClick(&viewport, Qt::LeftButton, {}, ThumbnailCorner(2) + QPoint(10, 10));
  QTest::mouseClick(&viewport, Qt::LeftButton, {}, ThumbnailCorner(2) + QPoint(50, 10));  // gap
  QTest::mouseClick(&viewport, Qt::RightButton, {}, ThumbnailCorner(3) + QPoint(10, 10));
  strip_.ScrollBar().setValue(44);
  QTest::mouseClick(&viewport, Qt::LeftButton, {}, QPoint(12, 20));  // 54 on the strip
  EXPECT_EQ(clicks_, (std::vector<int>{2, 1}));
}

}  // namespace
}  // namespace quorbel
