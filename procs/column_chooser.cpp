// The column chooser's boxes and what confirming them does to the page.
#include "procs/column_chooser.h"

namespace procs {

std::wstring HeaderOfCaption(const std::wstring& caption) {
  return caption.substr(0, caption.find(L'('));
}

ColumnChooser::ColumnChooser(ProcessesPage& page, ui::UpdateTimer& timer)
    : page_(page), timer_(timer) {
  for (std::size_t b = 0; b < kChooserBoxCount; ++b) {
    checked_[b] = ChooserBoxes()[b].fixed;
    for (const ProcessColumn& column : page_.Columns())
      if (column.kind == ChooserBoxes()[b].kind) checked_[b] = true;
  }
}

void ColumnChooser::SetChecked(std::size_t box, bool checked) {
  if (box < kChooserBoxCount) checked_[box] = checked || ChooserBoxes()[box].fixed;
}

std::vector<ProcessColumn> ColumnChooser::ChosenColumns() const {
  std::vector<ProcessColumn> columns;
  for (std::size_t b = 0; b < kChooserBoxCount; ++b) {
    if (!checked_[b]) continue;
    const ColumnSpec& box = ChooserBoxes()[b];
    columns.push_back({box.kind, HeaderOfCaption(box.caption), box.width, true});
  }
  return columns;
}

void ColumnChooser::BitBtn1Click() {
  ui::TimerHold hold(timer_, ui::TimerHold::Afterwards::kAsBefore);
  page_.SetColumns(ChosenColumns());
}

}  // namespace procs
