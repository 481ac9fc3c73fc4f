// What the list binding asks of a list view that holds no texts of its own (an
// owner-data list view): its number of rows, which rows it shows, the selection
// and focus it keeps by row number, and which cells to paint again. One call
// here is one call to the control.
#pragma once
#include <cstddef>

namespace ui {

// The rows a control shows: `count` rows seen whole from `first` on; one more
// may show in part below them.
struct RowRange {
  std::size_t first = 0;
  std::size_t count = 0;
};

// States of a row the control keeps.
enum RowState : unsigned { kRowSelected = 1, kRowFocused = 2 };

// A column of InvalidateCells: through the last one the control has.
inline constexpr std::size_t kLastColumn = static_cast<std::size_t>(-1);

class ListControl {
 public:
  virtual ~ListControl() = default;
  // The control has `count` rows now; it keeps its scroll position and paints
  // only rows that came or went on screen.
  virtual void SetRowCount(std::size_t count) = 0;
  virtual RowRange VisibleRows() = 0;
  // Paints again the cells of rows first..last in columns firstColumn..lastColumn.
  virtual void InvalidateCells(std::size_t firstRow, std::size_t lastRow, std::size_t firstColumn,
                               std::size_t lastColumn) = 0;
  // Sets the `mask` bits of the row's state (RowState) to those of `state`;
  // row -1 is every row.
  virtual void SetRowState(std::ptrdiff_t row, unsigned state, unsigned mask) = 0;
  // Scrolls as little as needed for the row to be seen whole.
  virtual void ShowRow(std::size_t row) = 0;
};

}  // namespace ui
