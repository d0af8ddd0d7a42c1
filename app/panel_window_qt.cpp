#include "app/panel_window_qt.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>

#include <memory>
#include <vector>

namespace quorbel {
namespace {

constexpr char kCaption[] = "Quorbel Alarm Clock";

PixelRect RectOf(const QScreen& screen) {
  const QRect rect = screen.geometry();
  return {rect.x(), rect.y(), rect.width(), rect.height()};
}

std::optional<PixelRect> PrimaryScreenRect() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return std::nullopt;
  return RectOf(*screen);
}

std::vector<PixelRect> ScreenRects() {
  std::vector<PixelRect> rects;
  for (const QScreen* screen : QGuiApplication::screens()) rects.push_back(RectOf(*screen));
  return rects;
}

class PanelAccessible final : public QAccessibleWidget {
 public:
  explicit PanelAccessible(QWidget& panel) : QAccessibleWidget(&panel, QAccessible::AlertMessage) {}
  ~PanelAccessible() override = default;
};

QAccessibleInterface* PanelAccessibleFor(const QString&, QObject* object) {
  auto* panel = dynamic_cast<QtPanelWindow*>(object);
  if (!panel) return nullptr;
  // Qt's accessibility cache owns the interface and deletes it with the widget.
  return std::make_unique<PanelAccessible>(*panel).release();
}

}  // namespace

QtPanelWindow::QtPanelWindow() {
  // Bypassing the window manager keeps it from placing, framing, focusing
  // or listing the panel, and lets it stand above the screen's top edge.
  setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus |
                 Qt::X11BypassWindowManagerHint);
  setAttribute(Qt::WA_TranslucentBackground);
  setAttribute(Qt::WA_ShowWithoutActivating);
  setFocusPolicy(Qt::NoFocus);
  setWindowTitle(QString::fromLatin1(kCaption));
  [[maybe_unused]] static const bool factory_installed = [] {
    QAccessible::installFactory(&PanelAccessibleFor);
    return true;
  }();
  setFixedSize(kPanelWidth, kPanelHeight);
  PlaceOnPrimaryScreen(0);

  const auto follow_screens = [this] { PlaceOnPrimaryScreen(Top()); };
  connect(qGuiApp, &QGuiApplication::primaryScreenChanged, this, follow_screens);
  connect(qGuiApp, &QGuiApplication::screenRemoved, this, follow_screens);
  connect(qGuiApp, &QGuiApplication::screenAdded, this, [this, follow_screens](const QScreen* screen) {
    WatchScreen(screen);
    follow_screens();
  });
  for (const QScreen* screen : QGuiApplication::screens()) WatchScreen(screen);

  // The native window exists from here on, so its screen can be followed.
  create();
  ratio_ = devicePixelRatioF();
  connect(windowHandle(), &QWindow::screenChanged, this, [this] { CheckRatio(); });
}

void QtPanelWindow::CheckRatio() {
  const double ratio = devicePixelRatioF();
  if (ratio == ratio_) return;
  ratio_ = ratio;
  if (ratio_changed_) ratio_changed_(ratio);
}

void QtPanelWindow::WatchScreen(const QScreen* screen) {
  connect(screen, &QScreen::geometryChanged, this, [this] { PlaceOnPrimaryScreen(Top()); });
  connect(screen, &QScreen::logicalDotsPerInchChanged, this, [this] { CheckRatio(); });
}

void QtPanelWindow::ShowFrame(const QImage& frame, std::optional<PixelRect> change) {
  frame_ = frame;
  if (!change) return update();
  const PixelRect cover = DisplayScale(devicePixelRatioF()).LogicalCover(*change);
  update(cover.x, cover.y, cover.width, cover.height);
}

void QtPanelWindow::SetTop(int32_t top) {
  move(place_.Left(), place_.DesktopY(top));
  // Out of sight to the cycle but on a screen above the primary one: taken
  // off the desktop until it comes down again.
  if (shown_) setVisible(!place_.SeenWhenOutOfSight(top, ScreenRects()));
}

void QtPanelWindow::PlaceOnPrimaryScreen(int32_t cycle_top) {
  place_ = PanelPlace(PrimaryScreenRect());
  SetTop(cycle_top);
}

void QtPanelWindow::ShowAtTop() {
  shown_ = true;
  PlaceOnPrimaryScreen(0);
}

void QtPanelWindow::AnnounceArrival(const Text& text) {
  setAccessibleName(QString::fromStdU16String(text));  // sends the name's change
  // Qt's AT-SPI bridge passes no Alert on; the alert's showing again is what
  // reaches a screen reader there.
  QAccessibleEvent alert(this, QAccessible::Alert);
  QAccessible::updateAccessibility(&alert);
  QAccessibleEvent shown(this, QAccessible::ObjectShow);
  QAccessible::updateAccessibility(&shown);
}

void QtPanelWindow::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  const QRect dirty = event->rect();
  painter.fillRect(dirty, Qt::transparent);
  // The frame is composed in device pixels at the window's ratio: drawn
  // pixel for pixel, not enlarged by Qt, and only where it changed.
  QImage shown = frame_;
  shown.setDevicePixelRatio(devicePixelRatioF());
  painter.setClipRect(dirty);
  painter.drawImage(0, 0, shown);
}

void QtPanelWindow::closeEvent(QCloseEvent* event) {
  // Only the tray menu's Exit unloads the panel.
  if (!closable_) event->ignore();
}

}  // namespace quorbel
