// The service rows and their index by name.
#include "services/service_table.h"

namespace services {

std::optional<std::size_t> ServiceTable::IndexOf(const std::wstring& name) const {
  const auto found = index_.find(name);
  if (found == index_.end()) return std::nullopt;
  return found->second;
}

ServiceRow* ServiceTable::Find(const std::wstring& name) {
  const auto index = IndexOf(name);
  return index ? &rows_[*index] : nullptr;
}

std::size_t ServiceTable::Add(const std::wstring& name) {
  std::size_t index = rows_.size();
  if (free_.empty()) {
    rows_.emplace_back();
  } else {
    index = free_.back();
    free_.pop_back();
  }
  rows_[index] = ServiceRow{};
  rows_[index].name = name;
  index_.emplace(name, index);
  return index;
}

void ServiceTable::Free(std::size_t index) {
  index_.erase(rows_[index].name);
  rows_[index].name.clear();
  rows_[index].listed = false;
  free_.push_back(index);
}

}  // namespace services
