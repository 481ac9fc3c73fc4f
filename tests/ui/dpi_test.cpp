// Logical pixels to device pixels: identity at 96 dpi, half away from zero at
// other densities, and a size that exists stays visible.
#include "ui/dpi.h"
#include "ui/rect.h"

#include <gtest/gtest.h>

using ui::Scale;
using ui::ScaleSize;

TEST(Dpi, ScalesLogicalPixelsToTheWindowsDpi) {
  EXPECT_EQ(Scale(425, 96), 425);
  EXPECT_EQ(Scale(400, 144), 600);
  EXPECT_EQ(Scale(425, 144), 638);  // 637.5 rounds up
  EXPECT_EQ(Scale(95, 144), 143);   // 142.5 rounds up
  EXPECT_EQ(Scale(12, 120), 15);
  EXPECT_EQ(Scale(-3, 144), -5);    // -4.5 rounds away from zero, as MulDiv does
  EXPECT_EQ(Scale(1000000000, 192), 2000000000);  // no overflow on the way
  // A DPI the system should never report leaves the size alone.
  EXPECT_EQ(Scale(80, 0), 80);
  EXPECT_EQ(Scale(80, -144), 80);
}

TEST(Dpi, ASizeThatExistsNeverShrinksToNothing) {
  EXPECT_EQ(ScaleSize(1, 48), 1);   // 0.5 rounds to 1 anyway
  EXPECT_EQ(ScaleSize(1, 24), 1);   // 0.25 would be 0
  EXPECT_EQ(ScaleSize(0, 144), 0);
  EXPECT_EQ(ScaleSize(2, 144), 3);
}

TEST(Dpi, AWindowIsMovedOntoTheWorkAreaNeverResized) {
  const ui::Rect area{0, 0, 1024, 728};
  // 400 x 425 at (310, 148) fits as it is; at 144 DPI it would hang off the edges.
  EXPECT_EQ(ui::KeepOnArea({310, 148, 710, 573}, area), (ui::Rect{310, 148, 710, 573}));
  EXPECT_EQ(ui::KeepOnArea({465, 222, 1065, 860}, area), (ui::Rect{424, 90, 1024, 728}));
  // Larger than the area: the top left corner stays on it.
  EXPECT_EQ(ui::KeepOnArea({-50, -20, 1150, 880}, {100, 40, 1124, 768}),
            (ui::Rect{100, 40, 1300, 940}));
}
