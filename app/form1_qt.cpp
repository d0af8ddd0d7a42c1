#include "app/form1_qt.h"

#include <QIcon>
#include <QSystemTrayIcon>

#include <utility>

#include "app/cycle_qt.h"
#include "app/do_not_disturb_qt.h"
#include "app/panel_window_qt.h"
#include "panel/panel_renderer_qt.h"
#include "tray/tray_icon_qt.h"

namespace quorbel {
namespace {

class Form1Window final : public QtForm1Window, public Form1Platform {
 public:
  Form1Window(ModReg& reg, ModIni& ini, ProgramPlace place, CanberraSound& sound, Hooks hooks)
      : place_(std::move(place)), sound_(sound), form_(*this, reg, ini, {std::move(hooks.on_unloaded)}) {}
  ~Form1Window() override { form_.Unload(); }

  Form1& Form() override { return form_; }
  void SetTrayMenu(QMenu& menu) override {
    if (tray_icon_) tray_icon_->Icon().setContextMenu(&menu);
  }

  bool MakeWindow() override {
    window_ = std::make_unique<QtPanelWindow>();
    return true;
  }
  // The widget places itself on the primary screen and its flags keep it on
  // top; Qt paints without a session of its own.
  void PlaceWindow() override {}
  void StartDrawing() override {}
  void EndDrawing() override {}
  void SetTopMost() override {}
  void AddTrayIcon(const Text& tip) override;
  void RemoveTrayIcon() override { tray_icon_->Remove(); }
  Text ExePath() override { return place_.exe_path; }
  Text DataFile(TextView name) override { return place_.data_dir + u"\\" + Text(name); }
  Form1CyclePorts MakeCyclePorts(std::function<void(TimerId)> on_tick) override;
  PanelRenderer& MakeRenderer(const Text& logo_path) override;
  void ShowWindow() override { window_->ShowAtTop(); }
  void CloseWindow() override;

 private:
  ProgramPlace place_;
  CanberraSound& sound_;
  std::unique_ptr<QtPanelWindow> window_;
  std::unique_ptr<QtTrayIcon> tray_icon_;
  std::unique_ptr<QtCyclePorts> ports_;
  std::unique_ptr<QtDoNotDisturb> do_not_disturb_;
  std::unique_ptr<QtPanelRenderer> renderer_;
  Form1 form_;
};

void Form1Window::AddTrayIcon(const Text& tip) {
  tray_icon_ = std::make_unique<QtTrayIcon>(TrayIconEvents{});
  tray_icon_->SetScreenTip(tip);
  tray_icon_->Add(QIcon(QStringLiteral(":/quorbel.ico")));
}

Form1CyclePorts Form1Window::MakeCyclePorts(std::function<void(TimerId)> on_tick) {
  ports_ = std::make_unique<QtCyclePorts>(std::move(on_tick), sound_);
  do_not_disturb_ = std::make_unique<QtDoNotDisturb>(QDBusConnection::sessionBus());
  return {ports_->Timers(), *window_, ports_->Input(), *ports_, *do_not_disturb_};
}

PanelRenderer& Form1Window::MakeRenderer(const Text& logo_path) {
  renderer_ = MakeQtPanelRenderer(window_.get(), place_.data_dir);
  renderer_->SetScale(DisplayScale(window_->DevicePixelRatio()));
  renderer_->LoadLogo(logo_path);
  window_->OnRatioChange([this](double ratio) {
    if (renderer_) renderer_->SetScale(DisplayScale(ratio));
  });
  return *renderer_;
}

void Form1Window::CloseWindow() {
  renderer_.reset();
  do_not_disturb_.reset();
  ports_.reset();
  tray_icon_.reset();
  window_->AllowClose();
  window_->close();
  window_.reset();
}

}  // namespace

std::unique_ptr<QtForm1Window> QtForm1Window::Create(ModReg& reg, ModIni& ini, ProgramPlace place,
                                                     CanberraSound& sound, Hooks hooks) {
  auto window = std::make_unique<Form1Window>(reg, ini, std::move(place), sound, std::move(hooks));
  window->Form().Load();
  return window;
}

}  // namespace quorbel
