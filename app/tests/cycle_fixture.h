#pragma once
// A reminder cycle on the fake platform, with an in-memory registry and
// Config.ini. The user is at work from the start.
#include <gtest/gtest.h>

#include <vector>

#include "app/cycle.h"
#include "tests/support/memory_profile_store.h"
#include "tests/support/memory_registry.h"
#include "tests/support/fake_platform.h"

namespace quorbel::testing {

inline constexpr uint64_t kSecond = 1000;
inline constexpr uint64_t kMinute = 60 * kSecond;
inline constexpr uint64_t kHour = 60 * kMinute;
inline constexpr char16_t kLoadWav[] = u"C:\\Clock\\load.wav";

// The desktop's do-not-disturb state, answering at once or, when deferred,
// only when the test says.
class FakeDoNotDisturb : public DoNotDisturb {
 public:
  void Ask(Answer answer) override {
    ++asks_;
    if (deferred_) {
      open_.push_back(std::move(answer));
    } else {
      answer(busy_);
    }
  }
  void SetBusy(bool busy) { busy_ = busy; }
  void Defer(bool deferred) { deferred_ = deferred; }
  // Answers the oldest open question with what holds now.
  void AnswerOldest() {
    Answer answer = std::move(open_.front());
    open_.erase(open_.begin());
    answer(busy_);
  }
  size_t OpenQuestions() const { return open_.size(); }
  int Asks() const { return asks_; }

 private:
  bool busy_ = false;
  bool deferred_ = false;
  int asks_ = 0;
  std::vector<Answer> open_;
};

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
  FakeDoNotDisturb do_not_disturb_;
  ReminderCycle cycle_{CyclePorts{platform_, window_, platform_, platform_, renderer_, reg_, ini_},
                       kLoadWav, do_not_disturb_};
};

}  // namespace quorbel::testing
