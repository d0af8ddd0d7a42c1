// A day of work and breaks on the fake user-interface thread, held against
// the reference model: every panel the cycle composes (start-up, reminders,
// breaks) must come at the millisecond, with the text and level, that the
// model predicts. The activity is random but seeded; the seed is printed, and
// QUORBEL_SOAK_SEED repeats a run.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "app/cycle.h"
#include "app/tests/reference_model.h"
#include "tests/support/memory_profile_store.h"
#include "tests/support/memory_registry.h"
#include "tests/support/fake_platform.h"

namespace quorbel {
void PrintTo(const AlarmInterval& interval, std::ostream* out) {
  *out << interval.hours << " h " << interval.minutes << " min";
}
}  // namespace quorbel

namespace quorbel::testing {

std::string Describe(const PanelDraw& draw);
void PrintTo(const PanelDraw& draw, std::ostream* out) { *out << Describe(draw); }

namespace {

constexpr uint64_t kSecond = 1000;
constexpr uint64_t kMinute = 60 * kSecond;
constexpr uint64_t kHour = 60 * kMinute;
constexpr uint64_t kPollPeriod = FakePlatform::kShortestPeriod;
// Breaks begin and end half-way between two input polls, so that no poll
// meets the user's first or last input at the same millisecond.
constexpr uint64_t kPhase = kPollPeriod / 2;
constexpr uint64_t kSoakLength = 24 * kHour + kPhase;
// The arrival sound: shorter than a hold tick, a whole number of polls.
constexpr uint32_t kSoundLength = 400;
// Everything one reminder logs: slides, hold, about 900 shakes (tick, pause
// and present each), sound, draw.
constexpr size_t kEventsPerReminderAtMost = 3000;
constexpr uint32_t kDefaultSeed = 20240611;
// One panel a minute is far more than a day of reminders and breaks needs: a
// cycle that redraws without end stops the run there instead of filling
// memory.
constexpr size_t kMostDrawsPerDay = 24 * 60;

enum class BreakKind {
  Short,             // under 120 s
  Exactly120,        // the longest that is no break
  Truncated120,      // 120.999 s: still 120 whole seconds
  Exactly121,        // 121 s, as long as the next poll takes to see it
  Medium,            // 2 to 15 minutes
  Long,              // 15 minutes to 2 hours
  WhilePanelOut,     // any length, starting while the panel is out
  AcrossAReminder,   // starting 100 to 120 s before a reminder
};
constexpr size_t kBreakKinds = 8;
constexpr size_t kPlainBreakKinds = 6;  // Short to Long: they need no reminder ahead

const char* NameOf(BreakKind kind) {
  static constexpr std::array<const char*, kBreakKinds> kNames = {
      "short", "120s", "120.999s", "121s", "medium", "long", "while-out", "across-reminder"};
  return kNames[static_cast<size_t>(kind)];
}

uint32_t SoakSeed() {
  const char* chosen = std::getenv("QUORBEL_SOAK_SEED");
  return chosen ? static_cast<uint32_t>(std::strtoul(chosen, nullptr, 10)) : kDefaultSeed;
}

// Milliseconds since start-up as hh:mm:ss.mmm.
std::string ClockOf(uint64_t time) {
  char clock[32];
  std::snprintf(clock, sizeof clock, "%02llu:%02llu:%02llu.%03llu",
                static_cast<unsigned long long>(time / kHour),
                static_cast<unsigned long long>(time / kMinute % 60),
                static_cast<unsigned long long>(time / kSecond % 60),
                static_cast<unsigned long long>(time % kSecond));
  return clock;
}

}  // namespace

std::string Describe(const PanelDraw& draw) {
  const std::string text(draw.use_time_text.begin(), draw.use_time_text.end());
  return ClockOf(draw.time) + " \"" + text + "\" level " + std::to_string(draw.level);
}

namespace {

// Forwards to the recording renderer and notes when each panel was composed.
class TimedRenderer : public PanelRenderer {
 public:
  explicit TimedRenderer(FakePlatform& platform) : platform_(platform), recorder_(platform) {}

