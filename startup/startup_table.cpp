// The index of the startup table by place and name.
#include "startup/startup_table.h"

#include <cwctype>
#include <utility>

namespace startup {

std::wstring FoldCase(const std::wstring& name) {
  std::wstring folded;
  folded.reserve(name.size());
  for (const wchar_t c : name)
    folded.push_back(static_cast<wchar_t>(std::towlower(static_cast<std::wint_t>(c))));
  return folded;
}

namespace {

std::wstring KeyOf(platform::StartupPlace place, const std::wstring& valueName) {
  return static_cast<wchar_t>(L'0' + static_cast<int>(place)) + FoldCase(valueName);
}

}  // namespace

void StartupTable::Reindex() {
  index_.clear();
  for (std::size_t i = 0; i < rows_.size(); ++i)
    index_.emplace(KeyOf(rows_[i].Place, rows_[i].ValueName), i);
}

const StartupRow* StartupTable::Find(platform::StartupPlace place,
                                     const std::wstring& valueName) const {
  const auto found = index_.find(KeyOf(place, valueName));
  return found == index_.end() ? nullptr : &rows_[found->second];
}

StartupRow* StartupTable::Find(platform::StartupPlace place, const std::wstring& valueName) {
  return const_cast<StartupRow*>(std::as_const(*this).Find(place, valueName));
}

}  // namespace startup
