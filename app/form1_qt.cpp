#include "app/form1_qt.h"

#include <QIcon>
#include <QSystemTrayIcon>

#include <utility>

#include "app/cycle.h"
#include "app/cycle_qt.h"
#include "app/first_run.h"
#include "app/panel_window_qt.h"
#include "panel/panel_renderer_qt.h"
#include "tray/tray_icon_qt.h"

namespace quorbel {
namespace {

class Form1Window : public QtForm1 {
 public:
  Form1Window(ModReg& reg, ModIni& ini, ProgramPlace place, CanberraSound& sound, Hooks hooks)
      : reg_(reg), ini_(ini), place_(std::move(place)), sound_(sound), hooks_(std::move(hooks)) {}
  ~Form1Window() override { Unload(); }

  void Initialize();
  void Show() override;
  void SetTrayMenu(QMenu& menu) override;
  void Unload() override;
  bool IsLoaded() const override { return window_ != nullptr; }

  void ShowPanelManaul() override {
    if (cycle_) cycle_->ShowPanelManaul();
  }
  void Time3active() override {
    if (cycle_) cycle_->Time3active();
  }
  void Update(bool redraw) override {
    if (cycle_) cycle_->Update(redraw);
  }

 private:
  void AddTrayIcon();
  Text DataFile(TextView name) const { return place_.data_dir + u"\\" + Text(name); }

  ModReg& reg_;
  ModIni& ini_;
  ProgramPlace place_;
  CanberraSound& sound_;
  Hooks hooks_;
  std::unique_ptr<PanelWidget> window_;
  std::unique_ptr<QtTrayIcon> tray_icon_;
  std::unique_ptr<QtCyclePorts> ports_;
  std::unique_ptr<QtPanelRenderer> renderer_;
  std::unique_ptr<ReminderCycle> cycle_;
};

void Form1Window::Initialize() {
  window_ = std::make_unique<PanelWidget>();
  WriteFirstRunSettings(reg_, place_.exe_path);
  AddTrayIcon();

  ports_ = std::make_unique<QtCyclePorts>(
      [this](TimerId timer) {
        if (cycle_) cycle_->OnTimer(timer);
      },
      sound_);
  renderer_ = MakeQtPanelRenderer(window_.get(), place_.data_dir);
  renderer_->LoadLogo(DataFile(u"logo.png"));
  cycle_ = std::make_unique<ReminderCycle>(
      CyclePorts{*ports_, *window_, ports_->Input(), *ports_, *renderer_, reg_, ini_}, DataFile(u"load.wav"));
  cycle_->Start();
}

void Form1Window::AddTrayIcon() {
  tray_icon_ = std::make_unique<QtTrayIcon>(TrayIconEvents{});
  tray_icon_->SetScreenTip(kTrayIcon1ScreenTip);
  tray_icon_->Add(QIcon(QStringLiteral(":/quorbel.ico")));
}

void Form1Window::SetTrayMenu(QMenu& menu) {
  if (tray_icon_) tray_icon_->Icon().setContextMenu(&menu);
}

void Form1Window::Show() {
  window_->ShowAtTop();
}

void Form1Window::Unload() {
  if (!window_) return;
  if (tray_icon_) tray_icon_->Remove();
  if (ports_) ports_->StopAllTimers();
  cycle_.reset();
  renderer_.reset();
  ports_.reset();
  tray_icon_.reset();
  window_->AllowClose();
  window_->close();
  window_.reset();
  if (hooks_.on_unloaded) hooks_.on_unloaded();
}

}  // namespace

std::unique_ptr<QtForm1> QtForm1::Create(ModReg& reg, ModIni& ini, ProgramPlace place, CanberraSound& sound,
                                         Hooks hooks) {
  auto form = std::make_unique<Form1Window>(reg, ini, std::move(place), sound, std::move(hooks));
  form->Initialize();
  return form;
}

}  // namespace quorbel
