// The Windows renderer on a real layered window: what it presents, what it
// keeps, and what a thousand reminders cost.
#include <gtest/gtest.h>

#include <vector>

#include "common/handles_win32.h"
#include "panel/frame_surface_win32.h"
#include "panel/panel_renderer_win32.h"
#include "tests/support/render_fixture_win32.h"

namespace quorbel {
namespace {

using namespace fixtures;

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
