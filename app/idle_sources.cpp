#include "app/idle_sources.h"

#include <algorithm>
#include <array>
#include <utility>

namespace quorbel {
namespace {

constexpr std::array kOrder = {
    IdleSourceKind::MutterIdleMonitor,
    IdleSourceKind::FreedesktopScreenSaver,
    IdleSourceKind::WaylandIdleNotify,
    IdleSourceKind::X11ScreenSaver,
};

const char* Describe(IdleSourceKind kind) {
  switch (kind) {
    case IdleSourceKind::MutterIdleMonitor:
      return "GNOME's idle monitor (org.gnome.Mutter.IdleMonitor)";
    case IdleSourceKind::FreedesktopScreenSaver:
      return "the session's screen saver (org.freedesktop.ScreenSaver)";
    case IdleSourceKind::WaylandIdleNotify:
      return "the Wayland compositor (ext-idle-notify-v1)";
    case IdleSourceKind::X11ScreenSaver:
      return "the X server (MIT-SCREEN-SAVER)";
  }
  return "";
}

constexpr const char* kPrefix = "quorbel-clock: ";
constexpr const char* kNone = "no idle time found: every minute counts as work";

}  // namespace

std::optional<IdleSourceKind> NextIdleSource(std::optional<IdleSourceKind> after,
                                             const std::function<bool(IdleSourceKind)>& is_available) {
  bool past = !after;
  for (const IdleSourceKind kind : kOrder) {
    if (past && is_available(kind)) return kind;
    if (after && kind == *after) past = true;
  }
  return std::nullopt;
}

bool IdleSourceOutranks(IdleSourceKind kind, IdleSourceKind other) {
  return std::find(kOrder.begin(), kOrder.end(), kind) < std::find(kOrder.begin(), kOrder.end(), other);
}

std::string IdleSourceChoiceMessage(std::optional<IdleSourceKind> chosen) {
  if (!chosen) return std::string(kPrefix) + kNone;
  return std::string(kPrefix) + "idle time from " + Describe(*chosen);
}

std::string IdleSourceFallbackMessage(IdleSourceKind lost, std::optional<IdleSourceKind> next) {
  std::string message = std::string(kPrefix) + Describe(lost) + " went away; ";
  if (!next) return message + kNone;
  return message + "idle time now from " + Describe(*next);
}

std::string IdleInhibitorMessage() {
  return std::string(kPrefix) +
         "the compositor offers only version 1 of ext-idle-notify-v1: while a program holds the screen awake "
         "(a playing video), the time counts as work";
}

void IdleNotifyState::OnIdled(uint32_t now) { last_input_ = now - timeout_ms_; }

IdleAnswer::Taken IdleAnswer::Take() {
  Taken taken;
  taken.idle_ms = std::exchange(answer_, std::nullopt);
  taken.ask = !taken.idle_ms && !asked_;
  asked_ = asked_ || taken.ask;
  return taken;
}

bool IdleAnswer::OnAnswer(std::optional<uint32_t> idle_ms) {
  asked_ = false;
  answer_ = idle_ms;
  return answer_.has_value();
}

std::optional<std::string> PlatformPluginForSession(const std::string& qt_qpa_platform,
                                                    const std::string& wayland_display,
                                                    const std::string& xdg_session_type,
                                                    const std::string& display) {
  if (!qt_qpa_platform.empty() || display.empty()) return std::nullopt;
  if (wayland_display.empty() && xdg_session_type != "wayland") return std::nullopt;
  return "xcb";
}

}  // namespace quorbel
