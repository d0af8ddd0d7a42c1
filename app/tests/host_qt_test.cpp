#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLocalSocket>

#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "app/single_instance_qt.h"
#include "app/sound_canberra.h"

namespace quorbel {
namespace {
namespace fs = std::filesystem;

// The application object comes from the shared offscreen test environment.
class QtHostTest : public ::testing::Test {
 protected:
  QtHostTest() {
    dir_ = fs::temp_directory_path() / ("quorbel-host-" + std::to_string(getpid()) + "-" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
  }
  ~QtHostTest() override { fs::remove_all(dir_); }

  InstanceAddress Address() const { return InstanceAddressIn(dir_, ""); }

  fs::path dir_;
};

TEST_F(QtHostTest, OnlyTheFirstInstanceHoldsTheLockAndASecondOneReachesItsSocket) {
  SingleInstance first(Address());
  ASSERT_EQ(first.TakeLock().result, InstanceLock::kTaken);
  EXPECT_TRUE(fs::is_socket(Address().socket));

  SingleInstance second(Address());
  EXPECT_EQ(second.TakeLock().result, InstanceLock::kHeldByAnother);
  QElapsedTimer clock;
  clock.start();
  second.Forward(u"/x \"two words\"");
  QCoreApplication::processEvents();
  EXPECT_LT(clock.elapsed(), 1000) << "the first instance listens, so nothing waits for a time-out";
  EXPECT_TRUE(fs::is_socket(Address().socket)) << "the first instance runs on";
}

TEST_F(QtHostTest, ALockAndASocketLeftByACrashedInstanceDoNotBlockTheNextStart) {
  const pid_t crashed = fork();
  ASSERT_GE(crashed, 0);
  if (crashed == 0) {
    InstanceLockFile lock;
    lock.Take(Address().lock_file);
    _exit(0);  // ends without giving the lock back
  }
  int status = 0;
  waitpid(crashed, &status, 0);
  ASSERT_TRUE(fs::exists(Address().lock_file));
  std::ofstream(Address().socket) << "not a socket any more";

  SingleInstance next(Address());
  EXPECT_EQ(next.TakeLock().result, InstanceLock::kTaken);
  EXPECT_TRUE(fs::is_socket(Address().socket));
}

TEST_F(QtHostTest, ForwardingToNoInstanceEndsAtOnce) {
  SingleInstance lonely(Address());
  QElapsedTimer clock;
  clock.start();
  lonely.Forward(u"anything");
  EXPECT_LT(clock.elapsed(), 1000);
}

// Processes events until `done` or a second has passed.
template <typename Done>
void ProcessEventsUntil(Done done) {
  QElapsedTimer clock;
  clock.start();
  while (!done() && clock.elapsed() < 1000) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

TEST_F(QtHostTest, ActsOnlyOnTheTwoCommands) {
  SingleInstance first(Address());
  ASSERT_EQ(first.TakeLock().result, InstanceLock::kTaken);
  std::vector<ForwardedCommand> received;
  first.ActOnCommands([&received](ForwardedCommand command) { received.push_back(command); });

  SingleInstance second(Address());
  for (const char16_t* other : {u"--exit now", u"--settings --exit", u"--Settings"}) second.Forward(other);
  second.Forward(u"--settings");
  ProcessEventsUntil([&] { return !received.empty(); });
  second.Forward(u"--exit");
  ProcessEventsUntil([&] { return received.size() > 1; });
  EXPECT_EQ(received, (std::vector<ForwardedCommand>{ForwardedCommand::kSettings, ForwardedCommand::kExit}));

  // A command followed by a flood: dropped once it outgrows every command,
  // the rest never read.
  QLocalSocket flood;
  flood.connectToServer(QString::fromStdString(Address().socket.string()));
  ASSERT_TRUE(flood.waitForConnected(1000));
  qint64 written = 0;
  QObject::connect(&flood, &QLocalSocket::bytesWritten, [&written](qint64 bytes) { written += bytes; });
  const QByteArray bytes = "--exit" + QByteArray(8 << 20, 'x');
  flood.write(bytes);
  ProcessEventsUntil([&] { return flood.state() == QLocalSocket::UnconnectedState; });
  EXPECT_EQ(flood.state(), QLocalSocket::UnconnectedState) << "the first instance kept reading";
  EXPECT_LT(written, bytes.size()) << "the flood was read whole";
  QCoreApplication::processEvents();
  EXPECT_EQ(received.size(), 2u);
}

TEST_F(QtHostTest, ASoundHoldsTheThreadNoLongerThanItPlays) {
  // No sound server, whatever the machine has: a driver that is not there.
  // (ALSA's driver loads and unloads plugins that LeakSanitizer trips over.)
  setenv("CANBERRA_DRIVER", "quorbel-test-no-driver", 1);
  CanberraSound sound;
  QElapsedTimer clock;
  clock.start();
  sound.PlaySync(Text(u"/no/such/dir\\load.wav"));
  const fs::path not_a_wave = dir_ / "load.wav";
  std::ofstream(not_a_wave) << "ID3 an mp3 file, say";
  sound.PlaySync(FromUtf8(not_a_wave.string()));
  EXPECT_LT(clock.elapsed(), 100) << "nothing to play: at once";

  // 900 ms of sound, whether a sound server plays it or not.
  clock.restart();
  sound.PlaySync(FromUtf8(QUORBEL_DATA_DIR) + u"\\load.wav");
  EXPECT_LT(clock.elapsed(), 900 + 150);
}

}  // namespace
}  // namespace quorbel
