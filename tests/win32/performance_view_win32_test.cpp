// The Performance page under Wine: its labels filled by a refresh, one graph per
// processor that advances at every update and follows the window's size, the
// tooltip that names a past spike's process after it ended, the notification
// icon with its double click and the taskbar's return, and a GDI object count
// that stays flat over a run.
#include "perf/performance_view_win32.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "app/update_messages.h"
#include "perf/counter_titles.h"
#include "perf/graph_tips.h"
#include "perf/tray_icon.h"
#include "perf/tray_pictures_win32.h"
#include "platform/win32/handle_win32.h"
#include "platform/win32/performance_system_win32.h"
#include "tests/win32/gdi_objects_win32.h"
#include "tests/win32/main_window_fixture_win32.h"

namespace perf {
namespace {

using testing_win32::MouseAt;
using testing_win32::Pump;
using testing_win32::PumpUntil;
using testing_win32::TextOf;

std::wstring StatusText(HWND bar, int panel) {
  wchar_t text[128] = {};
  SendMessageW(bar, SB_GETTEXTW, static_cast<WPARAM>(panel), reinterpret_cast<LPARAM>(text));
  return text;
}

class PerformanceViewTest : public testing_win32::MainWindowFixture {
 protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    form_->SelectPage(app::TMainForm::kPerformancePage);
    Command(app::kCmdPause);  // only this test's refreshes
    Pump();
  }
  PerformanceView& View() { return form_->PerformanceView(); }
  PerformancePage& Page() { return form_->PerformancePage(); }
};

TEST_F(PerformanceViewTest, ARefreshFillsEveryLabelAndTheStatusBar) {
  RefreshNow();
  RefreshNow();
  for (int box = 0; box < kFigureBoxCount; ++box)
    for (int row = 0; row < 3; ++row)
      EXPECT_FALSE(TextOf(View().FigureLabel(static_cast<FigureBox>(box), row)).empty())
          << box << "/" << row;
  const int percent = form_->CpuSampler().CpuUsagePercent();
  EXPECT_EQ(TextOf(View().CpuMeter()), CpuCaption(percent));
  EXPECT_EQ(TextOf(View().PageFileMeter()), form_->PerformancePage().Texts().lb_Pf);
  EXPECT_EQ(StatusText(form_->StatusBar1(), 1), L"CPU 使用：" + std::to_wstring(percent) + L"%");
  EXPECT_EQ(StatusText(form_->StatusBar1(), 0).rfind(L"进程数：", 0), 0u);
  EXPECT_EQ(StatusText(form_->StatusBar1(), 2).rfind(L"内存使用:", 0), 0u);
  // Panels written together (all three at the first update) are painted together.
  EXPECT_TRUE(IsWindowVisible(form_->StatusBar1()));
  Pump();
  EXPECT_FALSE(GetUpdateRect(form_->StatusBar1(), nullptr, FALSE));
}

TEST_F(PerformanceViewTest, OneGraphPerProcessorThatAdvancesAndFollowsTheWindow) {
  SYSTEM_INFO system{};
  GetSystemInfo(&system);
  EXPECT_EQ(form_->Run().CpuInstanceCount, static_cast<int>(system.dwNumberOfProcessors) + 1);
  ASSERT_EQ(View().CpuGraphWindowCount(), form_->Run().CpuInstanceCount - 1);
  ASSERT_EQ(Page().CpuGraphCount(), form_->Run().CpuInstanceCount - 1);
  std::printf("per-processor figures from %s\n",
              form_->CpuSampler().UsesProcessorTimes() ? "the native processor times"
                                                       : "the performance data");

  RefreshNow();
  const int before = Page().CpuGraph(0).ScrollCount();
  RefreshNow();
  EXPECT_EQ(Page().CpuGraph(0).ScrollCount(), before + 1) << "each tick moves the graphs";
  const int height = Page().CpuGraph(0).Height();
  for (int i = 0; i < Page().CpuGraphCount(); ++i) {
    const int percent = form_->CpuSampler().PerCpuPercent()[i];
    EXPECT_GE(percent, 0);
    EXPECT_LE(percent, 100);
    const ui::UsageHistory& history = Page().CpuHistory(i);
    EXPECT_EQ(history.At(history.Width() - 1), ui::RoundHalfEven(percent * (height / 100.0)));
  }
  RECT place{};
  GetWindowRect(View().CpuGraph(0), &place);
  EXPECT_EQ(place.right - place.left, Page().CpuGraph(0).Width());

  // A larger window: the graphs are laid out again and their histories follow.
  SetWindowPos(form_->Handle(), nullptr, 0, 0, 700, 600, SWP_NOMOVE | SWP_NOZORDER);
  Pump();
  // Updates are paused: the graphs keep their layout until updates resume.
  EXPECT_EQ(Page().CpuGraph(0).Width(), place.right - place.left);
  Command(app::kCmdPause);
  SetWindowPos(form_->Handle(), nullptr, 0, 0, 720, 600, SWP_NOMOVE | SWP_NOZORDER);
  Pump();
  EXPECT_GT(Page().CpuGraph(0).Width(), place.right - place.left);
  EXPECT_EQ(Page().CpuHistory(0).Width(), Page().CpuGraph(0).Width());
  GetWindowRect(View().CpuGraph(0), &place);
  EXPECT_EQ(place.right - place.left, Page().CpuGraph(0).Width());
  EXPECT_EQ(Page().PageFileHistory().Width(), Page().PageFileGraph().Width());

  // Minimised and restored: the graphs keep their size and their curves.
  const int width = Page().CpuGraph(0).Width();
  SendMessageW(form_->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  Pump();
  ASSERT_TRUE(IsIconic(form_->Handle()));
  EXPECT_EQ(Page().CpuGraph(0).Width(), width);
  ShowWindow(form_->Handle(), SW_RESTORE);
  Pump();
  EXPECT_EQ(Page().CpuGraph(0).Width(), width);
}

// A helper process: this test program started again to run only this test,
// which keeps one processor busy for five seconds and ends.
TEST(CpuBurner, DISABLED_KeepsAProcessorBusyForFiveSeconds) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  volatile unsigned spins = 0;
  while (std::chrono::steady_clock::now() < end) spins = spins + 1;
}

std::vector<std::wstring> Lines(const std::wstring& text) {
  std::vector<std::wstring> lines;
  for (std::size_t at = 0; at <= text.size();) {
    const std::size_t end = std::min(text.find(L"\r\n", at), text.size());
    lines.push_back(text.substr(at, end - at));
    at = end + 2;
  }
  return lines;
}

TEST_F(PerformanceViewTest, TheGraphTipNamesABurnerOverItsSpikeAfterItEnded) {
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring command = L"\"" + std::wstring(self) +
                         L"\" --gtest_filter=CpuBurner.DISABLED_KeepsAProcessorBusyForFiveSeconds"
                         L" --gtest_also_run_disabled_tests";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, DETACHED_PROCESS,
                             nullptr, nullptr, &startup, &info));
  platform::win32::UniqueHandle burner(info.hProcess), thread(info.hThread);
  const auto ended = [&] { return WaitForSingleObject(burner.Get(), 0) == WAIT_OBJECT_0; };
  // A refresh every 700 ms while it burns, and two after it ended.
  for (int i = 0; i < 30 && !ended(); ++i) {
    RefreshNow();
    PumpUntil(ended, 700);
  }
  ASSERT_TRUE(ended());
  for (int i = 0; i < 2; ++i) {
    PumpUntil([] { return false; }, 700);
    RefreshNow();
  }
  // The spike: the samples the burner led.
  const CulpritRecord& record = Page().Record();
  int spike = -1;
  for (int age = 0; age < record.Count() && spike < 0; ++age) {
    const auto sample = record.At(age);
    if (sample->cpuCount > 0 && sample->cpu[0].pid == info.dwProcessId) spike = age;
  }
  ASSERT_GE(spike, 2) << "the burner led no sample";

  // The pointer over that column of the first processor's graph, with real input.
  const ui::Rect& place = Page().CpuGraphRects()[0];
  const int width = Page().CpuGraph(0).Width();
  const HWND page = GetParent(View().CpuGraph(0));
  const auto onScreen = [&](int x, int y) {
    POINT at{x, y};
    ClientToScreen(page, &at);
    return at;
  };
  // Under Wine a moved pointer now and then jumps back where the display's
  // pointer stayed: the move is made again until the tip is as wanted, for a while.
  const auto hover = [&](int x, int y, bool tip) {
    return PumpUntil(
        [&] {
          MouseAt(onScreen(x, y));
          return View().GraphTip().Tracking() == tip;
        },
        3000);
  };
  const int middle = (place.top + place.bottom) / 2;
  SetForegroundWindow(form_->Handle());
  ASSERT_TRUE(hover(place.left + width - 1 - spike, middle, true));
  const std::wstring tip = View().GraphTip().TrackText();
  const std::vector<std::wstring> lines = Lines(tip);
  ASSERT_GE(lines.size(), 3u) << testing::PrintToString(tip);
  EXPECT_EQ(lines[0].size(), 8u) << "the time, hh:mm:ss";
  EXPECT_EQ(lines[1].rfind(Page().CpuGraphCount() == 1 ? L"CPU 使用：" : L"CPU 0：", 0), 0u);
  EXPECT_EQ(lines[2].rfind(L"zentrik_win_tests.exe (" + std::to_wstring(info.dwProcessId) + L")  ",
                           0),
            0u)
      << testing::PrintToString(tip);
  // The control shows that text.
  wchar_t shown[512] = {};
  TTTOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.hwnd = page;
  tool.uId = 1;
  tool.lpszText = shown;
  SendMessageW(View().GraphTip().Handle(), TTM_GETTEXTW, std::size(shown),
               reinterpret_cast<LPARAM>(&tool));
  EXPECT_EQ(std::wstring(shown), tip);
  EXPECT_TRUE(IsWindowVisible(View().GraphTip().Handle()));

  // Left of the first sample, and off the graphs, there is no tip.
  EXPECT_TRUE(hover(place.left + width - 1 - record.Count(), middle, false));
  EXPECT_TRUE(hover(place.left + width - 1, middle, true));
  EXPECT_TRUE(hover(place.left + width - 1, place.top - 3, false));
}

