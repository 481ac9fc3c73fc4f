// Bringing a list into a new order with as few moves as possible, so that a
// view mirroring it rewrites only the items that really change place.
#pragma once
#include <cstddef>
#include <vector>

#include "app/list_model.h"

namespace app {

// `order[t]` is the present index of the item that is to stand at t (a
// permutation of 0..Count()-1). The items of a longest run already in the new
// order stay; every other item is moved once.
void ReorderList(ListModel& list, const std::vector<std::size_t>& order);

}  // namespace app
