// Keeps a list view that holds no texts of its own in step with a ListModel:
// the control is told how many rows there are and which are selected and
// focused, and asks the model for the cells it draws. A change to a row off
// screen costs no call to the control; the changed cells on screen are painted
// again together when a ListModel::ChangeBatch ends (at once outside one).
#pragma once
#include <cstddef>
#include <optional>
#include <vector>

#include "ui/list_control.h"
#include "ui/list_model.h"

namespace ui {

class ListBinding final : public ListObserver {
 public:
  // The control gets the model's rows and their states.
  ListBinding(ListModel& model, ListControl& control);
  ~ListBinding() override;
  ListBinding(const ListBinding&) = delete;
  ListBinding& operator=(const ListBinding&) = delete;

  // Columns from `count` on hold data only the commands read: a change to them
  // is painted nowhere.
  void SetColumnCount(std::size_t count) { columnCount_ = count; }
  // Hidden, nothing is painted (the control is painted whole when shown again).
  void SetShown(bool shown) { shown_ = shown; }
  // The control may show other rows now (scrolled, resized): asked again when needed.
  void ViewMoved() { visible_.reset(); }

  // The control changed the state of rows first..last (first -1: every row)
  // from `oldState` to `newState` (RowState bits). By the user, the model
  // follows, and the result tells whether the selection changed; by the
  // program's own call, only the record of what the control holds does.
  bool StateChangedInControl(std::ptrdiff_t first, std::ptrdiff_t last, unsigned oldState,
                             unsigned newState, bool byUser);

  void ItemInserted(std::size_t index) override;
  void ItemDeleted(std::size_t index) override;
  void ItemTextChanged(std::size_t index, std::size_t column) override;
  void ItemSelectionChanged(std::size_t index) override;
  void ItemsCleared() override;
  void ItemMoved(std::size_t from, std::size_t to) override;
  void ItemsReordered(std::size_t count) override;
  void ChangesEnded() override;

 private:
  // The cells on screen waiting to be painted again: one box around all of
  // them, as under Wine every invalidation is a round trip to the server while
  // painting a clean cell again costs only drawing.
  struct CellBox {
    std::size_t firstRow = kNone, lastRow = 0, firstColumn = kNone, lastColumn = 0;
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
    bool Empty() const { return firstRow == kNone; }
    void Add(std::size_t row0, std::size_t row1, std::size_t column0, std::size_t column1);
  };

  void MarkCells(std::size_t firstRow, std::size_t lastRow, std::size_t firstColumn,
                 std::size_t lastColumn);
  void RowsChanged(std::size_t first, std::size_t last);
  void Changed();
  void Flush();
  void SyncStates(std::size_t count);
  void Paint(std::size_t count);
  unsigned WantedState(std::size_t row, std::size_t count) const;
  unsigned ShownState(std::size_t row) const;
  void SetShownState(std::size_t row, unsigned state);
  void CallSetState(std::size_t row, unsigned state, unsigned mask);
  const RowRange& Visible();
  bool InSight(std::size_t row);
  std::optional<std::size_t> FirstShownSelected() const;

  ListModel& model_;
  ListControl& control_;
  std::size_t columnCount_ = kLastColumn;
  bool shown_ = true;
  std::optional<RowRange> visible_;
  // What the control holds: a selection mark for each of its rows, its focus.
  std::vector<bool> shownSelected_;
  std::optional<std::size_t> shownFocus_;
  // Waiting for the flush.
  bool pending_ = false;
  CellBox dirty_;
  bool statesChanged_ = false;  // selection, focus or rows may differ from the control's
  bool revealFocus_ = false;    // the program selected a row: it comes into sight
  bool keepInSight_ = false;    // rows moved: the selected row stays in sight if it was
};

}  // namespace ui
