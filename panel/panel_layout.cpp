#include "panel/panel_layout.h"

#include <cmath>

namespace quorbel {

namespace {

constexpr Argb kWhite = 0xFFFFFFFF;
constexpr Argb kTitleGlow = 0x96FFFFFF;
constexpr Argb kBlack = 0xFF000000;
constexpr Argb kAdviceYellow = 0xFFFEEF49;

TextRow Row(const Text& text, float x, float y, int32_t size, FontStyle style, Argb colour,
            bool shadow, int32_t width) {
  return TextRow{text, x, y, size, style, colour, shadow, width};
}

std::vector<TextRow> Headings(const PanelModel& model, float use_times_width) {
  const PanelTexts& t = model.texts;
  const auto bold = FontStyle::Bold;
  return {
      Row(t.title, 13, 4, 12, bold, kTitleGlow, false, 250),
      Row(t.title, 13, 3, 12, bold, kBlack, false, 250),
      Row(t.use_times, 40, 30, 10, bold, kWhite, true, 450),
      Row(model.use_time_text, use_times_width + 40, 20, 20, FontStyle::Regular, kWhite, true, 250),
      Row(t.level, 40, 50, 10, bold, kWhite, true, 250),
      Row(t.risk, 40, 70, 10, bold, kWhite, true, 250),
      Row(t.advice, 40, 107, 10, bold, kAdviceYellow, true, 250),
  };
}

std::vector<TextRow> LevelLines(const PanelModel& model, float risk_width, float advice_width) {
  const int32_t level = model.alarm_level;
  if (level < 1 || level > 3) return {};
  const auto index = static_cast<size_t>(level - 1);
  const auto regular = FontStyle::Regular;
  const int32_t advice_size = level == 3 ? 9 : 10;
  return {
      Row(model.texts.risk_dec[index], risk_width + 55, 71, 9, regular, kWhite, true, 450),
      Row(model.texts.advice_dec[index], advice_width + 55, 108, advice_size, regular, kWhite,
          true, 450),
  };
}

}  // namespace

PanelLayout LayOutPanel(const PanelModel& model, HeadingMeasurer& measure) {
  const PanelTexts& t = model.texts;
  PanelLayout layout;
  layout.headings = Headings(model, measure.Width(t.use_times));
  layout.level_bar_x = static_cast<int32_t>(std::lround(measure.Width(t.level) + 55));
  layout.level_bar_width = LevelBarWidth(model.alarm_level);
  layout.level_lines = LevelLines(model, measure.Width(t.risk), measure.Width(t.advice));
  return layout;
}

int32_t PanelLeft(int32_t screen_width) { return (screen_width - kPanelWidth) / 2; }

}  // namespace quorbel
