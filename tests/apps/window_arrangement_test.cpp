// Places of cascaded and tiled windows within the desktop's free area.
#include "apps/window_arrangement.h"

#include <gtest/gtest.h>

using apps::Arrangement;
using apps::ArrangedPlaces;
using apps::kCascadeStep;
using platform::ScreenRect;

TEST(WindowArrangement, CascadeKeepsSizesWithinTheAreaAndStartsOverHalfWayDown) {
  const ScreenRect area{0, 40, 800, 640};  // a taskbar at the top
  std::vector<ScreenRect> current(13, ScreenRect{300, 300, 700, 600});
  current[1] = {0, 0, 2000, 2000};  // larger than the area
  const auto places = ArrangedPlaces(Arrangement::kCascade, area, current);
  ASSERT_EQ(places.size(), 13u);
  EXPECT_EQ(places[0], (ScreenRect{0, 40, 400, 340}));
  EXPECT_EQ(places[1], (ScreenRect{kCascadeStep, 40 + kCascadeStep, 800, 640}));
  const int perRun = 300 / kCascadeStep;  // 11 windows down to half the height
  EXPECT_EQ(places[perRun].left, 0);
  EXPECT_EQ(places[perRun].top, 40);
}

TEST(WindowArrangement, TilesShareTheAreaInEqualStrips) {
  const ScreenRect area{0, 0, 1000, 700};
  const std::vector<ScreenRect> three(3);
  const auto rows = ArrangedPlaces(Arrangement::kTileHorizontal, area, three);
  EXPECT_EQ(rows[0], (ScreenRect{0, 0, 1000, 233}));
  EXPECT_EQ(rows[1], (ScreenRect{0, 233, 1000, 466}));
  EXPECT_EQ(rows[2], (ScreenRect{0, 466, 1000, 700}));
  const auto columns = ArrangedPlaces(Arrangement::kTileVertical, area, three);
  EXPECT_EQ(columns[0], (ScreenRect{0, 0, 333, 700}));
  EXPECT_EQ(columns[2], (ScreenRect{666, 0, 1000, 700}));
  EXPECT_TRUE(ArrangedPlaces(Arrangement::kTileVertical, ScreenRect{}, three).empty());
}
