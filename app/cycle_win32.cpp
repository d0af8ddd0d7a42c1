#include "app/cycle_win32.h"

#include <windows.h>
#include <mmsystem.h>

#include <utility>

#include "common/ansi.h"

namespace quorbel {
namespace {

constexpr uintptr_t kFirstTimerId = 1;

uintptr_t IdentifierOf(TimerId timer) { return kFirstTimerId + static_cast<size_t>(timer); }
HWND Hwnd(void* window) { return static_cast<HWND>(window); }

}  // namespace

Win32CyclePorts::Win32CyclePorts(void* window, std::function<void(TimerId)> on_tick)
    : window_(window), timers_(*this, std::move(on_tick), {}) {}

Win32CyclePorts::~Win32CyclePorts() { timers_.StopAll(); }

void Win32CyclePorts::OnTimerMessage(uintptr_t identifier) {
  if (identifier < kFirstTimerId || identifier >= kFirstTimerId + kTimerCount) return;
  timers_.OnNativeTick(static_cast<TimerId>(identifier - kFirstTimerId));
}

void Win32CyclePorts::StartNative(TimerId timer, uint32_t period_ms) {
  SetTimer(Hwnd(window_), IdentifierOf(timer), period_ms, nullptr);
}

void Win32CyclePorts::StopNative(TimerId timer) { KillTimer(Hwnd(window_), IdentifierOf(timer)); }

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
