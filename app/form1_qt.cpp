#include "app/form1_qt.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QWidget>

#include <utility>

#include "app/cycle.h"
#include "app/cycle_qt.h"
#include "panel/panel_renderer_qt.h"
#include "tray/tray_icon_qt.h"

namespace quorbel {
namespace {

constexpr char kCaption[] = "Quorbel Alarm Clock";
constexpr int kPanelWidth = 450;
constexpr int kPanelHeight = 140;

// The panel's top-level window: shows the frames the renderer hands it, at
// the position the cycle gives it.
class PanelWidget : public QWidget, public FrameSink, public PanelWindow {
 public:
  PanelWidget() {
    // Bypassing the window manager keeps it from placing, framing, focusing
    // or listing the panel, and lets it stand above the screen's top edge.
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                   Qt::WindowDoesNotAcceptFocus | Qt::X11BypassWindowManagerHint);
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setWindowTitle(QString::fromLatin1(kCaption));
    setFixedSize(kPanelWidth, kPanelHeight);
  }

  void ShowFrame(const QImage& frame) override {
    frame_ = frame;
    update();
  }

  int32_t Top() const override { return geometry().y(); }
  void SetTop(int32_t top) override { move(x(), top); }
  int32_t Height() const override { return height(); }

  void PlaceCentred() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int screen_width = screen ? screen->geometry().width() : kPanelWidth;
    const int screen_left = screen ? screen->geometry().x() : 0;
    move(screen_left + (screen_width - kPanelWidth) / 2, 0);
  }

  void AllowClose() { closable_ = true; }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(rect(), Qt::transparent);
    painter.drawImage(0, 0, frame_);
  }
  void closeEvent(QCloseEvent* event) override {
    // Only the tray menu's Exit unloads the panel.
    if (!closable_) event->ignore();
  }

 private:
  QImage frame_;
  bool closable_ = false;
};

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
  void WriteFirstRunAutostart();
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
  window_->PlaceCentred();
  WriteFirstRunAutostart();
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

void Form1Window::WriteFirstRunAutostart() {
  if (reg_.RegReadLong(RegRoot::CurrentUser, kSettingsKey, "Autorun") != 0) return;
  reg_.RegWriteLong(RegRoot::CurrentUser, kSettingsKey, "Autorun", 1);
  reg_.WriteAutostartEntry(place_.exe_path);
}

void Form1Window::AddTrayIcon() {
  tray_icon_ = std::make_unique<QtTrayIcon>(TrayIconEvents{});
  tray_icon_->SetScreenTip(u"Quorbel Alarm Clock");
  tray_icon_->Add(QIcon(QStringLiteral(":/quorbel.ico")));
}

void Form1Window::SetTrayMenu(QMenu& menu) {
  if (tray_icon_) tray_icon_->Icon().setContextMenu(&menu);
}

void Form1Window::Show() {
  window_->PlaceCentred();
  window_->show();
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
