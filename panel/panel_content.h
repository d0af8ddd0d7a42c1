#pragma once
// What the reminder panel says: the elapsed-use text, the settings and texts
// a reload reads, and the risk and advice lines of a level.
#include <cstdint>

#include "common/text.h"
#include "panel/panel_model.h"
#include "settings/mod_ini.h"
#include "settings/registry.h"

namespace quorbel {

// The configured alarm interval, registry values "Hours" and "Minutes".
struct AlarmInterval {
  int32_t hours = 0;
  int32_t minutes = 0;
  bool operator==(const AlarmInterval&) const = default;
};

AlarmInterval ReadAlarmInterval(ModReg& reg);

// hours x 60 + minutes. Values that do not fit 32 bits saturate, so a
// corrupted registry value means "far away" instead of an overflow.
int32_t AlarmMinuteOf(AlarmInterval interval);

// Everything a reload reads, in the order it reads it.
struct PanelContent {
  AlarmInterval interval;
  int16_t selected_skin = 1;
  Text skin_path;  // SkinPath
  Text language;   // sLanugage
  PanelTexts texts;
  bool operator==(const PanelContent&) const = default;
};

// Reads the interval, the selected skin and the language texts. Never fails:
// a missing Config.ini or an unusable "Selected" falls back to skin 1, and
// absent texts take their built-in defaults.
PanelContent LoadPanelContent(ModReg& reg, const ModIni& ini);

// The steps of a reload, for tools that pick a skin or language themselves.
// An unusable "Selected" must not keep the panel from reminding: it reads as
// skin 1, the one every Config.ini has.
int16_t SelectedSkin(const ModIni& ini);
Text SkinPathOf(const ModIni& ini, int16_t skin);
Text LanguageSection(const ModIni& ini);
PanelTexts ReadPanelTexts(const ModIni& ini, TextView section);

// The elapsed-use text: one space, hours (at least two digits), ":", two
// digit minutes. " 00:05", " 100:00". Negative counts read as 0.
Text FormatUseTime(int32_t minutes);

}  // namespace quorbel
