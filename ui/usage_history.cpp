// Fitting a history to a new graph size, and the scroll of one step.
#include "ui/usage_history.h"

#include <algorithm>
#include <cmath>

namespace ui {

int RoundHalfEven(double value) {
  if (!std::isfinite(value)) return 0;
  return static_cast<int>(std::nearbyint(std::clamp(value, -1e9, 1e9)));
}

void UsageHistory::Fit(int width, double heightScale) {
  width = std::max(width, 0);
  const int old = Width();
  if (width == old && heightScale == 1.0) return;
  if (old == 0) {
    values_.assign(static_cast<std::size_t>(width), 0);
    return;
  }
  const auto scaled = [heightScale](int v) {
    return heightScale == 1.0 ? v : RoundHalfEven(v * heightScale);
  };
  const int shift = width - old;
  if (shift > 0) {
    // The old columns 0 .. old - 2 move right by `shift`; the last one, a copy of
    // the one before it, is replaced by the newest sample.
    values_.resize(static_cast<std::size_t>(width), 0);
    for (int k = width - 2; k >= shift; --k) values_[k] = scaled(values_[k - shift]);
    std::fill(values_.begin(), values_.begin() + std::min(shift + 1, width), 0);
  } else {
    for (int k = 0; k + 1 < width; ++k) values_[k] = scaled(values_[k - shift]);
    values_.resize(static_cast<std::size_t>(width));
  }
}

void UsageHistory::SetNewest(int value) {
  if (!values_.empty()) values_.back() = value;
}

void UsageHistory::Scroll() {
  if (values_.size() > 1) std::copy(values_.begin() + 1, values_.end(), values_.begin());
}

}  // namespace ui
