#pragma once
// Small images made on the spot for the Qt renderer's tests, so they depend
// on no shipped picture.
#include <QImage>
#include <cstdint>
#include <functional>

#include "common/text.h"
#include "panel/module1.h"

namespace quorbel::fixtures {

inline constexpr Argb kSkinColour = 0xFF203040;
inline constexpr Argb kLogoColour = 0xFFFF0000;
inline constexpr Argb kBarColour = 0xFF00FF00;
inline constexpr Argb kIconColours[4] = {0xFF800000, 0xFF008000, 0xFF000080, 0xFF808000};

// A fresh directory under the system's temporary folder, removed with
// everything in it when the object goes. Its files are named the way the
// program names its data files ("dir\name").
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

bool WritePng(const Text& path, int32_t width, int32_t height,
              const std::function<Argb(int32_t x, int32_t y)>& colour_at);
bool WriteSolidPng(const Text& path, int32_t width, int32_t height, Argb colour);
// A 112 x 16 sprite sheet: four one-coloured icon cells, then three bar blocks.
bool WriteIconSheet(const Text& path);
QImage LoadPng(const Text& path);

// A transparent premultiplied image to draw on.
QImage Canvas(int32_t width, int32_t height);

inline uint8_t Alpha(Argb c) { return static_cast<uint8_t>(c >> 24); }
inline uint8_t Red(Argb c) { return static_cast<uint8_t>(c >> 16); }
inline uint8_t Green(Argb c) { return static_cast<uint8_t>(c >> 8); }
inline uint8_t Blue(Argb c) { return static_cast<uint8_t>(c); }

}  // namespace quorbel::fixtures
