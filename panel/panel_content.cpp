#include "panel/panel_content.h"

#include <algorithm>
#include <limits>

#include "settings/settings_operation.h"

namespace quorbel {
namespace {

constexpr char16_t kSkinsSection[] = u"Skins";
constexpr char16_t kDefaultLanguage[] = u"TitleEN";
constexpr char16_t kLevelTwoRisk[] = u"Carpal tunnel syndrome, Nearsightedness";
constexpr char16_t kLevelTwoAdvice[] = u"Recommended rest and exercise.";

Text TwoDigits(long long value) { return value < 10 ? u"0" + DecimalText(value) : DecimalText(value); }

}  // namespace

AlarmInterval ReadAlarmInterval(ModReg& reg) {
  const SettingsOperation operation(reg);
  AlarmInterval interval;
  interval.hours = reg.RegReadLong(RegRoot::CurrentUser, kSettingsKey, "Hours");
  interval.minutes = reg.RegReadLong(RegRoot::CurrentUser, kSettingsKey, "Minutes");
  return interval;
}

int32_t AlarmMinuteOf(AlarmInterval interval) {
  const long long minutes = static_cast<long long>(interval.hours) * 60 + interval.minutes;
  return static_cast<int32_t>(std::clamp<long long>(minutes, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

PanelTexts ReadPanelTexts(const ModIni& ini, TextView section) {
  const auto read = [&](TextView key, TextView fallback) {
    return ini.IniRead(kConfigFile, section, key, fallback);
  };
  PanelTexts texts;
  texts.title = read(u"Title", u"QUORBEL WARNING");
  texts.use_times = read(u"Usetimes", u"Continuous use of computer :");
  texts.level = read(u"Level", u"");
  texts.risk = read(u"Risk", u"Quorbel risk :");
  texts.risk_dec[0] = read(u"Risk1", u"No any risk");
  texts.risk_dec[1] = read(u"Risk2", kLevelTwoRisk);
  texts.risk_dec[2] = read(u"Risk3", kLevelTwoRisk);
  texts.advice = read(u"Advice", u"Quorbel advice :");
  texts.advice_dec[0] = read(u"Advice1", u"Does not require action");
  texts.advice_dec[1] = read(u"Advice2", kLevelTwoAdvice);
  texts.advice_dec[2] = read(u"Advice3", kLevelTwoAdvice);
  return texts;
}

Text SkinPathOf(const ModIni& ini, int16_t skin) {
  const Text bitmap_key = u"Bitmap" + DecimalText(skin);
  return ini.IniFilePath(kConfigFile, kSkinsSection, bitmap_key);
}

int16_t SelectedSkin(const ModIni& ini) {
  return ParseInt16(ini.IniRead(kConfigFile, kSkinsSection, u"Selected", u"")).value_or(1);
}

Text LanguageSection(const ModIni& ini) {
  return ini.IniRead(kConfigFile, kSkinsSection, u"Language", kDefaultLanguage);
}

PanelContent LoadPanelContent(ModReg& reg, const ModIni& ini) {
  const SettingsOperation operation(reg, ini);
  PanelContent content;
  content.interval = ReadAlarmInterval(reg);
  content.selected_skin = SelectedSkin(ini);
  content.skin_path = SkinPathOf(ini, content.selected_skin);
  content.language = LanguageSection(ini);
  content.texts = ReadPanelTexts(ini, content.language);
  return content;
}

Text FormatUseTime(int32_t minutes) {
  const long long count = std::max(minutes, 0);
  return u" " + TwoDigits(count / 60) + u":" + TwoDigits(count % 60);
}

}  // namespace quorbel
