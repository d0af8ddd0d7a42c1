#pragma once
// A reminder cycle on the fake platform, with an in-memory registry and
// Config.ini. The user is at work from the start.
#include <gtest/gtest.h>

#include "app/cycle.h"
#include "tests/support/memory_profile_store.h"
#include "tests/support/memory_registry.h"
#include "tests/support/fake_platform.h"

namespace quorbel::testing {

inline constexpr uint64_t kSecond = 1000;
inline constexpr uint64_t kMinute = 60 * kSecond;
inline constexpr uint64_t kHour = 60 * kMinute;
inline constexpr char16_t kLoadWav[] = u"C:\\Clock\\load.wav";

class CycleTest : public ::testing::Test {
 protected:
  CycleTest() {
    platform_.SetTickHandler([this](TimerId timer) { cycle_.OnTimer(timer); });
    profile_.Set(u"C:\\Clock\\Config.ini", u"Skins", u"Selected", u"1");
    profile_.Set(u"C:\\Clock\\Config.ini", u"Skins", u"Bitmap1", u"skin1.png");
  }

  void SetInterval(int32_t hours, int32_t minutes) {
    reg_.RegWriteLong(RegRoot::CurrentUser, kSettingsKey, "Hours", hours);
    reg_.RegWriteLong(RegRoot::CurrentUser, kSettingsKey, "Minutes", minutes);
  }

  // Starts the cycle with the given interval and lets the panel rise.
  void StartWithInterval(int32_t hours, int32_t minutes) {
    SetInterval(hours, minutes);
    cycle_.Start();
    platform_.RunFor(kSecond);
  }

  // The panels drawn for a reminder or a manual show (their time text starts
  // with a space, unlike the "00:00" of a reload and the "0" of a break).
  std::vector<PanelModel> ReminderDraws() const {
    std::vector<PanelModel> found;
    for (const PanelModel& model : renderer_.Drawn()) {
      if (!model.use_time_text.empty() && model.use_time_text[0] == u' ') found.push_back(model);
    }
    return found;
  }

  bool RunUntilTicks(TimerId timer, int ticks, uint64_t limit = kHour) {
    return platform_.RunUntil([&] { return platform_.Ticks(timer) >= ticks; }, limit);
  }

  FakePlatform platform_;
  FakePanelWindow window_{platform_};
  RecordingRenderer renderer_{platform_};
  MemoryRegistry registry_;
  ModReg reg_{registry_};
  MemoryProfileStore profile_;
  ModIni ini_{profile_, u"C:\\Clock\\"};
  ReminderCycle cycle_{CyclePorts{platform_, window_, platform_, platform_, renderer_, reg_, ini_},
                       kLoadWav};
};

}  // namespace quorbel::testing
