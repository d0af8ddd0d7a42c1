#pragma once
// What the reminder panel shows, and the drawing port the reminder cycle
// calls to compose and present it.
#include <array>
#include <cstdint>

#include "common/text.h"

namespace quorbel {

// The panel's text holders, loaded from the language section of Config.ini.
struct PanelTexts {
  Text title;                   // sTitle
  Text use_times;               // sUseTimes
  Text level;                   // sLevel
  Text risk;                    // sRisk
  std::array<Text, 3> risk_dec;  // sRiskDec, levels 1..3
  Text advice;                  // sAdvice
  std::array<Text, 3> advice_dec;  // sAdviceDec, levels 1..3
  bool operator==(const PanelTexts&) const = default;
};

// Everything DrawPanel reads.
struct PanelModel {
  Text skin_path;
  PanelTexts texts;
  Text use_time_text;
  int16_t alarm_level = 0;
};

// DrawPanel composes the panel image from the model; PresentPanel puts that
// image, with the logo at (390, logo_top), on the panel window.
class PanelRenderer {
 public:
  virtual ~PanelRenderer() = default;
  virtual void DrawPanel(const PanelModel& model) = 0;
  virtual void PresentPanel(int32_t logo_top) = 0;
  // The panel has gone out of view: what it showed is not needed again
  // before the next DrawPanel, and is let go.
  virtual void Stow() = 0;
};

}  // namespace quorbel
