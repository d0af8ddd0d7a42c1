#pragma once
// Where the Linux program learns how long the user has been idle, decided
// apart from D-Bus, Wayland and X: the order the sources are tried in, what
// the user is told of the choice, and how the Wayland idle notifications
// become an idle time.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace quorbel {

// In the order they are tried. The X server comes last: under Wayland its
// idle time misses the input that goes to native Wayland windows.
enum class IdleSourceKind {
  MutterIdleMonitor,
  FreedesktopScreenSaver,
  WaylandIdleNotify,
  X11ScreenSaver,
};

// The first source after `after` (from the start when there is none) that
// `is_available` accepts; nothing when none does.
std::optional<IdleSourceKind> NextIdleSource(std::optional<IdleSourceKind> after,
                                             const std::function<bool(IdleSourceKind)>& is_available);

// Whether `kind` comes before `other` in the order sources are tried.
bool IdleSourceOutranks(IdleSourceKind kind, IdleSourceKind other);

// One line for standard error: which source the program reads, or that it
// found none and counts every minute as work.
std::string IdleSourceChoiceMessage(std::optional<IdleSourceKind> chosen);
// One line for standard error: `lost` went away and `next` reads on.
std::string IdleSourceFallbackMessage(IdleSourceKind lost, std::optional<IdleSourceKind> next);
// One line for standard error when the compositor's idle notifications
// (version 1) take an idle inhibitor, such as a playing video, for input.
std::string IdleInhibitorMessage();

// The ext-idle-notify-v1 events as an idle time. The compositor says only
// when the user has been idle for the notification's timeout and when input
// comes back; in between, as far as the cycle's decision goes, the user is
// working.
class IdleNotifyState {
 public:
  explicit IdleNotifyState(uint32_t timeout_ms) : timeout_ms_(timeout_ms) {}

  void OnIdled(uint32_t now);
  void OnResumed() { last_input_.reset(); }
  uint32_t IdleMs(uint32_t now) const { return last_input_ ? now - *last_input_ : 0; }

 private:
  uint32_t timeout_ms_;
  std::optional<uint32_t> last_input_;  // while idle: the tick of the last input
};

// An idle time asked of a desktop service, which answers later: the
// user-interface thread never waits for it. A reading takes the answer that
// came since the last one; until one has come it gets nothing (a failed
// query, as far as the cycle goes) and a question is sent if none is on its
// way. The answer's arrival is reported as a change, so the reading follows
// it at once.
class IdleAnswer {
 public:
  struct Taken {
    std::optional<uint32_t> idle_ms;
    bool ask = false;  // send a question now
  };
  Taken Take();
  // The service answered (nothing: it failed or did not answer in time);
  // true when a reading has something new to take.
  bool OnAnswer(std::optional<uint32_t> idle_ms);

 private:
  bool asked_ = false;
  std::optional<uint32_t> answer_;
};

// The Qt platform plugin the program asks for: on a Wayland session with
// XWayland, the X11 one, since only there may the panel place itself at the
// top of the screen above other windows. Nothing when the user chose a plugin
// or the session is no Wayland session with an X server.
std::optional<std::string> PlatformPluginForSession(const std::string& qt_qpa_platform,
                                                    const std::string& wayland_display,
                                                    const std::string& xdg_session_type,
                                                    const std::string& display);

}  // namespace quorbel
