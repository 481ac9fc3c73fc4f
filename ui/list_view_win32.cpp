// The list view side of a ListModel: one control call per model change; and
// the columns' widths across a change of DPI.
#include "ui/list_view_win32.h"

#include <iterator>

#include "ui/dpi_win32.h"

namespace ui {

namespace {
LPWSTR TextPointer(const std::wstring& text) { return const_cast<LPWSTR>(text.c_str()); }
// Room for the header's margins and its sort arrow beside the caption.
constexpr int kHeaderPadding = 24;
int ColumnFormat(const ListColumn& column) {
  if (column.centred) return LVCFMT_CENTER;
  return column.rightAligned ? LVCFMT_RIGHT : LVCFMT_LEFT;
}

struct DpiStep {
  int from, to;
};

BOOL CALLBACK ScaleColumnsOfList(HWND child, LPARAM step) {
  wchar_t className[32] = {};
  GetClassNameW(child, className, static_cast<int>(std::size(className)));
  if (lstrcmpiW(className, WC_LISTVIEWW) != 0) return TRUE;
  const auto& dpi = *reinterpret_cast<const DpiStep*>(step);
  const int count = Header_GetItemCount(ListView_GetHeader(child));
  for (int c = 0; c < count; ++c) {
    const int width = ListView_GetColumnWidth(child, c);
    ListView_SetColumnWidth(child, c, MulDiv(width, dpi.to, dpi.from));
  }
  return TRUE;
}

}  // namespace

void ScaleListColumns(HWND window, int fromDpi, int toDpi) {
  if (fromDpi <= 0 || toDpi <= 0 || fromDpi == toDpi) return;
  DpiStep step{fromDpi, toDpi};
  EnumChildWindows(window, ScaleColumnsOfList, reinterpret_cast<LPARAM>(&step));
}

ListViewBinding::ListViewBinding(HWND list, ListModel& model) : list_(list), model_(model) {
  {
    ProgramChange change(programChange_);
    ListView_DeleteAllItems(list_);
  }
  for (std::size_t i = 0; i < model_.Count(); ++i) ItemInserted(i);
  model_.SetObserver(this);
}

ListViewBinding::~ListViewBinding() { model_.SetObserver(nullptr); }

void ListViewBinding::SetColumns(const std::vector<ListColumn>& columns) {
  ProgramChange change(programChange_);
  while (ListView_DeleteColumn(list_, 0)) {
  }
  const int dpi = WindowDpi(list_);
  for (std::size_t c = 0; c < columns.size(); ++c) {
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
    column.fmt = ColumnFormat(columns[c]);
    column.cx = columns[c].width > 0
                    ? Scale(columns[c].width, dpi)
                    : ListView_GetStringWidth(list_, columns[c].caption.c_str()) +
                          Scale(kHeaderPadding, dpi);
    column.pszText = TextPointer(columns[c].caption);
    column.iSubItem = static_cast<int>(c);
    ListView_InsertColumn(list_, static_cast<int>(c), &column);
  }
  // The first column of a list view is always left-aligned at insertion; set it again.
  if (!columns.empty() && ColumnFormat(columns[0]) != LVCFMT_LEFT) {
    LVCOLUMNW first{};
    first.mask = LVCF_FMT;
    first.fmt = ColumnFormat(columns[0]);
    ListView_SetColumn(list_, 0, &first);
  }
  columnCount_ = columns.size();
  // Cells under new headers keep their fixed order; fill any column that is new.
  for (std::size_t i = 0; i < model_.Count(); ++i)
    for (std::size_t c = 1; c < columnCount_; ++c) WriteCell(i, c);
}

void ListViewBinding::ShowSortMark(std::size_t column, bool descending) {
  HWND header = ListView_GetHeader(list_);
  for (std::size_t c = 0; c < columnCount_; ++c) {
    HDITEMW item{};
    item.mask = HDI_FORMAT;
    if (!Header_GetItem(header, static_cast<int>(c), &item)) continue;
    item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
    if (c == column) item.fmt |= descending ? HDF_SORTDOWN : HDF_SORTUP;
    Header_SetItem(header, static_cast<int>(c), &item);
  }
}

bool ListViewBinding::HandleNotify(const NMHDR& header) {
  if (header.hwndFrom != list_ || header.code != LVN_ITEMCHANGED || programChange_) return false;
  const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
  if ((change.uChanged & LVIF_STATE) == 0) return false;
  if (((change.uOldState ^ change.uNewState) & LVIS_SELECTED) == 0) return false;
  const bool selected = (change.uNewState & LVIS_SELECTED) != 0;
  if (change.iItem < 0) {
    // A change of every item at once (select all, clear all).
    for (std::size_t i = 0; i < model_.Count(); ++i) model_.SelectionFromView(i, selected);
  } else {
    model_.SelectionFromView(static_cast<std::size_t>(change.iItem), selected);
  }
  return true;
}

bool ListViewBinding::InsertRow(std::size_t index) {
  const ListItem& item = model_.Item(index);
  LVITEMW row{};
  row.mask = LVIF_TEXT | LVIF_IMAGE;
  row.iItem = static_cast<int>(index);
  row.pszText = TextPointer(item.caption);
  row.iImage = item.imageIndex;
  if (ListView_InsertItem(list_, &row) < 0) return false;
  for (std::size_t c = 1; c < columnCount_; ++c) WriteCell(index, c);
  return true;
}

void ListViewBinding::ItemInserted(std::size_t index) {
  ProgramChange change(programChange_);
  if (InsertRow(index) && model_.Item(index).selected) ItemSelectionChanged(index);
}

bool ListViewBinding::InSight(int item) const {
  const int top = ListView_GetTopIndex(list_);
  return item >= top && item < top + ListView_GetCountPerPage(list_);
}

void ListViewBinding::ItemMoved(std::size_t from, std::size_t to) {
  ProgramChange change(programChange_);
  const int old = static_cast<int>(from);
  const bool wasInSight = InSight(old);
  ListView_DeleteItem(list_, old);
  if (!InsertRow(to) || !model_.Item(to).selected) return;
  const int item = static_cast<int>(to);
  ListView_SetItemState(list_, item, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  if (wasInSight) ListView_EnsureVisible(list_, item, FALSE);
}

void ListViewBinding::ItemDeleted(std::size_t index) {
  ProgramChange change(programChange_);
  ListView_DeleteItem(list_, static_cast<int>(index));
}

void ListViewBinding::ItemTextChanged(std::size_t index, std::size_t column) {
  ProgramChange change(programChange_);
  if (column == 0) {
    // The caption and the picture travel together.
    LVITEMW row{};
    row.mask = LVIF_TEXT | LVIF_IMAGE;
    row.iItem = static_cast<int>(index);
    row.pszText = TextPointer(model_.Item(index).caption);
    row.iImage = model_.Item(index).imageIndex;
    ListView_SetItem(list_, &row);
    return;
  }
  if (column < columnCount_) WriteCell(index, column);
}

void ListViewBinding::ItemsReordered(std::size_t count) {
  ProgramChange change(programChange_);
  const int selectedBefore = ListView_GetNextItem(list_, -1, LVNI_SELECTED);
  const bool wasInSight = selectedBefore >= 0 && InSight(selectedBefore);
  if (shown_) SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
  std::optional<std::size_t> selected;
  for (std::size_t i = 0; i < count; ++i) {
    ItemTextChanged(i, 0);
    for (std::size_t c = 1; c < columnCount_; ++c) WriteCell(i, c);
    const bool on = model_.Item(i).selected;
    if (on && !selected) selected = i;
    ListView_SetItemState(list_, static_cast<int>(i), on ? LVIS_SELECTED | LVIS_FOCUSED : 0,
                          LVIS_SELECTED | LVIS_FOCUSED);
  }
  if (shown_) {
    SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list_, nullptr, FALSE);
  }
  if (selected && wasInSight) ListView_EnsureVisible(list_, static_cast<int>(*selected), FALSE);
}

void ListViewBinding::ItemSelectionChanged(std::size_t index) {
  ProgramChange change(programChange_);
  const int item = static_cast<int>(index);
  if (model_.Item(index).selected) {
    ListView_SetItemState(list_, item, LVIS_SELECTED | LVIS_FOCUSED,
                          LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(list_, item, FALSE);
  } else {
    ListView_SetItemState(list_, item, 0, LVIS_SELECTED);
  }
}

void ListViewBinding::ItemsCleared() {
  ProgramChange change(programChange_);
  ListView_DeleteAllItems(list_);
}

void ListViewBinding::SetShown(bool shown) {
  if (shown == shown_) return;
  shown_ = shown;
  SendMessageW(list_, WM_SETREDRAW, shown ? TRUE : FALSE, 0);
  if (shown) InvalidateRect(list_, nullptr, TRUE);
}

void ListViewBinding::WriteCell(std::size_t index, std::size_t column) {
  ListView_SetItemText(list_, static_cast<int>(index), static_cast<int>(column),
                       TextPointer(model_.Text(index, column)));
}

}  // namespace ui
