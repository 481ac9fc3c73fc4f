// The bar meters and the tray picture: hatch columns, lit rows from the bottom,
// their limits, and the notification icon's tip, bar and add/modify/remove.
#include <gtest/gtest.h>

#include "perf/meter.h"
#include "perf/tray_icon.h"
#include "platform/fake/fake_system.h"

using namespace perf;
using platform::fake::FakeSystem;
using platform::fake::FakeTrayCall;

namespace {

int CountColumns(const ui::Raster& r, int y, ui::Rgb color) {
  int n = 0;
  for (int x = 0; x < r.Width(); ++x) n += r.Pixel(x, y) == color;
  return n;
}

}  // namespace

TEST(Meter, HatchColumnsAndLitRowsOfAnImage86By49) {
  ui::Raster image(49, 86);
  image.Fill(ui::MakeRgb(1, 2, 3));
  DrawMeterFrame(image);
  DrawMeter(image, 50, 100);
  EXPECT_EQ(MeterLitRows(49, 50, 100), 7);  // 14 x 0.5
  // 47 hatch columns, x = 20 to 66, dark green at even steps.
  EXPECT_EQ(CountColumns(image, 12, ui::kDarkGreen), 24);
  EXPECT_EQ(image.Pixel(20, 12), ui::kDarkGreen);
  EXPECT_EQ(image.Pixel(21, 12), ui::kBlack);
  EXPECT_EQ(image.Pixel(66, 12), ui::kDarkGreen);
  EXPECT_EQ(image.Pixel(19, 12), ui::kBlack);
  EXPECT_EQ(image.Pixel(67, 12), ui::kBlack);
  // Lit rows 1 to 7 from y = 24 up, bright at odd rows, across x = 20 to 66.
  for (int k = 1; k <= 7; ++k)
    EXPECT_EQ(CountColumns(image, 25 - k, ui::kBrightGreen), k % 2 == 1 ? 47 : 0) << k;
  EXPECT_EQ(image.Pixel(30, 17), ui::kDarkGreen) << "hatch above the lit rows";
  // The frame everywhere else.
  EXPECT_EQ(image.Pixel(43, 5), ui::kBlack);
  EXPECT_EQ(image.Pixel(43, 40), ui::kBlack);
  EXPECT_EQ(CountColumns(image, 30, ui::MakeRgb(1, 2, 3)), 0);

  // Falling back to 0 leaves no lit row behind.
  DrawMeter(image, 0, 100);
  EXPECT_EQ(CountColumns(image, 24, ui::kBrightGreen), 0);
}

TEST(Meter, LimitsOfSizeAndMaximum) {
  ui::Raster narrow(60, 39);
  narrow.Fill(ui::kBlack);
  DrawMeter(narrow, 100, 100);
  EXPECT_EQ(CountColumns(narrow, 12, ui::kDarkGreen), 0) << "no hatch below 40 pixels";
  EXPECT_EQ(MeterLitRows(35, 100, 100), 0);
  EXPECT_EQ(MeterLitRows(60, 5, 0), 0);
  EXPECT_EQ(MeterLitRows(60, 5, -3), 0);
  EXPECT_EQ(MeterLitRows(45, 200, 100), 20) << "not clamped to the maximum";
  ui::Raster tall(45, 60);
  tall.Fill(ui::kBlack);
  DrawMeter(tall, 300, 100);  // 30 rows: they stop at the top of the picture
  EXPECT_EQ(tall.Pixel(30, 0), ui::kBrightGreen);
  EXPECT_EQ(tall.Pixel(30, 1), ui::kBlack);
}

