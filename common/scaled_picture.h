#pragma once
// Which file of a picture (a skin, its thumbnail, the logo) to draw at a
// scale, and what logical size a picture made for a denser screen stands
// for. A picture may have one twice its size beside it, named with "@2x"
// before the extension (skins/skin1@2x.png beside skins/skin1.png).
#include <cstdint>
#include <vector>

#include "common/display_scale.h"
#include "common/geometry.h"
#include "common/text.h"

namespace quorbel {

inline constexpr int32_t kHighResolutionFactor = 2;

struct PictureFile {
  Text path;
  int32_t factor = 1;  // the picture's pixels per logical pixel
  bool operator==(const PictureFile&) const = default;
};

// "dir\skin1.png" gives "dir\skin1@2x.png"; a name without an extension
// gets "@2x" at its end. Empty for an empty path.
Text HighResolutionPath(const Text& path);

// The files to try, best first: above scale 1 the "@2x" one, then the
// picture's own; at 1 and below only the picture's own.
std::vector<PictureFile> PictureFilesFor(const Text& path, const DisplayScale& scale);

// The largest part of a picture file worth loading: the logical area it
// fills, in that file's pixels.
PixelSize PictureCorner(PixelSize logical_area, int32_t factor);

// The logical size a picture of `factor` pixels per logical pixel covers;
// an odd pixel left over counts as a whole logical one.
PixelSize LogicalSize(PixelSize picture, int32_t factor);

}  // namespace quorbel
