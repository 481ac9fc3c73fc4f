// What a page may do to the update timer: stop it around an action of its own
// and have it run again afterwards. The refresh cycle implements it.
#pragma once

namespace ui {

class UpdateTimer {
 public:
  virtual ~UpdateTimer() = default;
  // Stops the timer; true when it was running.
  virtual bool SuspendTimer() = 0;
  virtual void ResumeTimer(bool wasRunning) = 0;
};

// Holds the timer stopped for its own lifetime, however the action ends; then the
// timer runs again, or is left running or stopped as it was.
class TimerHold {
 public:
  enum class Afterwards { kAsBefore, kRunning };

  TimerHold(UpdateTimer& timer, Afterwards afterwards)
      : timer_(timer), resume_(timer.SuspendTimer() || afterwards == Afterwards::kRunning) {}
  ~TimerHold() { timer_.ResumeTimer(resume_); }
  TimerHold(const TimerHold&) = delete;
  TimerHold& operator=(const TimerHold&) = delete;

 private:
  UpdateTimer& timer_;
  bool resume_;
};

}  // namespace ui
