#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <vector>

#include "common/handles_win32.h"
#include "panel/frame_surface_win32.h"
#include "panel/gdiplus_session_win32.h"
#include "panel/panel_renderer_win32.h"
#include "panel/tests/render_fixtures_win32.h"

namespace quorbel {
namespace {

using namespace fixtures;

// Pixels of the composed frame are premultiplied; opaque ones equal their
// straight colour.
bool IsNear(uint32_t pixel, Argb colour, int tolerance = 2) {
  for (int shift = 0; shift < 32; shift += 8) {
    const int a = static_cast<int>((pixel >> shift) & 0xFF);
    const int b = static_cast<int>((colour >> shift) & 0xFF);
    if (std::abs(a - b) > tolerance) return false;
  }
  return true;
}

PanelTexts NoTexts() { return PanelTexts{}; }

PanelTexts DefaultTexts() {
  return PanelTexts{u"QUORBEL WARNING",
                    u"Continuous use of computer :",
                    u"Level :",
                    u"Quorbel risk :",
                    {u"No any risk", u"Carpal tunnel syndrome, Nearsightedness",
                     u"Carpal tunnel syndrome, Nearsightedness"},
                    u"Quorbel advice :",
                    {u"Does not require action", u"Recommended rest and exercise.",
                     u"Recommended rest and exercise."}};
}

class RendererTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(session_.Started());
    ASSERT_TRUE(WriteSolidPng(dir_.File(u"skin.png"), kPanelWidth, kPanelHeight, kSkinColour));
    ASSERT_TRUE(WriteSolidPng(dir_.File(u"logo.png"), 40, 27, kLogoColour));
    renderer_ = MakeLayeredPanelRenderer(nullptr, dir_.Path());
  }
  void TearDown() override { renderer_.reset(); }

  void WriteIcons() { ASSERT_TRUE(WriteIconSheet(dir_.File(u"icons.png"))); }

  PanelModel Model(const Text& skin, PanelTexts texts, int16_t level) {
    return PanelModel{dir_.File(skin), std::move(texts), u" 01:05", level};
  }

  FramePixels Draw(const PanelModel& model, int32_t logo_top = 74) {
    renderer_->DrawPanel(model);
    return renderer_->ComposeFrame(logo_top);
  }

  // Opaque pixels in `rows` brighter than the skin: drawn text.
  static int CountTextPixels(const FramePixels& frame, int32_t first_row, int32_t last_row) {
    int count = 0;
    for (int32_t y = first_row; y <= last_row; ++y) {
      for (int32_t x = 0; x < frame.width; ++x) count += ((frame.At(x, y) >> 16) & 0xFF) > 0xA0;
    }
    return count;
  }

  GdiplusSession session_;
  TempDir dir_;
  std::unique_ptr<LayeredPanelRenderer> renderer_;
};

TEST_F(RendererTest, SkinFillsTheWindowAndASmallerOneLeavesTheRestTransparent) {
  ASSERT_TRUE(WriteSolidPng(dir_.File(u"small.png"), 300, 100, kSkinColour));
  const FramePixels full = Draw(Model(u"skin.png", NoTexts(), 1));
  ASSERT_EQ(full.width, kPanelWidth);
  ASSERT_EQ(full.height, kPanelHeight);
  EXPECT_TRUE(IsNear(full.At(0, 0), kSkinColour));
  EXPECT_TRUE(IsNear(full.At(449, 139), kSkinColour));

  const FramePixels small = Draw(Model(u"small.png", NoTexts(), 1));
  EXPECT_EQ(renderer_->PanelWidth(), 300);
  EXPECT_EQ(renderer_->PanelHeight(), 100);
  EXPECT_TRUE(IsNear(small.At(299, 99), kSkinColour));
  for (int32_t y = 0; y < small.height; ++y) {
    for (int32_t x = 0; x < small.width; ++x) {
      if (x >= 300 || y >= 100) {
        ASSERT_EQ(small.At(x, y), 0u) << x << "," << y;
      }
    }
  }
}

