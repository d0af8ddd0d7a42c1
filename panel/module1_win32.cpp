#include "panel/module1_win32.h"

#include "common/display_scale.h"

namespace quorbel {

using namespace gdip;

namespace {

// Points at 96 dots per inch times the scale, in pixels: the panel has the
// same layout whatever DPI the graphics object reports (a program aware of
// its monitor's DPI gets the monitor's, not 96).
unique_font MakeFont(const Text& font_name, REAL points, REAL scale, FontStyle style,
                     unique_font_family& family) {
  unique_font font;
  // A missing family (FontFamilyNotFound) leaves both empty.
  if (GdipCreateFontFamilyFromName(Wide(font_name), nullptr, family.put()) != Ok) return font;
  const REAL pixels = points * static_cast<REAL>(kLogicalDpi) / 72.0F * scale;
  GdipCreateFont(family.get(), pixels, static_cast<INT>(style), UnitPixel, font.put());
  return font;
}

unique_brush SolidBrush(Argb colour) {
  unique_brush brush;
  GdipCreateSolidFill(colour, brush.put());
  return brush;
}

unique_string_format EllipsisFormat() {
  unique_string_format format;
  GdipCreateStringFormat(0, LANG_NEUTRAL, format.put());
  GdipSetStringFormatTrimming(format.get(), StringTrimmingEllipsisCharacter);
  return format;
}

}  // namespace

void DrawShadowText(GpGraphics* graphics, const Text& text, float x, float y,
                    const Text& font_name, int32_t font_size, Argb colour, FontStyle style,
                    bool shadow, int32_t width) {
  DrawShadowTextAtScale(graphics, text, x, y, font_name, font_size, colour, style, shadow, width, 1.0F);
}

void DrawShadowTextAtScale(GpGraphics* graphics, const Text& text, float x, float y,
                           const Text& font_name, int32_t font_size, Argb colour, FontStyle style,
                           bool shadow, int32_t width, float scale) {
  const unique_brush brush = SolidBrush(colour);
  const unique_brush shadow_brush = SolidBrush(MakeArgb(kShadowAlpha, 0, 0, 0));
  unique_font_family family;
  const unique_font font = MakeFont(font_name, static_cast<REAL>(font_size), scale, style, family);
  const unique_string_format format = EllipsisFormat();
  GdipSetTextRenderingHint(graphics, TextRenderingHintClearTypeGridFit);
  if (!font) return;

  const RectF layout{x * scale, y * scale, static_cast<REAL>(width) * scale, 0.0F};  // height 0: no limit
  RectF box{};
  const auto length = static_cast<INT>(text.size());
  if (GdipMeasureString(graphics, Wide(text), length, font.get(), &layout, nullptr, &box, nullptr,
                        nullptr) != Ok) {
    return;
  }
  if (shadow) {
    GdipDrawString(graphics, Wide(text), length, font.get(), &box, format.get(),
                   shadow_brush.get());
    box.Y -= scale;
  }
  GdipDrawString(graphics, Wide(text), length, font.get(), &box, format.get(), brush.get());
}

void DrawSectionIcons(GpGraphics* graphics, const Text& icon_file) {
  const unique_image sprites = LoadImageCorner(icon_file, kSpriteSheetUsed);
  if (!sprites) return;
  int32_t source_x = 0;
  for (const Point& place : kSectionIconPlaces) {
    GdipDrawImageRectRectI(graphics, sprites.get(), place.x, place.y, kSpriteCell, kSpriteCell,
                           source_x, 0, kSpriteCell, kSpriteCell, UnitPixel, nullptr, nullptr,
                           nullptr);
    source_x += kSpriteCell;
  }
}

void DrawLevelBar(GpGraphics* graphics, GpImage* sprites, int32_t x, int32_t level,
                  float opacity) {
  unique_image_attributes attributes;
  GdipCreateImageAttributes(attributes.put());
  const ColourMatrix opacity_matrix = OpacityMatrix(opacity);
  ColorMatrix matrix{};
  for (size_t row = 0; row < 5; ++row) {
    for (size_t col = 0; col < 5; ++col) matrix.m[row][col] = opacity_matrix[row][col];
  }
  GdipSetImageAttributesColorMatrix(attributes.get(), ColorAdjustTypeDefault, TRUE, &matrix,
                                    nullptr, ColorMatrixFlagsDefault);
  const int32_t width = LevelBarWidth(level);
  if (width == 0 || !sprites) return;
  GdipDrawImageRectRectI(graphics, sprites, x, kLevelBarY, width, kSpriteCell, kLevelBarSourceX, 0,
                         width, kSpriteCell, UnitPixel, attributes.get(), nullptr, nullptr);
}

}  // namespace quorbel
