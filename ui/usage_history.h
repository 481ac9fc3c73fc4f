// The samples behind one scrolling graph: one curve height in pixels per column
// of the graph, the oldest at column 0, the newest at the right-hand end. The
// history follows its graph's size: it is always exactly as wide.
#pragma once
#include <vector>

namespace ui {

// Rounds to the nearest integer, halves to the even neighbour.
int RoundHalfEven(double value);

class UsageHistory {
 public:
  int Width() const { return static_cast<int>(values_.size()); }
  int At(int column) const { return values_[static_cast<std::size_t>(column)]; }
  const std::vector<int>& Values() const { return values_; }

  // Makes the history `width` columns wide for a graph whose height changed by
  // `heightScale` (new / old). Wider: the curve stays at the right-hand end and
  // the new columns at the left read 0; narrower: the oldest columns go. Every
  // height is rescaled. A history that was empty only gets its zero columns.
  void Fit(int width, double heightScale);
  // The newest sample goes into the last column.
  void SetNewest(int value);
  // Every column takes its right-hand neighbour's value; the newest stays in
  // the last two columns until the next SetNewest.
  void Scroll();

 private:
  std::vector<int> values_;
};

}  // namespace ui
