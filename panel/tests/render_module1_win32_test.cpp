// Module1's text on GDI+ where it differs from other platforms: the panel
// font must be installed, and a family GDI+ does not know draws nothing.
#include <gtest/gtest.h>

#include "panel/gdiplus_session_win32.h"
#include "panel/module1_win32.h"
#include "tests/support/render_fixture_win32.h"

namespace quorbel {
namespace {

using namespace fixtures;

class Module1Win32Test : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(session_.Started()); }
  GdiplusSession session_;
};

TEST_F(Module1Win32Test, GdiplusFindsVerdana) {
  gdip::GpFontFamily* family = nullptr;
  ASSERT_EQ(gdip::GdipCreateFontFamilyFromName(L"Verdana", nullptr, &family), gdip::Ok)
      << "GDI+ finds no Verdana: add the font replacements to the Wine prefix";
  gdip::GdipDeleteFontFamily(family);
}

TEST_F(Module1Win32Test, MissingFontFamilyDrawsNothing) {
  TestCanvas canvas(100, 40);
  DrawShadowText(canvas.Graphics(), u"Lost", 5, 5, u"No Such Family Anywhere", 10, 0xFFFFFFFF,
                 FontStyle::Bold, true, 250);
  for (int32_t y = 0; y < canvas.Height(); ++y) {
    for (int32_t x = 0; x < canvas.Width(); ++x) ASSERT_EQ(Alpha(canvas.Pixel(x, y)), 0) << x << "," << y;
  }
}

}  // namespace
}  // namespace quorbel
