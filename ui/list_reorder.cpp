// Reordering by moving only the items outside a longest increasing run.
#include "ui/list_reorder.h"

#include <algorithm>

namespace ui {

namespace {

// Marks the items (by present index) of a longest run whose targets increase.
std::vector<bool> LongestOrderedRun(const std::vector<std::size_t>& target) {
  const std::size_t n = target.size();
  std::vector<std::size_t> tails;           // present index ending the best run of each length
  std::vector<std::size_t> previous(n, n);  // the item before each in its run
  for (std::size_t i = 0; i < n; ++i) {
    const auto at = std::lower_bound(tails.begin(), tails.end(), target[i],
                                     [&](std::size_t item, std::size_t t) { return target[item] < t; });
    if (at != tails.begin()) previous[i] = *(at - 1);
    if (at == tails.end()) {
      tails.push_back(i);
    } else {
      *at = i;
    }
  }
  std::vector<bool> keep(n, false);
  for (std::size_t i = tails.empty() ? n : tails.back(); i != n; i = previous[i]) keep[i] = true;
  return keep;
}

}  // namespace

// Each single move costs a pass over the list (here and in a list view control),
// so past a few of them one rewrite of every item is cheaper.
std::size_t MostSingleMoves(std::size_t count) { return count / 8 + 4; }

void ReorderList(ListModel& list, const std::vector<std::size_t>& order) {
  const std::size_t n = order.size();
  if (n != list.Count()) return;
  constexpr std::size_t kUnset = static_cast<std::size_t>(-1);
  std::vector<std::size_t> target(n, kUnset);  // by present index: where it is to stand
  for (std::size_t t = 0; t < n; ++t) {
    if (order[t] >= n || target[order[t]] != kUnset) return;
    target[order[t]] = t;
  }
  const std::vector<bool> keep = LongestOrderedRun(target);
  const auto kept = static_cast<std::size_t>(std::count(keep.begin(), keep.end(), true));
  if (n - kept > MostSingleMoves(n)) {
    list.Reorder(order);
    return;
  }
  std::vector<std::size_t> where(n);  // by original index: where it stands now
  for (std::size_t i = 0; i < n; ++i) where[i] = i;
  // In increasing target order each moved item goes right after the item that
  // is to precede it, which by then is in its final place relative to the rest.
  for (std::size_t t = 0; t < n; ++t) {
    const std::size_t item = order[t];
    if (keep[item]) continue;
    const std::size_t from = where[item];
    std::size_t to = 0;
    if (t > 0) {
      const std::size_t before = where[order[t - 1]];
      to = from < before ? before : before + 1;
    }
    if (from == to) continue;
    list.Move(from, to);
    for (std::size_t& w : where) {
      if (from < to && w > from && w <= to) --w;
      else if (to < from && w >= to && w < from) ++w;
    }
    where[item] = to;
  }
}

}  // namespace ui
