#pragma once
// Small images made on the spot for the renderer's tests and benchmark, so
// they depend on no shipped picture.
#include <cstddef>
#include <cstdint>
#include <functional>

#include "common/text.h"
#include "common/gdiplus_win32.h"
#include "panel/module1.h"

namespace quorbel::fixtures {

inline constexpr Argb kSkinColour = 0xFF203040;
inline constexpr Argb kLogoColour = 0xFFFF0000;
inline constexpr Argb kBarColour = 0xFF00FF00;
inline constexpr Argb kIconColours[4] = {0xFF800000, 0xFF008000, 0xFF000080, 0xFF808000};

// A fresh directory under the system's temporary folder, removed with
// everything in it when the object goes.
class TempDir {
 public:
  TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  ~TempDir();
  const Text& Path() const { return path_; }
  Text File(TextView name) const { return path_ + u"\\" + Text(name); }

 private:
  Text path_;
};

// Committed memory of this process in bytes (Wine fills this counter; it
// leaves the private-usage and GDI-object counts at 0).
size_t CommittedBytes();

// A figure that grows with the GDI objects this process holds. Wine does not
// count them (GetGuiResources gives 0): there it is the highest handle slot
// that a batch of new objects takes, which rises only when slots stay in
// use. Call it once first, so that its own first-use objects are made.
size_t GdiObjectsInUse();

bool WritePng(const Text& path, int32_t width, int32_t height,
              const std::function<Argb(int32_t x, int32_t y)>& colour_at);
bool WriteSolidPng(const Text& path, int32_t width, int32_t height, Argb colour);
// A 112 x 16 sprite sheet: four one-coloured icon cells, then three bar blocks.
bool WriteIconSheet(const Text& path);

// A transparent ARGB image with a graphics object on it, for drawing tests.
class Canvas {
 public:
  Canvas(int32_t width, int32_t height);
  gdip::GpGraphics* Graphics() const { return graphics_.get(); }
  // Unpremultiplied ARGB, after everything drawn so far has landed.
  Argb Pixel(int32_t x, int32_t y) const;
  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }

 private:
  int32_t width_;
  int32_t height_;
  gdip::unique_image image_;
  gdip::unique_graphics graphics_;
};

inline uint8_t Alpha(Argb c) { return static_cast<uint8_t>(c >> 24); }
inline uint8_t Red(Argb c) { return static_cast<uint8_t>(c >> 16); }
inline uint8_t Green(Argb c) { return static_cast<uint8_t>(c >> 8); }
inline uint8_t Blue(Argb c) { return static_cast<uint8_t>(c); }

}  // namespace quorbel::fixtures
