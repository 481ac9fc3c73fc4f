// A process and everything it started, found through the parent identifiers of
// the process table, in the order they should be ended: children first.
#pragma once
#include <cstdint>
#include <vector>

#include "procs/process_snapshot.h"
#include "procs/process_table.h"

namespace procs {

// Whether `parent` may have started `child`: not itself, and not created after
// it (a parent created later holds a reused identifier).
inline bool MayBeParentOf(const TprocTimeInfo& parent, const TprocTimeInfo& child) {
  const std::int64_t childCreatedBy =
      child.CreateTime != kUnknownCreateTime ? child.CreateTime : child.CreatedBy;
  return parent.ProcessId != child.ProcessId && parent.CreateTime <= childCreatedBy;
}

// `root` and its descendants, each after all of its own descendants; empty when
// `root` has no row. A parent created after its supposed child is not its parent:
// the child's parent ended and a newer process reused the identifier.
std::vector<std::int64_t> ProcessTreeOf(const ProcessTable& table, std::int64_t root);

}  // namespace procs
