// The heartbeat: a timer tick runs every collector once, in a fixed order; each
// collector posts its message and the pages update after the tick. Also owns the
// update speeds, the pause and the closing handshake with the timer.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "platform/dialogs.h"
#include "ui/timer_hold.h"

namespace app {

// The real timer behind the cycle (SetTimer/KillTimer on the main window).
class TimerControl {
 public:
  virtual ~TimerControl() = default;
  virtual void StartTimer(int intervalMs) = 0;
  virtual void StopTimer() = 0;
};

enum class UpdateSpeed { kUnset, kHigh, kNormal, kLow };

class RefreshCycle final : public ui::UpdateTimer {
 public:
  RefreshCycle(TimerControl& timer, platform::Dialogs& dialogs);

  // Collectors are added once at start-up, in the order a tick runs them.
  void AddStep(std::function<void()> step);
  void RefreshAll();

  void Timer1Timer();           // a timer tick
  void N7Click();               // "立即更新(&R)": once, outside the timer
  void act_StartExecute();      // the timer runs (window shown)
  void SetSpeed(UpdateSpeed s); // "高(&H)", "标准(&N)", "低(&L)"
  void N16Click();              // "暂停(&P)"

  // Stops the timer for a modal action and gives it back as it was.
  bool SuspendTimer() override;
  void ResumeTimer(bool wasRunning) override;

  void BeginClosing();
  bool Closing() const { return closing_; }
  const bool& ClosingFlag() const { return closing_; }
  bool TimerStopped() const { return timerStopped_; }

  bool TimerEnabled() const { return enabled_; }
  int IntervalMs() const { return intervalMs_; }
  UpdateSpeed Speed() const { return speed_; }
  bool Paused() const { return paused_; }

 private:
  void SetEnabled(bool enabled);
  void ShowError(const std::wstring& text);

  TimerControl& timer_;
  platform::Dialogs& dialogs_;
  std::vector<std::function<void()>> steps_;
  bool enabled_ = false;
  int intervalMs_ = 1000;
  UpdateSpeed speed_ = UpdateSpeed::kUnset;
  bool paused_ = false;
  bool closing_ = false;
  bool timerStopped_ = false;
};

}  // namespace app