TEST(TrayIcon, TipAndBarPenFollowThePercentage) {
  EXPECT_EQ(TrayTip(7), L"CPU 使用：07%");
  EXPECT_EQ(TrayTip(45), L"CPU 使用：45%");
  EXPECT_EQ(TrayTip(100), L"CPU 使用：100%");
  // The busiest process of the tick on a second line, its share as a whole percent.
  procs::TopThree busiest;
  busiest.Offer(812, 374, L"encoder.exe");
  EXPECT_EQ(TrayTip(45, &busiest[0]), L"CPU 使用：45%\nencoder.exe 37%");
  EXPECT_EQ(TrayTip(45, nullptr), L"CPU 使用：45%");
  EXPECT_EQ(TrayBarPenWidth(0), 8);
  EXPECT_EQ(TrayBarPenWidth(7), 9);
  EXPECT_EQ(TrayBarPenWidth(45), 19);
  EXPECT_EQ(TrayBarPenWidth(100), 33);

  // The design's 10 x 20 picture, as it stands in a 20-pixel icon from column 5.
  ui::Raster low, high;
  DrawTrayPicture(low, 8, 20);
  DrawTrayPicture(high, 33, 20);
  const TrayPicturePlace place = PlaceTrayPicture(20);
  ASSERT_EQ(place.width, 10);
  ASSERT_EQ(low.Height(), 20);
  const int x = place.left;
  const auto brightRows = [x](const ui::Raster& r) {
    int rows = 0;
    for (int y = 0; y < r.Height(); ++y) rows += r.Pixel(x + 5, y) == ui::kBrightGreen;
    return rows;
  };
  EXPECT_EQ(brightRows(low), 2) << "a low bar stays visible above the frame";
  EXPECT_EQ(brightRows(high), 14);
  EXPECT_EQ(low.Pixel(x + 5, 5), ui::kDarkGreen);
  EXPECT_EQ(low.Pixel(x + 1, 10), ui::kBlack);
  EXPECT_EQ(low.Pixel(x + 5, 19), ui::kBlack);
}

// In a square icon the picture keeps its shape: as high as the icon, half as
// wide, centred, its frame and bar scaled by whole pixels.
TEST(TrayIcon, PictureFillsTheIconsHeightCentredAtEachSize) {
  struct Case {
    int size, left, width, frame, lowBright, highBright;
  };
  for (const Case c : {Case{16, 4, 8, 2, 1, 11}, Case{20, 5, 10, 2, 2, 14},
                       Case{24, 6, 12, 2, 3, 17}, Case{32, 8, 16, 3, 3, 23}}) {
    SCOPED_TRACE(c.size);
    const TrayPicturePlace place = PlaceTrayPicture(c.size);
    EXPECT_EQ(place.left, c.left);
    EXPECT_EQ(place.width, c.width);
    ui::Raster low, high;
    DrawTrayPicture(low, TrayBarPenWidth(0), c.size);
    DrawTrayPicture(high, TrayBarPenWidth(100), c.size);
    ASSERT_EQ(low.Width(), c.size);
    ASSERT_EQ(low.Height(), c.size);
    const int right = c.left + c.width, middle = c.size / 2;
    EXPECT_EQ(low.Pixel(c.left + c.frame - 1, middle), ui::kBlack);
    EXPECT_EQ(low.Pixel(c.left + c.frame, c.frame), ui::kDarkGreen);
    EXPECT_EQ(low.Pixel(right - c.frame - 1, c.frame), ui::kDarkGreen);
    EXPECT_EQ(low.Pixel(right - c.frame, middle), ui::kBlack);
    EXPECT_EQ(low.Pixel(middle, c.frame - 1), ui::kBlack);
    EXPECT_EQ(low.Pixel(middle, c.size - c.frame), ui::kBlack);
    const auto brightRows = [&](const ui::Raster& r) {
      int rows = 0;
      for (int y = 0; y < c.size; ++y) rows += r.Pixel(middle, y) == ui::kBrightGreen;
      return rows;
    };
    EXPECT_EQ(brightRows(low), c.lowBright);
    EXPECT_EQ(brightRows(high), c.highBright);
  }
}

