// The Processes page: reconciliation of the list with the process table, its
// columns, order and user filter, and the commands on the selected process.
#include "procs/processes_page.h"

#include <algorithm>
#include <bit>
#include <cwctype>
#include <numeric>
#include <string>

#include "procs/process_format.h"
#include "procs/process_snapshot.h"
#include "ui/list_reorder.h"

namespace procs {

namespace {

bool SameNameNoCase(const std::wstring& a, const std::wstring& b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](wchar_t x, wchar_t y) {
           return std::towlower(static_cast<std::wint_t>(x)) ==
                  std::towlower(static_cast<std::wint_t>(y));
         });
}

// Plain ASCII is lowered by hand: the filter looks at every row's texts.
wchar_t Lower(wchar_t c) {
  if (c < 0x80) return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
  return static_cast<wchar_t>(std::towlower(static_cast<std::wint_t>(c)));
}

// Whether `text` contains `lowerNeedle` (already in lower case), ignoring case.
bool ContainsNoCase(const std::wstring& text, const std::wstring& lowerNeedle) {
  return std::search(text.begin(), text.end(), lowerNeedle.begin(), lowerNeedle.end(),
                     [](wchar_t x, wchar_t y) { return Lower(x) == y; }) != text.end();
}

// The kinds whose text the filter looks at, apart from the PID: a row whose text
// changed is matched again.
constexpr std::uint32_t kFilteredTextKinds =
    ChangeBit(ColumnKind::kImageName) | ChangeBit(ColumnKind::kUserName) |
    ChangeBit(ColumnKind::kPath) | ChangeBit(ColumnKind::kCommandLine) |
    ChangeBit(ColumnKind::kDescription);

}  // namespace

ProcessesPage::ProcessesPage(ProcessTable& table, ui::ListModel& list,
                             platform::ProcessApi& processes, platform::ShellApi& shell,
                             platform::Dialogs& dialogs, platform::DebuggerApi& debugger,
                             const bool& closing)
    : table_(table),
      list_(list),
      processes_(processes),
      shell_(shell),
      dialogs_(dialogs),
      debugger_(debugger),
      closing_(closing),
      currentUser_(processes.CurrentUserName()) {
  SetColumns(DefaultColumns());
}

// --- columns ------------------------------------------------------------------

std::vector<ui::ListColumn> ProcessesPage::ListColumns() const {
  std::vector<ui::ListColumn> headers;
  for (const ProcessColumn& column : columns_)
    headers.push_back({column.caption, column.width, column.rightAligned});
  return headers;
}

void ProcessesPage::SetColumns(std::vector<ProcessColumn> columns) {
  const ui::ListModel::ChangeBatch batch(list_);
  columns_ = std::move(columns);
  shownKinds_ = 0;
  for (std::size_t c = 0; c < columns_.size(); ++c) {
    shownKinds_ |= ChangeBit(columns_[c].kind);
    columnOfKind_[static_cast<std::size_t>(columns_[c].kind)] = c;
  }
  table_.SetWantsGuiCounts((shownKinds_ & (ChangeBit(ColumnKind::kUserObjects) |
                                           ChangeBit(ColumnKind::kGdiObjects))) != 0);
  table_.SetWantsIdentity(
      (shownKinds_ & (ChangeBit(ColumnKind::kCommandLine) | ChangeBit(ColumnKind::kDescription) |
                      ChangeBit(ColumnKind::kCompany) | ChangeBit(ColumnKind::kPlatform))) != 0);
  // An order by a column that is no longer there would puzzle: keep the order as it is.
  if (sort_ && (shownKinds_ & ChangeBit(sort_->kind)) == 0) sort_.reset();
  for (std::size_t i = 0; i < list_.Count(); ++i)
    if (const TprocTimeInfo* row = table_.Find(list_.Item(i).key)) RewriteItem(i, *row);
  if (treeView_) ArrangeTree();
  if (columnsChanged_) columnsChanged_();
}

ui::ListItem ProcessesPage::MakeItem(const TprocTimeInfo& row) {
  ui::ListItem item;
  item.key = row.ProcessId;
  for (std::size_t c = 0; c < columns_.size(); ++c) {
    FormatCell(row, columns_[c].kind, scratch_);
    if (c == 0) {
      item.caption = scratch_;
    } else {
      item.subItems.push_back(scratch_);
    }
  }
  return item;
}

