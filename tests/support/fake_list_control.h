// A list view that keeps rows by number only, as an owner-data control does:
// how many it has, which are selected and focused, which are on screen; every
// call made to it is written down.
#pragma once
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "ui/list_control.h"

namespace testing_support {

struct FakeListControl final : ui::ListControl {
  std::size_t count = 0;
  std::size_t top = 0;
  std::size_t perPage = 20;
  std::set<std::size_t> selected;
  std::optional<std::size_t> focus;
  std::vector<std::string> calls;

  void SetRowCount(std::size_t n) override {
    calls.push_back("SetRowCount " + std::to_string(n));
    count = n;
    selected.erase(selected.lower_bound(n), selected.end());
    if (focus && *focus >= n) focus.reset();
  }
  ui::RowRange VisibleRows() override {
    calls.push_back("VisibleRows");
    return {top, perPage};
  }
  void InvalidateCells(std::size_t firstRow, std::size_t lastRow, std::size_t firstColumn,
                       std::size_t lastColumn) override {
    calls.push_back("InvalidateCells " + std::to_string(firstRow) + "-" + std::to_string(lastRow) +
                    " " + std::to_string(firstColumn) + "-" +
                    (lastColumn == ui::kLastColumn ? "last" : std::to_string(lastColumn)));
  }
  void SetRowState(std::ptrdiff_t row, unsigned state, unsigned mask) override {
    calls.push_back("SetRowState " + std::to_string(row));
    for (std::size_t r = row < 0 ? 0 : static_cast<std::size_t>(row);
         r < (row < 0 ? count : static_cast<std::size_t>(row) + 1); ++r) {
      if ((mask & ui::kRowSelected) != 0) {
        if ((state & ui::kRowSelected) != 0) {
          selected.insert(r);
        } else {
          selected.erase(r);
        }
      }
      if ((mask & ui::kRowFocused) != 0) {
        if ((state & ui::kRowFocused) != 0) {
          focus = r;
        } else if (focus == r) {
          focus.reset();
        }
      }
    }
  }
  void ShowRow(std::size_t row) override {
    calls.push_back("ShowRow " + std::to_string(row));
    if (row < top) top = row;
    if (row >= top + perPage) top = row + 1 - perPage;
  }
};

}  // namespace testing_support
