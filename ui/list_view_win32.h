// Mirrors a ui::ListModel onto a real list view control: items, texts and the
// selection made by the program go to the control; the selection made by the user
// comes back to the model. Items are changed in place, never rebuilt, so the
// control keeps its selection, focus and scroll position across updates.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "ui/list_model.h"

namespace ui {

// After a change of DPI from `fromDpi` to `toDpi`: every column of every list
// view inside `window` keeps its width in logical pixels, the user's own
// widths included.
void ScaleListColumns(HWND window, int fromDpi, int toDpi);

class ListViewBinding final : public ListObserver {
 public:
  // Fills the control with the items the model already holds.
  ListViewBinding(HWND list, ListModel& model);
  ~ListViewBinding() override;
  ListViewBinding(const ListViewBinding&) = delete;
  ListViewBinding& operator=(const ListViewBinding&) = delete;

  HWND Handle() const { return list_; }
  void SetColumns(const std::vector<ListColumn>& columns);
  // The sort arrow in one column's header (none when `column` is out of range).
  void ShowSortMark(std::size_t column, bool descending);

  // While the list's page is hidden, changes are made without drawing (under
  // Wine each changed cell of a drawn list is a call to the server); shown
  // again, the list is drawn whole.
  void SetShown(bool shown);

  // For the parent's WM_NOTIFY from this control. True when the user changed the
  // selection (the model has been told already).
  bool HandleNotify(const NMHDR& header);

  void ItemInserted(std::size_t index) override;
  void ItemDeleted(std::size_t index) override;
  void ItemTextChanged(std::size_t index, std::size_t column) override;
  void ItemSelectionChanged(std::size_t index) override;
  void ItemsCleared() override;
  // The selected item stays selected, and stays in sight if it was.
  void ItemMoved(std::size_t from, std::size_t to) override;
  // Every row is written again in place, so the scroll position stays.
  void ItemsReordered(std::size_t count) override;

 private:
  // While the program changes the control, its notifications are not the user's.
  class ProgramChange {
   public:
    explicit ProgramChange(bool& flag) : flag_(flag), was_(flag) { flag_ = true; }
    ~ProgramChange() { flag_ = was_; }

   private:
    bool& flag_;
    bool was_;
  };

  void WriteCell(std::size_t index, std::size_t column);
  bool InsertRow(std::size_t index);  // the item and its texts, without its state
  bool InSight(int item) const;

  HWND list_;
  ListModel& model_;
  std::size_t columnCount_ = 0;
  bool programChange_ = false;
  bool shown_ = true;
};

}  // namespace ui
