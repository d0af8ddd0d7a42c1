#pragma once
// The GDI+ flat API with move-only owners for its objects, so every drawing
// routine releases what it made on every path.
#include <windows.h>
// gdiplus.h needs windows.h and, with WIN32_LEAN_AND_MEAN, objidl.h first.
#include <objidl.h>
#include <gdiplus.h>

#include "common/geometry.h"
#include "common/text.h"
#include "common/unique_handle.h"

namespace quorbel::gdip {

using namespace Gdiplus;
using namespace Gdiplus::DllExports;

struct ImageDisposer {
  void operator()(GpImage* image) const { GdipDisposeImage(image); }
};
struct GraphicsDeleter {
  void operator()(GpGraphics* graphics) const { GdipDeleteGraphics(graphics); }
};
struct BrushDeleter {
  void operator()(GpSolidFill* brush) const { GdipDeleteBrush(brush); }
};
struct PenDeleter {
  void operator()(GpPen* pen) const { GdipDeletePen(pen); }
};
struct FontFamilyDeleter {
  void operator()(GpFontFamily* family) const { GdipDeleteFontFamily(family); }
};
struct FontDeleter {
  void operator()(GpFont* font) const { GdipDeleteFont(font); }
};
struct StringFormatDeleter {
  void operator()(GpStringFormat* format) const { GdipDeleteStringFormat(format); }
};
struct ImageAttributesDisposer {
  void operator()(GpImageAttributes* attributes) const { GdipDisposeImageAttributes(attributes); }
};

using unique_image = UniqueHandle<GpImage*, ImageDisposer>;
using unique_graphics = UniqueHandle<GpGraphics*, GraphicsDeleter>;
using unique_brush = UniqueHandle<GpSolidFill*, BrushDeleter>;
using unique_pen = UniqueHandle<GpPen*, PenDeleter>;
using unique_font_family = UniqueHandle<GpFontFamily*, FontFamilyDeleter>;
using unique_font = UniqueHandle<GpFont*, FontDeleter>;
using unique_string_format = UniqueHandle<GpStringFormat*, StringFormatDeleter>;
using unique_image_attributes = UniqueHandle<GpImageAttributes*, ImageAttributesDisposer>;

static_assert(sizeof(WCHAR) == sizeof(char16_t), "GDI+ takes UTF-16 text");
inline const WCHAR* Wide(const Text& text) { return reinterpret_cast<const WCHAR*>(text.c_str()); }

// The image in a file, or none when it is missing or not an image. The
// file's header is judged first: only a PNG, JPEG, BMP or GIF within the
// pixel budget reaches the decoder.
unique_image LoadImageFile(const Text& path);

// Only the top-left `corner` of the image in a file (all of it where it is
// smaller), loaded as LoadImageFile loads it: the rest is decoded once and
// dropped.
unique_image LoadImageCorner(const Text& path, PixelSize corner);

// A new width x height 32-bit ARGB bitmap, all pixels transparent; none when
// the size is empty or memory runs out.
unique_image NewArgbImage(int32_t width, int32_t height);

// Writes the image as PNG; false when it could not.
bool SavePng(GpImage* image, const Text& path);

}  // namespace quorbel::gdip
