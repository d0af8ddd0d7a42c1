#pragma once
// The render fixture's Linux half: what only QPainter tests use.
#include <QImage>
#include <cstdint>

#include "tests/support/render_fixture.h"

namespace quorbel::fixtures {

QImage LoadPng(const Text& path);

// A transparent premultiplied image to draw on.
QImage TestCanvas(int32_t width, int32_t height);

}  // namespace quorbel::fixtures
