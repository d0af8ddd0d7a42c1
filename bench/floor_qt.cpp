// The floor the Linux benchmark sets the program's figures beside: what Qt
// Widgets on X11 cost with one hidden window and a tray icon, and nothing
// else. Built for scripts/bench_linux.sh only; never installed.
#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <QSystemTrayIcon>
#include <QWidget>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QWidget window;
  window.winId();  // its X window exists, unmapped, as a hidden window's does
  QPixmap pixmap(22, 22);
  pixmap.fill(Qt::darkCyan);
  QSystemTrayIcon icon{QIcon(pixmap)};
  icon.show();
  return app.exec();
}
