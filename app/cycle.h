#pragma once
// The reminder cycle of the panel window: counts minutes of use, notices
// breaks, slides the panel down, holds it while the logo shakes, and slides
// it back up. Passive: the window system (or a test's fake) calls OnTimer on
// each tick; the cycle never reads a clock itself.
#include <cstdint>
#include <memory>
#include <optional>

#include "app/do_not_disturb.h"
#include "app/ports.h"
#include "common/text.h"
#include "panel/panel_content.h"
#include "panel/panel_control.h"
#include "panel/panel_model.h"
#include "settings/mod_ini.h"
#include "settings/registry.h"

namespace quorbel {

struct CyclePorts {
  TimerHost& timers;
  PanelWindow& window;
  InputClock& input;
  ThreadBlocker& blocker;
  PanelRenderer& renderer;
  ModReg& reg;
  const ModIni& ini;
};

class ReminderCycle : public PanelControl {
 public:
  static constexpr uint32_t kMinuteInterval = 60000;
  static constexpr uint32_t kHoldInterval = 1000;
  static constexpr uint32_t kFastInterval = 1;  // the platform's shortest period
  static constexpr int32_t kShownTop = 0;
  static constexpr int32_t kSlideStep = 10;
  static constexpr int32_t kHoldTickCount = 10;
  static constexpr int32_t kLogoRestTop = 74;
  static constexpr int32_t kLogoShakenTop = 77;
  static constexpr uint32_t kShakePause = 8;
  static constexpr uint32_t kBreakSeconds = 120;
  // An idle difference of 2^31 ms (24.8 days) or more is a last-input stamp
  // later than the tick count it is compared with.
  static constexpr uint32_t kStampAheadLimit = 0x80000000u;

  // `load_wav_path` is played, to its end, when the panel arrives. A reminder
  // that falls due while `do_not_disturb` says hold waits for the first
  // minute that it no longer does; a break drops it.
  ReminderCycle(CyclePorts ports, Text load_wav_path);
  ReminderCycle(CyclePorts ports, Text load_wav_path, DoNotDisturb& do_not_disturb);
  ReminderCycle(const ReminderCycle&) = delete;
  ReminderCycle& operator=(const ReminderCycle&) = delete;

  // The window's creation: gives each timer its interval and first state,
  // reads the interval, reloads (Update(true)), then starts the minute count.
  // The panel window must stand at its shown position (Top 0): it rises out
  // of view from there.
  void Start();

  // Dispatches one tick of a panel timer to its handler.
  void OnTimer(TimerId timer);

  // PanelControl.
  void ShowPanelManaul() override;
  void Time3active() override;
  void Update(bool redraw) override;

  int32_t UseMinutes() const { return use_minutes_; }
  int32_t AlarmMinute() const { return alarm_minute_; }
  int16_t AlarmLevel() const { return alarm_level_; }
  const Text& UseTimeText() const { return use_time_text_; }
  int32_t HoldTicks() const { return hold_ticks_; }
  int32_t LogoTop() const { return logo_top_; }
  bool IsIdle() const { return is_idle_; }
  // A reminder fell due and has not come down yet.
  bool IsReminderHeld() const { return reminder_held_; }
  int32_t IntervalHours() const { return interval_.hours; }
  int32_t IntervalMinutes() const { return interval_.minutes; }
  // The skin and texts as loaded by the last Update.
  const PanelContent& Content() const { return content_; }
  // What DrawPanel is given.
  PanelModel Model() const;

 private:
  void OnMinuteTick();  // Timer1
  void OnSlideDown();   // Timer2
  void OnHoldTick();    // Timer3
  void OnSlideUp();     // Timer4
  void OnIdlePoll();    // Timer5
  void OnLogoShake();   // Timer7

  // Whole seconds since the last input; nothing when the query failed.
  std::optional<uint32_t> IdleSeconds();
  bool UserIsAway();
  void ResetForBreak();
  void FinishSlideUp();
  void AskToShowReminder();
  void OnDisturbAnswer(uint64_t ask, bool hold);
  void DropHeldReminder();
  void DrawAndPresent();
  void Enable(TimerId timer) { ports_.timers.SetEnabled(timer, true); }
  void Disable(TimerId timer) { ports_.timers.SetEnabled(timer, false); }
  int32_t HiddenTop() const { return -ports_.window.Height(); }

  CyclePorts ports_;
  Text load_wav_path_;
  NeverHold never_hold_;
  DoNotDisturb& do_not_disturb_;
  // Answers may come after the cycle is gone; they reach it only through this.
  std::shared_ptr<ReminderCycle*> self_ = std::make_shared<ReminderCycle*>(this);
  // Numbers the questions, so that only the answer to the latest one counts.
  uint64_t asks_ = 0;
  bool reminder_held_ = false;
  PanelContent content_;
  AlarmInterval interval_;
  int32_t use_minutes_ = 0;
  int32_t alarm_minute_ = 0;
  int16_t alarm_level_ = 0;
  Text use_time_text_;
  int32_t hold_ticks_ = 0;
  int32_t logo_top_ = 0;
  bool is_idle_ = false;
};

}  // namespace quorbel