TEST_F(RendererTest, LevelBarHasOneBlockPerLevelRightOfTheLevelHeading) {
  WriteIcons();
  PanelTexts texts = NoTexts();
  texts.level = u"Level :";
  const int32_t expected_x =
      static_cast<int32_t>(std::lround(MakeLabelFontMeasurer()->Width(texts.level) + 55));
  ASSERT_GT(expected_x, 70);
  for (int16_t level = 1; level <= 3; ++level) {
    const FramePixels frame = Draw(Model(u"skin.png", texts, level));
    int32_t first = -1;
    int32_t run = 0;
    for (int32_t x = 0; x < frame.width; ++x) {
      if (!IsNear(frame.At(x, 58), kBarColour)) continue;
      if (first < 0) first = x;
      ++run;
    }
    EXPECT_EQ(first, expected_x) << level;
    EXPECT_EQ(run, 16 * level) << level;
    EXPECT_TRUE(IsNear(frame.At(expected_x, 50), kBarColour)) << level;
    EXPECT_TRUE(IsNear(frame.At(expected_x, 49), kSkinColour)) << level;
    EXPECT_TRUE(IsNear(frame.At(expected_x, 66), kSkinColour)) << level;
  }
}

TEST_F(RendererTest, LogoMovesWithLogoTopAndThePanelCoversItsLowerEdge) {
  renderer_->LoadLogo(dir_.File(u"logo.png"));
  renderer_->DrawPanel(Model(u"skin.png", NoTexts(), 1));
  const FramePixels up = renderer_->ComposeFrame(74);
  const FramePixels down = renderer_->ComposeFrame(77);
  EXPECT_TRUE(IsNear(up.At(410, 74), kLogoColour));
  EXPECT_TRUE(IsNear(up.At(410, 73), kSkinColour));
  EXPECT_TRUE(IsNear(down.At(410, 77), kLogoColour));
  EXPECT_TRUE(IsNear(down.At(410, 76), kSkinColour));
  EXPECT_TRUE(IsNear(down.At(410, 99), kLogoColour));
  for (int32_t y = 100; y < 104; ++y) {
    EXPECT_TRUE(IsNear(down.At(410, y), kSkinColour)) << y;  // covered by the opaque panel
  }
  EXPECT_TRUE(IsNear(down.At(389, 80), kSkinColour));
  EXPECT_TRUE(IsNear(down.At(430, 80), kSkinColour));
}

TEST_F(RendererTest, LogoShowsInsideTheCoverWhereThePanelIsTransparent) {
  ASSERT_TRUE(WriteSolidPng(dir_.File(u"short.png"), kPanelWidth, 90, kSkinColour));
  renderer_->LoadLogo(dir_.File(u"logo.png"));
  renderer_->DrawPanel(Model(u"short.png", NoTexts(), 1));
  const FramePixels frame = renderer_->ComposeFrame(77);
  EXPECT_TRUE(IsNear(frame.At(410, 102), kLogoColour));
  EXPECT_EQ(frame.At(410, 104), 0u);
}

TEST_F(RendererTest, LongRiskLineWrapsBelowItsLine) {
  PanelTexts texts = NoTexts();
  texts.risk = u"Quorbel risk :";
  texts.risk_dec[0] = u"Short";
  const FramePixels short_line = Draw(Model(u"skin.png", texts, 1));
  texts.risk_dec[0] =
      u"Carpal tunnel syndrome, Nearsightedness, Back pain, Neck pain, Dry eyes, Headache";
  const FramePixels long_line = Draw(Model(u"skin.png", texts, 1));
  ASSERT_GT(CountTextPixels(long_line, 71, 84), 0);
  EXPECT_EQ(CountTextPixels(short_line, 87, 104), 0);
  EXPECT_GT(CountTextPixels(long_line, 87, 104), 0);
}

TEST_F(RendererTest, LevelsOutsideOneToThreeDrawNeitherLevelLine) {
  PanelTexts without_lines = DefaultTexts();
  without_lines.risk_dec = {};
  without_lines.advice_dec = {};
  const FramePixels bare = Draw(Model(u"skin.png", without_lines, 1));
  const FramePixels level_one = Draw(Model(u"skin.png", DefaultTexts(), 1));
  EXPECT_NE(level_one.pixels, bare.pixels);
  for (int16_t level : {int16_t{0}, int16_t{4}}) {
    EXPECT_EQ(Draw(Model(u"skin.png", DefaultTexts(), level)).pixels, bare.pixels) << level;
  }
}

