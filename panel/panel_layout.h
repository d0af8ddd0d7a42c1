#pragma once
// Where every text, the icons and the level bar of the reminder panel go,
// worked out from the model and the measured widths of the headings.
#include <cstdint>
#include <vector>

#include "common/geometry.h"
#include "common/text.h"
#include "panel/module1.h"
#include "panel/panel_model.h"

namespace quorbel {

inline constexpr int32_t kPanelWidth = 450;
inline constexpr int32_t kPanelHeight = 140;
inline constexpr char16_t kPanelFont[] = u"Verdana";

// The logo's place on the window, and the patch of the panel drawn again
// over its lower edge.
inline constexpr int32_t kLogoX = 390;
inline constexpr int32_t kLogoWidth = 40;
inline constexpr int32_t kLogoHeight = 27;
inline constexpr PixelRect kLogoCover{372, 100, 60, 30};

// One call of DrawShadowText.
struct TextRow {
  Text text;
  float x = 0;
  float y = 0;
  int32_t size = 0;  // points
  FontStyle style = FontStyle::Regular;
  Argb colour = 0;
  bool shadow = false;
  int32_t width = 0;  // layout width, where the text wraps
  bool operator==(const TextRow&) const = default;
};

// The label font, Verdana bold at 9.75 points, in hundredths of a point.
inline constexpr int32_t kLabelFontCentipoints = 975;

// Pixel width of a heading laid out on one line in the label font
// (Verdana 9.75 pt bold).
class HeadingMeasurer {
 public:
  virtual ~HeadingMeasurer() = default;
  virtual float Width(TextView heading) = 0;
};

struct PanelLayout {
  std::vector<TextRow> headings;     // drawn first, before the icons
  int32_t level_bar_x = 0;
  int32_t level_bar_width = 0;       // 0: no bar
  std::vector<TextRow> level_lines;  // risk and advice of the level, drawn last
};

PanelLayout LayOutPanel(const PanelModel& model, HeadingMeasurer& measure);

// Form_Resize: the window's left edge that centres it on the screen.
int32_t PanelLeft(int32_t screen_width);

}  // namespace quorbel
