#pragma once
// What an image file's header promises, judged before any decoder sees the
// file: a picture that would decode to more pixels than the program ever
// holds is treated as a missing picture, whatever its size on disk.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "common/geometry.h"

namespace quorbel {

// The most pixels a picture the program loads may have: 4 Mi (4,194,304, as
// 2048 x 2048), 16 MiB decoded at 4 bytes a pixel. A capture of a whole
// 2560 x 1600 screen still fits, some 60 times what the panel (450 x 140)
// shows of a skin, and far more than a thumbnail (49 x 49), the logo
// (40 x 27) or the sprite sheet (112 x 16) need. GDI+ under Wine holds about
// three copies of a picture while it decodes one: 48 MiB at most.
inline constexpr int64_t kImagePixelBudget = int64_t{4} << 20;

// How much of a file the header is looked for in. A JPEG's size follows its
// metadata segments (EXIF, colour profiles), which rarely come near this.
inline constexpr std::size_t kImageHeadBytes = std::size_t{1} << 20;

enum class ImageVerdict {
  Fits,     // a PNG, JPEG, BMP or GIF within the budget
  Refused,  // one of those four over the budget, with no size, or cut short
  Unknown,  // some other format: the header reader cannot tell
};

enum class ImageFormat { Other, Png, Jpeg, Bmp, Gif };

struct ImageJudgement {
  ImageVerdict verdict = ImageVerdict::Unknown;
  PixelSize size;  // what the header promises, when the verdict is Fits
  ImageFormat format = ImageFormat::Other;
};

// Judges the first bytes of a file (up to kImageHeadBytes of them).
ImageJudgement JudgeImageHead(std::span<const uint8_t> head);

// Both sides at least 1 pixel and at most kImagePixelBudget pixels in all.
bool FitsPixelBudget(PixelSize size);

// The part of an image of `size` that a place of `place` shows from its
// top-left corner: the smaller of the two in each direction.
PixelSize CornerToKeep(PixelSize size, PixelSize place);

}  // namespace quorbel
