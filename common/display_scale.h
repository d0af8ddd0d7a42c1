#pragma once
// A screen's scale: every figure of the panel and the dialog is in 96-dpi
// (logical) pixels, and a screen of another density shows each of them as
// `Factor()` of its own (device) pixels.
#include <cstdint>

#include "common/geometry.h"

namespace quorbel {

inline constexpr int32_t kLogicalDpi = 96;

class DisplayScale {
 public:
  // A factor that is not a finite number between 1/4 and 8 is taken as 1:
  // no screen is that dense, and a broken report must not give a panel of
  // no size or of gigabytes.
  explicit DisplayScale(double factor = 1.0);
  // The scale of a screen of `dpi` dots per inch; 1 for a dpi of 0 or less.
  static DisplayScale FromDpi(int32_t dpi);

  double Factor() const { return factor_; }
  bool IsOne() const { return factor_ == 1.0; }
  // A logical length in device pixels, to the nearest, halves away from zero
  // (as MulDiv and Qt's own rounding do).
  int32_t Length(int32_t logical) const;
  // A device length back in logical pixels, to the nearest: at any factor
  // from 1 up, Logical(Length(n)) is n again.
  int32_t Logical(int32_t device) const;
  PixelSize Size(PixelSize logical) const;
  // Place and size each rounded alone, so that a rectangle keeps its device
  // size wherever it moves (the logo steps by 3 pixels).
  PixelRect Rect(PixelRect logical) const;
  // The smallest logical rectangle whose device pixels hold all of `device`:
  // what a window repaints for a change found in its device-pixel frame.
  PixelRect LogicalCover(PixelRect device) const;
  bool operator==(const DisplayScale&) const = default;

 private:
  double factor_;
};

}  // namespace quorbel
