#include <gtest/gtest.h>

#include <set>

#include "app/idle_sources.h"

namespace quorbel {
namespace {

using Kind = IdleSourceKind;

auto Offering(std::set<Kind> kinds) {
  return [kinds](Kind kind) { return kinds.count(kind) > 0; };
}

TEST(IdleSources, TheDesktopsOwnSourcesComeBeforeWaylandAndTheXServerLast) {
  const auto all = Offering({Kind::MutterIdleMonitor, Kind::FreedesktopScreenSaver, Kind::WaylandIdleNotify,
                             Kind::X11ScreenSaver});
  EXPECT_EQ(NextIdleSource(std::nullopt, all), Kind::MutterIdleMonitor);
  EXPECT_EQ(NextIdleSource(std::nullopt, Offering({Kind::X11ScreenSaver, Kind::FreedesktopScreenSaver})),
            Kind::FreedesktopScreenSaver);
  EXPECT_EQ(NextIdleSource(std::nullopt, Offering({Kind::X11ScreenSaver, Kind::WaylandIdleNotify})),
            Kind::WaylandIdleNotify);
  EXPECT_EQ(NextIdleSource(std::nullopt, Offering({})), std::nullopt);

  // A source that went away hands over to one after it, never to itself or
  // to one before it that was not there at start.
  EXPECT_EQ(NextIdleSource(Kind::MutterIdleMonitor, all), Kind::FreedesktopScreenSaver);
  EXPECT_EQ(NextIdleSource(Kind::FreedesktopScreenSaver, Offering({Kind::MutterIdleMonitor, Kind::X11ScreenSaver})),
            Kind::X11ScreenSaver);
  EXPECT_EQ(NextIdleSource(Kind::X11ScreenSaver, all), std::nullopt);
}

TEST(IdleSources, TheMessagesNameTheSourceAndWhatHappensWithoutOne) {
  EXPECT_EQ(IdleSourceChoiceMessage(Kind::MutterIdleMonitor),
            "quorbel-clock: idle time from GNOME's idle monitor (org.gnome.Mutter.IdleMonitor)");
  EXPECT_EQ(IdleSourceFallbackMessage(Kind::FreedesktopScreenSaver, std::nullopt),
            "quorbel-clock: the session's screen saver (org.freedesktop.ScreenSaver) went away; "
            "no idle time found: every minute counts as work");
}

TEST(IdleNotifyState, IdleOnlyFromTheNotificationOnAndCountingOnAcrossTheWrap) {
  IdleNotifyState state(121000);
  EXPECT_EQ(state.IdleMs(5000), 0u) << "no notification yet: working";
  state.OnIdled(0xFFFFFF00u);
  EXPECT_EQ(state.IdleMs(0xFFFFFF00u), 121000u) << "idle since the timeout before the event";
  EXPECT_EQ(state.IdleMs(0x100u), 121512u);
  state.OnResumed();
  EXPECT_EQ(state.IdleMs(0x200u), 0u);
}

TEST(SessionPlatform, AWaylandSessionWithXWaylandTakesTheX11PluginUnlessTheUserChoseOne) {
  EXPECT_EQ(PlatformPluginForSession("", "wayland-0", "wayland", ":0"), "xcb");
  EXPECT_EQ(PlatformPluginForSession("", "", "wayland", ":1"), "xcb") << "WAYLAND_DISPLAY left unset";
  EXPECT_EQ(PlatformPluginForSession("wayland", "wayland-0", "wayland", ":0"), std::nullopt);
  EXPECT_EQ(PlatformPluginForSession("", "wayland-0", "wayland", ""), std::nullopt) << "no XWayland";
  EXPECT_EQ(PlatformPluginForSession("", "", "x11", ":0"), std::nullopt) << "an X session needs nothing";
}

}  // namespace
}  // namespace quorbel
