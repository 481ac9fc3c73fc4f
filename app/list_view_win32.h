// Mirrors an app::ListModel onto a real list view control: items, texts and the
// selection made by the program go to the control; the selection made by the user
// comes back to the model. Items are changed in place, never rebuilt, so the
// control keeps its selection, focus and scroll position across updates.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "app/list_model.h"

namespace app {

class ListViewBinding final : public ListObserver {
 public:
  // Fills the control with the items the model already holds.
  ListViewBinding(HWND list, ListModel& model);
  ~ListViewBinding() override;
  ListViewBinding(const ListViewBinding&) = delete;
  ListViewBinding& operator=(const ListViewBinding&) = delete;

  HWND Handle() const { return list_; }
  void SetColumns(const std::vector<ListColumn>& columns);

  // For the parent's WM_NOTIFY from this control. True when the user changed the
  // selection (the model has been told already).
  bool HandleNotify(const NMHDR& header);

  void ItemInserted(std::size_t index) override;
  void ItemDeleted(std::size_t index) override;
  void ItemTextChanged(std::size_t index, std::size_t column) override;
  void ItemSelectionChanged(std::size_t index) override;
  void ItemsCleared() override;

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

  HWND list_;
  ListModel& model_;
  std::size_t columnCount_ = 0;
  bool programChange_ = false;
};

}  // namespace app
