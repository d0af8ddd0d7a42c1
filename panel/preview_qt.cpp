// quorbel-preview: renders the reminder panel as the program would, from the
// Config.ini, skins and images the program reads (beside this executable in
// the build tree, under share/quorbel-clock once installed), into a PNG file.
#include <QCoreApplication>
#include <QGuiApplication>
#include <QImage>
#include <QStringList>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <vector>

#include "common/data_directory.h"
#include "panel/panel_renderer_qt.h"
#include "panel/preview_options.h"
#include "settings/mod_ini.h"
#include "settings/profile_file.h"

namespace quorbel {
namespace {

// Nothing is shown, so a machine without a display renders all the same.
void RenderOffscreenWithoutDisplay() {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
      qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
}

std::vector<Text> Arguments() {
  std::vector<Text> args;
  const QStringList all = QCoreApplication::arguments();
  for (qsizetype i = 1; i < all.size(); ++i) args.push_back(all[i].toStdU16String());
  return args;
}

Text DataDirectoryText() {
  namespace fs = std::filesystem;
  const fs::path exe_dir(QCoreApplication::applicationDirPath().toStdString());
  const fs::path data_dir = DataDirectory(exe_dir, [](const fs::path& file) {
    std::error_code error;
    return fs::is_regular_file(file, error);
  });
  return FromUtf8(data_dir.string());
}

int Run(const PreviewOptions& options) {
  const Text data_dir = DataDirectoryText();
  ProfileFile store;
  const ModIni ini(store, MakeAppDir(data_dir, u'/'));
  const auto renderer = MakeQtPanelRenderer(nullptr, data_dir);
  renderer->SetScale(DisplayScale(options.scale_percent / 100.0));
  renderer->LoadLogo(data_dir + u"\\logo.png");
  renderer->DrawPanel(PreviewModel(ini, options));
  const QString out = QString::fromStdU16String(options.out);
  const FramePixels frame = renderer->ComposeFrame(options.logo_top);
  const QImage image(reinterpret_cast<const uchar*>(frame.pixels.data()), frame.width,
                     frame.height, QImage::Format_ARGB32_Premultiplied);
  if (!image.save(out, "PNG")) {
    std::fprintf(stderr, "could not write %s\n", out.toLocal8Bit().constData());
    return 1;
  }
  return 0;
}

}  // namespace
}  // namespace quorbel

int main(int argc, char** argv) {
  quorbel::RenderOffscreenWithoutDisplay();
  QGuiApplication app(argc, argv);
  const auto options = quorbel::ParsePreviewOptions(quorbel::Arguments());
  if (!options) {
    std::fputs(quorbel::PreviewUsage("quorbel-preview").c_str(), stderr);
    return 2;
  }
  return quorbel::Run(*options);
}
