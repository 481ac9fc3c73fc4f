#include "ui/dpi.h"

#include <cstdint>

namespace ui {

int Scale(int logical, int dpi) {
  if (dpi <= 0 || dpi == kLogicalDpi) return logical;
  // In 64 bits: no overflow on the way, as with the system's MulDiv.
  const std::int64_t product = std::int64_t{logical} * dpi;
  const std::int64_t half = kLogicalDpi / 2;
  return static_cast<int>(product >= 0 ? (product + half) / kLogicalDpi
                                       : -((-product + half) / kLogicalDpi));
}

int ScaleSize(int logical, int dpi) {
  const int scaled = Scale(logical, dpi);
  return logical > 0 && scaled < 1 ? 1 : scaled;
}

}  // namespace ui
