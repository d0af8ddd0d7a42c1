#pragma once
// Module1's drawing routines on a GDI+ graphics object. Each makes and
// releases its own drawing objects; a call that fails draws nothing.
#include <cstdint>

#include "common/text.h"
#include "common/gdiplus_win32.h"
#include "panel/module1.h"

namespace quorbel {

// Draws `text` in a layout box `width` pixels wide at (x, y), wrapping and
// trimming with an ellipsis; with `shadow`, over a 78 %-opaque black copy one
// pixel lower. A font family that does not exist draws nothing.
void DrawShadowText(gdip::GpGraphics* graphics, const Text& text, float x, float y,
                    const Text& font_name, int32_t font_size, Argb colour, FontStyle style,
                    bool shadow, int32_t width);

// The same text at `scale` device pixels per logical one, every figure
// above taken as logical. Laid out in device pixels: GDI+ measures a text
// under a scaling world transform narrower than it then draws it, which
// would wrap a heading's last word onto a line of its own.
void DrawShadowTextAtScale(gdip::GpGraphics* graphics, const Text& text, float x, float y,
                           const Text& font_name, int32_t font_size, Argb colour, FontStyle style,
                           bool shadow, int32_t width, float scale);

// The four line icons of the sprite sheet at `icon_file`.
void DrawSectionIcons(gdip::GpGraphics* graphics, const Text& icon_file);

// The bar of `level` (1..3) from `sprites` at column x on the level line,
// with every pixel's alpha scaled by `opacity`.
void DrawLevelBar(gdip::GpGraphics* graphics, gdip::GpImage* sprites, int32_t x, int32_t level,
                  float opacity);

}  // namespace quorbel
