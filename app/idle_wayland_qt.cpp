#include "app/idle_wayland_qt.h"

#include <wayland-client.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "app/boot_clock_linux.h"
#include "ext-idle-notify-v1-client-protocol.h"

namespace quorbel {
namespace {

void Global(void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t version) {
  static_cast<WaylandIdleProbe*>(data)->OnGlobal(registry, name, interface, version);
}

void GlobalRemoved(void*, wl_registry*, uint32_t) {}

constexpr wl_registry_listener kRegistryListener = {Global, GlobalRemoved};

void Idled(void* data, ext_idle_notification_v1*) { static_cast<WaylandIdleProbe*>(data)->OnIdled(); }

void Resumed(void* data, ext_idle_notification_v1*) { static_cast<WaylandIdleProbe*>(data)->OnResumed(); }

constexpr ext_idle_notification_v1_listener kNotificationListener = {Idled, Resumed};

void PauseBeforeReturn(void*, ext_idle_notification_v1*) {}

constexpr ext_idle_notification_v1_listener kReturnListener = {PauseBeforeReturn, Resumed};

// Short enough that a user typing on makes a pause of it within moments.
constexpr uint32_t kReturnWatchTimeoutMs = 1000;

// Version 2 adds notifications of input alone, which an idle inhibitor (a
// playing video, a presentation) does not hold off.
constexpr uint32_t kInputIdleVersion = 2;

}  // namespace

void WaylandIdleProbe::Disconnect::operator()(wl_display* display) const { wl_display_disconnect(display); }

WaylandIdleProbe::WaylandIdleProbe(uint32_t timeout_ms, IdleSourceEvents events)
    : events_(std::move(events)), state_(timeout_ms) {
  // Without it libwayland would try "wayland-0", which on an X session may
  // be some other compositor's.
  const char* name = std::getenv("WAYLAND_DISPLAY");
  if (!name || !*name) return;
  display_.reset(wl_display_connect(nullptr));
  if (!display_) return;
  registry_ = wl_display_get_registry(display_.get());
  wl_registry_add_listener(registry_, &kRegistryListener, this);
  if (wl_display_roundtrip(display_.get()) < 0 || !seat_ || !notifier_) return;
  notification_ = NewNotification(timeout_ms);
  ext_idle_notification_v1_add_listener(notification_, &kNotificationListener, this);
  wl_display_flush(display_.get());
  readable_ = std::make_unique<QSocketNotifier>(wl_display_get_fd(display_.get()), QSocketNotifier::Read);
  QObject::connect(readable_.get(), &QSocketNotifier::activated, [this] { ReadEvents(); });
}

WaylandIdleProbe::~WaylandIdleProbe() {
  readable_.reset();
  EndReturnWatch();
  if (notification_) ext_idle_notification_v1_destroy(notification_);
  if (notifier_) ext_idle_notifier_v1_destroy(notifier_);
  if (seat_) wl_seat_destroy(seat_);
  if (registry_) wl_registry_destroy(registry_);
}

void WaylandIdleProbe::OnGlobal(wl_registry* registry, uint32_t name, const char* interface, uint32_t version) {
  if (!seat_ && std::strcmp(interface, wl_seat_interface.name) == 0) {
    seat_ = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
  } else if (!notifier_ && std::strcmp(interface, ext_idle_notifier_v1_interface.name) == 0) {
    notifier_version_ = std::min(version, kInputIdleVersion);
    notifier_ = static_cast<ext_idle_notifier_v1*>(
        wl_registry_bind(registry, name, &ext_idle_notifier_v1_interface, notifier_version_));
  }
}

ext_idle_notification_v1* WaylandIdleProbe::NewNotification(uint32_t timeout_ms) {
  if (notifier_version_ >= kInputIdleVersion) {
    return ext_idle_notifier_v1_get_input_idle_notification(notifier_, timeout_ms, seat_);
  }
  return ext_idle_notifier_v1_get_idle_notification(notifier_, timeout_ms, seat_);
}

bool WaylandIdleProbe::SeesInputAlone() const { return notifier_version_ >= kInputIdleVersion; }

void WaylandIdleProbe::OnIdled() {
  state_.OnIdled(BootTickCount32());
  if (events_.changed) events_.changed();
}

void WaylandIdleProbe::OnResumed() {
  state_.OnResumed();
  EndReturnWatch();
  if (events_.changed) events_.changed();
}

void WaylandIdleProbe::WatchForReturn() {
  if (return_watch_ || !notification_) return;
  return_watch_ = NewNotification(kReturnWatchTimeoutMs);
  ext_idle_notification_v1_add_listener(return_watch_, &kReturnListener, this);
  wl_display_flush(display_.get());
}

void WaylandIdleProbe::EndReturnWatch() {
  if (!return_watch_) return;
  ext_idle_notification_v1_destroy(return_watch_);
  return_watch_ = nullptr;
  wl_display_flush(display_.get());
}

std::optional<uint32_t> WaylandIdleProbe::IdleMs() { return state_.IdleMs(BootTickCount32()); }


void WaylandIdleProbe::ReadEvents() {
  // The compositor closed the connection or sent an error: no more events
  // will come from it.
  if (wl_display_dispatch(display_.get()) < 0) {
    readable_->setEnabled(false);
    if (events_.vanished) events_.vanished();
    return;
  }
  wl_display_flush(display_.get());
}

}  // namespace quorbel