void ProcessesPage::RewriteItem(std::size_t index, const TprocTimeInfo& row) {
  for (std::size_t c = 0; c < columns_.size(); ++c) {
    FormatCell(row, columns_[c].kind, scratch_);
    list_.SetText(index, c, scratch_);
  }
}

// Only the changed figures of shown columns are formatted; a renewed row brings
// a new identity and is rewritten whole.
void ProcessesPage::RefreshItem(std::size_t index, TprocTimeInfo& row) {
  const std::uint32_t changed = row.Changed & shownKinds_;
  row.Changed = 0;
  if (row.Renewed) {
    row.Renewed = false;
    RewriteItem(index, row);
    return;
  }
  // By changed kind rather than by column: the cost does not grow with the columns.
  for (std::uint32_t left = changed; left != 0; left &= left - 1) {
    const auto kind = static_cast<ColumnKind>(std::countr_zero(left));
    const std::size_t c = columnOfKind_[static_cast<std::size_t>(kind)];
    if (const std::wstring* stored = StoredText(row, kind)) {
      list_.SetText(index, c, *stored);
    } else {
      FormatCell(row, kind, scratch_);
      list_.SetText(index, c, scratch_);
    }
  }
}

// --- update -------------------------------------------------------------------

TprocTimeInfo* ProcessesPage::TakeListedRow(std::int64_t pid) {
  TprocTimeInfo* row = table_.Find(pid);
  if (row == nullptr || row->Listed != kRefreshed) return nullptr;
  row->Listed = kShown;
  return row;
}

bool ProcessesPage::Shows(TprocTimeInfo& row) const {
  return ShowsUser(row) && MatchesFilter(row);
}

bool ProcessesPage::MatchesFilter(TprocTimeInfo& row) const {
  if (filter_.empty()) return true;
  if ((row.Changed & kFilteredTextKinds) != 0 || row.Renewed) row.FilterGeneration = 0;
  if (row.FilterGeneration != filterGeneration_) {
    row.FilterGeneration = filterGeneration_;
    row.FilterMatch = ContainsNoCase(row.ImageName, filter_) ||
                      ContainsNoCase(std::to_wstring(row.ProcessId), filter_) ||
                      ContainsNoCase(row.UserName, filter_) ||
                      ContainsNoCase(row.ImagePath, filter_) ||
                      ContainsNoCase(row.CommandLine, filter_) ||
                      ContainsNoCase(row.Description, filter_);
  }
  return row.FilterMatch;
}

bool ProcessesPage::ShowsUser(const TprocTimeInfo& row) const {
  // Without knowing who this program runs as, hiding anything would be a guess.
  return showAllUsers_ || row.UserName.empty() || !currentUser_ ||
         SameNameNoCase(row.UserName, *currentUser_);
}

void ProcessesPage::UpdateProcessList() {
  const ui::ListModel::ChangeBatch batch(list_);
  bool orderTouched = false;
  // Items are visited from the last so that deleting one does not skip another.
  for (std::size_t i = list_.Count(); i-- > 0;) {
    if (closing_) return;
    const std::int64_t pid = list_.Item(i).key;
    if (TprocTimeInfo* row = TakeListedRow(pid)) {
      if (treeView_) {
        MatchesFilter(*row);  // while the row still tells which texts changed
        RefreshItem(i, *row);
        continue;
      }
      // Only a renewed row can have changed its user; the filter looks at texts too.
      if ((row->Renewed || (!filter_.empty() && (row->Changed & kFilteredTextKinds) != 0)) &&
          !Shows(*row)) {
        // Another user's process took over the identifier, or the row no longer
        // matches the filter: the rows pass below hides it.
        row->Listed = kRefreshed;
        list_.Delete(i);
        continue;
      }
      if (sort_ && (row->Renewed || (row->Changed & ChangeBit(sort_->kind)) != 0))
        orderTouched = true;
      RefreshItem(i, *row);
    } else if (const TprocTimeInfo* gone = table_.Find(pid); gone && gone->Listed == kShown) {
      // Not refreshed by the last snapshot: the process has ended.
      table_.Free(pid);
      list_.Delete(i);
    }
  }
  // Rows of processes ended from the page have no item any more; free them unless
  // the process is still there (then it is listed again below).
  for (const std::int64_t pid : endedFromPage_) {
    if (const TprocTimeInfo* row = table_.Find(pid); row && row->Listed == kShown)
      table_.Free(pid);
  }
  endedFromPage_.clear();
  if (orderTouched) KeepSorted();
  for (std::size_t r = 0; r < table_.Capacity(); ++r) {
    if (closing_) return;
    TprocTimeInfo& row = table_.Row(r);
    if (row.ProcessId == ProcessTable::kFree) continue;
    if (row.Listed == kFilteredOut) {
      table_.Free(row.ProcessId);  // a hidden process the snapshot no longer had
      continue;
    }
    if (row.Listed != kRefreshed) continue;
    if (treeView_ || !Shows(row)) {
      if (treeView_) MatchesFilter(row);  // the tree lists it, or not, below
      row.Listed = kFilteredOut;
      row.Renewed = false;
      row.Changed = 0;
      continue;
    }
    ShowRow(row);
  }
  if (treeView_) ArrangeTree();
}

