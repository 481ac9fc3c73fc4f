// The logic of the "选择列" dialog (TViewForm): one check box for every column the
// process list offers, which open with the columns now shown checked, and the
// columns that "确定" gives the Processes page, in the boxes' order, each with its kind.
#pragma once
#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <vector>

#include "procs/process_columns.h"
#include "procs/processes_page.h"
#include "ui/timer_hold.h"

namespace procs {

inline constexpr std::size_t kChooserBoxCount = kOfferedColumnCount;

// CheckBox1, CheckBox2... in their creation order: the offered rows of the column
// table, each with its caption, kind, width and whether it is fixed.
constexpr std::span<const ColumnSpec, kChooserBoxCount> ChooserBoxes() {
  return std::span<const ColumnSpec, kChooserBoxCount>(kProcessColumns, kChooserBoxCount);
}

// A column header from a box caption: the text before the first "(", or the
// whole caption when it has none.
std::wstring HeaderOfCaption(const std::wstring& caption);

class ColumnChooser {
 public:
  ColumnChooser(ProcessesPage& page, ui::UpdateTimer& timer);

  bool Checked(std::size_t box) const { return checked_[box]; }
  // A fixed box stays checked.
  void SetChecked(std::size_t box, bool checked);
  // The columns of the checked boxes, right-aligned, in the boxes' order.
  std::vector<ProcessColumn> ChosenColumns() const;

  // "确定": the page shows the chosen columns. The refresh is held meanwhile and
  // then left running or paused, as it was.
  // "取消" only closes the form: nothing changes, the refresh included.
  void BitBtn1Click();

 private:
  ProcessesPage& page_;
  ui::UpdateTimer& timer_;
  std::array<bool, kChooserBoxCount> checked_{};
};

}  // namespace procs
