#include "app/cycle_win32.h"

#include <windows.h>
#include <mmsystem.h>

#include "common/ansi.h"

namespace quorbel {
namespace {

constexpr uintptr_t kFirstTimerId = 1;

size_t IndexOf(TimerId timer) { return static_cast<size_t>(timer); }
uintptr_t IdentifierOf(TimerId timer) { return kFirstTimerId + IndexOf(timer); }
HWND Hwnd(void* window) { return static_cast<HWND>(window); }

}  // namespace

Win32CyclePorts::~Win32CyclePorts() { StopAllTimers(); }

std::optional<TimerId> Win32CyclePorts::TimerForMessage(uintptr_t identifier) const {
  if (identifier < kFirstTimerId || identifier >= kFirstTimerId + timers_.size()) return std::nullopt;
  const auto timer = static_cast<TimerId>(identifier - kFirstTimerId);
  if (!timers_[IndexOf(timer)].enabled) return std::nullopt;
  return timer;
}

void Win32CyclePorts::StopAllTimers() {
  for (size_t i = 0; i < timers_.size(); ++i) SetEnabled(static_cast<TimerId>(i), false);
}

void Win32CyclePorts::Arm(TimerId timer) {
  const TimerState& state = timers_[IndexOf(timer)];
  // An interval of 0 keeps a timer from ticking, as an unset interval does.
  if (state.enabled && state.interval > 0) {
    SetTimer(Hwnd(window_), IdentifierOf(timer), state.interval, nullptr);
  } else {
    KillTimer(Hwnd(window_), IdentifierOf(timer));
  }
}

void Win32CyclePorts::SetInterval(TimerId timer, uint32_t milliseconds) {
  TimerState& state = timers_[IndexOf(timer)];
  if (state.interval == milliseconds) return;
  state.interval = milliseconds;
  Arm(timer);
}

void Win32CyclePorts::SetEnabled(TimerId timer, bool enabled) {
  TimerState& state = timers_[IndexOf(timer)];
  // Enabling a running timer keeps its phase; enabling a stopped one starts
  // a full interval.
  if (state.enabled == enabled) return;
  state.enabled = enabled;
  Arm(timer);
}

bool Win32CyclePorts::IsEnabled(TimerId timer) const { return timers_[IndexOf(timer)].enabled; }

int32_t Win32CyclePorts::Top() const {
  RECT rect{};
  GetWindowRect(Hwnd(window_), &rect);
  return rect.top;
}

void Win32CyclePorts::SetTop(int32_t top) {
  RECT rect{};
  GetWindowRect(Hwnd(window_), &rect);
  SetWindowPos(Hwnd(window_), nullptr, rect.left, top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

int32_t Win32CyclePorts::Height() const {
  RECT rect{};
  GetWindowRect(Hwnd(window_), &rect);
  return rect.bottom - rect.top;
}

std::optional<uint32_t> Win32CyclePorts::LastInputTick() {
  LASTINPUTINFO info{};
  info.cbSize = sizeof(info);
  if (!GetLastInputInfo(&info)) return std::nullopt;
  return info.dwTime;
}

uint32_t Win32CyclePorts::TickCount() { return GetTickCount(); }

void Win32CyclePorts::PlaySoundSync(const Text& path) {
  sndPlaySoundA(ToAnsi(path).c_str(), SND_NODEFAULT);
}

void Win32CyclePorts::Sleep(uint32_t milliseconds) { ::Sleep(milliseconds); }

}  // namespace quorbel