void ProcessesPage::ShowRow(TprocTimeInfo& row) {
  row.Listed = kShown;
  row.Renewed = false;
  row.Changed = 0;
  ui::ListItem item = MakeItem(row);
  if (!sort_) {
    list_.Append(std::move(item));
    return;
  }
  // After every item it does not sort before, so equal ones keep their arrival order.
  std::size_t low = 0, high = list_.Count();
  while (low < high) {
    const std::size_t middle = low + (high - low) / 2;
    const TprocTimeInfo* other = table_.Find(list_.Item(middle).key);
    if (other != nullptr && Before(row, *other)) {
      high = middle;
    } else {
      low = middle + 1;
    }
  }
  list_.Insert(low, std::move(item));
}

// --- order --------------------------------------------------------------------

bool ProcessesPage::Before(const TprocTimeInfo& a, const TprocTimeInfo& b) const {
  const int order = CompareRows(a, b, sort_->kind);
  return sort_->descending ? order > 0 : order < 0;
}

void ProcessesPage::SortByColumn(std::size_t column) {
  const ui::ListModel::ChangeBatch batch(list_);
  if (column >= columns_.size()) return;
  const ColumnKind kind = columns_[column].kind;
  if (sort_ && sort_->kind == kind) {
    sort_->descending = !sort_->descending;
  } else {
    sort_ = SortOrder{kind, false};
  }
  if (treeView_) {
    ArrangeTree();
    return;
  }
  KeepSorted();
}

std::optional<std::size_t> ProcessesPage::SortColumn() const {
  if (!sort_) return std::nullopt;
  for (std::size_t c = 0; c < columns_.size(); ++c)
    if (columns_[c].kind == sort_->kind) return c;
  return std::nullopt;
}

void ProcessesPage::KeepSorted() {
  const std::size_t n = list_.Count();
  rowsOfItems_.resize(n);
  for (std::size_t i = 0; i < n; ++i) rowsOfItems_[i] = table_.Find(list_.Item(i).key);
  // An item without a row (none is expected) sorts first rather than break the order.
  const auto before = [this](std::size_t a, std::size_t b) {
    const TprocTimeInfo* x = rowsOfItems_[a];
    const TprocTimeInfo* y = rowsOfItems_[b];
    if (x == nullptr || y == nullptr) return x == nullptr && y != nullptr;
    return Before(*x, *y);
  };
  bool sorted = true;
  for (std::size_t i = 1; i < n && sorted; ++i) sorted = !before(i, i - 1);
  if (sorted) return;
  order_.resize(n);
  std::iota(order_.begin(), order_.end(), std::size_t{0});
  std::stable_sort(order_.begin(), order_.end(), before);
  ui::ReorderList(list_, order_);
}

// --- user filter --------------------------------------------------------------

