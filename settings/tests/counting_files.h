#pragma once
// The Linux program's settings stores over files in a test directory, read
// through a source that counts the reads of each file.
#include <filesystem>
#include <map>
#include <string>

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

  // Six skins and English texts shipped, the third skin picked, 1 h 30 min
  // stored, the autostart switched off.
  void WriteTypicalFiles() {
    std::string config = "[Skins]\r\nLanguage=TitleEN\r\nCount=6\r\nSelected=1\r\n";
    for (char n = '1'; n <= '6'; ++n) {
      config += std::string("SBitmap(") + n + ")=t" + n + ".bmp\r\nBitmap" + n + "=s" + n + ".png\r\n";
    }
    config += "[TitleEN]\r\nTitle=Break\r\nSetTitle=Settings\r\nMenuExit=Quit\r\n";
    WriteBytes(shipped, config);
    WriteBytes(user, std::string(kUserConfigIniMark) + "\r\n[Skins]\r\nSelected=3\r\n");
    WriteBytes(settings,
               "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\QuorbelClock]\n\"Autorun\"=dword:00000000\n"
               "\"Hours\"=dword:00000001\n\"Minutes\"=dword:0000001e\n");
  }
  // Each file read exactly once.
  static std::map<std::string, int> OnceEach() { return {{"Config.ini", 1}, {"user.ini", 1}, {"settings.reg", 1}}; }
};

}  // namespace quorbel
