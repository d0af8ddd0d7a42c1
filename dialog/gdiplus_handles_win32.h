#pragma once
// Owners of the GDI+ objects the dialog draws with.
#include <windows.h>
#include <objidl.h>  // PROPID, left out by WIN32_LEAN_AND_MEAN
#include <gdiplus.h>

#include "common/unique_handle.h"

namespace quorbel {

struct GpImageDisposer {
  void operator()(Gdiplus::GpImage* image) const { Gdiplus::DllExports::GdipDisposeImage(image); }
};
struct GpGraphicsDeleter {
  void operator()(Gdiplus::GpGraphics* graphics) const { Gdiplus::DllExports::GdipDeleteGraphics(graphics); }
};
struct GpBrushDeleter {
  void operator()(Gdiplus::GpSolidFill* brush) const { Gdiplus::DllExports::GdipDeleteBrush(brush); }
};
struct GpPenDeleter {
  void operator()(Gdiplus::GpPen* pen) const { Gdiplus::DllExports::GdipDeletePen(pen); }
};

using unique_gpimage = UniqueHandle<Gdiplus::GpImage*, GpImageDisposer>;
using unique_gpgraphics = UniqueHandle<Gdiplus::GpGraphics*, GpGraphicsDeleter>;
using unique_gpbrush = UniqueHandle<Gdiplus::GpSolidFill*, GpBrushDeleter>;
using unique_gppen = UniqueHandle<Gdiplus::GpPen*, GpPenDeleter>;

}  // namespace quorbel
