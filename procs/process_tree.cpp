// Descendants of a process by parent identifier and creation time.
#include "procs/process_tree.h"

#include <unordered_map>
#include <unordered_set>
#include <utility>

namespace procs {

std::vector<std::int64_t> ProcessTreeOf(const ProcessTable& table, std::int64_t root) {
  std::vector<std::int64_t> order;
  if (table.Find(root) == nullptr) return order;
  std::unordered_multimap<std::int64_t, std::int64_t> children;
  for (std::size_t r = 0; r < table.Capacity(); ++r) {
    const TprocTimeInfo& row = table.Row(r);
    if (row.ProcessId == ProcessTable::kFree) continue;
    const TprocTimeInfo* parent = table.Find(row.ParentProcessId);
    if (parent == nullptr || !MayBeParentOf(*parent, row)) continue;
    children.emplace(row.ParentProcessId, row.ProcessId);
  }
  // Depth first without recursion (trees can be deep); a process is put out once
  // all of its children are. `seen` guards against a loop of stale identifiers.
  std::unordered_set<std::int64_t> seen{root};
  std::vector<std::pair<std::int64_t, bool>> stack{{root, false}};
  while (!stack.empty()) {
    auto [pid, expanded] = stack.back();
    stack.pop_back();
    if (expanded) {
      order.push_back(pid);
      continue;
    }
    stack.emplace_back(pid, true);
    const auto [first, last] = children.equal_range(pid);
    for (auto it = first; it != last; ++it)
      if (seen.insert(it->second).second) stack.emplace_back(it->second, false);
  }
  return order;
}

}  // namespace procs
