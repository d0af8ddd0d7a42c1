#include "app/form1.h"

#include <utility>

#include "app/first_run.h"
#include "tray/tray_icon.h"

namespace quorbel {

Form1::Form1(Form1Platform& platform, ModReg& reg, ModIni& ini, Hooks hooks)
    : platform_(platform), reg_(reg), ini_(ini), hooks_(std::move(hooks)) {}

Form1::~Form1() { Unload(); }

bool Form1::Load() {
  if (loaded_ || !platform_.MakeWindow()) return false;
  loaded_ = true;
  platform_.PlaceWindow();
  platform_.StartDrawing();
  WriteFirstRunSettings(reg_, platform_.ExePath());
  platform_.AddTrayIcon(kTrayIcon1ScreenTip);
  platform_.SetTopMost();
  StartCycle();
  return true;
}

void Form1::StartCycle() {
  const Form1CyclePorts ports = platform_.MakeCyclePorts([this](TimerId timer) {
    if (cycle_) cycle_->OnTimer(timer);
  });
  timers_ = &ports.timers;
  PanelRenderer& renderer = platform_.MakeRenderer(platform_.DataFile(u"logo.png"));
  cycle_.emplace(CyclePorts{ports.timers, ports.window, ports.input, ports.blocker, renderer, reg_, ini_},
                 platform_.DataFile(u"load.wav"), ports.do_not_disturb);
  cycle_->Start();
}

void Form1::Show() {
  if (!loaded_) return;
  platform_.PlaceWindow();
  platform_.ShowWindow();
}

void Form1::Unload() {
  if (!loaded_) return;
  loaded_ = false;
  platform_.RemoveTrayIcon();
  platform_.EndDrawing();
  // A tick still queued finds every timer stopped and is dropped.
  for (const TimerId timer : kAllTimers) timers_->SetEnabled(timer, false);
  cycle_.reset();
  timers_ = nullptr;
  platform_.CloseWindow();
  if (hooks_.on_unloaded) hooks_.on_unloaded();
}

void Form1::ShowPanelManaul() {
  if (cycle_) cycle_->ShowPanelManaul();
}

void Form1::Time3active() {
  if (cycle_) cycle_->Time3active();
}

void Form1::Update(bool redraw) {
  if (cycle_) cycle_->Update(redraw);
}

}  // namespace quorbel
