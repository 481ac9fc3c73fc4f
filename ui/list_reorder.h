// Bringing a list into a new order with as few moves as possible, so that a
// view mirroring it rewrites only the items that really change place.
#pragma once
#include <cstddef>
#include <vector>

#include "ui/list_model.h"

namespace ui {

// `order[t]` is the present index of the item that is to stand at t (anything
// but a permutation of 0..Count()-1 is ignored). When few items are out of
// place, the items of a longest run already in the new order stay and every
// other item is moved once; when many are, the list is reordered as a whole.
void ReorderList(ListModel& list, const std::vector<std::size_t>& order);

// Most items that are moved one by one; beyond it the whole list is reordered.
std::size_t MostSingleMoves(std::size_t count);

}  // namespace ui
