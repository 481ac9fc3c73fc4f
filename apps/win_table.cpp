// Rows of the window table: kept per window across collections, found through
// the index, freed when their window is no longer reported.
#include "apps/win_table.h"

namespace apps {

void WinTable::BeginCollection() { ++collection_; }

TWinInfo& WinTable::Take(WindowHandle window, bool& existing) {
  if (auto it = index_.find(window); it != index_.end()) {
    existing = true;
    takenIn_[it->second] = collection_;
    return rows_[it->second];
  }
  existing = false;
  std::size_t slot;
  if (!freeRows_.empty()) {
    slot = freeRows_.top();
    freeRows_.pop();
  } else {
    slot = rows_.size();
    rows_.emplace_back();
    takenIn_.push_back(0);
  }
  index_.emplace(window, slot);
  takenIn_[slot] = collection_;
  TWinInfo& row = rows_[slot];
  // A fresh record; the strings keep their storage for the next title.
  row.Caption.clear();
  row.ExePath.clear();
  row.ExeOnNetwork = false;
  row.StatusText.clear();
  row.Wnd = window;
  row.ShowCmd = 0;
  row.ProcessId = 0;
  row.ProcessWnd = window;
  row.RowState = kRowFilled;
  row.Responding = false;
  row.AwaitingAnswer = false;
  return row;
}

void WinTable::EndCollection(const std::function<void(const TWinInfo&)>& gone) {
  for (std::size_t slot = 0; slot < rows_.size(); ++slot) {
    TWinInfo& row = rows_[slot];
    if (row.Wnd == 0 || takenIn_[slot] == collection_) continue;
    if (gone) gone(row);
    index_.erase(row.Wnd);
    row.Wnd = 0;
    row.RowState = kRowFree;
    row.AwaitingAnswer = false;
    freeRows_.push(slot);
  }
}

TWinInfo* WinTable::Find(WindowHandle window) {
  ++lookups_;
  auto it = index_.find(window);
  return it == index_.end() ? nullptr : &rows_[it->second];
}

}  // namespace apps
