#include "dialog/skin_picker.h"

#include <algorithm>
#include <limits>

namespace quorbel {

namespace {
constexpr int32_t kBandRestart = -40;
}

int ThumbnailLeft(int index) { return kThumbnailMargin + kThumbnailPitch * index; }

int StripWidth(int count) {
  return ThumbnailLeft(count - 1) + kThumbnailSize + kThumbnailMargin;
}

int ScrollRange(int strip_width, int viewport_width) {
  return std::max(0, strip_width - viewport_width);
}

std::optional<int> ThumbnailAt(int x, int y, int offset, int count) {
  const int on_strip = x + offset - kThumbnailMargin;
  if (on_strip < 0 || on_strip % kThumbnailPitch >= kThumbnailSize) return std::nullopt;
  if (y < kThumbnailTop || y >= kThumbnailTop + kThumbnailSize) return std::nullopt;
  const int index = on_strip / kThumbnailPitch;
  if (index >= count) return std::nullopt;
  return index;
}

namespace {
// Digits alone, optionally after a plus sign, not all zero: a count too
// large for any integer type is still a large count.
bool IsHugeCount(TextView text) {
  const Text trimmed = TrimSpaces(text);
  const auto first = trimmed.begin() + (!trimmed.empty() && trimmed[0] == u'+' ? 1 : 0);
  const auto is_digit = [](char16_t c) { return c >= u'0' && c <= u'9'; };
  return std::all_of(first, trimmed.end(), is_digit) &&
         std::any_of(first, trimmed.end(), [](char16_t c) { return c >= u'1' && c <= u'9'; });
}
}  // namespace

int SkinCount(TextView count_text, const std::function<bool(int)>& is_listed) {
  const auto count = ParseInteger(count_text, 1, std::numeric_limits<long long>::max());
  if (!count && !IsHugeCount(count_text)) return 1;
  if (count && *count <= kMaxSkins) return static_cast<int>(*count);
  int listed = 1;
  while (listed < kMaxSkins && is_listed(listed + 1)) ++listed;
  return listed;
}

int16_t SelectedIndex(TextView selected_text, int count) {
  const auto selected = ParseInt16(selected_text);
  if (!selected || *selected < 1 || *selected > count) return 0;
  return static_cast<int16_t>(*selected - 1);
}

Text ThumbnailKey(int skin_number) { return u"SBitmap(" + DecimalText(skin_number) + u")"; }

Text ThumbnailName(int index) { return u"Skin " + DecimalText(index + 1); }

std::optional<int> ThumbnailAfterKey(int selected, StripKey key, int count) {
  const int next = selected + (key == StripKey::Left ? -1 : 1);
  if (next < 0 || next >= count) return std::nullopt;
  return next;
}

int OffsetShowing(int index, int offset, int viewport_width, int range) {
  const int first = ThumbnailLeft(index) - kThumbnailMargin;
  const int last = ThumbnailLeft(index) + kThumbnailSize + kThumbnailMargin;
  if (first < offset) offset = first;
  if (last > offset + viewport_width) offset = last - viewport_width;
  return std::clamp(offset, 0, range);
}

SelectionFrame SelectionFrameFor(int width, int height) {
  return {{2, 2, width - 1, height - 1}, {1, 1, width - 3, height - 3}, {0, 0, width - 1, height - 1}};
}

void SkinPicker::Select(int16_t index) {
  selected_skin_ = index;
  band_.reset();
}

void SkinPicker::Tick(int width, int height) {
  if (height < shine_pos_) shine_pos_ = kBandRestart;
  band_ = PixelRect{2, shine_pos_, width, height / 3};
  ++shine_pos_;
}

}  // namespace quorbel
