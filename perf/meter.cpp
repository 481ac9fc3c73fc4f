// Bar meter drawing: every line is one pixel wide and stops before its end point.
#include "perf/meter.h"

#include "ui/usage_history.h"

namespace perf {

int MeterLitRows(int height, int value, int maximum) {
  if (maximum <= 0) return 0;
  return ui::RoundHalfEven(static_cast<double>(height - 35) / maximum * value);
}

void DrawMeterFrame(ui::Raster& image) {
  const int h = image.Height(), w = image.Width();
  image.FillRect(0, 0, 20, h, ui::kBlack);
  image.FillRect(w - 20, 0, w, h, ui::kBlack);
  image.FillRect(0, 0, w, 10, ui::kBlack);
  image.FillRect(0, h - 35, w, h, ui::kBlack);
}

void DrawMeter(ui::Raster& image, int value, int maximum) {
  const int h = image.Height(), w = image.Width();
  // The hatch reaches down to the lowest lit row, so that a row lit before goes
  // dark again when the value falls to nothing.
  for (int i = 0; i <= w - 40; ++i)
    image.Line(20 + i, 9, 20 + i, h - 24, i % 2 == 0 ? ui::kDarkGreen : ui::kBlack);
  const int lit = MeterLitRows(h, value, maximum);
  // The rows go on upwards past the frame for a value above the maximum, but
  // not past the picture.
  for (int k = 1; k <= lit && h - 24 - k >= 0; ++k)
    image.Line(20, h - 24 - k, w - 19, h - 24 - k, k % 2 == 1 ? ui::kBrightGreen : ui::kBlack);
}

}  // namespace perf
