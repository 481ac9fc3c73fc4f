// The list view side of a ListModel: an owner-data list view answered from the
// model, its selection kept by the portable ListBinding; and the columns'
// widths across a change of DPI.
#include "ui/list_view_win32.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <optional>

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

unsigned RowStateOf(UINT listState) {
  return ((listState & LVIS_SELECTED) != 0 ? kRowSelected : 0u) |
         ((listState & LVIS_FOCUSED) != 0 ? kRowFocused : 0u);
}

UINT ListStateOf(unsigned rowState) {
  return ((rowState & kRowSelected) != 0 ? LVIS_SELECTED : 0u) |
         ((rowState & kRowFocused) != 0 ? LVIS_FOCUSED : 0u);
}

// Messages after which the control still shows the same rows; any other may
// have scrolled or resized it.
bool KeepsRowsInPlace(UINT message) {
  switch (message) {
    case WM_PAINT:
    case WM_NCPAINT:
    case WM_ERASEBKGND:
    case WM_PRINTCLIENT:
    case WM_NCHITTEST:
    case WM_SETCURSOR:
    case WM_MOUSEMOVE:
    case WM_GETOBJECT:
    case LVM_GETITEMW:
    case LVM_GETITEMA:
    case LVM_GETITEMTEXTW:
    case LVM_GETITEMTEXTA:
    case LVM_GETITEMSTATE:
    case LVM_GETITEMCOUNT:
    case LVM_GETNEXTITEM:
    case LVM_GETSELECTEDCOUNT:
    case LVM_GETTOPINDEX:
    case LVM_GETCOUNTPERPAGE:
    case LVM_GETITEMRECT:
    case LVM_GETSUBITEMRECT:
    case LVM_REDRAWITEMS:
    case LVM_SETITEMSTATE:
    case LVM_SETITEMCOUNT:  // the binding knows when that scrolls
      return true;
    default:
      return false;
  }
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

// --- the control --------------------------------------------------------------

void ListViewControl::SetRowCount(std::size_t count) {
  ProgramCall call(calling_);
  ListView_SetItemCountEx(list_, static_cast<int>(count), LVSICF_NOSCROLL | LVSICF_NOINVALIDATEALL);
}

RowRange ListViewControl::VisibleRows() {
  // In the icon views every row counts as shown (the control says 0 and the count).
  const int top = ListView_GetTopIndex(list_);
  const int perPage = ListView_GetCountPerPage(list_);
  return {static_cast<std::size_t>(std::max(0, top)),
          static_cast<std::size_t>(std::max(0, perPage))};
}

void ListViewControl::InvalidateCells(std::size_t firstRow, std::size_t lastRow,
                                      std::size_t firstColumn, std::size_t lastColumn) {
  const int first = static_cast<int>(firstRow), last = static_cast<int>(lastRow);
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(list_, GWL_STYLE));
  if ((style & LVS_TYPEMASK) == LVS_REPORT && columnCount_ > 0 && firstColumn < columnCount_) {
    // The box from the first cell to the last; a subitem 0 box is the whole row.
    const auto left = static_cast<int>(firstColumn);
    const auto right = static_cast<int>(std::min(lastColumn, columnCount_ - 1));
    RECT from{}, to{}, box{};
    if (ListView_GetSubItemRect(list_, first, left, LVIR_BOUNDS, &from) &&
        ListView_GetSubItemRect(list_, last, right, LVIR_BOUNDS, &to)) {
      UnionRect(&box, &from, &to);
      InvalidateRect(list_, &box, FALSE);
      return;
    }
  }
  ListView_RedrawItems(list_, first, last);
}

void ListViewControl::SetRowState(std::ptrdiff_t row, unsigned state, unsigned mask) {
  ProgramCall call(calling_);
  ListView_SetItemState(list_, static_cast<int>(row), ListStateOf(state), ListStateOf(mask));
}

void ListViewControl::ShowRow(std::size_t row) {
  ProgramCall call(calling_);
  ListView_EnsureVisible(list_, static_cast<int>(row), FALSE);
}

// --- the binding --------------------------------------------------------------

ListViewBinding::ListViewBinding(HWND list, ListModel& model)
    : list_(list),
      parent_(GetParent(list)),
      model_(model),
      control_(list),
      binding_(model, control_) {
  const auto id = reinterpret_cast<UINT_PTR>(this);
  SetWindowSubclass(list_, ListProc, id, reinterpret_cast<DWORD_PTR>(this));
  SetWindowSubclass(parent_, ParentProc, id, reinterpret_cast<DWORD_PTR>(this));
  // A list on a hidden page draws nothing until its page is shown.
  SetShown((GetWindowLongW(parent_, GWL_STYLE) & WS_VISIBLE) != 0);
}

ListViewBinding::~ListViewBinding() {
  const auto id = reinterpret_cast<UINT_PTR>(this);
  if (IsWindow(list_)) RemoveWindowSubclass(list_, ListProc, id);
  if (IsWindow(parent_)) RemoveWindowSubclass(parent_, ParentProc, id);
}

