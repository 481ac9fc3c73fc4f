// Rows of the process table: lowest free row first, found through the index.
#include "procs/process_table.h"

namespace procs {

TprocTimeInfo* ProcessTable::Find(std::int64_t pid) {
  auto it = index_.find(pid);
  return it == index_.end() ? nullptr : &rows_[it->second];
}

const TprocTimeInfo* ProcessTable::Find(std::int64_t pid) const {
  auto it = index_.find(pid);
  return it == index_.end() ? nullptr : &rows_[it->second];
}

TprocTimeInfo& ProcessTable::Add(TprocTimeInfo row) {
  std::size_t slot;
  if (!freeRows_.empty()) {
    slot = freeRows_.top();
    freeRows_.pop();
    rows_[slot] = std::move(row);
  } else {
    slot = rows_.size();
    rows_.push_back(std::move(row));
  }
  index_[rows_[slot].ProcessId] = slot;
  return rows_[slot];
}

void ProcessTable::Free(std::int64_t pid) {
  auto it = index_.find(pid);
  if (it == index_.end()) return;
  const std::size_t slot = it->second;
  index_.erase(it);
  rows_[slot] = TprocTimeInfo{};  // releases the row's strings
  freeRows_.push(slot);
}

}  // namespace procs