TEST_F(RendererTest, MissingIconsAndLogoLeaveTheTextsDrawn) {
  const FramePixels frame = Draw(Model(u"skin.png", DefaultTexts(), 2));
  EXPECT_TRUE(IsNear(frame.At(20, 32), kSkinColour)) << "no icon";
  EXPECT_TRUE(IsNear(frame.At(410, 80), kSkinColour)) << "no logo";
  EXPECT_GT(CountTextPixels(frame, 30, 45), 0);
  EXPECT_GT(CountTextPixels(frame, 107, 125), 0);
}

TEST_F(RendererTest, SkinThatNeverLoadedGivesAPlainPanelAtEveryDraw) {
  renderer_->LoadLogo(dir_.File(u"logo.png"));
  Draw(Model(u"missing.png", DefaultTexts(), 1));  // start-up's draw
  const FramePixels frame = Draw(Model(u"missing.png", DefaultTexts(), 2));  // a reminder's
  EXPECT_EQ(renderer_->PanelWidth(), kPanelWidth);
  EXPECT_EQ(renderer_->PanelHeight(), kPanelHeight);
  EXPECT_EQ(frame.At(5, 135) >> 24, 240u) << "the plain panel fills the window";
  EXPECT_GT(CountTextPixels(frame, 30, 45), 0);
  EXPECT_TRUE(IsNear(frame.At(410, 80), kLogoColour));

  const FramePixels skinned = Draw(Model(u"skin.png", DefaultTexts(), 2));
  EXPECT_TRUE(IsNear(skinned.At(5, 135), kSkinColour)) << "a skin that loads replaces it";
}

TEST_F(RendererTest, HugeSkinIsCutAtTheWindowSize) {
  ASSERT_TRUE(WriteSolidPng(dir_.File(u"huge.png"), 2048, 2048, kSkinColour));
  const FramePixels frame = Draw(Model(u"huge.png", NoTexts(), 1));
  EXPECT_EQ(renderer_->PanelWidth(), kPanelWidth);
  EXPECT_EQ(renderer_->PanelHeight(), kPanelHeight);
  EXPECT_TRUE(IsNear(frame.At(449, 139), kSkinColour)) << "the skin fills the window to its corner";
}

// One column more than 2048 x 2048 (4 Mi pixels, the budget), and the skin,
// the logo and the sprite sheet are each missing: the plain panel (alpha
// 240) shows where each would be.
TEST_F(RendererTest, PicturesOverThePixelBudgetAreMissing) {
  ASSERT_TRUE(WriteSolidPng(dir_.File(u"big.png"), 2049, 2048, kLogoColour));
  for (const char16_t* name : {u"logo.png", u"icons.png"}) {
    std::filesystem::remove(dir_.File(name));
    std::filesystem::copy_file(dir_.File(u"big.png"), dir_.File(name));
  }
  renderer_->LoadLogo(dir_.File(u"logo.png"));
  const FramePixels frame = Draw(Model(u"big.png", NoTexts(), 1));
  const Point icon{kSectionIconPlaces[0].x + 8, kSectionIconPlaces[0].y + 8};
  for (const Point place : {Point{5, 135}, Point{410, 80}, icon}) {
    EXPECT_EQ(frame.At(place.x, place.y) >> 24, 240u) << place.x << ", " << place.y;
  }
}

TEST_F(RendererTest, SkinLostAfterAnEarlierSuccessDrawsOnATransparentImageOfThatSize) {
  ASSERT_TRUE(WriteSolidPng(dir_.File(u"small.png"), 300, 120, kSkinColour));
  Draw(Model(u"small.png", DefaultTexts(), 1));
  const FramePixels frame = Draw(Model(u"missing.png", DefaultTexts(), 1));
  EXPECT_EQ(renderer_->PanelWidth(), 300);
  EXPECT_EQ(renderer_->PanelHeight(), 120);
  EXPECT_EQ(frame.At(5, 115), 0u);
  EXPECT_GT(CountTextPixels(frame, 30, 45), 0);
}

