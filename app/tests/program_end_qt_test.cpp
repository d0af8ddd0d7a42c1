#include "app/program_end_qt.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCloseEvent>
#include <QTimer>
#include <QWidget>

#include <signal.h>

#include "app/tests/qt_wait.h"

namespace quorbel {
namespace {

using testing::WaitUntil;

TEST(ProgramEndTest, SigtermSigintAndSighupEachEndTheProgramOnceFromTheEventLoop) {
  for (const int signal_number : {SIGTERM, SIGINT, SIGHUP}) {
    int ends = 0;
    const ProgramEnd end([&ends] { ++ends; });
    ASSERT_EQ(raise(signal_number), 0);
    EXPECT_EQ(ends, 0) << "nothing runs inside the signal handler";
    EXPECT_TRUE(WaitUntil([&ends] { return ends > 0; }, 2000)) << "signal " << signal_number;
    raise(signal_number);
    QCoreApplication::processEvents();
    EXPECT_EQ(ends, 1) << "a second signal while ending ends nothing more";
  }
}

// The panel refuses every close but the one Exit makes.
class PanelLikeWindow : public QWidget {
 public:
  bool closable = false;

 protected:
  void closeEvent(QCloseEvent* event) override {
    if (!closable) event->ignore();
  }
};

TEST(ProgramEndTest, TheSessionsQuitRequestEndsTheProgramThoughThePanelRefusesToClose) {
  PanelLikeWindow panel;
  panel.show();
  int ends = 0;
  const ProgramEnd end([&] {
    ++ends;
    panel.closable = true;
    panel.close();
  });
  // The session manager's last word, as Qt hands it on.
  QTimer::singleShot(0, [] {
    QEvent quit(QEvent::Quit);
    QCoreApplication::sendEvent(QCoreApplication::instance(), &quit);
  });
  QTimer::singleShot(3000, [] { QCoreApplication::exit(1); });
  EXPECT_EQ(QApplication::exec(), 0) << "the request was refused";
  EXPECT_EQ(ends, 1);
}

}  // namespace
}  // namespace quorbel