TEST(TrayIcon, AddModifyRemoveAndTheTaskbarComingBack) {
  FakeSystem shell;
  int pictures[40] = {};
  TrayIcon tray(shell, [&](int pen) { return static_cast<platform::IconRef>(&pictures[pen]); });
  int appIcon = 0;
  tray.AddTrayIcon(&appIcon);
  ASSERT_EQ(shell.trayCalls.size(), 1u);
  EXPECT_EQ(shell.trayCalls[0].kind, FakeTrayCall::kAdd);
  EXPECT_EQ(shell.trayCalls[0].icon, &appIcon);
  EXPECT_EQ(shell.trayCalls[0].tip, L"");

  tray.UpdateTrayIcon(7);
  ASSERT_EQ(shell.trayCalls.size(), 2u);
  EXPECT_EQ(shell.trayCalls[1].kind, FakeTrayCall::kModify);
  EXPECT_EQ(shell.trayCalls[1].icon, &pictures[9]);
  EXPECT_EQ(shell.trayCalls[1].tip, L"CPU 使用：07%");
  tray.UpdateTrayIcon(7);
  EXPECT_EQ(shell.trayCalls.size(), 2u) << "nothing changed, nothing sent";

  // The shell restarted: the icon is added again as it is now.
  tray.TaskbarCreated();
  EXPECT_EQ(shell.trayCalls.back().kind, FakeTrayCall::kAdd);
  EXPECT_EQ(shell.trayCalls.back().tip, L"CPU 使用：07%");

  tray.DeleteTrayIcon();
  EXPECT_EQ(shell.trayCalls.back().kind, FakeTrayCall::kRemove);
  const std::size_t calls = shell.trayCalls.size();
  tray.UpdateTrayIcon(50);
  tray.TaskbarCreated();
  EXPECT_EQ(shell.trayCalls.size(), calls) << "closing: the icon stays gone";
}

// CPU 7 % and 6 % draw the same picture: only the tip differs.
TEST(TrayIcon, ATipAloneWaitsUntilPointedAtOrItsTurnComes) {
  FakeSystem shell;
  int picture = 0;
  TrayIcon tray(shell, [&](int) { return static_cast<platform::IconRef>(&picture); });
  tray.AddTrayIcon(nullptr);
  tray.UpdateTrayIcon(7);  // a new picture: sent at once
  const std::size_t afterPicture = shell.trayCalls.size();
  tray.UpdateTrayIcon(6);
  EXPECT_EQ(shell.trayCalls.size(), afterPicture) << "nobody points at the icon";
  EXPECT_EQ(tray.Tip(), L"CPU 使用：06%");
  tray.Pointed();
  ASSERT_EQ(shell.trayCalls.size(), afterPicture + 1);
  EXPECT_EQ(shell.trayCalls.back().tip, L"CPU 使用：06%");
  tray.Pointed();
  EXPECT_EQ(shell.trayCalls.size(), afterPicture + 1) << "the shell has this tip already";
  for (int i = 0; i < TrayIcon::kPointedUpdates; ++i) tray.UpdateTrayIcon(i % 2 ? 6 : 7);
  EXPECT_EQ(shell.trayCalls.size(), afterPicture + 1 + TrayIcon::kPointedUpdates)
      << "while pointed at, each new tip goes at once";
  ASSERT_EQ(shell.trayCalls.back().tip, L"CPU 使用：07%");
  const std::size_t live = shell.trayCalls.size();
  for (int i = 1; i < TrayIcon::kTipCatchUp; ++i) tray.UpdateTrayIcon(6);
  EXPECT_EQ(shell.trayCalls.size(), live);
  tray.UpdateTrayIcon(6);
  EXPECT_EQ(shell.trayCalls.size(), live + 1) << "otherwise at the kTipCatchUp-th update";
}

