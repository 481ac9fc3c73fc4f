// Usage histories and the graph picture: fitting a history to a wider, narrower
// or taller graph, the scroll of one step, the moving grid, and where the curve
// is drawn.
#include "ui/usage_graph.h"

#include <gtest/gtest.h>

using namespace ui;

namespace {

UsageHistory HistoryOf(std::vector<int> values) {
  UsageHistory history;
  history.Fit(static_cast<int>(values.size()), 1.0);
  for (int v : values) {
    history.Scroll();
    history.SetNewest(v);
  }
  return history;
}

// Columns of row `y` that have `color`.
std::vector<int> ColumnsOf(const Raster& r, int y, Rgb color) {
  std::vector<int> xs;
  for (int x = 0; x < r.Width(); ++x)
    if (r.Pixel(x, y) == color) xs.push_back(x);
  return xs;
}

}  // namespace

TEST(UsageHistory, FitsWiderNarrowerAndTallerGraphs) {
  UsageHistory empty;
  empty.Fit(4, 3.0);
  EXPECT_EQ(empty.Values(), (std::vector<int>{0, 0, 0, 0})) << "the first fit only makes room";

  // Wider by 2: the curve keeps its right-hand end; columns 0 to 2 read 0; the
  // last column waits for the next sample (the old one was a copy of the newest).
  UsageHistory wider = HistoryOf({1, 2, 3, 4, 5});
  wider.Fit(7, 1.0);
  wider.SetNewest(9);
  EXPECT_EQ(wider.Values(), (std::vector<int>{0, 0, 0, 2, 3, 4, 9}));

  // Narrower by 2: the oldest columns go.
  UsageHistory narrower = HistoryOf({1, 2, 3, 4, 5, 6});
  narrower.Fit(4, 1.0);
  narrower.SetNewest(9);
  EXPECT_EQ(narrower.Values(), (std::vector<int>{3, 4, 5, 9}));

  // Only taller: every height but the newest column's is rescaled, halves to even.
  UsageHistory taller = HistoryOf({1, 3, 5, 10});
  taller.Fit(4, 1.5);
  EXPECT_EQ(taller.Values(), (std::vector<int>{2, 4, 8, 10}));  // 1.5, 4.5, 7.5

  UsageHistory none = HistoryOf({1, 2});
  none.Fit(0, 1.0);
  EXPECT_EQ(none.Width(), 0);
  none.SetNewest(3);
  none.Scroll();
}

TEST(UsageHistory, ScrollLeavesTheNewestInTheLastTwoColumns) {
  UsageHistory history = HistoryOf({1, 2, 3});
  history.Scroll();
  EXPECT_EQ(history.Values(), (std::vector<int>{2, 3, 3}));
  EXPECT_EQ(RoundHalfEven(0.5), 0);
  EXPECT_EQ(RoundHalfEven(2.5), 2);
  EXPECT_EQ(RoundHalfEven(-1.5), -2);
}

TEST(UsageGraph, GridLinesMoveLeftOnePixelPerDrawingAndTheCountWraps) {
  TUseage graph(30, 40);
  EXPECT_EQ(graph.ScrollCount(), 0);
  graph.DrawGrid();
  EXPECT_EQ(ColumnsOf(graph.Picture(), 5, kGridColor), (std::vector<int>{0, 12, 24, 36}));
  // Horizontal lines every 12 rows from the top, stopping before the last column.
  EXPECT_EQ(ColumnsOf(graph.Picture(), 12, kGridColor).size(), 39u);
  EXPECT_EQ(graph.Picture().Pixel(0, 29), kBlack) << "vertical lines stop before the bottom row";

  graph.Clear();
  graph.DrawGrid();  // ScrollCount 1
  EXPECT_EQ(ColumnsOf(graph.Picture(), 5, kGridColor), (std::vector<int>{11, 23, 35}));
  for (int i = 2; i < 12; ++i) graph.DrawGrid();
  EXPECT_EQ(graph.ScrollCount(), 12);

  TUseage wrap(12, 12);
  for (int i = 0; i < TUseage::kScrollWrap - 1; ++i) wrap.DrawGrid();
  EXPECT_EQ(wrap.ScrollCount(), TUseage::kScrollWrap - 1);
  wrap.DrawGrid();
  EXPECT_EQ(wrap.ScrollCount(), 0);
}

