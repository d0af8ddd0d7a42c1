#include "common/display_scale.h"

#include <cmath>

namespace quorbel {

namespace {

constexpr double kSmallest = 0.25;
constexpr double kLargest = 8.0;

}  // namespace

DisplayScale::DisplayScale(double factor)
    : factor_(std::isfinite(factor) && factor >= kSmallest && factor <= kLargest ? factor : 1.0) {}

DisplayScale DisplayScale::FromDpi(int32_t dpi) {
  return DisplayScale(dpi > 0 ? static_cast<double>(dpi) / kLogicalDpi : 1.0);
}

int32_t DisplayScale::Length(int32_t logical) const {
  return static_cast<int32_t>(std::lround(logical * factor_));
}

int32_t DisplayScale::Logical(int32_t device) const {
  return static_cast<int32_t>(std::lround(device / factor_));
}

PixelSize DisplayScale::Size(PixelSize logical) const {
  return {Length(logical.width), Length(logical.height)};
}

PixelRect DisplayScale::Rect(PixelRect logical) const {
  return {Length(logical.x), Length(logical.y), Length(logical.width), Length(logical.height)};
}

PixelRect DisplayScale::LogicalCover(PixelRect device) const {
  const auto left = static_cast<int32_t>(std::floor(device.x / factor_));
  const auto top = static_cast<int32_t>(std::floor(device.y / factor_));
  const auto right = static_cast<int32_t>(std::ceil((device.x + device.width) / factor_));
  const auto bottom = static_cast<int32_t>(std::ceil((device.y + device.height) / factor_));
  return {left, top, right - left, bottom - top};
}

}  // namespace quorbel
