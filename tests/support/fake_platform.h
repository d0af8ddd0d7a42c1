#pragma once
// A stand-in for the user-interface thread of the panel window: a virtual
// millisecond clock, message timers, the input clock, blocking calls, the
// panel window and a renderer that records what it is asked to show. Hours
// of use run in milliseconds.
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "app/ports.h"
#include "panel/panel_model.h"

namespace quorbel::testing {

// One thing that happened on the fake thread, at a virtual time. Idle polls
// (Timer5) are counted but not logged: they tick all the time.
struct PlatformEvent {
  enum class Kind { Tick, Draw, Present, Stow, Move, Sound, Sleep };
  uint64_t time = 0;
  Kind kind = Kind::Tick;
  TimerId timer = TimerId::Timer1;  // Tick
  int32_t value = 0;                // Present: logo top; Move: new top; Draw: level; Sleep: ms
};

class FakePlatform : public TimerHost, public InputClock, public ThreadBlocker {
 public:
  static constexpr uint32_t kShortestPeriod = 10;

  // The handler each delivered tick goes to (the cycle's OnTimer).
  void SetTickHandler(std::function<void(TimerId)> handler) { handler_ = std::move(handler); }
  // Delivers every tick that falls due within the next `milliseconds`.
  void RunFor(uint64_t milliseconds);
  // Runs until `done` holds after a delivered tick, or `limit` ms have passed;
  // true when `done` held.
  bool RunUntil(const std::function<bool()>& done, uint64_t limit);
  uint64_t Now() const { return now_; }

  // TimerHost: each timer fires every max(interval, 10 ms) while enabled;
  // enabling a disabled timer (or giving a running one a new interval)
  // starts a full interval.
  void SetInterval(TimerId timer, uint32_t milliseconds) override;
  void SetEnabled(TimerId timer, bool enabled) override;
  bool IsEnabled(TimerId timer) const override;
  uint32_t Interval(TimerId timer) const;
  int Ticks(TimerId timer) const;

  // InputClock. The user is at work (input every moment) until TakeBreak;
  // ReturnFromBreak means input again from now on.
  std::optional<uint32_t> LastInputTick() override;
  uint32_t TickCount() override;
  void TakeBreak();
  void ReturnFromBreak() { on_break_ = false; }
  // Shifts the 32-bit tick count so that it reads `tick` now.
  void SetTickCountNow(uint32_t tick);
  void FailLastInputQuery(bool fail) { fail_last_input_ = fail; }
  // While at work, the last input is stamped `milliseconds` before the tick
  // count; a negative lag is a stamp taken just after the tick count was read.
  void SetInputLag(int32_t milliseconds) { input_lag_ = milliseconds; }
  // The machine sleeps: no tick is delivered and no input comes, but the tick
  // count goes on. On waking every timer that fell due is pending at once;
  // `first_on_wake` is delivered before the others, which follow in timer
  // order on the next RunFor.
  void SuspendMachine(uint64_t milliseconds, TimerId first_on_wake);

  // ThreadBlocker: both advance the clock while no tick is delivered.
  void PlaySoundSync(const Text& path) override;
  void Sleep(uint32_t milliseconds) override;
  void SetSoundLength(uint32_t milliseconds) { sound_length_ = milliseconds; }
  const std::vector<Text>& SoundsPlayed() const { return sounds_; }

  void Log(PlatformEvent::Kind kind, int32_t value);
  const std::vector<PlatformEvent>& Events() const { return events_; }
  std::vector<PlatformEvent> EventsOf(PlatformEvent::Kind kind) const;
  std::vector<uint64_t> TickTimes(TimerId timer) const;
  void ClearEvents() { events_.clear(); }

 private:
  struct FakeTimer {
    uint32_t interval = 0;
    bool enabled = false;
    uint64_t due = 0;
    int ticks = 0;
  };
  FakeTimer& At(TimerId timer) { return timers_[static_cast<size_t>(timer)]; }
  const FakeTimer& At(TimerId timer) const { return timers_[static_cast<size_t>(timer)]; }
  uint64_t PeriodOf(const FakeTimer& timer) const;
  // The enabled timer due first (ties in timer order), if it is due by `limit`.
  std::optional<TimerId> NextDue(uint64_t limit) const;
  void Deliver(TimerId timer);

  std::array<FakeTimer, 6> timers_{};
  std::function<void(TimerId)> handler_;
  uint64_t now_ = 0;
  uint32_t tick_offset_ = 0;
  bool on_break_ = false;
  uint32_t break_start_tick_ = 0;
  bool fail_last_input_ = false;
  int32_t input_lag_ = 0;
  uint32_t sound_length_ = 0;
  std::vector<Text> sounds_;
  std::vector<PlatformEvent> events_;
};

class FakePanelWindow : public PanelWindow {
 public:
  explicit FakePanelWindow(FakePlatform& platform) : platform_(platform) {}
  int32_t Top() const override { return top_; }
  void SetTop(int32_t top) override;
  int32_t Height() const override { return height_; }
  void AnnounceArrival(const Text& text) override { announced_.push_back({platform_.Now(), text}); }
  void SetHeight(int32_t height) { height_ = height; }
  // Moves the window without logging, as something outside the cycle would.
  void PlaceAt(int32_t top) { top_ = top; }
  struct Announcement {
    uint64_t time = 0;
    Text text;
  };
  const std::vector<Announcement>& Announced() const { return announced_; }

 private:
  FakePlatform& platform_;
  std::vector<Announcement> announced_;
  int32_t top_ = 0;
  int32_t height_ = 140;
};

class RecordingRenderer : public PanelRenderer {
 public:
  explicit RecordingRenderer(FakePlatform& platform) : platform_(platform) {}
  void DrawPanel(const PanelModel& model) override;
  void PresentPanel(int32_t logo_top) override;
  void Stow() override;
  const std::vector<PanelModel>& Drawn() const { return drawn_; }
  const std::vector<int32_t>& PresentedLogoTops() const { return presented_; }

 private:
  FakePlatform& platform_;
  std::vector<PanelModel> drawn_;
  std::vector<int32_t> presented_;
};

}  // namespace quorbel::testing