  void DrawPanel(const PanelModel& model) override {
    draws_.push_back({platform_.Now(), model.use_time_text, model.alarm_level});
    recorder_.DrawPanel(model);
  }
  void PresentPanel(int32_t logo_top) override { recorder_.PresentPanel(logo_top); }
  void Stow() override { recorder_.Stow(); }

  const std::vector<PanelDraw>& Draws() const { return draws_; }
  const RecordingRenderer& Recorder() const { return recorder_; }

 private:
  FakePlatform& platform_;
  RecordingRenderer recorder_;
  std::vector<PanelDraw> draws_;
};

class Soak {
 public:
  Soak(AlarmInterval interval, uint32_t seed) {
    // Each interval gets its own day from the same seed.
    std::seed_seq sequence{seed, static_cast<uint32_t>(interval.hours * 60 + interval.minutes)};
    random_.seed(sequence);
    reg_.RegWriteLong(RegRoot::CurrentUser, kSettingsKey, "Hours", interval.hours);
    reg_.RegWriteLong(RegRoot::CurrentUser, kSettingsKey, "Minutes", interval.minutes);
    profile_.Set(u"C:\\Clock\\Config.ini", u"Skins", u"Selected", u"1");
    platform_.SetTickHandler([this](TimerId timer) { cycle_.OnTimer(timer); });
    platform_.SetSoundLength(kSoundLength);
  }

  void Run(uint64_t until) {
    cycle_.Start();
    while (platform_.Now() < until && !Overdrawn()) {
      Work(until);
      if (platform_.Now() < until) Break(until);
      DrainEventLog();
    }
  }

  const std::vector<Pause>& Pauses() const { return pauses_; }
  const std::vector<PanelDraw>& Draws() const { return renderer_.Draws(); }
  const TimedRenderer& Renderer() const { return renderer_; }
  const FakePlatform& Platform() const { return platform_; }
  const std::array<int, kBreakKinds>& KindCounts() const { return kind_counts_; }
  size_t LongestEventLog() const { return longest_event_log_; }
  bool Overdrawn() const { return Draws().size() > kMostDrawsPerDay; }

 private:
  uint64_t Uniform(uint64_t low, uint64_t high) {
    return std::uniform_int_distribution<uint64_t>(low, high)(random_);
  }
  // A whole number of polls from `low` to `high`.
  uint64_t Duration(uint64_t low, uint64_t high) {
    return Uniform(low / kPollPeriod, high / kPollPeriod) * kPollPeriod;
  }
  static uint64_t NextPhase(uint64_t at_least) {
    const uint64_t base = at_least / kPollPeriod * kPollPeriod + kPhase;
    return base >= at_least ? base : base + kPollPeriod;
  }
  void AdvanceTo(uint64_t time) {
    platform_.RunUntil([&] { return Overdrawn(); }, time - platform_.Now());
  }
  bool PanelHidden() const { return window_.Top() == -window_.Height(); }

  void Work(uint64_t until) {
    const bool long_stretch = Uniform(0, 4) == 0;
    const uint64_t length = long_stretch ? Duration(30 * kMinute, 150 * kMinute)
                                         : Duration(kSecond, 12 * kMinute);
    AdvanceTo(std::min(NextPhase(platform_.Now() + length), until));
  }

  uint64_t LengthOf(BreakKind kind) {
    switch (kind) {
      case BreakKind::Short: return Duration(kSecond, 119 * kSecond);
      case BreakKind::Exactly120: return 120 * kSecond;
      case BreakKind::Truncated120: return 121 * kSecond - 1;
      case BreakKind::Exactly121: return 121 * kSecond + kPollPeriod;
      case BreakKind::Medium: return Duration(2 * kMinute, 15 * kMinute);
      case BreakKind::Long: return Duration(15 * kMinute, 2 * kHour);
      case BreakKind::WhilePanelOut:
        return LengthOf(static_cast<BreakKind>(Uniform(0, kPlainBreakKinds - 1)));
      case BreakKind::AcrossAReminder:
        return Uniform(0, 1) ? Duration(121 * kSecond, 140 * kSecond) : LengthOf(BreakKind::Medium);
    }
    return 0;
  }

