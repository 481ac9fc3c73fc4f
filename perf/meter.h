// The bar meters at the left of the Performance page: a black frame, a hatched
// field, and lit rows that fill from the bottom up with the value.
#pragma once
#include "ui/raster.h"

namespace perf {

// Rows lit for `value` of `maximum` on a meter `height` pixels high.
int MeterLitRows(int height, int value, int maximum);

// The black frame: bands of 20 pixels at the left and right, 10 at the top and
// 35 at the bottom, where the meter's caption sits.
void DrawMeterFrame(ui::Raster& image);
// The hatch (alternate dark green and black columns) and the lit rows
// (alternate bright green and black rows), drawn over the picture as it is.
void DrawMeter(ui::Raster& image, int value, int maximum);

}  // namespace perf
