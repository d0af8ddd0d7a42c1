#pragma once
// The panel renderer's test fixture, one for both platforms: small pictures
// made on the spot (so the tests depend on no shipped picture), the texts
// of a reminder, and a renderer of the platform under test. The platform's
// half (render_fixture_win32.cpp, render_fixture_qt.cpp) writes PNGs and
// makes the renderer.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>

#include "common/text.h"
#include "panel/frame_pixels.h"
#include "panel/module1.h"
#include "panel/painter.h"
#include "panel/panel_compositor.h"
#include "panel/panel_layout.h"
#include "panel/panel_model.h"
#include "tests/support/reminder_texts.h"

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

// Copies a file named the program's way over another.
void CopyFile(const Text& from, const Text& to);

bool WritePng(const Text& path, int32_t width, int32_t height,
              const std::function<Argb(int32_t x, int32_t y)>& colour_at);
bool WriteSolidPng(const Text& path, int32_t width, int32_t height, Argb colour);
// A 112 x 16 sprite sheet: four one-coloured icon cells, then three bar blocks.
bool WriteIconSheet(const Text& path);

// The platform's graphics library for the life of the object.
class GraphicsSession {
 public:
  GraphicsSession();
  GraphicsSession(const GraphicsSession&) = delete;
  GraphicsSession& operator=(const GraphicsSession&) = delete;
  ~GraphicsSession();
  bool Started() const;

 private:
  struct State;
  std::unique_ptr<State> state_;
};

// The platform's painter, and its renderer that composes frames and shows
// none.
std::unique_ptr<Painter> MakePainter();
std::unique_ptr<PanelCompositor> MakeSilentRenderer(Text data_dir);
// The platform's label font measurer, which places the level bar.
std::unique_ptr<HeadingMeasurer> MakeLabelMeasurer();
// The straight (unpremultiplied) colour of a premultiplied pixel, rounded as
// the platform rounds it.
Argb Straight(uint32_t premultiplied);

inline uint8_t Alpha(Argb c) { return static_cast<uint8_t>(c >> 24); }
inline uint8_t Red(Argb c) { return static_cast<uint8_t>(c >> 16); }
inline uint8_t Green(Argb c) { return static_cast<uint8_t>(c >> 8); }
inline uint8_t Blue(Argb c) { return static_cast<uint8_t>(c); }

// Pixels of a composed frame are premultiplied; opaque ones equal their
// straight colour.
bool IsNear(uint32_t pixel, Argb colour, int tolerance = 2);

PanelTexts NoTexts();

// Opaque pixels in `rows` brighter than the skin: drawn text.
int CountTextPixels(const FramePixels& frame, int32_t first_row, int32_t last_row);

// A renderer of the platform under test, with a skin and a logo written.
class RendererTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override { renderer_.reset(); }

  void WriteIcons() { ASSERT_TRUE(WriteIconSheet(dir_.File(u"icons.png"))); }
  PanelModel Model(const Text& skin, PanelTexts texts, int16_t level) const;
  FramePixels Draw(const PanelModel& model, int32_t logo_top = 74);

  GraphicsSession session_;
  TempDir dir_;
  std::unique_ptr<PanelCompositor> renderer_;
};

}  // namespace quorbel::fixtures
