#pragma once
// The session's idle time from the first source that answers: GNOME's idle
// monitor, the screen saver's session idle time, the Wayland compositor's
// idle notifications, the X server. The choice is made once at start; a
// source that goes away hands over to the next one that answers then.
#include <QDBusConnection>
#include <QObject>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/host_timing.h"
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
  void FallBack(IdleSourceKind lost);
  // Says `line`, and what the user should know of the chosen source.
  void Say(const std::string& line) const;

  QDBusConnection bus_;
  std::function<void(const std::string&)> say_;
  Listener listener_;
  std::optional<IdleSourceKind> kind_;
  std::unique_ptr<IdleReader> source_;
  std::string note_;
  // Owns the queued hand-overs: a source is never destroyed inside its own
  // signal.
  QObject context_;
};

}  // namespace quorbel