  // Runs on until the panel leaves its hidden place, then a little into its
  // time out.
  bool ReachPanelOut(uint64_t until) {
    if (!platform_.RunUntil([&] { return !PanelHidden(); }, until - platform_.Now())) return false;
    AdvanceTo(std::min(NextPhase(platform_.Now() + Duration(0, 10200)), until));
    return platform_.Now() < until;
  }

  // Runs on to 100..120 s before the next reminder: two minutes before it
  // falls due, right at the minute tick, the rest is known.
  bool ReachLeadBeforeReminder(uint64_t until) {
    const int counted = platform_.Ticks(TimerId::Timer1);
    const bool reached = platform_.RunUntil(
        [&] {
          return platform_.Ticks(TimerId::Timer1) != counted && PanelHidden() &&
                 cycle_.AlarmMinute() - cycle_.UseMinutes() == 2;
        },
        until - platform_.Now());
    if (!reached) return false;
    const uint64_t reminder = platform_.Now() + 2 * kMinute;
    AdvanceTo(std::min(NextPhase(reminder - Duration(100 * kSecond, 120 * kSecond)), until));
    return platform_.Now() < until;
  }

  void Break(uint64_t until) {
    const bool reminder_ahead = cycle_.AlarmMinute() > cycle_.UseMinutes();
    const size_t kinds = reminder_ahead ? kBreakKinds : kPlainBreakKinds;
    const auto kind = static_cast<BreakKind>(Uniform(0, kinds - 1));
    if (kind == BreakKind::WhilePanelOut && !ReachPanelOut(until)) return;
    if (kind == BreakKind::AcrossAReminder && !ReachLeadBeforeReminder(until)) return;
    ++kind_counts_[static_cast<size_t>(kind)];
    const uint64_t start = platform_.Now();
    platform_.TakeBreak();
    AdvanceTo(std::min(start + LengthOf(kind), until));
    platform_.ReturnFromBreak();
    pauses_.push_back({start, platform_.Now()});
  }

  // The event log holds only what happened since it was last cleared.
  void DrainEventLog() {
    // A hold may carry over from the stretch before.
    const size_t reminders = Draws().size() - draws_at_drain_ + 1;
    const auto minutes = static_cast<size_t>(platform_.Ticks(TimerId::Timer1) - minutes_at_drain_);
    const size_t logged = platform_.Events().size();
    ExpectStowedPanelDrawnBeforeShown();
    EXPECT_LE(logged, reminders * kEventsPerReminderAtMost + minutes + 100);
    longest_event_log_ = std::max(longest_event_log_, logged);
    platform_.ClearEvents();
    EXPECT_TRUE(platform_.Events().empty());
    draws_at_drain_ = Draws().size();
    minutes_at_drain_ = platform_.Ticks(TimerId::Timer1);
  }

  // A stowed panel has no pixels: it is drawn anew before it is presented
  // or comes into view.
  void ExpectStowedPanelDrawnBeforeShown() {
    for (const PlatformEvent& event : platform_.Events()) {
      if (event.kind == PlatformEvent::Kind::Stow) stowed_ = true;
      if (event.kind == PlatformEvent::Kind::Draw) stowed_ = false;
      if (!stowed_) continue;
      EXPECT_NE(event.kind, PlatformEvent::Kind::Present) << "presented without a draw at " << event.time;
      if (event.kind == PlatformEvent::Kind::Move) {
        EXPECT_LE(event.value, -140) << "came into view at " << event.time;
      }
    }
  }

