#include "app/panel_window_qt.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>

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
}

void QtPanelWindow::WatchScreen(const QScreen* screen) {
  connect(screen, &QScreen::geometryChanged, this, [this] { PlaceOnPrimaryScreen(Top()); });
}

void QtPanelWindow::ShowFrame(const QImage& frame, std::optional<PixelRect> change) {
  frame_ = frame;
  if (!change) return update();
  update(change->x, change->y, change->width, change->height);
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

void QtPanelWindow::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  const QRect dirty = event->rect();
  painter.fillRect(dirty, Qt::transparent);
  painter.drawImage(dirty, frame_, dirty);
}

void QtPanelWindow::closeEvent(QCloseEvent* event) {
  // Only the tray menu's Exit unloads the panel.
  if (!closable_) event->ignore();
}

}  // namespace quorbel