TEST_F(RendererTest, EachDrawPanelStartsFromAFreshImage) {
  ASSERT_TRUE(WriteSolidPng(dir_.File(u"glass.png"), kPanelWidth, kPanelHeight, 0x80FFFFFF));
  Draw(Model(u"skin.png", NoTexts(), 1));
  const FramePixels frame = Draw(Model(u"glass.png", NoTexts(), 1));
  // Half-transparent white, premultiplied; nothing of the earlier dark skin.
  EXPECT_TRUE(IsNear(frame.At(200, 130), 0x80808080));
}

unique_hwnd MakePopup(int32_t left, int32_t top) {
  WNDCLASSA window_class{};
  window_class.lpfnWndProc = DefWindowProcA;
  window_class.hInstance = GetModuleHandleA(nullptr);
  window_class.lpszClassName = "QuorbelRenderTestPanel";
  RegisterClassA(&window_class);
  return unique_hwnd(CreateWindowExA(0, window_class.lpszClassName, "", WS_POPUP, left, top,
                                     kPanelWidth, kPanelHeight, nullptr, nullptr,
                                     window_class.hInstance, nullptr));
}

TEST_F(RendererTest, PresentPanelMakesTheWindowLayeredAndTopMostWithoutMovingIt) {
  const unique_hwnd window = MakePopup(123, -140);
  if (!window) GTEST_SKIP() << "no window system (set DISPLAY)";
  ShowWindow(window.get(), SW_SHOWNOACTIVATE);
  const auto renderer = MakeLayeredPanelRenderer(window.get(), dir_.Path());
  renderer->LoadLogo(dir_.File(u"logo.png"));
  renderer->DrawPanel(Model(u"skin.png", DefaultTexts(), 1));
  renderer->PresentPanel(74);
  renderer->PresentPanel(77);

  const LONG ex_style = GetWindowLongA(window.get(), GWL_EXSTYLE);
  EXPECT_TRUE(ex_style & WS_EX_LAYERED);
  EXPECT_TRUE(ex_style & WS_EX_TOPMOST);
  RECT place{};
  GetWindowRect(window.get(), &place);
  EXPECT_EQ(place.left, 123);
  EXPECT_EQ(place.top, -140);
  EXPECT_EQ(place.right - place.left, kPanelWidth);
  EXPECT_EQ(renderer->ComposeFrame(74).width, kPanelWidth);
}

// A window the renderer presents on, with the panel drawn and presented at
// both logo places, then once more from what it keeps.
class PresentedRendererTest : public RendererTest {
 protected:
  void SetUp() override {
    RendererTest::SetUp();
    window_ = MakePopup(0, 0);
    if (!window_) GTEST_SKIP() << "no window system (set DISPLAY)";
    ShowWindow(window_.get(), SW_SHOWNOACTIVATE);
    WriteIcons();
    presented_ = MakeLayeredPanelRenderer(window_.get(), dir_.Path());
    presented_->LoadLogo(dir_.File(u"logo.png"));
  }
  void TearDown() override {
    presented_.reset();
    RendererTest::TearDown();
  }

  void Remind(const PanelModel& model) {
    presented_->DrawPanel(model);
    presented_->PresentPanel(74);
    presented_->PresentPanel(77);
    presented_->PresentPanel(74);
  }

  // The kept frame is, byte for byte, the one composed from scratch.
  void ExpectKeptFramesFresh() {
    for (int32_t logo_top : {74, 77}) {
      const FramePixels kept = presented_->KeptFrame(logo_top);
      ASSERT_EQ(kept.pixels.size(), static_cast<size_t>(kPanelWidth * kPanelHeight)) << logo_top;
      EXPECT_TRUE(kept.pixels == presented_->ComposeFrame(logo_top).pixels) << logo_top;
    }
  }

  unique_hwnd window_;
  std::unique_ptr<LayeredPanelRenderer> presented_;
};

TEST_F(PresentedRendererTest, KeptFramesAreTheFramesComposedFromScratch) {
  Remind(Model(u"skin.png", DefaultTexts(), 2));
  ExpectKeptFramesFresh();
  EXPECT_FALSE(presented_->KeptFrame(74).pixels == presented_->KeptFrame(77).pixels);
  EXPECT_TRUE(IsNear(presented_->KeptFrame(77).At(410, 99), kLogoColour));
}

