// Reordering a list moves only the items that must move (or, when many must,
// reorders it at once) and always ends in the order asked for.
#include "ui/list_reorder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>

namespace ui {
namespace {

struct MoveCounter : ListObserver {
  int moves = 0;
  int reorders = 0;
  void ItemInserted(std::size_t) override {}
  void ItemDeleted(std::size_t) override {}
  void ItemTextChanged(std::size_t, std::size_t) override {}
  void ItemSelectionChanged(std::size_t) override {}
  void ItemsCleared() override {}
  void ItemMoved(std::size_t, std::size_t) override { ++moves; }
  void ItemsReordered(std::size_t) override { ++reorders; }
};

ListModel ListOf(std::size_t n) {
  ListModel list;
  for (std::size_t i = 0; i < n; ++i) {
    ListItem item;
    item.key = static_cast<std::int64_t>(i);
    item.caption = std::to_wstring(i);
    list.Append(item);
  }
  return list;
}

std::vector<std::int64_t> Keys(const ListModel& list) {
  std::vector<std::int64_t> keys;
  for (std::size_t i = 0; i < list.Count(); ++i) keys.push_back(list.Item(i).key);
  return keys;
}

TEST(ListReorder, AnyPermutationEndsInTheAskedOrderWithTheFewestMoves) {
  std::mt19937 random(7);
  for (int round = 0; round < 400; ++round) {
    const std::size_t n = round % 80;
    ListModel list = ListOf(n);
    std::vector<std::size_t> order(n);
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::shuffle(order.begin(), order.end(), random);
    if (round % 2 == 0 && n > 3) {  // nearly sorted: a few items out of place
      std::sort(order.begin(), order.end());
      for (std::size_t swaps = 0; swaps < n / 20 + 1; ++swaps)
        std::swap(order[random() % n], order[random() % n]);
    }
    MoveCounter counter;
    list.SetObserver(&counter);
    ReorderList(list, order);
    std::vector<std::int64_t> expected(order.begin(), order.end());
    ASSERT_EQ(Keys(list), expected) << "round " << round;
    // n minus the longest increasing run of the permutation.
    std::vector<std::size_t> tails;
    std::vector<std::size_t> target(n);
    for (std::size_t t = 0; t < n; ++t) target[order[t]] = t;
    for (std::size_t i = 0; i < n; ++i) {
      auto at = std::lower_bound(tails.begin(), tails.end(), target[i]);
      if (at == tails.end()) tails.push_back(target[i]); else *at = target[i];
    }
    const std::size_t outOfPlace = n - tails.size();
    if (outOfPlace <= MostSingleMoves(n)) {
      EXPECT_EQ(counter.moves, static_cast<int>(outOfPlace)) << "round " << round;
      EXPECT_EQ(counter.reorders, 0);
    } else {
      EXPECT_EQ(counter.moves, 0) << "round " << round;
      EXPECT_EQ(counter.reorders, 1);
    }
  }
}

TEST(ListReorder, MovedItemsKeepTheirTextsAndSelection) {
  ListModel list = ListOf(4);
  list.Select(0, true);
  ReorderList(list, {1, 2, 3, 0});
  EXPECT_EQ(list.Item(3).caption, L"0");
  EXPECT_TRUE(list.Item(3).selected);
  EXPECT_EQ(list.SelectedCount(), 1u);
  ReorderList(list, {0, 1});  // not a permutation of this list: nothing happens
  ReorderList(list, {0, 1, 1, 2});
  EXPECT_EQ(Keys(list), (std::vector<std::int64_t>{1, 2, 3, 0}));
  list.Reorder({3, 2, 1, 0});
  EXPECT_EQ(Keys(list), (std::vector<std::int64_t>{0, 3, 2, 1}));
  EXPECT_TRUE(list.Item(0).selected);
}

}  // namespace
}  // namespace ui