void ProcessesPage::SetShowAllUsers(bool all) {
  const ui::ListModel::ChangeBatch batch(list_);
  if (all == showAllUsers_) return;
  showAllUsers_ = all;
  if (treeView_) {
    ArrangeTree();
    return;
  }
  if (all) {
    for (std::size_t r = 0; r < table_.Capacity(); ++r) {
      TprocTimeInfo& row = table_.Row(r);
      if (row.ProcessId != ProcessTable::kFree && row.Listed == kFilteredOut && Shows(row))
        ShowRow(row);
    }
    return;
  }
  for (std::size_t i = list_.Count(); i-- > 0;) {
    TprocTimeInfo* row = table_.Find(list_.Item(i).key);
    if (row == nullptr || Shows(*row)) continue;
    if (row->Listed == kShown) row->Listed = kFilteredOut;
    list_.Delete(i);
  }
}

// --- filter text --------------------------------------------------------------

void ProcessesPage::SetFilterText(const std::wstring& text) {
  const ui::ListModel::ChangeBatch batch(list_);
  std::wstring lower(text.size(), L'\0');
  std::transform(text.begin(), text.end(), lower.begin(), Lower);
  if (lower == filter_) return;
  filter_ = std::move(lower);
  ++filterGeneration_;
  if (treeView_) {
    ArrangeTree();
    return;
  }
  std::vector<std::size_t> leaving;  // items, from the last
  for (std::size_t i = list_.Count(); i-- > 0;) {
    TprocTimeInfo* row = table_.Find(list_.Item(i).key);
    if (row == nullptr || MatchesFilter(*row)) continue;
    if (row->Listed == kShown) row->Listed = kFilteredOut;
    leaving.push_back(i);
  }
  std::vector<TprocTimeInfo*> coming;
  for (std::size_t r = 0; r < table_.Capacity(); ++r) {
    TprocTimeInfo& row = table_.Row(r);
    if (row.ProcessId != ProcessTable::kFree && row.Listed == kFilteredOut && Shows(row))
      coming.push_back(&row);
  }
  for (TprocTimeInfo* row : coming) row->Listed = kShown;
  // A few changes are made item by item; many rebuild the list in one pass, as
  // one keystroke can hide or bring back thousands of rows.
  if (leaving.size() + coming.size() <= ui::MostSingleMoves(list_.Count())) {
    for (const std::size_t i : leaving) list_.Delete(i);
    for (TprocTimeInfo* row : coming) ShowRow(*row);
    return;
  }
  RebuildList(leaving, coming);
}

void ProcessesPage::RebuildList(const std::vector<std::size_t>& leaving,
                                std::vector<TprocTimeInfo*>& coming) {
  if (sort_) {
    std::stable_sort(coming.begin(), coming.end(),
                     [this](const TprocTimeInfo* a, const TprocTimeInfo* b) {
                       return Before(*a, *b);
                     });
  }
  std::vector<ui::ListItem> old = list_.TakeItems();
  std::vector<ui::ListItem> items;
  items.reserve(old.size() - leaving.size() + coming.size());
  auto next = coming.begin();
  auto gone = leaving.rbegin();  // ascending
  for (std::size_t i = 0; i < old.size(); ++i) {
    if (gone != leaving.rend() && *gone == i) {
      ++gone;
      continue;
    }
    // Newcomers go before the first kept item they sort before, as ShowRow places them.
    if (sort_) {
      const TprocTimeInfo* kept = table_.Find(old[i].key);
      while (next != coming.end() && kept != nullptr && Before(**next, *kept))
        items.push_back(MakeItem(**next++));
    }
    items.push_back(std::move(old[i]));
  }
  while (next != coming.end()) items.push_back(MakeItem(**next++));
  for (ui::ListItem& item : items) list_.Append(std::move(item));
}

// --- tree ---------------------------------------------------------------------

void ProcessesPage::SetTreeView(bool on) {
  const ui::ListModel::ChangeBatch batch(list_);
  if (on == treeView_) return;
  treeView_ = on;
  if (on) {
    ArrangeTree();
  } else {
    LeaveTree();
  }
}