TEST_F(PerformanceViewTest, NotificationIconFollowsTheUsageAndBringsTheWindowBack) {
  EXPECT_TRUE(form_->TrayIcon().Shown()) << "the virtual desktop's notification area takes it";
  RefreshNow();
  RefreshNow();
  const int percent = form_->CpuSampler().CpuUsagePercent();
  EXPECT_EQ(form_->TrayIcon().Tip(),
            TrayTip(percent, form_->Parts().processes.collector.Culprits().Busiest()));
  const auto icon = reinterpret_cast<HICON>(SendMessageW(form_->Handle(), WM_GETICON, ICON_SMALL, 0));
  EXPECT_EQ(static_cast<const void*>(icon), form_->TrayIcon().Icon()) << "also the window's icon";

  // The taskbar announces itself again: the icon is added anew.
  SendMessageW(form_->Handle(), RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  EXPECT_TRUE(form_->TrayIcon().Shown());

  // Hidden on minimise, back with a double click; single clicks do nothing.
  ShowWindow(form_->Handle(), SW_HIDE);
  SendMessageW(form_->Handle(), app::kTrayCallbackMessage, 1305, WM_LBUTTONDOWN);
  SendMessageW(form_->Handle(), app::kTrayCallbackMessage, 1305, WM_RBUTTONUP);
  EXPECT_FALSE(IsWindowVisible(form_->Handle()));
  SendMessageW(form_->Handle(), app::kTrayCallbackMessage, 1305, WM_LBUTTONDBLCLK);
  EXPECT_TRUE(IsWindowVisible(form_->Handle()));
  EXPECT_EQ(View().CpuGraphWindowCount(), form_->Run().CpuInstanceCount - 1)
      << "showing again keeps one graph per processor";

  SendMessageW(form_->Handle(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(form_->TrayIcon().Shown()) << "removed on closing";
}

TEST_F(PerformanceViewTest, HiddenGraphsAdvanceAndArePaintedAsSoonAsShown) {
  form_->SelectPage(app::TMainForm::kApplicationsPage);
  Pump();
  const int before = Page().CpuGraph(0).ScrollCount();
  RefreshNow();
  EXPECT_EQ(Page().CpuGraph(0).ScrollCount(), before + 1) << "the history moves while hidden";
  EXPECT_FALSE(GetUpdateRect(View().CpuGraph(0), nullptr, FALSE));
  RefreshNow();
  form_->SelectPage(app::TMainForm::kPerformancePage);
  EXPECT_TRUE(GetUpdateRect(View().CpuGraph(0), nullptr, FALSE)) << "shown: painted at once";
  // The figures of the hidden page are written as it is shown.
  for (int box = 0; box < kFigureBoxCount; ++box)
    for (int row = 0; row < 3; ++row)
      EXPECT_EQ(TextOf(View().FigureLabel(static_cast<FigureBox>(box), row)),
                Page().Texts().figures[box][row]) << box << "/" << row;
  EXPECT_TRUE(GetUpdateRect(View().CpuMeter(), nullptr, FALSE));
  Pump();
  EXPECT_FALSE(GetUpdateRect(View().CpuGraph(0), nullptr, FALSE));
  EXPECT_EQ(TextOf(View().CpuMeter()), CpuCaption(form_->CpuSampler().CpuUsagePercent()));
  EXPECT_EQ(TextOf(View().PageFileMeter()), Page().Texts().lb_Pf);
}

TEST_F(PerformanceViewTest, NothingOfThePageShownBeforeStaysInsideTheGroupBoxes) {
  form_->SelectPage(app::TMainForm::kUsersPage);
  Pump();
  form_->SelectPage(app::TMainForm::kPerformancePage);
  Pump();
  // The strip just above the first CPU graph, inside its box, where the users
  // list's header was.
  RECT graph{};
  GetWindowRect(View().CpuGraph(0), &graph);
  HDC screen = GetDC(nullptr);
  int stale = 0;
  for (LONG x = graph.left; x < graph.right; ++x)
    stale += GetPixel(screen, x, graph.top - 2) != GetSysColor(COLOR_BTNFACE) ? 1 : 0;
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(stale, 0);
}

TEST_F(PerformanceViewTest, GdiObjectCountStaysFlatOverARun) {
  // The first resize makes the system's own surfaces; they count from then on.
  SetWindowPos(form_->Handle(), nullptr, 0, 0, 410, 430, SWP_NOMOVE | SWP_NOZORDER);
  form_->PerformanceView().LayoutGraphs();
  for (int i = 0; i < 3; ++i) RefreshNow();
  const int start = testing_support::GdiObjectCount();
  ASSERT_GT(start, 0);
  for (int i = 0; i < 60; ++i) {
    RefreshNow();
    if (i % 10 == 0) {
      SetWindowPos(form_->Handle(), nullptr, 0, 0, 420 + i, 440 + i, SWP_NOMOVE | SWP_NOZORDER);
      form_->PerformanceView().LayoutGraphs();
      Pump();
    }
    UpdateWindow(form_->Handle());
  }
  const int end = testing_support::GdiObjectCount();
  std::printf("GDI objects: %d after start, %d after 60 ticks\n", start, end);
  EXPECT_EQ(end, start);
}

// The processor count over every group comes from the call bound by name; the
// title list answers a small buffer with the size it needs, then reads whole:
// its first pair is index 1 with the highest index as its text.
// Bar heights that come out as the same pixels keep the icon the system shows.
TEST(TrayPicturesTest, ANewIconOnlyWhenThePictureChanges) {
  TrayPictures pictures;
  int samePictures = 0;
  for (int pen = TrayPictures::kFirstPen; pen < TrayPictures::kLastPen; ++pen) {
    ui::Raster low, high;
    DrawTrayPicture(low, pen, 16);
    DrawTrayPicture(high, pen + 1, 16);
    const bool same = std::equal(low.Pixels(), low.Pixels() + 16 * 16, high.Pixels());
    samePictures += same;
    const HICON before = pictures.IconFor(pen, 16);
    EXPECT_EQ(pictures.IconFor(pen + 1, 16) == before, same) << "pen " << pen;
  }
  EXPECT_GT(samePictures, 0);
}

TEST(Win32PerformanceData, CountsEveryGroupAndReadsTheTitleList) {
  platform::win32::Win32PerformanceData data;
  EXPECT_EQ(data.ActiveProcessorCount(),
            static_cast<int>(GetActiveProcessorCount(ALL_PROCESSOR_GROUPS)));
  std::vector<std::byte> list(4);
  auto size = static_cast<std::uint32_t>(list.size());
  ASSERT_EQ(data.QueryCounterNames(list.data(), size), platform::kRegistryMoreData);
  ASSERT_GT(size, list.size());
  list.resize(size);
  ASSERT_EQ(data.QueryCounterNames(list.data(), size), platform::kRegistrySuccess);
  EXPECT_EQ(size, list.size());
  EXPECT_EQ(list[0], std::byte{'1'});
  EXPECT_EQ(list[2], std::byte{0});
}

}  // namespace
}  // namespace perf