TEST(TrayIcon, ARefusedIconIsAskedForAgainAtEveryFifthUpdateAndWhenTheTaskbarComes) {
  FakeSystem shell;
  shell.notifyAreaRefuses = true;
  int picture = 0;
  TrayIcon tray(shell, [&](int) { return static_cast<platform::IconRef>(&picture); });
  tray.AddTrayIcon(nullptr);
  EXPECT_FALSE(tray.Shown());
  for (int i = 1; i < TrayIcon::kAddRetry; ++i) tray.UpdateTrayIcon(30);
  EXPECT_EQ(shell.trayCalls.size(), 1u) << "no modify of an icon that is not there";
  tray.UpdateTrayIcon(30);
  ASSERT_EQ(shell.trayCalls.size(), 2u);
  EXPECT_EQ(shell.trayCalls.back().kind, FakeTrayCall::kAdd);
  EXPECT_FALSE(tray.Shown());
  shell.notifyAreaRefuses = false;
  for (int i = 0; i < TrayIcon::kAddRetry; ++i) tray.UpdateTrayIcon(30);
  EXPECT_TRUE(tray.Shown());
  ASSERT_EQ(shell.trayCalls.size(), 3u);
  EXPECT_EQ(shell.trayCalls.back().icon, &picture);
  EXPECT_EQ(shell.trayCalls.back().tip, L"CPU 使用：30%");
  EXPECT_TRUE(shell.boxes.empty());

  // Refused by a new taskbar, then taken at its next announcement.
  shell.notifyAreaRefuses = true;
  tray.TaskbarCreated();
  EXPECT_FALSE(tray.Shown());
  shell.notifyAreaRefuses = false;
  tray.TaskbarCreated();
  EXPECT_TRUE(tray.Shown());
  EXPECT_EQ(shell.trayCalls.back().kind, FakeTrayCall::kAdd);
  tray.DeleteTrayIcon();
  EXPECT_EQ(shell.trayCalls.back().kind, FakeTrayCall::kRemove);
}

// Shell_NotifyIcon would hold this window for seconds on a taskbar that does
// not answer (a suspended or busy shell).
TEST(TrayIcon, NothingGoesToAHungTaskbarAndWhatWaitedGoesWhenItAnswers) {
  FakeSystem shell;
  int pictures[40] = {};
  TrayIcon tray(shell, [&](int pen) { return static_cast<platform::IconRef>(&pictures[pen]); });
  shell.taskbarHung = true;
  tray.AddTrayIcon(nullptr);
  EXPECT_TRUE(shell.trayCalls.empty());
  shell.taskbarHung = false;
  for (int i = 0; i < TrayIcon::kAddRetry; ++i) tray.UpdateTrayIcon(7);
  ASSERT_EQ(shell.trayCalls.size(), 1u);
  EXPECT_EQ(shell.trayCalls[0].kind, FakeTrayCall::kAdd);
  EXPECT_EQ(shell.trayCalls[0].icon, &pictures[9]);

  shell.taskbarHung = true;
  tray.UpdateTrayIcon(50);
  tray.Pointed();
  EXPECT_EQ(shell.trayCalls.size(), 1u) << "the new picture and tip wait";
  shell.taskbarHung = false;
  tray.UpdateTrayIcon(50);
  ASSERT_EQ(shell.trayCalls.size(), 2u) << "sent at the next update, though nothing changed since";
  EXPECT_EQ(shell.trayCalls[1].kind, FakeTrayCall::kModify);
  EXPECT_EQ(shell.trayCalls[1].icon, &pictures[TrayBarPenWidth(50)]);
  EXPECT_EQ(shell.trayCalls[1].tip, L"CPU 使用：50%");
  tray.UpdateTrayIcon(50);
  EXPECT_EQ(shell.trayCalls.size(), 2u) << "and only once";

  shell.taskbarHung = true;
  tray.DeleteTrayIcon();
  EXPECT_EQ(shell.trayCalls.size(), 2u) << "closing does not wait for the taskbar either";
}
