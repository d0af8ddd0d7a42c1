#include "panel/module1.h"

namespace quorbel {

Argb MakeArgb(uint8_t alpha, uint8_t red, uint8_t green, uint8_t blue) {
  // Laid out as blue, green, red, alpha in memory and read back as one
  // little-endian value, which is exactly what the shift form computes.
  return static_cast<Argb>(alpha) << 24 | static_cast<Argb>(red) << 16 |
         static_cast<Argb>(green) << 8 | blue;
}

int32_t LevelBarWidth(int32_t level) {
  return level >= 1 && level <= 3 ? kSpriteCell * level : 0;
}

ColourMatrix OpacityMatrix(float opacity) {
  ColourMatrix matrix{};
  for (std::size_t i = 0; i < matrix.size(); ++i) matrix[i][i] = 1.0F;
  matrix[3][3] = opacity;
  return matrix;
}

}  // namespace quorbel
