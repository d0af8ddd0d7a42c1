#pragma once
// The Wayland compositor's idle notifications (ext-idle-notify-v1), on a
// connection of the program's own: under XWayland, Qt speaks X11 and has no
// Wayland connection to share.
#include <QSocketNotifier>

#include <cstdint>
#include <memory>
#include <optional>

#include "app/host_timing.h"
#include "app/idle_dbus_qt.h"
#include "app/idle_sources.h"

struct wl_display;
struct wl_registry;
struct wl_seat;
struct ext_idle_notifier_v1;
struct ext_idle_notification_v1;

namespace quorbel {

class WaylandIdleProbe : public IdleReader {
 public:
  // Connects to $WAYLAND_DISPLAY and asks for a notification after
  // `timeout_ms` of idle time; Available() says whether the compositor
  // offers one.
  WaylandIdleProbe(uint32_t timeout_ms, IdleSourceEvents events);
  ~WaylandIdleProbe() override;

  bool Available() const { return notification_ != nullptr; }
  // The compositor's notifications count input alone (version 2); with
  // version 1 an idle inhibitor, such as a playing video, counts as input.
  bool SeesInputAlone() const;
  std::optional<uint32_t> IdleMs() override;
  bool ReportsChanges() const override { return true; }
  // A second notification with a short timeout: the compositor sends its
  // "resumed" at the first input after a pause, which the break's own
  // notification does not when it never went idle (a sleep, a start while
  // the user is away).
  void WatchForReturn() override;

  // Called by the protocol's listeners.
  void OnGlobal(wl_registry* registry, uint32_t name, const char* interface, uint32_t version);
  void OnIdled();
  void OnResumed();

 private:
  struct Disconnect {
    void operator()(wl_display* display) const;
  };
  ext_idle_notification_v1* NewNotification(uint32_t timeout_ms);
  void ReadEvents();
  void EndReturnWatch();

  IdleSourceEvents events_;
  IdleNotifyState state_;
  std::unique_ptr<wl_display, Disconnect> display_;
  wl_registry* registry_ = nullptr;
  wl_seat* seat_ = nullptr;
  ext_idle_notifier_v1* notifier_ = nullptr;
  uint32_t notifier_version_ = 0;
  ext_idle_notification_v1* notification_ = nullptr;
  ext_idle_notification_v1* return_watch_ = nullptr;
  std::unique_ptr<QSocketNotifier> readable_;
};

}  // namespace quorbel
