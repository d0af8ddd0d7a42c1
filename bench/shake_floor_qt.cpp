// The floor the Linux benchmark sets a reminder's figures beside: what the
// logo's shake alone costs with Qt Widgets on X11. A 450 x 140 translucent
// top-most window shows the logo and moves it between its two places on a
// timer of one display frame (10 ms at least), pausing 8 ms on each tick as
// the program's shake does, and repaints only the logo's place. Built for
// scripts/bench_linux.sh only; never installed.
//   quorbel-shake-floor LOGO.png
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <chrono>
#include <thread>

namespace {

constexpr int kLogoX = 390;
constexpr int kRestTop = 74;
constexpr int kShakenTop = 77;
constexpr QSize kLogoSize{40, 27};
// Both places of the logo: what a tick changes.
const QRect kShakeArea{kLogoX, kRestTop, kLogoSize.width(), kShakenTop - kRestTop + kLogoSize.height()};

class ShakeWindow : public QWidget {
 public:
  explicit ShakeWindow(const QString& logo_path)
      : logo_(QImage(logo_path).scaled(kLogoSize).convertToFormat(QImage::Format_ARGB32_Premultiplied)) {
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                   Qt::WindowDoesNotAcceptFocus | Qt::X11BypassWindowManagerHint);
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setWindowTitle(QStringLiteral("Quorbel shake floor"));
    setFixedSize(450, 140);
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double refresh = screen ? screen->refreshRate() : 0.0;
    timer_.setTimerType(Qt::PreciseTimer);
    // The program's rule: one frame, never under 10 ms.
    timer_.setInterval(refresh >= 1.0 ? std::max(10, static_cast<int>(1000.0 / refresh)) : 16);
    connect(&timer_, &QTimer::timeout, this, [this] {
      top_ = top_ == kRestTop ? kShakenTop : kRestTop;
      std::this_thread::sleep_for(std::chrono::milliseconds(8));
      update(kShakeArea);
    });
    timer_.start();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(kShakeArea, Qt::transparent);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.drawImage(kLogoX, top_, logo_);
  }

 private:
  QImage logo_;
  QTimer timer_;
  int top_ = kRestTop;
};

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  ShakeWindow window(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString());
  window.move(0, 0);
  window.show();
  return app.exec();
}
