// The owner-data side of a ListModel: row count, selection and focus told to
// the control by difference, cells on screen painted again once per batch.
#include "ui/list_binding.h"

#include <algorithm>

namespace ui {

void ListBinding::CellBox::Add(std::size_t row0, std::size_t row1, std::size_t column0,
                               std::size_t column1) {
  if (Empty()) {
    *this = {row0, row1, column0, column1};
    return;
  }
  firstRow = std::min(firstRow, row0);
  lastRow = std::max(lastRow, row1);
  firstColumn = std::min(firstColumn, column0);
  lastColumn = std::max(lastColumn, column1);
}

ListBinding::ListBinding(ListModel& model, ListControl& control)
    : model_(model), control_(control) {
  model_.SetObserver(this);
  statesChanged_ = true;
  Flush();
}

ListBinding::~ListBinding() { model_.SetObserver(nullptr); }

// --- what the model reports -------------------------------------------------

// Only cells on screen are marked: the rows shown are known from the first
// change on and stay so until the control moves (a change that shifts rows
// marks every row below it).
void ListBinding::MarkCells(std::size_t firstRow, std::size_t lastRow, std::size_t firstColumn,
                            std::size_t lastColumn) {
  if (!shown_) return;
  const RowRange& range = Visible();
  firstRow = std::max(firstRow, range.first);
  lastRow = std::min(lastRow, range.first + range.count);
  if (firstRow <= lastRow) dirty_.Add(firstRow, lastRow, firstColumn, lastColumn);
}

void ListBinding::RowsChanged(std::size_t first, std::size_t last) {
  MarkCells(first, last, 0, kLastColumn);
  statesChanged_ = true;
}

void ListBinding::ItemInserted(std::size_t index) {
  RowsChanged(index, CellBox::kNone);  // every row below moved down
  Changed();
}

void ListBinding::ItemDeleted(std::size_t index) {
  RowsChanged(index, CellBox::kNone);
  Changed();
}

void ListBinding::ItemTextChanged(std::size_t index, std::size_t column) {
  if (column >= columnCount_) return;
  MarkCells(index, index, column, column);
  Changed();
}

void ListBinding::ItemSelectionChanged(std::size_t index) {
  statesChanged_ = true;
  if (model_.Item(index).selected) revealFocus_ = true;
  Changed();
}

void ListBinding::ItemsCleared() {
  RowsChanged(0, CellBox::kNone);
  Changed();
}

void ListBinding::ItemMoved(std::size_t from, std::size_t to) {
  RowsChanged(std::min(from, to), std::max(from, to));
  keepInSight_ = true;
  Changed();
}

void ListBinding::ItemsReordered(std::size_t) {
  RowsChanged(0, CellBox::kNone);
  keepInSight_ = true;
  Changed();
}

void ListBinding::ChangesEnded() {
  if (pending_) Flush();
}

void ListBinding::Changed() {
  if (model_.InBatch()) {
    pending_ = true;
  } else {
    Flush();
  }
}

// --- what the control holds ---------------------------------------------------

unsigned ListBinding::WantedState(std::size_t row, std::size_t count) const {
  if (row >= count) return 0;
  const ListItem& item = model_.Item(row);
  return (item.selected ? kRowSelected : 0u) | (item.focused ? kRowFocused : 0u);
}

unsigned ListBinding::ShownState(std::size_t row) const {
  unsigned state = shownFocus_ == row ? kRowFocused : 0u;
  if (row < shownSelected_.size() && shownSelected_[row]) state |= kRowSelected;
  return state;
}

void ListBinding::SetShownState(std::size_t row, unsigned state) {
  if (row < shownSelected_.size()) shownSelected_[row] = (state & kRowSelected) != 0;
  if ((state & kRowFocused) != 0) {
    shownFocus_ = row;
  } else if (shownFocus_ == row) {
    shownFocus_.reset();
  }
}

void ListBinding::CallSetState(std::size_t row, unsigned state, unsigned mask) {
  control_.SetRowState(static_cast<std::ptrdiff_t>(row), state, mask);
  SetShownState(row, (ShownState(row) & ~mask) | (state & mask));
}

std::optional<std::size_t> ListBinding::FirstShownSelected() const {
  const auto at = std::find(shownSelected_.begin(), shownSelected_.end(), true);
  if (at == shownSelected_.end()) return std::nullopt;
  return static_cast<std::size_t>(at - shownSelected_.begin());
}

const RowRange& ListBinding::Visible() {
  if (!visible_) visible_ = control_.VisibleRows();
  return *visible_;
}

bool ListBinding::InSight(std::size_t row) {
  const RowRange& range = Visible();
  return row >= range.first && row - range.first < range.count;
}

// A row whose new state has the focus has it, whatever the old state says:
// Wine's control does not always report the old state right.
bool ListBinding::StateChangedInControl(std::ptrdiff_t first, std::ptrdiff_t last,
                                        unsigned oldState, unsigned newState, bool byUser) {
  unsigned changed = (oldState ^ newState) & (kRowSelected | kRowFocused);
  if (first >= 0 && (newState & kRowFocused) != 0) changed |= kRowFocused;
  if (changed == 0) return false;
  // Inside a batch the control's rows are not yet the model's: the control is
  // put back in step when the batch ends.
  if (byUser && model_.InBatch()) {
    byUser = false;
    statesChanged_ = pending_ = true;
  }
  const std::size_t rows = shownSelected_.size();
  const std::size_t from = first < 0 ? 0 : static_cast<std::size_t>(first);
  const std::size_t to =
      first < 0 ? rows : std::min(rows, static_cast<std::size_t>(std::max(first, last)) + 1);
  if ((changed & kRowSelected) != 0) {
    const bool on = (newState & kRowSelected) != 0;
    for (std::size_t i = from; i < to; ++i) {
      shownSelected_[i] = on;
      if (byUser) model_.SelectionFromView(i, on);
    }
  }
  if ((changed & kRowFocused) != 0) {
    if ((newState & kRowFocused) != 0) {
      if (first >= 0 && from < rows && shownFocus_ != from) {
        shownFocus_ = from;
        if (byUser) model_.FocusFromView(from, true);
      }
    } else if (shownFocus_ && (first < 0 || (*shownFocus_ >= from && *shownFocus_ < to))) {
      if (byUser) model_.FocusFromView(*shownFocus_, false);
      shownFocus_.reset();
    }
  }
  return byUser && (changed & kRowSelected) != 0;
}

// --- the flush ----------------------------------------------------------------

void ListBinding::Flush() {
  pending_ = false;
  const std::size_t count = model_.Count();
  // Whether the selected row was in sight before rows moved: then it stays so.
  std::optional<std::size_t> keep;
  if (keepInSight_) {
    const auto selected = FirstShownSelected();
    if (selected && InSight(*selected)) keep = selected;
  }
  if (statesChanged_ || count != shownSelected_.size()) SyncStates(count);
  if (revealFocus_) {
    if (const auto focused = model_.Focused()) {
      control_.ShowRow(*focused);
      ViewMoved();
    }
  } else if (keep) {
    const auto selected = FirstShownSelected();
    if (selected && !InSight(*selected)) {
      control_.ShowRow(*selected);
      ViewMoved();
    }
  }
  Paint(count);
  dirty_ = {};
  statesChanged_ = revealFocus_ = keepInSight_ = false;
}

// States the control should no longer hold are taken back while their rows
// still exist; then the count; then the states that are new. The control's own
// notifications of these calls may update the record meanwhile, so every step
// reads it afresh.
void ListBinding::SyncStates(std::size_t count) {
  for (std::size_t row = 0; row < shownSelected_.size(); ++row) {
    const unsigned gone = ShownState(row) & ~WantedState(row, count);
    if (gone != 0) CallSetState(row, 0, gone);
  }
  if (shownFocus_ && *shownFocus_ >= shownSelected_.size()) shownFocus_.reset();
  if (count != shownSelected_.size()) {
    control_.SetRowCount(count);
    shownSelected_.resize(count, false);
    if (shownFocus_ && *shownFocus_ >= count) shownFocus_.reset();
    // Fewer rows than fill the screen from the top row on: the control scrolls back.
    if (visible_ && visible_->first > 0 && visible_->first + visible_->count > count) ViewMoved();
  }
  for (std::size_t row = 0; row < count; ++row) {
    const unsigned added = WantedState(row, count) & ~ShownState(row);
    if (added != 0) CallSetState(row, added, added);
  }
}

// Rows that came or went at the end the control paints itself when told the count.
void ListBinding::Paint(std::size_t count) {
  if (!shown_ || dirty_.Empty() || count == 0) return;
  const RowRange& range = Visible();
  const std::size_t first = std::max(dirty_.firstRow, range.first);
  const std::size_t last = std::min({dirty_.lastRow, range.first + range.count, count - 1});
  if (first > last) return;
  control_.InvalidateCells(first, last, dirty_.firstColumn, dirty_.lastColumn);
}

}  // namespace ui