void ProcessesPage::ArrangeTree() {
  treeRows_.clear();
  for (std::size_t r = 0; r < table_.Capacity(); ++r) {
    TprocTimeInfo& row = table_.Row(r);
    if (row.ProcessId == ProcessTable::kFree) continue;
    row.Listed = kFilteredOut;
    // A process ended from here stays off the list unless the next update sees it.
    if (ShowsUser(row) &&
        std::find(endedFromPage_.begin(), endedFromPage_.end(), row.ProcessId) ==
            endedFromPage_.end())
      treeRows_.push_back(&row);
  }
  tree_.Arrange(
      table_, treeRows_, [this](TprocTimeInfo& row) { return MatchesFilter(row); },
      [this](const TprocTimeInfo& a, const TprocTimeInfo& b) {
        if (sort_) {
          if (const int order = CompareRows(a, b, sort_->kind); order != 0)
            return sort_->descending ? order > 0 : order < 0;
        }
        return a.CreateTime != b.CreateTime ? a.CreateTime < b.CreateTime
                                            : a.ProcessId < b.ProcessId;
      });
  const std::vector<TreeLine>& lines = tree_.Lines();
  for (const TreeLine& line : lines) line.row->Listed = kShown;
  bool inPlace = list_.Count() == lines.size();
  for (std::size_t t = 0; t < lines.size() && inPlace; ++t)
    inPlace = list_.Item(t).key == lines[t].row->ProcessId;
  if (!inPlace) PlaceTreeItems();
  ShowTreeFigures();
}

// Items kept keep their texts and selection; the newcomers are made, then every
// item is put in its place.
void ProcessesPage::PlaceTreeItems() {
  const std::vector<TreeLine>& lines = tree_.Lines();
  for (std::size_t i = list_.Count(); i-- > 0;) {
    const TprocTimeInfo* row = table_.Find(list_.Item(i).key);
    if (row == nullptr || row->Listed != kShown) list_.Delete(i);
  }
  itemOfKey_.clear();
  for (std::size_t i = 0; i < list_.Count(); ++i) itemOfKey_[list_.Item(i).key] = i;
  for (const TreeLine& line : lines) {
    if (itemOfKey_.contains(line.row->ProcessId)) continue;
    itemOfKey_[line.row->ProcessId] = list_.Count();
    list_.Append(MakeItem(*line.row));
  }
  order_.resize(lines.size());
  for (std::size_t t = 0; t < lines.size(); ++t) order_[t] = itemOfKey_[lines[t].row->ProcessId];
  ui::ReorderList(list_, order_);
}

void ProcessesPage::ShowTreeFigures() {
  const std::vector<TreeLine>& lines = tree_.Lines();
  // A node opened since shows its own figures again; a folded one its branch's.
  for (const std::int64_t key : summedKeys_) {
    const std::size_t line = tree_.LineOf(key);
    if (line != ProcessTreeView::kNone && !lines[line].folded) RewriteItem(line, *lines[line].row);
  }
  summedKeys_.clear();
  constexpr std::uint32_t kSummedKinds =
      ChangeBit(ColumnKind::kCpu) | ChangeBit(ColumnKind::kMemory) |
      ChangeBit(ColumnKind::kCpuTime) | ChangeBit(ColumnKind::kIoReads) |
      ChangeBit(ColumnKind::kIoWrites) | ChangeBit(ColumnKind::kIoOther) |
      ChangeBit(ColumnKind::kIoReadBytes) | ChangeBit(ColumnKind::kIoWriteBytes) |
      ChangeBit(ColumnKind::kIoOtherBytes);
  for (std::size_t t = 0; t < lines.size(); ++t) {
    list_.SetIndent(t, lines[t].depth);
    if (!lines[t].folded) continue;
    summedKeys_.push_back(lines[t].row->ProcessId);
    const TprocTimeInfo& shown = tree_.Shown(t);
    for (std::size_t c = 0; c < columns_.size(); ++c) {
      const ColumnKind kind = columns_[c].kind;
      if (kind == ColumnKind::kImageName) {
        scratch_ = shown.ImageName + L" (+" + std::to_wstring(lines[t].hidden) + L")";
      } else if ((ChangeBit(kind) & kSummedKinds) != 0) {
        FormatCell(shown, kind, scratch_);
      } else {
        continue;
      }
      list_.SetText(t, c, scratch_);
    }
  }
}

