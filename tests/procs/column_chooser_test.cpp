// The "选择列" dialog's logic: headers from the box captions, boxes that open
// as the page is, the columns that "确定" gives, and the refresh left as it was.
#include "procs/column_chooser.h"

#include <gtest/gtest.h>

#include "app/refresh_cycle.h"
#include "tests/support/process_world.h"

using testing_support::ProcessWorld;
using namespace procs;

namespace {

struct RecordingTimer : app::TimerControl {
  std::vector<std::string> calls;
  void StartTimer(int) override { calls.push_back("start"); }
  void StopTimer() override { calls.push_back("stop"); }
};

struct ChooserWorld : ProcessWorld {
  RecordingTimer timer;
  app::RefreshCycle cycle{timer, system};
};

std::vector<std::wstring> Captions(const std::vector<ProcessColumn>& columns) {
  std::vector<std::wstring> captions;
  for (const ProcessColumn& column : columns) captions.push_back(column.caption);
  return captions;
}

}  // namespace

TEST(ColumnChooser, HeadersAreTheCaptionUpToTheParenthesisOrTheWholeCaption) {
  EXPECT_EQ(HeaderOfCaption(L"PID(进程标识符)(&P)"), L"PID");
  EXPECT_EQ(HeaderOfCaption(L"内存使用增量(&D)"), L"内存使用增量");
  EXPECT_EQ(HeaderOfCaption(L"I/O读取字节"), L"I/O读取字节");
  EXPECT_EQ(HeaderOfCaption(L""), L"");

  std::vector<std::wstring> headers;
  for (const ColumnSpec& box : ChooserBoxes()) headers.push_back(HeaderOfCaption(box.caption));
  const std::vector<std::wstring> expected = {
      L"映像名称", L"PID", L"CPU使用", L"CPU时间", L"内存使用", L"内存使用增量",
      L"内存使用高峰值", L"页面错误", L"USER对象", L"I/O读取", L"I/O读取字节", L"会话ID",
      L"用户名", L"进程路径", L"I/O其他字节", L"I/O其他", L"I/O写入字节", L"I/O写入",
      L"GDI对象", L"线程计数", L"句柄计数", L"基本优先级", L"非页面缓冲池", L"页面缓冲池",
      L"虚拟内存大小", L"页面错误增量", L"命令行", L"描述", L"公司",
      L"平台", L"状态"};
  EXPECT_EQ(headers, expected);
}

TEST(ColumnChooser, OpensWithTheShownColumnsCheckedAndKeepsTheFixedOnes) {
  ChooserWorld w;
  ColumnChooser fresh(w.page, w.cycle);
  // A fresh window shows name, PID, user, CPU, memory, CPU time, path (and the priority word).
  for (std::size_t b = 0; b < kChooserBoxCount; ++b) {
    const bool shown = b <= 4 || b == 12 || b == 13;
    EXPECT_EQ(fresh.Checked(b), shown) << "box " << b + 1;
  }
  fresh.SetChecked(0, false);
  fresh.SetChecked(1, false);
  fresh.SetChecked(2, false);
  for (std::size_t b = 3; b < kChooserBoxCount; ++b) fresh.SetChecked(b, false);
  const auto onlyFixed = fresh.ChosenColumns();
  ASSERT_EQ(onlyFixed.size(), 2u);
  EXPECT_EQ(onlyFixed[0].caption, L"映像名称");
  EXPECT_EQ(onlyFixed[0].width, 95);
  EXPECT_TRUE(onlyFixed[0].rightAligned);
  EXPECT_EQ(onlyFixed[1].caption, L"PID");
  EXPECT_EQ(onlyFixed[1].width, 40);

  fresh.SetChecked(9, true);   // I/O读取
  fresh.SetChecked(19, true);  // 线程计数
  fresh.BitBtn1Click();
  EXPECT_EQ(Captions(w.page.Columns()),
            (std::vector<std::wstring>{L"映像名称", L"PID", L"I/O读取", L"线程计数"}));
  // Opened again, it shows that choice, not the first one.
  ColumnChooser again(w.page, w.cycle);
  for (std::size_t b = 0; b < kChooserBoxCount; ++b)
    EXPECT_EQ(again.Checked(b), b == 0 || b == 1 || b == 9 || b == 19) << "box " << b + 1;
}

TEST(ColumnChooser, AllBoxesGiveTwentySixColumnsInBoxOrderWithUsableWidths) {
  ChooserWorld w;
  ColumnChooser chooser(w.page, w.cycle);
  for (std::size_t b = 0; b < kChooserBoxCount; ++b) chooser.SetChecked(b, true);
  const auto columns = chooser.ChosenColumns();
  ASSERT_EQ(columns.size(), kChooserBoxCount);
  for (std::size_t c = 0; c < columns.size(); ++c) {
    EXPECT_EQ(columns[c].kind, ChooserBoxes()[c].kind);
    // The fixed widths, or 0: as wide as the header needs; never a few pixels.
    EXPECT_TRUE(columns[c].width == 0 || columns[c].width >= 40) << c;
  }
  EXPECT_EQ(columns[12].width, 60);
  EXPECT_EQ(columns[13].width, 80);
}

TEST(ColumnChooser, ConfirmingLeavesTheRefreshRunningOrPausedAsItWas) {
  ChooserWorld w;
  w.cycle.act_StartExecute();
  w.timer.calls.clear();
  ColumnChooser running(w.page, w.cycle);
  running.BitBtn1Click();
  EXPECT_EQ(w.timer.calls, (std::vector<std::string>{"stop", "start"}));
  EXPECT_TRUE(w.cycle.TimerEnabled());
  EXPECT_EQ(w.page.Columns().size(), 7u);  // the priority word is not offered

  w.cycle.N16Click();  // "暂停(&P)"
  w.timer.calls.clear();
  ColumnChooser paused(w.page, w.cycle);
  paused.SetChecked(5, true);
  paused.BitBtn1Click();
  EXPECT_TRUE(w.timer.calls.empty());
  EXPECT_FALSE(w.cycle.TimerEnabled());
  EXPECT_TRUE(w.cycle.Paused());
  EXPECT_EQ(w.page.Columns().size(), 8u);

  ColumnChooser cancelled(w.page, w.cycle);  // "取消": the boxes are left as they are
  cancelled.SetChecked(6, true);
  EXPECT_TRUE(w.timer.calls.empty());
  EXPECT_EQ(w.page.Columns().size(), 8u);
}
