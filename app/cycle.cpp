#include "app/cycle.h"

#include <algorithm>
#include <utility>

#include "panel/panel_announcement.h"

namespace quorbel {

ReminderCycle::ReminderCycle(CyclePorts ports, Text load_wav_path)
    : ports_(ports), load_wav_path_(std::move(load_wav_path)), do_not_disturb_(never_hold_) {}

ReminderCycle::ReminderCycle(CyclePorts ports, Text load_wav_path, DoNotDisturb& do_not_disturb)
    : ports_(ports), load_wav_path_(std::move(load_wav_path)), do_not_disturb_(do_not_disturb) {}

void ReminderCycle::Start() {
  TimerHost& timers = ports_.timers;
  timers.SetInterval(TimerId::Timer2, kFastInterval);
  timers.SetInterval(TimerId::Timer3, kHoldInterval);
  timers.SetInterval(TimerId::Timer4, kFastInterval);
  timers.SetInterval(TimerId::Timer5, kFastInterval);
  timers.SetInterval(TimerId::Timer7, kFastInterval);
  // The minute timer has no interval yet, so it cannot run before it gets one
  // below; the slide-down timer is created running and stopped again before
  // its first tick.
  Disable(TimerId::Timer1);
  Enable(TimerId::Timer2);
  Disable(TimerId::Timer3);
  Disable(TimerId::Timer4);
  Enable(TimerId::Timer5);
  Disable(TimerId::Timer7);

  interval_ = ReadAlarmInterval(ports_.reg);
  Update(true);
  Enable(TimerId::Timer4);
  timers.SetInterval(TimerId::Timer1, kMinuteInterval);
  Enable(TimerId::Timer1);
  Disable(TimerId::Timer2);
}

void ReminderCycle::OnTimer(TimerId timer) {
  switch (timer) {
    case TimerId::Timer1: return OnMinuteTick();
    case TimerId::Timer2: return OnSlideDown();
    case TimerId::Timer3: return OnHoldTick();
    case TimerId::Timer4: return OnSlideUp();
    case TimerId::Timer5: return OnIdlePoll();
    case TimerId::Timer7: return OnLogoShake();
  }
}

void ReminderCycle::ShowPanelManaul() {
  for (const TimerId timer : {TimerId::Timer1, TimerId::Timer3, TimerId::Timer7, TimerId::Timer2,
                              TimerId::Timer4, TimerId::Timer5}) {
    Disable(timer);
  }
  DropHeldReminder();  // the panel comes down now
  use_time_text_ = FormatUseTime(use_minutes_);
  if (use_minutes_ == alarm_minute_) alarm_level_ = alarm_level_ == 1 ? 2 : 3;
  DrawAndPresent();
  if (ports_.window.Top() < kShownTop) ports_.window.SetTop(kShownTop);
}

void ReminderCycle::Time3active() {
  Enable(TimerId::Timer4);
  Enable(TimerId::Timer5);
}

void ReminderCycle::Update(bool redraw) {
  content_ = LoadPanelContent(ports_.reg, ports_.ini);
  interval_ = content_.interval;
  alarm_level_ = 1;
  use_time_text_ = u"00:00";
  use_minutes_ = 0;
  hold_ticks_ = 0;
  logo_top_ = kLogoRestTop;
  alarm_minute_ = AlarmMinuteOf(interval_);
  DropHeldReminder();
  if (redraw) DrawAndPresent();
  Enable(TimerId::Timer4);
  Enable(TimerId::Timer5);
}

PanelModel ReminderCycle::Model() const {
  return PanelModel{content_.skin_path, content_.texts, use_time_text_, alarm_level_};
}

void ReminderCycle::OnMinuteTick() {
  // After the machine sleeps, this tick and the idle poll fall due together
  // in no fixed order: a minute that was really a break must not be counted.
  if (UserIsAway()) {
    if (!is_idle_) ResetForBreak();
    return;
  }
  ++use_minutes_;
  if (use_minutes_ == alarm_minute_) {
    if (alarm_level_ == 1) {
      alarm_level_ = 2;
      alarm_minute_ += 30;
    } else {
      alarm_level_ = 3;
      alarm_minute_ += 20;
    }
    reminder_held_ = true;
  }
  // A held reminder asks again each minute; the next one due joins it.
  if (reminder_held_) AskToShowReminder();
}

void ReminderCycle::AskToShowReminder() {
  const uint64_t ask = ++asks_;
  do_not_disturb_.Ask([alive = std::weak_ptr<ReminderCycle*>(self_), ask](bool hold) {
    if (const auto self = alive.lock()) (*self)->OnDisturbAnswer(ask, hold);
  });
}

void ReminderCycle::OnDisturbAnswer(uint64_t ask, bool hold) {
  // A later question, a break, a manual show or a reload makes this answer
  // stale.
  if (ask != asks_ || !reminder_held_ || hold) return;
  reminder_held_ = false;
  use_time_text_ = FormatUseTime(use_minutes_);
  DrawAndPresent();
  // Out of view only: a panel already on screen just shows the new image.
  if (ports_.window.Top() == HiddenTop()) Enable(TimerId::Timer2);
}

void ReminderCycle::DropHeldReminder() {
  reminder_held_ = false;
  ++asks_;
}

void ReminderCycle::OnSlideDown() {
  Disable(TimerId::Timer1);  // minutes are not counted while the panel is out
  // A window whose height is no multiple of the step stops at the top all
  // the same.
  const int32_t top = std::min(ports_.window.Top() + kSlideStep, kShownTop);
  ports_.window.SetTop(top);
  if (top != kShownTop) return;
  Disable(TimerId::Timer2);
  Enable(TimerId::Timer3);
  // Told before the sound, which holds the thread while it plays.
  ports_.window.AnnounceArrival(ReminderAnnouncement(Model()));
  ports_.blocker.PlaySoundSync(load_wav_path_);
}

void ReminderCycle::OnHoldTick() {
  ++hold_ticks_;
  if (hold_ticks_ == kHoldTickCount) {
    // Timer3 stays on: the first slide-up tick stops it.
    Disable(TimerId::Timer7);
    Enable(TimerId::Timer4);
    return;
  }
  logo_top_ = kLogoRestTop;
  Enable(TimerId::Timer7);
}

void ReminderCycle::OnLogoShake() {
  logo_top_ = logo_top_ == kLogoRestTop ? kLogoShakenTop : kLogoRestTop;
  ports_.blocker.Sleep(kShakePause);
  ports_.renderer.PresentPanel(logo_top_);
}

void ReminderCycle::OnSlideUp() {
  Disable(TimerId::Timer3);
  hold_ticks_ = 0;
  const int32_t hidden = HiddenTop();
  const int32_t top = ports_.window.Top();
  // A release that finds the panel already out of view must not push it on
  // upwards for ever.
  if (top <= hidden) return FinishSlideUp();
  const int32_t next = std::max(top - kSlideStep, hidden);
  ports_.window.SetTop(next);
  if (next == hidden) FinishSlideUp();
}

void ReminderCycle::FinishSlideUp() {
  Disable(TimerId::Timer4);
  ports_.renderer.Stow();
  // A break that began while the panel was out keeps the count stopped until
  // the user is back; the idle poll restarts it then.
  if (!is_idle_) Enable(TimerId::Timer1);
}

std::optional<uint32_t> ReminderCycle::IdleSeconds() {
  const auto last_input = ports_.input.LastInputTick();
  if (!last_input) return std::nullopt;
  // Unsigned 32-bit difference: right across the tick count's wrap. A stamp
  // taken just after the tick count was read comes out near 2^32; half the
  // range or more is such a stamp, not a break of weeks.
  const uint32_t idle_ms = ports_.input.TickCount() - *last_input;
  if (idle_ms >= kStampAheadLimit) return 0;
  return idle_ms / 1000;
}

bool ReminderCycle::UserIsAway() {
  const auto idle_seconds = IdleSeconds();
  return idle_seconds && *idle_seconds > kBreakSeconds;
}

void ReminderCycle::OnIdlePoll() {
  const auto idle_seconds = IdleSeconds();
  if (!idle_seconds) return;
  if (*idle_seconds <= kBreakSeconds) {
    if (is_idle_) Enable(TimerId::Timer1);
    is_idle_ = false;
    return;
  }
  if (!is_idle_) ResetForBreak();
}

void ReminderCycle::ResetForBreak() {
  Disable(TimerId::Timer1);
  DropHeldReminder();
  interval_ = ReadAlarmInterval(ports_.reg);
  alarm_minute_ = AlarmMinuteOf(interval_);
  use_minutes_ = 0;
  alarm_level_ = 1;
  use_time_text_ = u"0";
  DrawAndPresent();
  is_idle_ = true;
}

void ReminderCycle::DrawAndPresent() {
  ports_.renderer.DrawPanel(Model());
  ports_.renderer.PresentPanel(logo_top_);
}

}  // namespace quorbel
