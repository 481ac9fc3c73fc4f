// The refresh cycle: collectors in order, speeds and pause independent of each
// other, errors that stop the timer, and the closing handshake.
#include "app/refresh_cycle.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/fake/fake_system.h"
#include "ui/refresh_error.h"

using namespace app;

namespace {

struct FakeTimer : TimerControl {
  bool running = false;
  int interval = 0;
  int starts = 0;
  void StartTimer(int ms) override {
    running = true;
    interval = ms;
    ++starts;
  }
  void StopTimer() override { running = false; }
};

struct Cycle {
  FakeTimer timer;
  platform::fake::FakeSystem system;
  RefreshCycle cycle{timer, system};
  std::vector<int> ran;
  Cycle() {
    cycle.AddStep([this] { ran.push_back(1); });
    cycle.AddStep([this] { ran.push_back(2); });
  }
};

}  // namespace

TEST(RefreshCycle, TickRunsEveryCollectorInOrder) {
  Cycle c;
  c.cycle.act_StartExecute();
  EXPECT_TRUE(c.timer.running);
  EXPECT_EQ(c.timer.interval, 1000);
  c.cycle.Timer1Timer();
  EXPECT_EQ(c.ran, (std::vector<int>{1, 2}));
}

TEST(RefreshCycle, SpeedsAndPauseAreIndependent) {
  Cycle c;
  c.cycle.act_StartExecute();
  c.cycle.N16Click();  // pause
  EXPECT_FALSE(c.timer.running);
  c.cycle.SetSpeed(UpdateSpeed::kHigh);
  EXPECT_EQ(c.cycle.IntervalMs(), 500);
  EXPECT_FALSE(c.timer.running);  // a speed never restarts a paused timer
  c.cycle.N7Click();              // an immediate update still refreshes once
  EXPECT_EQ(c.ran.size(), 2u);
  EXPECT_FALSE(c.timer.running);
  c.cycle.N16Click();
  EXPECT_TRUE(c.timer.running);
  EXPECT_EQ(c.timer.interval, 500);
  c.cycle.SetSpeed(UpdateSpeed::kLow);
  EXPECT_EQ(c.timer.interval, 2000);
  EXPECT_EQ(c.cycle.Speed(), UpdateSpeed::kLow);
}

TEST(RefreshCycle, AnErrorStopsTheTimerAndShowsItsText) {
  Cycle c;
  c.cycle.AddStep([] { throw ui::RefreshError(L"Unable to locate the counters"); });
  c.cycle.AddStep([&c] { c.ran.push_back(3); });
  c.cycle.act_StartExecute();
  c.cycle.Timer1Timer();
  EXPECT_FALSE(c.timer.running);
  EXPECT_EQ(c.ran, (std::vector<int>{1, 2}));  // later collectors do not run
  ASSERT_EQ(c.system.boxes.size(), 1u);
  EXPECT_EQ(c.system.boxes[0].text, L"Unable to locate the counters");
  EXPECT_FALSE(c.cycle.Paused());
  c.cycle.N16Click();
  c.cycle.N16Click();  // pausing and resuming brings the updates back
  EXPECT_TRUE(c.timer.running);
}

TEST(RefreshCycle, AnExceptionsUtf8TextIsShownWhole) {
  Cycle c;
  c.cycle.AddStep([] { throw std::runtime_error("\xE8\xBF\x9B\xE7\xA8\x8B: no answer"); });
  c.cycle.N7Click();
  c.cycle.act_StartExecute();
  c.cycle.Timer1Timer();
  ASSERT_EQ(c.system.boxes.size(), 2u);
  EXPECT_EQ(c.system.boxes[0].text, L"进程: no answer");
  EXPECT_EQ(c.system.boxes[1].text, L"进程: no answer");
}

TEST(RefreshCycle, ClosingWaitsForTheNextTickOrEndsAtOnceWhenStopped) {
  Cycle running;
  running.cycle.act_StartExecute();
  running.cycle.BeginClosing();
  EXPECT_FALSE(running.cycle.TimerStopped());
  running.cycle.Timer1Timer();
  EXPECT_TRUE(running.cycle.TimerStopped());
  EXPECT_FALSE(running.timer.running);
  running.cycle.act_StartExecute();  // nothing restarts a closing window's timer
  EXPECT_FALSE(running.timer.running);

  Cycle paused;
  paused.cycle.act_StartExecute();
  paused.cycle.N16Click();
  paused.cycle.BeginClosing();
  EXPECT_TRUE(paused.cycle.TimerStopped());
}

TEST(RefreshCycle, ModalActionsGiveTheTimerBackAsItWas) {
  Cycle c;
  c.cycle.act_StartExecute();
  const bool wasRunning = c.cycle.SuspendTimer();
  EXPECT_FALSE(c.timer.running);
  c.cycle.ResumeTimer(wasRunning);
  EXPECT_TRUE(c.timer.running);
  c.cycle.N16Click();
  c.cycle.ResumeTimer(c.cycle.SuspendTimer());
  EXPECT_FALSE(c.timer.running);
}
