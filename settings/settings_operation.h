#pragma once
// One operation on the settings: a reload of the panel, the settings
// dialog's load, the tray menu's texts, the first run. While it lasts each
// settings file is read once, however many values it takes from it; the
// next operation reads the files again, so a change made by hand shows then.
#include "settings/mod_ini.h"
#include "settings/registry.h"

namespace quorbel {

class SettingsOperation {
 public:
  explicit SettingsOperation(ModReg& reg) : reg_(&reg) { reg.BeginOperation(); }
  explicit SettingsOperation(const ModIni& ini) : ini_(&ini) { ini.BeginOperation(); }
  SettingsOperation(ModReg& reg, const ModIni& ini) : reg_(&reg), ini_(&ini) {
    reg.BeginOperation();
    ini.BeginOperation();
  }
  SettingsOperation(const SettingsOperation&) = delete;
  SettingsOperation& operator=(const SettingsOperation&) = delete;
  ~SettingsOperation() {
    if (ini_) ini_->EndOperation();
    if (reg_) reg_->EndOperation();
  }

 private:
  ModReg* reg_ = nullptr;
  const ModIni* ini_ = nullptr;
};

}  // namespace quorbel
