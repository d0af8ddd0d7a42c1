#include "app/first_run.h"

#include "settings/settings_operation.h"

namespace quorbel {
namespace {

bool IntervalNeverStored(ModReg& reg) {
  return !reg.RegValueExists(RegRoot::CurrentUser, kSettingsKey, "Hours") &&
         !reg.RegValueExists(RegRoot::CurrentUser, kSettingsKey, "Minutes");
}

}  // namespace

void WriteFirstRunSettings(ModReg& reg, TextView exe_path) {
  const SettingsOperation operation(reg);
  if (reg.RegReadLong(RegRoot::CurrentUser, kSettingsKey, "Autorun") != 0) return;
  reg.RegWriteLong(RegRoot::CurrentUser, kSettingsKey, "Autorun", 1);
  reg.WriteAutostartEntry(exe_path);
  if (!IntervalNeverStored(reg)) return;
  reg.RegWriteLong(RegRoot::CurrentUser, kSettingsKey, "Hours", kFirstRunHours);
  reg.RegWriteLong(RegRoot::CurrentUser, kSettingsKey, "Minutes", kFirstRunMinutes);
}

}  // namespace quorbel
