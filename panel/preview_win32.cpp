// QuorbelPreview: renders the reminder panel as the program would, from the
// Config.ini, skins and images beside this executable, into a PNG file.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

#include "common/ansi.h"
#include "panel/gdiplus_session_win32.h"
#include "common/gdiplus_win32.h"
#include "panel/panel_content.h"
#include "panel/panel_renderer_win32.h"
#include "settings/mod_ini.h"
#include "settings/profile_win32.h"

namespace quorbel {
namespace {

constexpr char kUsage[] =
    "usage: QuorbelPreview [--skin N] [--language SECTION] [--level 0-4] [--minutes M]\n"
    "                      [--logo-top Y] --out FILE.png\n"
    "Renders the reminder panel from the Config.ini beside this program.\n"
    "Defaults: the selected skin and language of Config.ini, level 1, 0 minutes, logo at 74.\n";

struct Options {
  std::optional<int16_t> skin;
  std::optional<Text> language;
  int16_t level = 1;
  int32_t minutes = 0;
  int32_t logo_top = 74;
  Text out;
};

std::optional<long long> Number(const char* text, long long min, long long max) {
  return ParseInteger(FromAnsi(text), min, max);
}

// Nothing when an argument is unknown, lacks its value or is out of range.
std::optional<Options> ParseOptions(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; i += 2) {
    if (i + 1 >= argc) return std::nullopt;
    const std::string name = argv[i];
    const char* value = argv[i + 1];
    std::optional<long long> number;
    if (name == "--skin" && (number = Number(value, -32768, 32767))) {
      options.skin = static_cast<int16_t>(*number);
    } else if (name == "--language" && *value != '\0') {
      options.language = FromAnsi(value);
    } else if (name == "--level" && (number = Number(value, 0, 4))) {
      options.level = static_cast<int16_t>(*number);
    } else if (name == "--minutes" && (number = Number(value, 0, 32767))) {
      options.minutes = static_cast<int32_t>(*number);
    } else if (name == "--logo-top" && (number = Number(value, -1000, 1000))) {
      options.logo_top = static_cast<int32_t>(*number);
    } else if (name == "--out" && *value != '\0') {
      options.out = FromAnsi(value);
    } else {
      return std::nullopt;
    }
  }
  if (options.out.empty()) return std::nullopt;
  return options;
}

PanelModel ReadModel(const ModIni& ini, const Options& options) {
  PanelModel model;
  model.skin_path = SkinPathOf(ini, options.skin.value_or(SelectedSkin(ini)));
  model.texts = ReadPanelTexts(ini, options.language.value_or(LanguageSection(ini)));
  model.use_time_text = FormatUseTime(options.minutes);
  model.alarm_level = options.level;
  return model;
}

Text ExeDir() {
  std::string path(MAX_PATH, '\0');
  path.resize(GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size())));
  return FromAnsi(path.substr(0, path.find_last_of('\\')));
}

bool SaveFrame(const FramePixels& frame, const Text& path) {
  if (frame.pixels.empty()) return false;
  FramePixels copy = frame;  // GDI+ wants writable scan lines
  gdip::GpBitmap* bitmap = nullptr;
  gdip::GdipCreateBitmapFromScan0(copy.width, copy.height, copy.width * 4,
                                  PixelFormat32bppPARGB,
                                  reinterpret_cast<BYTE*>(copy.pixels.data()), &bitmap);
  const gdip::unique_image image(bitmap);
  return gdip::SavePng(image.get(), path);
}

int Run(const Options& options) {
  const GdiplusSession session;
  if (!session.Started()) {
    std::fputs("Error loading GDI+!\n", stderr);
    return 1;
  }
  const Text exe_dir = ExeDir();
  ProfileWin32 store;
  const ModIni ini(store, MakeAppDir(exe_dir));
  const auto renderer = MakeLayeredPanelRenderer(nullptr, exe_dir);
  renderer->LoadLogo(exe_dir + u"\\logo.png");
  renderer->DrawPanel(ReadModel(ini, options));
  if (!SaveFrame(renderer->ComposeFrame(options.logo_top), options.out)) {
    std::fprintf(stderr, "could not write %s\n", ToAnsi(options.out).c_str());
    return 1;
  }
  return 0;
}

}  // namespace
}  // namespace quorbel

int main(int argc, char** argv) {
  const auto options = quorbel::ParseOptions(argc, argv);
  if (!options) {
    std::fputs(quorbel::kUsage, stderr);
    return 2;
  }
  return quorbel::Run(*options);
}