  std::mt19937 random_;
  FakePlatform platform_;
  FakePanelWindow window_{platform_};
  TimedRenderer renderer_{platform_};
  MemoryRegistry registry_;
  ModReg reg_{registry_};
  MemoryProfileStore profile_;
  ModIni ini_{profile_, u"C:\\Clock\\"};
  ReminderCycle cycle_{CyclePorts{platform_, window_, platform_, platform_, renderer_, reg_, ini_},
                       u"C:\\Clock\\load.wav"};
  std::vector<Pause> pauses_;
  std::array<int, kBreakKinds> kind_counts_{};
  size_t draws_at_drain_ = 0;
  int minutes_at_drain_ = 0;
  size_t longest_event_log_ = 0;
  bool stowed_ = false;
};

std::string PausesNear(const std::vector<Pause>& pauses, uint64_t time) {
  std::string near;
  for (const Pause& pause : pauses) {
    if (pause.end + kHour + 5 * kMinute < time || pause.start > time + kMinute) continue;
    near += "\n  break " + ClockOf(pause.start) + " to " + ClockOf(pause.end);
  }
  return near;
}

// Compares in order, to the millisecond, and stops at the first difference,
// with the breaks before it: one early slip shifts everything after it.
void ExpectSameDraws(const std::vector<PanelDraw>& expected, const std::vector<PanelDraw>& actual,
                     const std::vector<Pause>& pauses) {
  const size_t common = std::min(expected.size(), actual.size());
  for (size_t i = 0; i < common; ++i) {
    if (expected[i] == actual[i]) continue;
    ADD_FAILURE() << "panel " << i << ": model " << Describe(expected[i]) << ", cycle "
                  << Describe(actual[i]) << (i ? "\n  after " + Describe(actual[i - 1]) : "")
                  << PausesNear(pauses, std::min(expected[i].time, actual[i].time));
    return;
  }
  EXPECT_EQ(expected.size(), actual.size())
      << "first extra: "
      << Describe(expected.size() > common ? expected[common] : actual[common]);
}

bool IsReminder(const PanelDraw& draw) {
  return !draw.use_time_text.empty() && draw.use_time_text[0] == u' ';
}

// Whether `time` falls while the panel is out for a reminder.
bool PanelOutAt(const std::vector<PanelDraw>& draws, uint64_t time) {
  const uint64_t out = ReferenceTiming{}.PanelOut();
  return std::any_of(draws.begin(), draws.end(), [&](const PanelDraw& draw) {
    return IsReminder(draw) && draw.time < time && time < draw.time + out;
  });
}

// Breaks that reset the count while the panel was out, and of those, the
// ones the user came back from before it was hidden again.
std::pair<int, int> PanelOutResets(const std::vector<PanelDraw>& draws,
                                   const std::vector<Pause>& pauses) {
  std::pair<int, int> found;
  for (const PanelDraw& draw : draws) {
    if (IsReminder(draw) || draw.time == 0 || !PanelOutAt(draws, draw.time)) continue;
    ++found.first;
    const auto pause = std::find_if(pauses.begin(), pauses.end(), [&](const Pause& candidate) {
      return candidate.start < draw.time && draw.time <= candidate.end;
    });
    if (pause != pauses.end() && PanelOutAt(draws, pause->end)) ++found.second;
  }
  return found;
}

void PrintSummary(const AlarmInterval& interval, uint32_t seed, const Soak& soak) {
  std::string kinds;
  for (size_t i = 0; i < kBreakKinds; ++i) {
    kinds += std::string(" ") + NameOf(static_cast<BreakKind>(i)) + "=" +
             std::to_string(soak.KindCounts()[i]);
  }
  const auto reminders = std::count_if(soak.Draws().begin(), soak.Draws().end(), IsReminder);
  const auto [out_resets, out_returns] = PanelOutResets(soak.Draws(), soak.Pauses());
  std::printf("[ soak     ] interval %dh%02dmin seed %u: %zu reminders, %zu resets (%d while the"
              " panel was out, %d of them back before it hid), %zu breaks:%s;"
              " longest event log %zu\n",
              interval.hours, interval.minutes, seed, static_cast<size_t>(reminders),
              soak.Draws().size() - 1 - reminders, out_resets, out_returns, soak.Pauses().size(),
              kinds.c_str(), soak.LongestEventLog());
}

// The model itself, on figures worked out by hand from the rules.
TEST(ReferenceModel, RemindsAfterOneThirtyOneFiftyOneMinutesAndResetsOnlyAfter121Seconds) {
  const uint64_t out = ReferenceTiming{}.PanelOut();
  const std::vector<PanelDraw> reminders = {
      {0, u"00:00", 1},
      {kMinute, u" 00:01", 2},
      {kMinute + out + 30 * kMinute, u" 00:31", 3},
      {kMinute + 2 * out + 50 * kMinute, u" 00:51", 3},
      {kMinute + 3 * out + 70 * kMinute, u" 01:11", 3}};
  EXPECT_EQ(PredictPanelDraws(1, {}, 75 * kMinute), reminders);

  // 120.999 s is still 120 whole seconds; 121 s is seen at the next poll,
  // and the count resumes a minute after the first poll that sees the user.
  const std::vector<Pause> pauses = {{100005, 100005 + 121 * kSecond - 1},
                                     {300005, 300005 + 121 * kSecond + kPollPeriod}};
  const std::vector<PanelDraw> reset = {
      {0, u"00:00", 1}, {421010, u"0", 1}, {421020 + 10 * kMinute, u" 00:10", 2}};
  EXPECT_EQ(PredictPanelDraws(10, pauses, 20 * kMinute), reset);
}

class ReminderSoak : public ::testing::TestWithParam<AlarmInterval> {};

TEST_P(ReminderSoak, ADayOfWorkAndBreaksRemindsWhenTheReferenceModelDoes) {
  const AlarmInterval interval = GetParam();
  const uint32_t seed = SoakSeed();
  SCOPED_TRACE("seed " + std::to_string(seed) + " (QUORBEL_SOAK_SEED repeats it)");
  Soak soak(interval, seed);
  soak.Run(kSoakLength);
  EXPECT_FALSE(soak.Overdrawn()) << "stopped at " << ClockOf(soak.Platform().Now());

  const std::vector<PanelDraw> expected =
      PredictPanelDraws(interval.hours * 60 + interval.minutes, soak.Pauses(), kSoakLength,
                        ReferenceTiming{.poll_period = kPollPeriod, .arrival_sound = kSoundLength});
  ExpectSameDraws(expected, soak.Draws(), soak.Pauses());
  PrintSummary(interval, seed, soak);

  // Nothing piles up beyond what was shown: one draw for start-up and each
  // reminder and reset, one present per draw and per logo shake, one sound
  // per reminder.
  const RecordingRenderer& recorder = soak.Renderer().Recorder();
  const auto reminders = std::count_if(expected.begin(), expected.end(), IsReminder);
  EXPECT_EQ(recorder.Drawn().size(), expected.size());
  EXPECT_EQ(recorder.PresentedLogoTops().size(),
            recorder.Drawn().size() + static_cast<size_t>(soak.Platform().Ticks(TimerId::Timer7)));
  EXPECT_EQ(soak.Platform().SoundsPlayed().size(), static_cast<size_t>(reminders));
}

INSTANTIATE_TEST_SUITE_P(Intervals, ReminderSoak,
                         ::testing::Values(AlarmInterval{0, 1}, AlarmInterval{0, 7},
                                           AlarmInterval{1, 0}),
                         [](const ::testing::TestParamInfo<AlarmInterval>& info) {
                           return std::to_string(info.param.hours) + "h" +
                                  std::to_string(info.param.minutes) + "min";
                         });

}  // namespace
}  // namespace quorbel::testing