LRESULT CALLBACK ListViewBinding::ListProc(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam, UINT_PTR id, DWORD_PTR self) {
  if (message == WM_NCDESTROY) RemoveWindowSubclass(window, ListProc, id);
  const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
  if (!KeepsRowsInPlace(message)) reinterpret_cast<ListViewBinding*>(self)->binding_.ViewMoved();
  return result;
}

// The answers only the model has are given before the parent sees the
// notification: the pages need not pass them on. The parent's showing and
// hiding (a page of the tab control) starts and stops the list's drawing.
LRESULT CALLBACK ListViewBinding::ParentProc(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam, UINT_PTR id, DWORD_PTR self) {
  auto& binding = *reinterpret_cast<ListViewBinding*>(self);
  if (message == WM_NOTIFY) {
    const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
    LRESULT result = 0;
    if (header.hwndFrom == binding.list_ && binding.AnswerFromModel(header, result)) return result;
  } else if (message == WM_SHOWWINDOW) {
    binding.SetShown(wParam != FALSE);
  } else if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(window, ParentProc, id);
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

bool ListViewBinding::AnswerFromModel(const NMHDR& header, LRESULT& result) {
  result = 0;
  switch (header.code) {
    case LVN_GETDISPINFOW:
      GiveCell(const_cast<NMLVDISPINFOW&>(reinterpret_cast<const NMLVDISPINFOW&>(header)).item);
      return true;
    case LVN_ODFINDITEMW:
      result = FindItem(reinterpret_cast<const NMLVFINDITEMW&>(header));
      return true;
    case LVN_ODCACHEHINT:  // every row is in memory already
      return true;
    default:
      return false;
  }
}

// Every column the model has is answered, hidden data included, for whoever asks.
void ListViewBinding::GiveCell(LVITEMW& cell) const {
  if (cell.iItem < 0 || static_cast<std::size_t>(cell.iItem) >= model_.Count() || cell.iSubItem < 0)
    return;
  const auto row = static_cast<std::size_t>(cell.iItem);
  const ListItem& item = model_.Item(row);
  if ((cell.mask & LVIF_TEXT) != 0 && cell.pszText != nullptr && cell.cchTextMax > 0) {
    const std::wstring& text = model_.Text(row, static_cast<std::size_t>(cell.iSubItem));
    const std::size_t length =
        std::min(text.size(), static_cast<std::size_t>(cell.cchTextMax) - 1);
    std::copy_n(text.c_str(), length, cell.pszText);
    cell.pszText[length] = L'\0';
  }
  if ((cell.mask & LVIF_IMAGE) != 0 && cell.iSubItem == 0) cell.iImage = item.imageIndex;
  if ((cell.mask & LVIF_INDENT) != 0) cell.iIndent = item.indent;
  if ((cell.mask & LVIF_PARAM) != 0) cell.lParam = static_cast<LPARAM>(item.key);
}

// Typing in the list asks for the first caption from the focused row on that
// begins with what was typed; other programs may ask for a whole caption or a key.
LRESULT ListViewBinding::FindItem(const NMLVFINDITEMW& find) const {
  const LVFINDINFOW& what = find.lvfi;
  std::optional<std::size_t> found;
  if ((what.flags & LVFI_PARAM) != 0) {
    found = model_.FindByKey(static_cast<std::int64_t>(what.lParam));
  } else if ((what.flags & (LVFI_STRING | LVFI_PARTIAL)) != 0 && what.psz != nullptr) {
    found = model_.FindCaption(what.psz, static_cast<std::size_t>(std::max(0, find.iStart)),
                               (what.flags & LVFI_PARTIAL) != 0, (what.flags & LVFI_WRAP) != 0);
  }
  return found ? static_cast<LRESULT>(*found) : -1;
}

void ListViewBinding::SetColumns(const std::vector<ListColumn>& columns) {
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
  control_.SetColumnCount(columnCount_);
  binding_.SetColumnCount(columnCount_);
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
  if (header.hwndFrom != list_) return false;
  const bool byUser = !control_.InProgramCall();
  if (header.code == LVN_ITEMCHANGED) {
    const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
    if ((change.uChanged & LVIF_STATE) == 0) return false;
    return binding_.StateChangedInControl(change.iItem, change.iItem, RowStateOf(change.uOldState),
                                          RowStateOf(change.uNewState), byUser);
  }
  if (header.code == LVN_ODSTATECHANGED) {
    // A range at once: shift+click, or a drag over several rows.
    const auto& change = reinterpret_cast<const NMLVODSTATECHANGE&>(header);
    return binding_.StateChangedInControl(change.iFrom, change.iTo, RowStateOf(change.uOldState),
                                          RowStateOf(change.uNewState), byUser);
  }
  return false;
}

void ListViewBinding::SetShown(bool shown) {
  if (shown == shown_) return;
  shown_ = shown;
  binding_.SetShown(shown);
  SendMessageW(list_, WM_SETREDRAW, shown ? TRUE : FALSE, 0);
  if (shown) InvalidateRect(list_, nullptr, TRUE);
}

}  // namespace ui
