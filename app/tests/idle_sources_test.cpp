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
  IdleNotifyState state(121000, 0);
  EXPECT_EQ(state.IdleMs(5000, 0), 0u) << "no notification yet: working";
  state.OnIdled(0xFFFFFF00u);
  EXPECT_EQ(state.IdleMs(0xFFFFFF00u, 0), 121000u) << "idle since the timeout before the event";
  EXPECT_EQ(state.IdleMs(0x100u, 0), 121512u);
  state.OnResumed(0);
  EXPECT_EQ(state.IdleMs(0x200u, 0), 0u);
}

// The compositor's timers may not run while the machine sleeps: a lid closed
// a minute after the last key gives no idled event on waking.
TEST(IdleNotifyState, ASleepOfTheTimeoutOrLongerIsTimeAwayAndAShorterOneIsNot) {
  IdleNotifyState state(121000, 5000);
  EXPECT_EQ(state.IdleMs(1000000, 5000 + 90000), 0u) << "90 s asleep: input may have come since";
  EXPECT_EQ(state.IdleMs(1001000, 5000 + 90000), 0u) << "the short sleep is not counted later either";

  EXPECT_EQ(state.IdleMs(2000000, 95000 + 1800000), 1800000u) << "30 minutes asleep";
  EXPECT_EQ(state.IdleMs(2005000, 95000 + 1800000), 1805000u) << "away until input is reported";
  state.OnIdled(2010000);
  EXPECT_EQ(state.IdleMs(2010000, 95000 + 1800000), 1810000u) << "the idled event after waking keeps the sleep";
  state.OnResumed(95000 + 1800000);
  EXPECT_EQ(state.IdleMs(2020000, 95000 + 1800000), 0u);
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
