#pragma once
// Pictures for the Linux program, loaded within the pixel budget: a file
// that is not a regular file, cannot be read, promises more pixels than the
// budget allows or does not decode gives a null image, as a missing one.
#include <QImage>

#include "common/geometry.h"
#include "common/text.h"

namespace quorbel {

// The whole picture at `path` ("\" or "/" separated).
QImage LoadImageWithinBudget(const Text& path);

// Only the top-left `corner` of the picture (all of it where it is smaller):
// the rest is decoded once and dropped.
QImage LoadImageCorner(const Text& path, PixelSize corner);

}  // namespace quorbel
