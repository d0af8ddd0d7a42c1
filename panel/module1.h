#pragma once
// Module1's portable half: colours and the geometry of the sprite sheet
// "icons.png" (one row of 16-pixel cells: four line icons, then the bar).
#include <array>
#include <cstddef>
#include <cstdint>

#include "common/geometry.h"

namespace quorbel {

using Argb = uint32_t;

// A text's drop shadow: black at this alpha (78 %), one pixel below it.
inline constexpr uint8_t kShadowAlpha = 200;

// Font styles as the platform numbers them.
enum class FontStyle : int32_t { Regular = 0, Bold = 1 };

// alpha in the top byte, then red, green and blue.
Argb MakeArgb(uint8_t alpha, uint8_t red, uint8_t green, uint8_t blue);

inline constexpr int32_t kSpriteCell = 16;

struct Point {
  int32_t x;
  int32_t y;
};

// Where each line icon goes on the panel; icon i comes from cell i of the sheet.
inline constexpr std::array<Point, 4> kSectionIconPlaces{{{18, 30}, {18, 50}, {18, 70}, {18, 107}}};

inline constexpr int32_t kLevelBarSourceX = 64;
inline constexpr int32_t kLevelBarY = 50;
// The part of the sheet anything is drawn from: the four icons and the
// three bar blocks.
inline constexpr PixelSize kSpriteSheetUsed{kLevelBarSourceX + 3 * kSpriteCell, kSpriteCell};

// One 16-pixel block per level 1..3; any other level has no bar (0).
int32_t LevelBarWidth(int32_t level);

// The 5 x 5 colour matrix that scales every pixel's alpha by `opacity` and
// leaves the colours as they are.
using ColourMatrix = std::array<std::array<float, 5>, 5>;
ColourMatrix OpacityMatrix(float opacity);

}  // namespace quorbel
