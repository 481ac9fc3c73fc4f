// The timer tick, the update speeds, the pause and the closing handshake.
#include "app/refresh_cycle.h"

#include "ui/refresh_error.h"
#include "ui/text_utf8.h"

namespace app {

RefreshCycle::RefreshCycle(TimerControl& timer, platform::Dialogs& dialogs)
    : timer_(timer), dialogs_(dialogs) {}

void RefreshCycle::AddStep(std::function<void()> step) { steps_.push_back(std::move(step)); }

void RefreshCycle::RefreshAll() {
  for (auto& step : steps_) step();
}

void RefreshCycle::Timer1Timer() {
  try {
    RefreshAll();
  } catch (const ui::RefreshError& error) {
    SetEnabled(false);
    ShowError(error.Text());
  } catch (const std::exception& error) {
    SetEnabled(false);
    ShowError(ui::WidenUtf8(error.what()));
  }
  if (closing_) {
    SetEnabled(false);
    timerStopped_ = true;
  }
}

void RefreshCycle::N7Click() {
  // An immediate update touches neither the timer nor the marks; an error is shown
  // and the timer goes on.
  try {
    RefreshAll();
  } catch (const ui::RefreshError& error) {
    ShowError(error.Text());
  } catch (const std::exception& error) {
    ShowError(ui::WidenUtf8(error.what()));
  }
}

void RefreshCycle::act_StartExecute() {
  if (!closing_) SetEnabled(true);
}

void RefreshCycle::SetSpeed(UpdateSpeed speed) {
  speed_ = speed;
  switch (speed) {
    case UpdateSpeed::kHigh: intervalMs_ = 500; break;
    case UpdateSpeed::kNormal: intervalMs_ = 1000; break;
    case UpdateSpeed::kLow: intervalMs_ = 2000; break;
    case UpdateSpeed::kUnset: break;
  }
  // A new interval takes effect at once: the next tick is one full interval away.
  if (enabled_) timer_.StartTimer(intervalMs_);
}

void RefreshCycle::N16Click() {
  paused_ = !paused_;
  SetEnabled(!paused_);
}

bool RefreshCycle::SuspendTimer() {
  const bool wasRunning = enabled_;
  SetEnabled(false);
  return wasRunning;
}

void RefreshCycle::ResumeTimer(bool wasRunning) { SetEnabled(wasRunning); }

void RefreshCycle::BeginClosing() {
  closing_ = true;
  // With no timer running no tick would ever acknowledge the close.
  if (!enabled_) timerStopped_ = true;
}

void RefreshCycle::SetEnabled(bool enabled) {
  if (closing_ && enabled) return;
  if (enabled) {
    timer_.StartTimer(intervalMs_);
  } else if (enabled_) {
    timer_.StopTimer();
  }
  enabled_ = enabled;
}

void RefreshCycle::ShowError(const std::wstring& text) {
  dialogs_.ShowMessage(L"", text, platform::BoxIcon::kNone);
}

}  // namespace app
