// The processes as a tree: each under the parent that started it, depth first,
// siblings in the list's order, folded branches hidden and summed up in their
// node. Arranged again from the rows at every update, in time linear in the
// rows (an index by identifier; only the siblings are sorted).
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "procs/process_table.h"

namespace procs {

// The figures of a branch that a folded node shows: the CPU share, then the
// memory, CPU time and I/O counts.
struct BranchFigures {
  std::int64_t share = 0;
  std::int64_t figures[8] = {};
};

// One row of the tree as the list shows it.
struct TreeLine {
  TprocTimeInfo* row = nullptr;
  int depth = 0;
  bool hasChildren = false;
  bool folded = false;
  bool ancestorOnly = false;  // listed only because a descendant matches the filter
  std::size_t hidden = 0;     // descendants hidden by the folding
  std::size_t parentLine = static_cast<std::size_t>(-1);  // none for a root
};

class ProcessTreeView {
 public:
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
  using Matches = std::function<bool(TprocTimeInfo&)>;
  // Whether a is listed before b among siblings, by the figures shown.
  using Before = std::function<bool(const TprocTimeInfo&, const TprocTimeInfo&)>;

  // Arranges `rows` (the processes that may be listed): a row whose parent is not
  // among them, or was created after it, is a root; loops are cut into roots. Only
  // the matching rows and their ancestors are listed.
  void Arrange(ProcessTable& table, const std::vector<TprocTimeInfo*>& rows,
               const Matches& matches, const Before& before);

  const std::vector<TreeLine>& Lines() const { return lines_; }
  // The line of the process, or kNone when it is not listed.
  std::size_t LineOf(std::int64_t pid) const;
  // What a line shows in its figures: the sums of its branch when folded.
  const TprocTimeInfo& Shown(std::size_t line) const;

  // Folding, remembered by process identity while the program runs.
  bool Folded(const TprocTimeInfo& row) const;
  void SetFolded(const TprocTimeInfo& row, bool folded);
  // Opens the process and every process under it.
  void OpenBranch(std::int64_t pid);
  // Opens every process above it, so that it is listed.
  void OpenAncestors(std::int64_t pid);
  // The arranged process and all under it, folded or not, children first.
  std::vector<std::int64_t> BranchOf(std::int64_t pid) const;

 private:
  struct Identity {
    std::int64_t pid;
    std::int64_t created;
    bool operator==(const Identity&) const = default;
  };
  struct IdentityHash {
    std::size_t operator()(const Identity& id) const {
      return std::hash<std::int64_t>()(id.pid * 31 + id.created);
    }
  };
  static Identity IdOf(const TprocTimeInfo& row) { return {row.ProcessId, row.CreateTime}; }

  std::size_t NodeOf(std::int64_t pid) const;
  void FindParents(ProcessTable& table, const std::vector<TprocTimeInfo*>& rows);
  void CutLoops();
  void LinkChildren(const Before& before);
  void ListLines();
  const TprocTimeInfo& FiguresOf(std::size_t node) const;

  std::unordered_set<Identity, IdentityHash> folded_;
  // Scratch of one arrangement, by node (the row's place in the table).
  ProcessTable* table_ = nullptr;
  std::vector<TprocTimeInfo*> rows_;  // by table row; null for a row not arranged
  std::vector<std::size_t> parent_;
  std::vector<bool> listed_;
  std::vector<bool> matches_;
  std::vector<std::size_t> childStart_;  // children of node n: children_[childStart_[n]..childStart_[n+1])
  std::vector<std::size_t> children_;
  std::vector<std::size_t> preorder_;
  std::vector<std::size_t> descendants_;
  std::vector<std::uint8_t> mark_;
  std::vector<BranchFigures> totals_;
  std::vector<std::size_t> sumOf_;     // index into sums_ of a folded node, or kNone
  std::vector<TprocTimeInfo> sums_;
  std::vector<std::size_t> stack_;
  std::vector<TreeLine> lines_;
  std::vector<std::size_t> lineOfNode_;
};

}  // namespace procs