TEST(UsageGraph, CurveValueZeroLiesBelowAndFullHeightTouchesTheTop) {
  TUseage graph(10, 4);
  UsageHistory history = HistoryOf({0, 10, 10, 5});
  graph.DrawHistory(history, kCpuCurveColor);
  const Raster& p = graph.Picture();
  // A value v is drawn at y = height + 1 - v: 0 at y 11 (outside), 10 at y 1.
  EXPECT_EQ(p.Pixel(2, 1), kCpuCurveColor);
  EXPECT_EQ(p.Pixel(2, 0), kBlack);
  EXPECT_EQ(p.Pixel(0, 9), kCpuCurveColor);  // the rise from below, column 0
  EXPECT_EQ(p.Pixel(3, 6), kBlack) << "the end point of the last segment is not drawn";
  EXPECT_EQ(history.Values(), (std::vector<int>{10, 10, 5, 5})) << "scrolled after drawing";

  // A wild value is drawn at the edge, not walked to.
  UsageHistory wild = HistoryOf({0, 2'000'000'000});
  TUseage small(10, 2);
  small.DrawHistory(wild, kCpuCurveColor);
  EXPECT_EQ(small.Picture().Pixel(1, 0), kCpuCurveColor);
}

TEST(UsageGraph, AHiddenGraphKeepsNoPictureAndShowsItsLastFrameWhenShownAgain) {
  TUseage seen(24, 30), hidden(24, 30);
  UsageHistory a = HistoryOf({3, 9, 4}), b = HistoryOf({3, 9, 4});
  hidden.SetShown(false);
  for (int tick = 0; tick < 5; ++tick) {
    a.Fit(30, 1.0);
    b.Fit(30, 1.0);
    a.SetNewest(tick * 4);
    b.SetNewest(tick * 4);
    for (auto [graph, history] : {std::pair{&seen, &a}, std::pair{&hidden, &b}}) {
      graph->Clear();
      graph->DrawGrid();
      graph->DrawHistory(*history, kCpuCurveColor);
    }
  }
  EXPECT_EQ(hidden.Picture().Width(), 0) << "no pixels while hidden";
  EXPECT_EQ(hidden.ScrollCount(), seen.ScrollCount());
  EXPECT_EQ(b.Values(), a.Values());
  hidden.SetShown(true);
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 30; ++x) ASSERT_EQ(hidden.Picture().Pixel(x, y), seen.Picture().Pixel(x, y));
  // Hidden and shown again without a drawing between: the same frame.
  seen.SetShown(false);
  seen.SetShown(true);
  EXPECT_EQ(ColumnsOf(seen.Picture(), 5, kGridColor), ColumnsOf(hidden.Picture(), 5, kGridColor));
  EXPECT_EQ(ColumnsOf(seen.Picture(), 23, kCpuCurveColor),
            ColumnsOf(hidden.Picture(), 23, kCpuCurveColor));
}

TEST(Raster, LinesStopBeforeTheirEndPointAndAreClipped) {
  Raster r(5, 5);
  r.Fill(kBlack);
  r.Line(4, 2, 0, 2, kDarkGreen);  // right to left: x 4 down to 1
  EXPECT_EQ(ColumnsOf(r, 2, kDarkGreen), (std::vector<int>{1, 2, 3, 4}));
  r.Line(0, 0, 3, 3, kBrightGreen);
  EXPECT_EQ(r.Pixel(2, 2), kBrightGreen);
  EXPECT_EQ(r.Pixel(3, 3), kBlack);
  r.Line(-10, -10, 20, 20, kBrightGreen);
  EXPECT_EQ(r.Pixel(4, 4), kBrightGreen);
  r.FillRect(3, -2, 9, 1, kDarkGreen);
  EXPECT_EQ(r.Pixel(4, 0), kDarkGreen);
  EXPECT_EQ(r.Pixel(2, 0), kBlack);
  EXPECT_EQ(r.Pixel(7, 0), kBlack) << "outside reads black";
}
