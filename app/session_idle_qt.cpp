#include "app/session_idle_qt.h"

#include <QTimer>

#include "app/boot_clock_linux.h"
#include "app/idle_wayland_qt.h"
#include "app/x11_idle_qt.h"

namespace quorbel {
namespace {

template <typename Probe>
std::unique_ptr<IdleReader> IfAvailable(std::unique_ptr<Probe> probe) {
  if (!probe->Available()) return nullptr;
  return probe;
}

}  // namespace

SessionIdleProbe::SessionIdleProbe(QDBusConnection bus, std::function<void(const std::string&)> say)
    : bus_(std::move(bus)),
      say_(std::move(say)),
      arrivals_(bus_, [this](IdleSourceKind kind) {
        QTimer::singleShot(0, &context_, [this, kind] { Arrive(kind); });
      }) {
  Choose(std::nullopt);
  Say(IdleSourceChoiceMessage(kind_));
}

void SessionIdleProbe::Say(const std::string& line) const {
  if (!say_) return;
  say_(line);
  if (!note_.empty()) say_(note_);
}

SessionIdleProbe::~SessionIdleProbe() = default;

std::unique_ptr<IdleReader> SessionIdleProbe::Make(IdleSourceKind kind) {
  const uint64_t made = ++made_;
  IdleSourceEvents events;
  events.changed = [this] {
    if (listener_.changed) listener_.changed();
  };
  events.vanished = [this, kind, made] {
    QTimer::singleShot(0, &context_, [this, kind, made] { FallBack(kind, made); });
  };
  switch (kind) {
    case IdleSourceKind::MutterIdleMonitor:
      return IfAvailable(std::make_unique<MutterIdleProbe>(bus_, IdleSchedule::kBreakIdleMs, std::move(events)));
    case IdleSourceKind::FreedesktopScreenSaver:
      return IfAvailable(std::make_unique<ScreenSaverIdleProbe>(bus_, std::move(events)));
    case IdleSourceKind::WaylandIdleNotify: {
      auto probe = std::make_unique<WaylandIdleProbe>(IdleSchedule::kBreakIdleMs, std::move(events));
      if (probe->Available() && !probe->SeesInputAlone()) note_ = IdleInhibitorMessage();
      return IfAvailable(std::move(probe));
    }
    case IdleSourceKind::X11ScreenSaver:
      return IfAvailable(std::make_unique<X11IdleProbe>());
  }
  return nullptr;
}

void SessionIdleProbe::Choose(std::optional<IdleSourceKind> after) {
  source_.reset();
  note_.clear();
  kind_ = NextIdleSource(after, [this](IdleSourceKind kind) {
    source_ = Make(kind);
    return source_ != nullptr;
  });
  current_ = made_;
}

void SessionIdleProbe::FallBack(IdleSourceKind lost, uint64_t made) {
  // A source may say twice that it is gone; only its first word counts.
  if (made != current_) return;
  Choose(lost);
  Say(IdleSourceFallbackMessage(lost, kind_));
  if (listener_.replaced) listener_.replaced();
}

// A service in use that takes its name again has a new owner, which knows
// nothing of the old one's watches: its source is made anew.
void SessionIdleProbe::Arrive(IdleSourceKind kind) {
  if (kind_ && IdleSourceOutranks(*kind_, kind)) return;
  const std::optional<IdleSourceKind> before = kind_;
  source_.reset();
  note_.clear();
  source_ = Make(kind);
  if (source_) {
    kind_ = kind;
    current_ = made_;
  } else {
    Choose(kind);
  }
  if (kind_ != before) Say(IdleSourceChoiceMessage(kind_));
  if (listener_.replaced) listener_.replaced();
}

// Without a source the user is always at work, and nothing will change that:
// no reading needs to be taken again.
std::optional<uint32_t> SessionIdleProbe::IdleMs() {
  if (!source_) return 0;
  return source_->IdleMs();
}

uint32_t SessionIdleProbe::Now() { return BootTickCount32(); }

uint64_t SessionIdleProbe::SleptMs() { return quorbel::SleptMs(); }

bool SessionIdleProbe::ReportsChanges() const { return !source_ || source_->ReportsChanges(); }

void SessionIdleProbe::WatchForReturn() {
  if (source_) return source_->WatchForReturn();
  // With no source a break is a sleep, and whoever woke the machine is back:
  // a moment later, as the sleep's own reading must not count as the return.
  QTimer::singleShot(IdleSchedule::kMinReadGapMs, &context_, [this] {
    if (listener_.changed) listener_.changed();
  });
}

}  // namespace quorbel
