#include <gtest/gtest.h>

#include "panel/panel_canvas.h"

namespace quorbel {
namespace {

TEST(PanelCanvasTest, PlainPanelOnEveryDrawUntilASkinLoads) {
  PanelCanvas canvas;
  canvas.TakeSkin(std::nullopt);
  canvas.TakeSkin(std::nullopt);  // a reminder's draw comes after start-up's
  EXPECT_TRUE(canvas.Plain());
  EXPECT_EQ(canvas.Size(), (PixelSize{450, 140}));

  canvas.TakeSkin(PixelSize{300, 120});
  EXPECT_FALSE(canvas.Plain());
  EXPECT_EQ(canvas.Size(), (PixelSize{300, 120}));
}

TEST(PanelCanvasTest, SkinLostAfterASuccessKeepsItsSizeOnAClearImage) {
  PanelCanvas canvas;
  canvas.TakeSkin(PixelSize{300, 120});
  canvas.TakeSkin(std::nullopt);
  EXPECT_FALSE(canvas.Plain());
  EXPECT_EQ(canvas.Size(), (PixelSize{300, 120}));
}

TEST(PanelCanvasTest, LargerSkinIsCutAtTheWindow) {
  PanelCanvas canvas;
  canvas.TakeSkin(PixelSize{3000, 100});
  EXPECT_EQ(canvas.Size(), (PixelSize{450, 100}));
  canvas.TakeSkin(PixelSize{200, 2000});
  EXPECT_EQ(canvas.Size(), (PixelSize{200, 140}));
}

}  // namespace
}  // namespace quorbel
