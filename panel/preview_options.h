#pragma once
// The preview tool's command line and the panel it asks for, shared by the
// tool on every platform.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/text.h"
#include "panel/panel_model.h"
#include "settings/mod_ini.h"

namespace quorbel {

struct PreviewOptions {
  std::optional<int16_t> skin;
  std::optional<Text> language;
  int16_t level = 1;
  int32_t minutes = 0;
  int32_t logo_top = 74;
  int32_t scale_percent = 100;  // the screen's scale the panel is drawn at
  Text out;
};

// The usage text, naming the tool as `program`.
std::string PreviewUsage(std::string_view program);

// `args` are the arguments after the program's name, decoded. Nothing when
// an argument is unknown, lacks its value or is out of range, or no output
// file is named.
std::optional<PreviewOptions> ParsePreviewOptions(const std::vector<Text>& args);

// The panel the options ask for: the given skin and language, or those
// Config.ini selects.
PanelModel PreviewModel(const ModIni& ini, const PreviewOptions& options);

}  // namespace quorbel
