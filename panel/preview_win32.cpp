// QuorbelPreview: renders the reminder panel as the program would, from the
// Config.ini, skins and images beside this executable, into a PNG file.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "common/ansi.h"
#include "panel/gdiplus_session_win32.h"
#include "common/gdiplus_win32.h"
#include "panel/panel_renderer_win32.h"
#include "panel/preview_options.h"
#include "settings/mod_ini.h"
#include "settings/profile_win32.h"

namespace quorbel {
namespace {

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

int Run(const PreviewOptions& options) {
  const GdiplusSession session;
  if (!session.Started()) {
    std::fputs("Error loading GDI+!\n", stderr);
    return 1;
  }
  const Text exe_dir = ExeDir();
  ProfileWin32 store;
  const ModIni ini(store, MakeAppDir(exe_dir));
  const auto renderer = MakeLayeredPanelRenderer(nullptr, exe_dir);
  renderer->SetScale(DisplayScale(options.scale_percent / 100.0));
  renderer->LoadLogo(exe_dir + u"\\logo.png");
  renderer->DrawPanel(PreviewModel(ini, options));
  if (!SaveFrame(renderer->ComposeFrame(options.logo_top), options.out)) {
    std::fprintf(stderr, "could not write %s\n", ToAnsi(options.out).c_str());
    return 1;
  }
  return 0;
}

}  // namespace
}  // namespace quorbel

int main(int argc, char** argv) {
  std::vector<quorbel::Text> args;
  for (int i = 1; i < argc; ++i) args.push_back(quorbel::FromAnsi(argv[i]));
  const auto options = quorbel::ParsePreviewOptions(args);
  if (!options) {
    std::fputs(quorbel::PreviewUsage("QuorbelPreview").c_str(), stderr);
    return 2;
  }
  return quorbel::Run(*options);
}
