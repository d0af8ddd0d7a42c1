#pragma once
// What a start that finds no "Autorun" flag stores before the interval is
// read: the autostart entry, and for a user who never set an interval, one
// that reminds.
#include <cstdint>

#include "common/text.h"
#include "settings/registry.h"

namespace quorbel {

// A fresh install reminds after an hour of use instead of never.
inline constexpr int32_t kFirstRunHours = 1;
inline constexpr int32_t kFirstRunMinutes = 0;

// When "Autorun" reads 0 (missing too): stores "Autorun" = 1, writes the
// autostart entry for `exe_path`, and stores the interval above when neither
// "Hours" nor "Minutes" is stored at all. A stored interval, 0 h 0 min
// included, or a value of another type is the user's and stays.
void WriteFirstRunSettings(ModReg& reg, TextView exe_path);

}  // namespace quorbel
