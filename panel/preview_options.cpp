#include "panel/preview_options.h"

#include "panel/panel_content.h"

namespace quorbel {

std::string PreviewUsage(std::string_view program) {
  constexpr std::string_view kUsage = "usage: ";
  // The second line's options line up under the first line's.
  const std::string indent(kUsage.size() + program.size() + 1, ' ');
  return std::string(kUsage) + std::string(program) +
         " [--skin N] [--language SECTION] [--level 0-4] [--minutes M]\n" + indent +
         "[--logo-top Y] [--scale 25-800] --out FILE.png\n"
         "Renders the reminder panel from the Config.ini beside this program.\n"
         "Defaults: the selected skin and language of Config.ini, level 1, 0 minutes, logo at 74,\n"
         "scale 100 (percent, as a screen's display scale).\n";
}

std::optional<PreviewOptions> ParsePreviewOptions(const std::vector<Text>& args) {
  PreviewOptions options;
  for (size_t i = 0; i < args.size(); i += 2) {
    if (i + 1 >= args.size()) return std::nullopt;
    const Text& name = args[i];
    const Text& value = args[i + 1];
    std::optional<long long> number;
    if (name == u"--skin" && (number = ParseInteger(value, -32768, 32767))) {
      options.skin = static_cast<int16_t>(*number);
    } else if (name == u"--language" && !value.empty()) {
      options.language = value;
    } else if (name == u"--level" && (number = ParseInteger(value, 0, 4))) {
      options.level = static_cast<int16_t>(*number);
    } else if (name == u"--minutes" && (number = ParseInteger(value, 0, 32767))) {
      options.minutes = static_cast<int32_t>(*number);
    } else if (name == u"--logo-top" && (number = ParseInteger(value, -1000, 1000))) {
      options.logo_top = static_cast<int32_t>(*number);
    } else if (name == u"--scale" && (number = ParseInteger(value, 25, 800))) {
      options.scale_percent = static_cast<int32_t>(*number);
    } else if (name == u"--out" && !value.empty()) {
      options.out = value;
    } else {
      return std::nullopt;
    }
  }
  if (options.out.empty()) return std::nullopt;
  return options;
}

PanelModel PreviewModel(const ModIni& ini, const PreviewOptions& options) {
  PanelModel model;
  model.skin_path = SkinPathOf(ini, options.skin.value_or(SelectedSkin(ini)));
  model.texts = ReadPanelTexts(ini, options.language.value_or(LanguageSection(ini)));
  model.use_time_text = FormatUseTime(options.minutes);
  model.alarm_level = options.level;
  return model;
}

}  // namespace quorbel
