// Binds a ui::ListModel to a list view control made with LVS_OWNERDATA: the
// control holds only the row count and the selection and focus by row number;
// it asks for the texts, icons and indents of the cells it draws
// (LVN_GETDISPINFO, so other programs' LVM_GETITEMTEXT is answered too), and
// typing a name's first letters asks the model (LVN_ODFINDITEM). The selection
// made by the user comes back to the model; the model's is kept on the control
// by row, through every reorder, filter and rows coming and going.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "ui/list_binding.h"
#include "ui/list_control.h"
#include "ui/list_model.h"

namespace ui {

// After a change of DPI from `fromDpi` to `toDpi`: every column of every list
// view inside `window` keeps its width in logical pixels, the user's own
// widths included.
void ScaleListColumns(HWND window, int fromDpi, int toDpi);

// The ListControl calls as messages to a real list view.
class ListViewControl final : public ListControl {
 public:
  explicit ListViewControl(HWND list) : list_(list) {}
  // Whether the control's notifications now come from a call of the program.
  bool InProgramCall() const { return calling_; }
  // The columns the control has; cells are painted in those alone.
  void SetColumnCount(std::size_t count) { columnCount_ = count; }

  void SetRowCount(std::size_t count) override;
  RowRange VisibleRows() override;
  void InvalidateCells(std::size_t firstRow, std::size_t lastRow, std::size_t firstColumn,
                       std::size_t lastColumn) override;
  void SetRowState(std::ptrdiff_t row, unsigned state, unsigned mask) override;
  void ShowRow(std::size_t row) override;

 private:
  class ProgramCall {
   public:
    explicit ProgramCall(bool& flag) : flag_(flag), was_(flag) { flag_ = true; }
    ~ProgramCall() { flag_ = was_; }

   private:
    bool& flag_;
    bool was_;
  };

  HWND list_;
  std::size_t columnCount_ = 0;
  bool calling_ = false;
};

class ListViewBinding final {
 public:
  // `list` must have been made with LVS_OWNERDATA; it gets the model's rows.
  ListViewBinding(HWND list, ListModel& model);
  ~ListViewBinding();
  ListViewBinding(const ListViewBinding&) = delete;
  ListViewBinding& operator=(const ListViewBinding&) = delete;

  HWND Handle() const { return list_; }
  void SetColumns(const std::vector<ListColumn>& columns);
  // The sort arrow in one column's header (none when `column` is out of range).
  void ShowSortMark(std::size_t column, bool descending);

  // While the list's page is hidden nothing is drawn (under Wine each drawn
  // change is a call to the server); shown again, the list is drawn whole.
  // Follows the parent window's WM_SHOWWINDOW by itself.
  void SetShown(bool shown);

  // For the parent's WM_NOTIFY from this control. True when the user changed the
  // selection (the model has been told already). The cells the control asks
  // for are answered before the parent sees the notification.
  bool HandleNotify(const NMHDR& header);

 private:
  static LRESULT CALLBACK ListProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                   UINT_PTR id, DWORD_PTR self);
  static LRESULT CALLBACK ParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR id, DWORD_PTR self);
  // LVN_GETDISPINFO, LVN_ODFINDITEM, LVN_ODCACHEHINT: the answers only the model has.
  bool AnswerFromModel(const NMHDR& header, LRESULT& result);
  void GiveCell(LVITEMW& cell) const;
  LRESULT FindItem(const NMLVFINDITEMW& find) const;

  HWND list_;
  HWND parent_;
  ListModel& model_;
  std::size_t columnCount_ = 0;
  bool shown_ = true;
  ListViewControl control_;
  ListBinding binding_;
};

}  // namespace ui
