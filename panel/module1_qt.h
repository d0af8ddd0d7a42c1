#pragma once
// Module1's drawing routines on a QPainter. Sizes are in points at 96 dots
// per inch, whatever the painter's device reports, so the panel has the same
// pixel layout on every screen. A call that fails draws nothing.
#include <QFont>
#include <QImage>
#include <QPainter>
#include <cstdint>

#include "common/text.h"
#include "panel/module1.h"

namespace quorbel {

// `points` at 96 dots per inch on `device`, fully hinted; a family
// fontconfig does not know is replaced by its nearest match.
QFont PanelFont(const QPaintDevice& device, const Text& font_name, float points, FontStyle style);

// Draws `text` in a layout box `width` pixels wide at (x, y), wrapping at the
// box's width and trimming with an ellipsis what still does not fit; with
// `shadow`, one pixel above a 78 %-opaque black copy of itself.
void DrawShadowText(QPainter& painter, const Text& text, float x, float y, const Text& font_name,
                    int32_t font_size, Argb colour, FontStyle style, bool shadow, int32_t width);

// The four line icons of the sprite sheet at `icon_file`.
void DrawSectionIcons(QPainter& painter, const Text& icon_file);

// The bar of `level` (1..3) from `sprites` at column x on the level line,
// with every pixel's alpha scaled by `opacity`.
void DrawLevelBar(QPainter& painter, const QImage& sprites, int32_t x, int32_t level,
                  float opacity);

}  // namespace quorbel
