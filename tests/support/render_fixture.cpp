#include "tests/support/render_fixture.h"

#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

#include "common/native_path.h"

namespace quorbel::fixtures {

namespace {

Text UniqueTempPath() {
  static std::mt19937_64 random{std::random_device{}()};
  const std::filesystem::path base = std::filesystem::temp_directory_path();
  return (base / ("quorbel-render-" + std::to_string(random()))).u16string();
}

std::filesystem::path Native(const Text& path) { return std::filesystem::path(SlashPath(path)); }

}  // namespace

TempDir::TempDir() : path_(UniqueTempPath()) { std::filesystem::create_directories(Native(path_)); }

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(Native(path_), ignored);
}

// Removed first: mingw's copy_file fails on an existing file even when told
// to overwrite it.
void CopyFile(const Text& from, const Text& to) {
  std::error_code ignored;
  std::filesystem::remove(Native(to), ignored);
  std::filesystem::copy_file(Native(from), Native(to));
}

bool WriteSolidPng(const Text& path, int32_t width, int32_t height, Argb colour) {
  return WritePng(path, width, height, [colour](int32_t, int32_t) { return colour; });
}

bool WriteIconSheet(const Text& path) {
  return WritePng(path, 112, 16, [](int32_t x, int32_t) {
    const int32_t cell = x / kSpriteCell;
    return cell < 4 ? kIconColours[cell] : kBarColour;
  });
}

bool IsNear(uint32_t pixel, Argb colour, int tolerance) {
  for (int shift = 0; shift < 32; shift += 8) {
    const int a = static_cast<int>((pixel >> shift) & 0xFF);
    const int b = static_cast<int>((colour >> shift) & 0xFF);
    if (std::abs(a - b) > tolerance) return false;
  }
  return true;
}

PanelTexts NoTexts() { return PanelTexts{}; }

int CountTextPixels(const FramePixels& frame, int32_t first_row, int32_t last_row) {
  int count = 0;
  for (int32_t y = first_row; y <= last_row; ++y) {
    for (int32_t x = 0; x < frame.width; ++x) count += ((frame.At(x, y) >> 16) & 0xFF) > 0xA0;
  }
  return count;
}

void RendererTest::SetUp() {
  ASSERT_TRUE(session_.Started());
  ASSERT_TRUE(WriteSolidPng(dir_.File(u"skin.png"), kPanelWidth, kPanelHeight, kSkinColour));
  ASSERT_TRUE(WriteSolidPng(dir_.File(u"logo.png"), 40, 27, kLogoColour));
  renderer_ = MakeSilentRenderer(dir_.Path());
}

PanelModel RendererTest::Model(const Text& skin, PanelTexts texts, int16_t level) const {
  return PanelModel{dir_.File(skin), std::move(texts), u" 01:05", level};
}

FramePixels RendererTest::Draw(const PanelModel& model, int32_t logo_top) {
  renderer_->DrawPanel(model);
  return renderer_->ComposeFrame(logo_top);
}

}  // namespace quorbel::fixtures
