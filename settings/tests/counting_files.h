#pragma once
// The Linux program's settings stores over files in a test directory, read
// through a source that counts the reads of each file.
#include <filesystem>
#include <map>

#include "settings/file_registry.h"
#include "settings/profile_file.h"
#include "settings/settings_files.h"
#include "settings/tests/temp_dir.h"
#include "settings/user_config_ini.h"

namespace quorbel {

class CountingFiles : public FileSource {
 public:
  std::optional<FileHead> Read(const std::filesystem::path& path, size_t limit) override {
    ++reads[path.filename().string()];
    return DiskFiles().Read(path, limit);
  }
  // Reads by file name ("Config.ini" counts the shipped and the user's file
  // apart only by their directories: see LinuxStores).
  std::map<std::string, int> reads;
};

// The shipped Config.ini in "share", the user's as "user.ini", settings.reg
// and the autostart entry, as the program wires them.
struct LinuxStores {
  TempDir dir;
  std::filesystem::path shipped = dir / "share" / "Config.ini";
  std::filesystem::path user = dir / "config" / "user.ini";
  std::filesystem::path settings = dir / "config" / "settings.reg";
  CountingFiles counting;
  SettingsFiles files{counting};
  ProfileFile profiles{files};
  UserConfigIniStore config_ini{profiles, TextPath(shipped), TextPath(user)};
  ModIni ini{config_ini, MakeAppDir(TextPath(shipped.parent_path()), u'/')};
  FileRegistry registry{settings, dir / "autostart.desktop", files};
  ModReg reg{registry};

  LinuxStores() {
    std::filesystem::create_directories(shipped.parent_path());
    std::filesystem::create_directories(user.parent_path());
  }
};

}  // namespace quorbel
