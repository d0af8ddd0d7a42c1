#include "app/program_end_qt.h"

#include <QCoreApplication>
#include <QEvent>
#include <QSocketNotifier>

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <array>
#include <cerrno>

#include "common/unique_handle.h"

namespace quorbel {
namespace {

struct CloseFd {
  void operator()(int fd) const { ::close(fd); }
};
using UniqueFd = UniqueHandle<int, CloseFd, -1>;

// SIGHUP: the terminal or the session the program was started from has ended.
constexpr std::array kEndingSignals{SIGTERM, SIGINT, SIGHUP};

// The pipe's write end, for the handler; -1 while no ProgramEnd lives.
volatile sig_atomic_t signal_pipe_write = -1;

void OnEndingSignal(int signal_number) {
  const int saved_errno = errno;
  const char byte = static_cast<char>(signal_number);
  if (signal_pipe_write >= 0) {
    // A full pipe already holds what the event loop needs to know.
    [[maybe_unused]] const ssize_t written = ::write(signal_pipe_write, &byte, 1);
  }
  errno = saved_errno;
}

}  // namespace

struct ProgramEnd::Impl {
  explicit Impl(std::function<void()> end_program) : end(std::move(end_program)) {}

  void EndOnce() {
    if (ended) return;
    ended = true;
    end();
  }

  void DrainPipe() const {
    char bytes[16];
    while (::read(read_end.get(), bytes, sizeof bytes) > 0) {
    }
  }

  bool OpenPipe() {
    std::array<int, 2> fds{-1, -1};
    if (::pipe2(fds.data(), O_CLOEXEC | O_NONBLOCK) != 0) return false;
    read_end.reset(fds[0]);
    write_end.reset(fds[1]);
    notifier = std::make_unique<QSocketNotifier>(fds[0], QSocketNotifier::Read);
    return true;
  }

  void CatchSignals() {
    signal_pipe_write = write_end.get();
    struct sigaction action {};
    action.sa_handler = OnEndingSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (size_t k = 0; k < kEndingSignals.size(); ++k) sigaction(kEndingSignals[k], &action, &earlier[k]);
  }

  void ReleaseSignals() {
    for (size_t k = 0; k < kEndingSignals.size(); ++k) sigaction(kEndingSignals[k], &earlier[k], nullptr);
    signal_pipe_write = -1;
  }

  std::function<void()> end;
  bool ended = false;
  UniqueFd read_end;
  UniqueFd write_end;
  std::unique_ptr<QSocketNotifier> notifier;
  std::array<struct sigaction, kEndingSignals.size()> earlier{};
};

ProgramEnd::ProgramEnd(std::function<void()> end) : impl_(std::make_unique<Impl>(std::move(end))) {
  if (impl_->OpenPipe()) {
    connect(impl_->notifier.get(), &QSocketNotifier::activated, this, [impl = impl_.get()] {
      impl->DrainPipe();
      impl->EndOnce();
    });
    impl_->CatchSignals();
  }
  QCoreApplication::instance()->installEventFilter(this);
}

ProgramEnd::~ProgramEnd() {
  if (impl_->write_end) impl_->ReleaseSignals();
}

bool ProgramEnd::eventFilter(QObject* watched, QEvent* event) {
  if (watched == QCoreApplication::instance() && event->type() == QEvent::Quit) impl_->EndOnce();
  return QObject::eventFilter(watched, event);
}

}  // namespace quorbel
