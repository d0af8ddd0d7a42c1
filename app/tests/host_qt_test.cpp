#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
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

TEST_F(QtHostTest, SocketForThisUserAloneAndMessagesCut) {
  SingleInstance first(Address());
  ASSERT_EQ(first.TakeLock().result, InstanceLock::kTaken);
  struct stat status {};
  ASSERT_EQ(::stat(Address().socket.c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 0777, 0600u);

  int ends[2];
  ASSERT_EQ(::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0, ends), 0);
  const unique_fd reader(ends[0]);
  unique_fd writer(ends[1]);
  LocalMessage message(4);
  EXPECT_FALSE(message.ReadFrom(reader.get())) << "nothing sent yet, the peer still there";
  ASSERT_EQ(::send(writer.get(), "--e", 3, 0), 3);
  EXPECT_FALSE(message.ReadFrom(reader.get()));
  ASSERT_EQ(::send(writer.get(), "xit and more", 12, 0), 12);
  EXPECT_TRUE(message.ReadFrom(reader.get()));
  EXPECT_EQ(message.Bytes(), "--ex");

  LocalMessage short_one(4);
  ASSERT_EQ(::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0, ends), 0);
  const unique_fd closed_reader(ends[0]);
  ASSERT_EQ(::send(ends[1], "ab", 2, 0), 2);
  ::close(ends[1]);
  EXPECT_TRUE(short_one.ReadFrom(closed_reader.get())) << "the peer closed its end";
  EXPECT_EQ(short_one.Bytes(), "ab");
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

// A blocking connection to the socket at `path`, as a second start makes.
unique_fd ConnectTo(const fs::path& path) {
  unique_fd socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::strncpy(address.sun_path, path.c_str(), sizeof(address.sun_path) - 1);
  if (!socket || ::connect(socket.get(), reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0) return {};
  return socket;
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
  const unique_fd flood = ConnectTo(Address().socket);
  ASSERT_TRUE(flood);
  const std::string bytes = "--exit" + std::string(8 << 20, 'x');
  size_t written = 0;
  bool dropped = false;
  ProcessEventsUntil([&] {
    const ssize_t sent = ::send(flood.get(), bytes.data() + written, bytes.size() - written, MSG_NOSIGNAL | MSG_DONTWAIT);
    if (sent > 0) written += static_cast<size_t>(sent);
    dropped = sent < 0 && errno != EAGAIN && errno != EINTR;
    return dropped;
  });
  EXPECT_TRUE(dropped) << "the first instance kept reading";
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

  std::ifstream maps("/proc/self/maps");
  const std::string mapped((std::istreambuf_iterator<char>(maps)), std::istreambuf_iterator<char>());
  EXPECT_EQ(mapped.find("libcanberra"), std::string::npos) << "the sound library stayed loaded between sounds";
}

std::string Le(uint32_t value, int bytes) {
  std::string out;
  for (int i = 0; i < bytes; ++i) out += static_cast<char>(value >> (8 * i));
  return out;
}

std::string Chunk(const std::string& id, const std::string& data) { return id + Le(data.size(), 4) + data; }

// A sound device that keeps what it is given: ALSA's file plugin in front of
// its null device, which takes every sample at once.
void WriteSoundDeviceConfig(const fs::path& config, const fs::path& played) {
  std::ofstream(config) << "pcm.!default {\n  type file\n  slave.pcm { type null }\n  file \"" << played.string()
                        << "\"\n  format \"raw\"\n}\n";
}

// Recorders and editors put tags and pictures before the sound.
TEST_F(QtHostTest, ASoundAfterLongMetadataReachesTheSoundDevice) {
  const std::string samples = std::string(8000, '\x40') + std::string(8000, '\xC0');
  const std::string format = Le(1, 2) + Le(1, 2) + Le(8000, 4) + Le(16000, 4) + Le(2, 2) + Le(16, 2);
  const std::string chunks =
      Chunk("fmt ", format) + Chunk("LIST", std::string(6000, 't')) + Chunk("data", samples);
  const fs::path wav = dir_ / "load.wav";
  std::ofstream(wav, std::ios::binary) << "RIFF" << Le(4 + chunks.size(), 4) << "WAVE" << chunks;
  const fs::path config = dir_ / "asound.conf";
  const fs::path played = dir_ / "played.raw";
  WriteSoundDeviceConfig(config, played);

  // In a process of its own, with ALSA's driver: ALSA keeps its
  // configuration for the process's life, which LeakSanitizer would take for
  // a leak at the end.
  QProcess player;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("CANBERRA_DRIVER"), QStringLiteral("alsa"));
  environment.insert(QStringLiteral("ALSA_CONFIG_PATH"), QString::fromStdString(config.string()));
  environment.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
  player.setProcessEnvironment(environment);
  player.start(QStringLiteral(QUORBEL_PLAY_SOUND), {QString::fromStdString(wav.string())});
  ASSERT_TRUE(player.waitForFinished(5000));
  ASSERT_EQ(player.exitStatus(), QProcess::NormalExit);
  ASSERT_EQ(player.exitCode(), 0) << player.readAllStandardError().toStdString();
  std::ifstream in(played, std::ios::binary);
  const std::string device_got((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(device_got.size(), samples.size()) << "the sound was not played whole";
  EXPECT_TRUE(device_got == samples) << "the device got other bytes than the samples";
}

}  // namespace
}  // namespace quorbel