void ProcessesPage::LeaveTree() {
  for (std::size_t i = list_.Count(); i-- > 0;) {
    TprocTimeInfo* row = table_.Find(list_.Item(i).key);
    if (row == nullptr || !Shows(*row)) {
      if (row != nullptr) row->Listed = kFilteredOut;
      list_.Delete(i);
      continue;
    }
    list_.SetIndent(i, 0);
  }
  for (const std::int64_t key : summedKeys_) {
    const auto item = list_.FindByKey(key);
    const TprocTimeInfo* row = table_.Find(key);
    if (item && row) RewriteItem(*item, *row);
  }
  summedKeys_.clear();
  // The rows folded away come back, each in its place.
  for (std::size_t r = 0; r < table_.Capacity(); ++r) {
    TprocTimeInfo& row = table_.Row(r);
    if (row.ProcessId != ProcessTable::kFree && row.Listed == kFilteredOut && Shows(row))
      ShowRow(row);
  }
  if (sort_) KeepSorted();
}

const TreeLine* ProcessesPage::TreeLineOf(std::size_t item) const {
  if (!treeView_ || item >= list_.Count()) return nullptr;
  const std::size_t line = tree_.LineOf(list_.Item(item).key);
  return line == ProcessTreeView::kNone ? nullptr : &tree_.Lines()[line];
}

void ProcessesPage::SetFolded(std::size_t item, bool folded) {
  const ui::ListModel::ChangeBatch batch(list_);
  const TreeLine* line = TreeLineOf(item);
  if (line == nullptr || !line->hasChildren || line->folded == folded) return;
  const std::int64_t key = line->row->ProcessId;
  const bool hadSelection = list_.SelectedCount() > 0;
  tree_.SetFolded(*line->row, folded);
  ArrangeTree();
  // A selected row folded away hands the selection to the node that hides it.
  if (hadSelection && list_.SelectedCount() == 0)
    if (const auto node = list_.FindByKey(key)) SelectOnly(*node);
}

void ProcessesPage::OpenAncestors(std::uint32_t pid) {
  const ui::ListModel::ChangeBatch batch(list_);
  if (!treeView_ || FindItemByPid(pid)) return;
  tree_.OpenAncestors(pid);
  ArrangeTree();
}

void ProcessesPage::SelectOnly(std::size_t item) {
  for (const std::size_t selected : list_.SelectedIndices())
    if (selected != item) list_.Select(selected, false);
  list_.Select(item, true);
}

bool ProcessesPage::TreeKeyDown(TreeKey key) {
  const ui::ListModel::ChangeBatch batch(list_);
  const auto selected = list_.FirstSelected();
  const TreeLine* line = selected ? TreeLineOf(*selected) : nullptr;
  if (line == nullptr) return false;
  switch (key) {
    case TreeKey::kLeft:
      if (line->hasChildren && !line->folded) {
        SetFolded(*selected, true);
        return true;
      }
      if (line->parentLine == ProcessTreeView::kNone) return false;
      if (const auto parent = list_.FindByKey(tree_.Lines()[line->parentLine].row->ProcessId)) {
        SelectOnly(*parent);
        return true;
      }
      return false;
    case TreeKey::kRight:
      if (line->folded) {
        SetFolded(*selected, false);
        return true;
      }
      if (!line->hasChildren || *selected + 1 >= list_.Count()) return false;
      SelectOnly(*selected + 1);  // the first child comes right after its parent
      return true;
    case TreeKey::kOpenBranch:
      if (!line->hasChildren) return false;
      tree_.OpenBranch(line->row->ProcessId);
      ArrangeTree();
      return true;
  }
  return false;
}

std::optional<std::uint32_t> ProcessesPage::SelectedPid() const {
  const auto selected = list_.FirstSelected();
  if (!selected) return std::nullopt;
  return static_cast<std::uint32_t>(list_.Item(*selected).key);
}

std::optional<std::size_t> ProcessesPage::FindItemByPid(std::uint32_t pid) const {
  return list_.FindByKey(pid);
}

bool ProcessesPage::ShowAndSelectProcess(std::uint32_t pid) {
  TprocTimeInfo* row = table_.Find(pid);
  if (row == nullptr) return false;
  if (!ShowsUser(*row)) SetShowAllUsers(true);
  if (!MatchesFilter(*row)) SetFilterText(L"");
  OpenAncestors(pid);  // in the tree, a folded branch may hide it
  const auto item = FindItemByPid(pid);
  if (!item) return false;  // not taken by an update yet
  for (const std::size_t selected : list_.SelectedIndices())
    if (selected != *item) list_.Select(selected, false);
  list_.Select(*item, true);  // the view scrolls it into view
  return true;
}

}  // namespace procs
