#pragma once
// The skin picker's arithmetic: where the thumbnails lie on the strip, how far
// the strip scrolls, which skin is selected and where the light band runs.
#include <cstdint>
#include <functional>
#include <optional>

#include "common/geometry.h"
#include "common/text.h"

namespace quorbel {

inline constexpr int kThumbnailSize = 49;
inline constexpr int kThumbnailMargin = 2;
inline constexpr int kThumbnailTop = 2;
inline constexpr int kThumbnailPitch = kThumbnailSize + 3;
// Enough for any real skin collection, few enough windows and images to load.
inline constexpr int kMaxSkins = 256;

// Left edge of thumbnail `index` (0-based) on the strip.
int ThumbnailLeft(int index);

// Width of the strip holding `count` thumbnails, the 3-pixel gaps and a
// 2-pixel margin on both ends, so the last thumbnail is never cut off.
int StripWidth(int count);

// How far the strip can move left: what lies beyond the viewport, if anything.
int ScrollRange(int strip_width, int viewport_width);

// The thumbnail under the viewport point (x, y) with the strip moved `offset`
// pixels left, or nothing over a gap, a margin or beyond the `count` thumbnails.
std::optional<int> ThumbnailAt(int x, int y, int offset, int count);

// The number of skins from the "Count" text. Text that is not a number, or a
// number below 1, gives one skin. A count above kMaxSkins, of any size, is bounded by the
// thumbnails listed one after the other from skin 1 on (`is_listed` is asked
// for skin numbers 1 ... kMaxSkins).
int SkinCount(TextView count_text, const std::function<bool(int)>& is_listed);

// 0-based thumbnail index for the 1-based "Selected" text; outside 1 ... count
// (or not a number) gives skin 1.
int16_t SelectedIndex(TextView selected_text, int count);

// The Config.ini key of skin `skin_number`'s thumbnail, "SBitmap(<n>)".
Text ThumbnailKey(int skin_number);

// What assistive technology calls thumbnail `index`: "Skin <index + 1>".
Text ThumbnailName(int index);

// The arrow keys on the focused strip.
enum class StripKey { Left, Right };

// The thumbnail an arrow key selects next among `count`, or nothing at
// either end of the strip.
std::optional<int> ThumbnailAfterKey(int selected, StripKey key, int count);

// How far the strip must move left (from `offset`, within 0 ... `range`) so
// thumbnail `index` and its margins lie wholly in a viewport `viewport_width`
// wide; a thumbnail already in view leaves the strip where it is.
int OffsetShowing(int index, int offset, int viewport_width, int range);

// The selection mark on a thumbnail of `width` x `height`: a tint over the
// inside, a light inner outline and a dark outer one (outlines as drawn by a
// 1-pixel pen, covering left ... left + width inclusive).
struct SelectionFrame {
  PixelRect tint;
  PixelRect inner;
  PixelRect outer;
};
SelectionFrame SelectionFrameFor(int width, int height);

// ARGB colours of the mark and the band.
inline constexpr uint32_t kSelectionTint = 0x32000000;
inline constexpr uint32_t kSelectionOuter = 0xC8000000;
inline constexpr uint32_t kSelectionInner = 0x96FFFFFF;
inline constexpr uint32_t kLightBand = 0x32FFFFFF;

// The selected thumbnail and its light band. The band position lives as long
// as the program; it is not reset by a new selection or a new opening.
class SkinPicker {
 public:
  // Thumbnail `index` is selected (by a freshly built strip or a click); the
  // band is off until the next tick.
  void Select(int16_t index);
  // One timer tick on the selected thumbnail of the given size: the band is
  // drawn at the current position, which then moves one pixel down, starting
  // again from -40 once it has passed the bottom.
  void Tick(int width, int height);

  int16_t SelectedSkin() const { return selected_skin_; }
  int32_t ShinePos() const { return shine_pos_; }
  // The band on the selected thumbnail, in its own coordinates.
  const std::optional<PixelRect>& Band() const { return band_; }

 private:
  int16_t selected_skin_ = 0;
  int32_t shine_pos_ = 0;
  std::optional<PixelRect> band_;
};

}  // namespace quorbel
