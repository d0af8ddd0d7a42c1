#pragma once
// The session's idle time from the first source that answers: GNOME's idle
// monitor, the screen saver's session idle time, the Wayland compositor's
// idle notifications, the X server. The choice is made at start; a source
// that goes away hands over to the next one that answers then, and a D-Bus
// service ranked above the one in use that takes its name on the bus (the
// one that left, back again) takes over from it.
#include <QDBusConnection>
#include <QObject>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/host_timing.h"
#include "app/idle_dbus_qt.h"
#include "app/idle_sources.h"

namespace quorbel {

class SessionIdleProbe : public IdleProbe {
 public:
  struct Listener {
    std::function<void()> changed;   // IdlePollSource::OnIdleChanged
    std::function<void()> replaced;  // IdlePollSource::OnSourceReplaced
  };

  // `say` gets one line for each choice (the program prints it when started
  // from a terminal).
  SessionIdleProbe(QDBusConnection bus, std::function<void(const std::string&)> say);
  ~SessionIdleProbe() override;

  void SetListener(Listener listener) { listener_ = std::move(listener); }
  std::optional<IdleSourceKind> Current() const { return kind_; }

  std::optional<uint32_t> IdleMs() override;
  uint32_t Now() override;
  uint64_t SleptMs() override;
  bool ReportsChanges() const override;
  void WatchForReturn() override;

 private:
  std::unique_ptr<IdleReader> Make(IdleSourceKind kind);
  void Choose(std::optional<IdleSourceKind> after);
  // `made`: the number Make gave the source that is lost.
  void FallBack(IdleSourceKind lost, uint64_t made);
  void Arrive(IdleSourceKind kind);
  // Says `line`, and what the user should know of the chosen source.
  void Say(const std::string& line) const;

  QDBusConnection bus_;
  std::function<void(const std::string&)> say_;
  Listener listener_;
  std::optional<IdleSourceKind> kind_;
  std::unique_ptr<IdleReader> source_;
  // Sources made so far, and the number of the one in use: a word from a
  // source already replaced counts for nothing.
  uint64_t made_ = 0;
  uint64_t current_ = 0;
  std::string note_;
  // Owns the queued hand-overs: a source is never destroyed inside its own
  // signal.
  QObject context_;
  IdleServiceArrivals arrivals_;
};

}  // namespace quorbel
