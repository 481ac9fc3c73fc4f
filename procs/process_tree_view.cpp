// The process tree of the list: parents, loops cut, branch sums and the lines.
#include "procs/process_tree_view.h"

#include <algorithm>

#include "procs/process_format.h"
#include "procs/process_tree.h"

namespace procs {

namespace {

// A CPU share as a number to add: the texts "0" and "" add nothing.
std::int64_t ShareOf(const TprocTimeInfo& row) { return std::max<std::int64_t>(row.CpuShareKey, 0); }

// The figures a folded node sums up, in the order of kSummed.
constexpr std::int64_t TprocTimeInfo::*kSummed[] = {
    &TprocTimeInfo::MemoryK,      &TprocTimeInfo::CpuTime,     &TprocTimeInfo::IoReads,
    &TprocTimeInfo::IoWrites,     &TprocTimeInfo::IoOther,     &TprocTimeInfo::IoReadBytes,
    &TprocTimeInfo::IoWriteBytes, &TprocTimeInfo::IoOtherBytes};

void AddRow(BranchFigures& to, const TprocTimeInfo& from) {
  to.share += ShareOf(from);
  for (std::size_t f = 0; f < std::size(kSummed); ++f) to.figures[f] += from.*kSummed[f];
}

void AddBranch(BranchFigures& to, const BranchFigures& from) {
  to.share += from.share;
  for (std::size_t f = 0; f < std::size(kSummed); ++f) to.figures[f] += from.figures[f];
}

}  // namespace

void ProcessTreeView::Arrange(ProcessTable& table, const std::vector<TprocTimeInfo*>& rows,
                              const Matches& matches, const Before& before) {
  FindParents(table, rows);
  CutLoops();
  const std::size_t n = rows_.size();
  // A match lists itself and every ancestor; the walk up stops at a listed one,
  // so each node is visited once.
  listed_.assign(n, false);
  matches_.assign(n, false);
  for (std::size_t node = 0; node < n; ++node) {
    if (rows_[node] == nullptr) continue;
    matches_[node] = matches(*rows_[node]);
    if (!matches_[node]) continue;
    for (std::size_t up = node; up != kNone && !listed_[up]; up = parent_[up]) listed_[up] = true;
  }
  LinkChildren(before);
  ListLines();
}

// A node is the row's place in the table, so the table's index by identifier
// finds it.
std::size_t ProcessTreeView::NodeOf(std::int64_t pid) const {
  const TprocTimeInfo* row = table_ != nullptr ? table_->Find(pid) : nullptr;
  if (row == nullptr) return kNone;
  const auto node = static_cast<std::size_t>(row - &table_->Row(0));
  return node < rows_.size() && rows_[node] != nullptr ? node : kNone;
}

void ProcessTreeView::FindParents(ProcessTable& table, const std::vector<TprocTimeInfo*>& rows) {
  table_ = &table;
  rows_.assign(table.Capacity(), nullptr);
  for (TprocTimeInfo* row : rows) rows_[static_cast<std::size_t>(row - &table.Row(0))] = row;
  parent_.assign(rows_.size(), kNone);
  for (std::size_t node = 0; node < rows_.size(); ++node) {
    if (rows_[node] == nullptr) continue;
    const std::size_t parent = NodeOf(rows_[node]->ParentProcessId);
    if (parent != kNone && MayBeParentOf(*rows_[parent], *rows_[node])) parent_[node] = parent;
  }
}

// Equal creation times let stale identifiers close a loop: every process in one
// becomes a root. Each node is walked over once (0 new, 1 on the walk, 2 done).
void ProcessTreeView::CutLoops() {
  mark_.assign(rows_.size(), 0);
  for (std::size_t start = 0; start < rows_.size(); ++start) {
    stack_.clear();
    std::size_t node = start;
    while (node != kNone && mark_[node] == 0) {
      mark_[node] = 1;
      stack_.push_back(node);
      node = parent_[node];
    }
    if (node != kNone && mark_[node] == 1) {
      // The walk came back to itself: the loop is the walk from `node` on.
      for (auto it = std::find(stack_.begin(), stack_.end(), node); it != stack_.end(); ++it)
        parent_[*it] = kNone;
    }
    for (const std::size_t walked : stack_) mark_[walked] = 2;
  }
}

const TprocTimeInfo& ProcessTreeView::FiguresOf(std::size_t node) const {
  return sumOf_[node] != kNone ? sums_[sumOf_[node]] : *rows_[node];
}

void ProcessTreeView::LinkChildren(const Before& before) {
  const std::size_t n = rows_.size();
  childStart_.assign(n + 2, 0);  // slot n holds the roots
  const auto slot = [&](std::size_t node) { return parent_[node] == kNone ? n : parent_[node]; };
  for (std::size_t node = 0; node < n; ++node)
    if (listed_[node]) ++childStart_[slot(node) + 1];
  for (std::size_t s = 1; s < childStart_.size(); ++s) childStart_[s] += childStart_[s - 1];
  children_.assign(childStart_.back(), kNone);
  stack_.assign(childStart_.begin(), childStart_.end() - 1);
  for (std::size_t node = 0; node < n; ++node)
    if (listed_[node]) children_[stack_[slot(node)]++] = node;

  // Totals of every branch: children are added into their parents in reverse preorder.
  preorder_.clear();
  stack_.assign(children_.begin() + static_cast<std::ptrdiff_t>(childStart_[n]), children_.end());
  while (!stack_.empty()) {
    const std::size_t node = stack_.back();
    stack_.pop_back();
    preorder_.push_back(node);
    for (std::size_t c = childStart_[node]; c < childStart_[node + 1]; ++c)
      stack_.push_back(children_[c]);
  }
  descendants_.assign(n, 0);
  totals_.assign(n, BranchFigures{});
  for (const std::size_t node : preorder_) AddRow(totals_[node], *rows_[node]);
  for (auto it = preorder_.rbegin(); it != preorder_.rend(); ++it) {
    const std::size_t up = parent_[*it];
    if (up == kNone) continue;
    descendants_[up] += descendants_[*it] + 1;
    AddBranch(totals_[up], totals_[*it]);
  }
  // A folded node shows its branch's totals; only those get a row of their own.
  sumOf_.assign(n, kNone);
  sums_.clear();
  for (const std::size_t node : preorder_) {
    if (descendants_[node] == 0 || !Folded(*rows_[node])) continue;
    sumOf_[node] = sums_.size();
    TprocTimeInfo& sum = sums_.emplace_back(*rows_[node]);
    const BranchFigures& total = totals_[node];
    for (std::size_t f = 0; f < std::size(kSummed); ++f) sum.*kSummed[f] = total.figures[f];
    if (total.share > 0) {
      sum.CpuShareKey = total.share;
      FormatTenths(sum.CpuShareKey, sum.CpuText);
    }
  }

  // Siblings in the list's order, by the figures they show.
  for (std::size_t s = 0; s <= n; ++s) {
    const auto first = children_.begin() + static_cast<std::ptrdiff_t>(childStart_[s]);
    const auto last = children_.begin() + static_cast<std::ptrdiff_t>(childStart_[s + 1]);
    if (last - first > 1)
      std::stable_sort(first, last, [&](std::size_t a, std::size_t b) {
        return before(FiguresOf(a), FiguresOf(b));
      });
  }
}

// Depth first from the roots; a folded node's branch is left out.
void ProcessTreeView::ListLines() {
  const std::size_t n = rows_.size();
  lines_.clear();
  lineOfNode_.assign(n, kNone);
  stack_.clear();
  for (std::size_t c = childStart_[n + 1]; c-- > childStart_[n];) stack_.push_back(children_[c]);
  while (!stack_.empty()) {
    const std::size_t node = stack_.back();
    stack_.pop_back();
    TreeLine line;
    line.row = rows_[node];
    line.hasChildren = descendants_[node] > 0;
    line.folded = line.hasChildren && Folded(*rows_[node]);
    line.ancestorOnly = !matches_[node];
    line.hidden = line.folded ? descendants_[node] : 0;
    if (parent_[node] != kNone) {
      line.parentLine = lineOfNode_[parent_[node]];
      line.depth = lines_[line.parentLine].depth + 1;
    }
    lineOfNode_[node] = lines_.size();
    lines_.push_back(line);
    if (line.folded) continue;
    for (std::size_t c = childStart_[node + 1]; c-- > childStart_[node];)
      stack_.push_back(children_[c]);
  }
}

std::size_t ProcessTreeView::LineOf(std::int64_t pid) const {
  const std::size_t node = NodeOf(pid);
  return node == kNone ? kNone : lineOfNode_[node];
}

const TprocTimeInfo& ProcessTreeView::Shown(std::size_t line) const {
  return FiguresOf(NodeOf(lines_[line].row->ProcessId));
}

bool ProcessTreeView::Folded(const TprocTimeInfo& row) const {
  return folded_.contains(IdOf(row));
}

void ProcessTreeView::SetFolded(const TprocTimeInfo& row, bool folded) {
  if (folded) {
    folded_.insert(IdOf(row));
  } else {
    folded_.erase(IdOf(row));
  }
}

void ProcessTreeView::OpenBranch(std::int64_t pid) {
  for (const std::int64_t member : BranchOf(pid)) {
    if (const std::size_t node = NodeOf(member); node != kNone) SetFolded(*rows_[node], false);
  }
}

void ProcessTreeView::OpenAncestors(std::int64_t pid) {
  const std::size_t node = NodeOf(pid);
  if (node == kNone) return;
  for (std::size_t up = parent_[node]; up != kNone; up = parent_[up]) SetFolded(*rows_[up], false);
}

std::vector<std::int64_t> ProcessTreeView::BranchOf(std::int64_t pid) const {
  std::vector<std::int64_t> order;
  const std::size_t root = NodeOf(pid);
  if (root == kNone || !listed_[root]) return order;
  // Preorder, then reversed: every process after all of its descendants.
  std::vector<std::size_t> walk{root};
  while (!walk.empty()) {
    const std::size_t node = walk.back();
    walk.pop_back();
    order.push_back(rows_[node]->ProcessId);
    for (std::size_t c = childStart_[node]; c < childStart_[node + 1]; ++c)
      walk.push_back(children_[c]);
  }
  std::reverse(order.begin(), order.end());
  return order;
}

}  // namespace procs