TEST_F(PresentedRendererTest, NextPresentAfterANewPanelOrLogoShowsIt) {
  ASSERT_TRUE(WriteSolidPng(dir_.File(u"glass.png"), kPanelWidth, kPanelHeight, 0x80FFFFFF));
  Remind(Model(u"skin.png", DefaultTexts(), 1));
  const FramePixels level_one = presented_->KeptFrame(74);

  presented_->DrawPanel(Model(u"skin.png", DefaultTexts(), 3));
  EXPECT_TRUE(presented_->KeptFrame(74).pixels.empty()) << "a new panel makes the frames stale";
  presented_->PresentPanel(74);
  presented_->PresentPanel(77);
  ExpectKeptFramesFresh();
  EXPECT_FALSE(presented_->KeptFrame(74).pixels == level_one.pixels);

  // Half-transparent pixels show whether a reused frame started from zero.
  Remind(Model(u"glass.png", DefaultTexts(), 3));
  ExpectKeptFramesFresh();
  EXPECT_TRUE(IsNear(presented_->KeptFrame(74).At(200, 130), 0x80808080));

  ASSERT_TRUE(WriteSolidPng(dir_.File(u"blue.png"), 40, 27, 0xFF0000FF));
  presented_->LoadLogo(dir_.File(u"blue.png"));
  presented_->PresentPanel(77);
  presented_->PresentPanel(74);
  ExpectKeptFramesFresh();
  EXPECT_TRUE(IsNear(presented_->KeptFrame(77).At(410, 90), 0xFF0000FF));
}

// The screen's pixels where the window stands.
std::vector<uint32_t> ScreenUnder(HWND window) {
  RECT place{};
  GetWindowRect(window, &place);
  const SIZE size{place.right - place.left, place.bottom - place.top};
  const FrameSurface copy(nullptr, size);
  const WindowDc screen(nullptr);
  if (!copy.Ready()) return {};
  BitBlt(copy.dc(), 0, 0, size.cx, size.cy, screen.get(), place.left, place.top, SRCCOPY);
  GdiFlush();
  return std::vector<uint32_t>(copy.Bits(), copy.Bits() + size.cx * size.cy);
}

TEST_F(PresentedRendererTest, AShakeTickLeavesTheScreenAsAWholeFrameWould) {
  const PanelModel model = Model(u"skin.png", DefaultTexts(), 2);
  Remind(model);
  presented_->PresentPanel(77);  // only the logo's rectangle is pushed
  const std::vector<uint32_t> shaken = ScreenUnder(window_.get());

  const auto whole = MakeLayeredPanelRenderer(window_.get(), dir_.Path());
  whole->LoadLogo(dir_.File(u"logo.png"));
  whole->DrawPanel(model);
  whole->PresentPanel(74);
  const std::vector<uint32_t> up = ScreenUnder(window_.get());
  whole->DrawPanel(model);
  whole->PresentPanel(77);
  ASSERT_FALSE(up == shaken) << "the screen shows the logo's move";
  EXPECT_TRUE(ScreenUnder(window_.get()) == shaken);

  const PanelModel level_three = Model(u"skin.png", DefaultTexts(), 3);
  presented_->DrawPanel(level_three);
  presented_->PresentPanel(74);
  const std::vector<uint32_t> redrawn = ScreenUnder(window_.get());
  whole->DrawPanel(level_three);
  whole->PresentPanel(74);
  ASSERT_FALSE(redrawn == up) << "the screen shows the new level";
  EXPECT_TRUE(ScreenUnder(window_.get()) == redrawn);
}

TEST_F(PresentedRendererTest, AThousandRemindersLeaveMemoryAndGdiObjectsFlat) {
  const PanelModel model = Model(u"skin.png", DefaultTexts(), 2);
  for (int warm_up = 0; warm_up < 20; ++warm_up) Remind(model);  // font and codec caches fill first
  GdiObjectsInUse();
  const size_t before = CommittedBytes();
  const size_t objects_before = GdiObjectsInUse();
  for (int reminder = 0; reminder < 1000; ++reminder) Remind(model);
  // One leaked panel image or frame alone is 450 x 140 x 4 bytes a reminder.
  EXPECT_LT(CommittedBytes(), before + 4 * 1024 * 1024);
  EXPECT_LE(GdiObjectsInUse(), objects_before);
}

}  // namespace
}  // namespace quorbel
