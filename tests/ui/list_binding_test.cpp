// A list model bound to an owner-data list view, on a fake control: what a
// change costs in calls to the control, and the selection and focus the control
// keeps by row number following their rows through every rearrangement.
#include "ui/list_binding.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/support/fake_list_control.h"

namespace ui {
namespace {

using Calls = std::vector<std::string>;

// `rows` rows keyed by their first number, three shown columns and a fourth of
// data only the commands read; twenty rows on screen from the top.
struct BoundList {
  explicit BoundList(std::size_t rows) {
    for (std::size_t i = 0; i < rows; ++i) model.Append(Row(static_cast<std::int64_t>(i)));
    binding = std::make_unique<ListBinding>(model, control);
    binding->SetColumnCount(3);
  }
  static ListItem Row(std::int64_t key) {
    ListItem item;
    item.key = key;
    item.caption = L"row " + std::to_wstring(key);
    item.subItems = {L"a", L"b", L"hidden"};
    return item;
  }
  // A click on a row, as the control reports it: every row let go, then that
  // row selected and focused.
  bool Click(std::size_t row) {
    control.selected = {row};
    control.focus = row;
    binding->StateChangedInControl(-1, -1, kRowSelected, 0, true);
    return binding->StateChangedInControl(static_cast<std::ptrdiff_t>(row),
                                          static_cast<std::ptrdiff_t>(row), 0,
                                          kRowSelected | kRowFocused, true);
  }
  std::size_t IndexOf(std::int64_t key) const { return *model.FindByKey(key); }
  // The control holds exactly the model's selection and focus.
  void ExpectControlInStep() const {
    EXPECT_EQ(control.count, model.Count());
    const std::vector<std::size_t> wanted = model.SelectedIndices();
    EXPECT_EQ(std::vector<std::size_t>(control.selected.begin(), control.selected.end()), wanted);
    EXPECT_EQ(control.focus, model.Focused());
  }

  ListModel model;
  testing_support::FakeListControl control;
  std::unique_ptr<ListBinding> binding;
};

TEST(ListBinding, AChangeOffScreenCostsNoCallAndOneOnScreenPaintsItsCellAlone) {
  BoundList list(300);
  EXPECT_EQ(list.control.calls, (Calls{"SetRowCount 300"}));
  list.control.calls.clear();
  list.model.SetText(5, 2, L"new");  // the first paint asks which rows are shown
  EXPECT_EQ(list.control.calls, (Calls{"VisibleRows", "InvalidateCells 5-5 2-2"}));
  list.control.calls.clear();

  {
    ListModel::ChangeBatch tick(list.model);
    list.model.SetText(250, 1, L"off screen");
    list.model.SetText(7, 3, L"data the commands read");
    list.model.SetText(7, 1, L"x");
    list.model.SetText(3, 2, L"y");
    list.model.SetText(3, 2, L"y");  // unchanged: nothing
  }
  EXPECT_EQ(list.control.calls, (Calls{"InvalidateCells 3-7 1-2"}));
  list.control.calls.clear();
  {
    ListModel::ChangeBatch tick(list.model);
    list.model.SetText(250, 1, L"again");
    list.model.SetImage(299, 4);
  }
  EXPECT_TRUE(list.control.calls.empty());

  // Rows coming: one count for all of them, and rows below an insertion on
  // screen are painted again.
  {
    ListModel::ChangeBatch tick(list.model);
    for (std::int64_t key = 300; key < 305; ++key) list.model.Append(BoundList::Row(key));
  }
  EXPECT_EQ(list.control.calls, (Calls{"SetRowCount 305"}));
  list.control.calls.clear();
  list.model.Insert(2, BoundList::Row(400));
  EXPECT_EQ(list.control.calls, (Calls{"SetRowCount 306", "InvalidateCells 2-20 0-last"}));
  list.control.calls.clear();

  // Scrolled, the control is asked again which rows it shows.
  list.control.top = 100;
  list.binding->ViewMoved();
  list.model.SetText(105, 1, L"z");
  list.model.SetText(5, 1, L"z");
  EXPECT_EQ(list.control.calls, (Calls{"VisibleRows", "InvalidateCells 105-105 1-1"}));
  list.control.calls.clear();

  list.binding->SetShown(false);  // its page is hidden
  list.model.SetText(106, 1, L"z");
  EXPECT_TRUE(list.control.calls.empty());
}

TEST(ListBinding, SelectionAndFocusFollowTheirRowsThroughSortingFilteringAndRowsComingAndGoing) {
  BoundList list(10);
  EXPECT_TRUE(list.Click(4));
  EXPECT_EQ(list.model.FirstSelected(), 4u);
  list.ExpectControlInStep();

  list.model.Reorder({9, 8, 7, 6, 5, 4, 3, 2, 1, 0});  // sorted the other way
  EXPECT_EQ(list.IndexOf(4), 5u);
  list.ExpectControlInStep();
  list.model.Delete(0);  // a row above it goes
  list.ExpectControlInStep();
  list.model.Insert(0, BoundList::Row(20));  // and one comes
  list.model.Move(list.IndexOf(4), 9);
  EXPECT_TRUE(list.model.Item(9).selected);
  list.ExpectControlInStep();
  {
    // The filter keeps every other row, rebuilt in one go.
    ListModel::ChangeBatch keystroke(list.model);
    std::vector<ListItem> items = list.model.TakeItems();
    for (ListItem& item : items)
      if (item.key % 2 == 0) list.model.Append(std::move(item));
  }
  EXPECT_EQ(list.model.FirstSelected(), list.IndexOf(4));
  list.ExpectControlInStep();

  // Several rows where the list allows it: a range chosen at once.
  EXPECT_TRUE(list.binding->StateChangedInControl(1, 2, 0, kRowSelected, true));
  list.control.selected.insert({1, 2});
  list.model.Reorder({4, 3, 2, 1, 0, 5});
  EXPECT_EQ(list.model.SelectedCount(), 3u);
  list.ExpectControlInStep();

  list.model.Delete(list.IndexOf(4));  // the focused row ends
  EXPECT_EQ(list.model.SelectedCount(), 2u);
  list.ExpectControlInStep();
  list.model.Clear();
  list.ExpectControlInStep();
}

// What Wine's control reports when a typed name moves the selection: the
// focus taken from the row it then still has.
TEST(ListBinding, TheFocusIsOnTheRowWhoseNewStateHasIt) {
  BoundList list(8);
  list.Click(7);
  list.binding->StateChangedInControl(-1, -1, kRowSelected, 0, true);
  list.binding->StateChangedInControl(7, 7, kRowFocused, 0, true);
  list.binding->StateChangedInControl(3, 3, 0, kRowSelected | kRowFocused, true);
  list.binding->StateChangedInControl(-1, -1, kRowSelected, 0, true);
  list.binding->StateChangedInControl(3, 3, kRowSelected | kRowFocused, kRowSelected, true);
  list.binding->StateChangedInControl(3, 3, kRowFocused, kRowSelected | kRowFocused, true);
  EXPECT_EQ(list.model.FirstSelected(), 3u);
  EXPECT_EQ(list.model.Focused(), 3u);
}

TEST(ListBinding, TheSelectedRowStaysInSightWhenRowsMoveAndThePickedOneComesIntoSight) {
  BoundList list(100);
  list.Click(5);
  list.model.Move(5, 50);  // sorted again: it would leave the screen
  EXPECT_EQ(list.control.top, 31u);

  list.control.top = 0;  // the user scrolled away from it
  list.binding->ViewMoved();
  list.model.Move(50, 60);
  EXPECT_EQ(list.control.top, 0u);

  // "转到进程": the program picks a row, which comes into sight.
  list.model.Select(list.IndexOf(5), false);
  list.model.Select(80, true);
  EXPECT_EQ(list.control.top, 61u);
  list.ExpectControlInStep();
}

TEST(ListBinding, TypingFindsTheNextRowWhoseNameBeginsWithIt) {
  ListModel model;
  for (const wchar_t* name : {L"Alpha", L"beta", L"Bravo", L"charlie", L"alpine", L"记事本"}) {
    ListItem item;
    item.caption = name;
    model.Append(item);
  }
  EXPECT_EQ(model.FindCaption(L"b", 0, true, true), 1u);
  EXPECT_EQ(model.FindCaption(L"B", 2, true, true), 2u);
  EXPECT_EQ(model.FindCaption(L"b", 3, true, true), 1u);  // from the top again
  EXPECT_EQ(model.FindCaption(L"b", 3, true, false), std::nullopt);
  EXPECT_EQ(model.FindCaption(L"AL", 1, true, true), 4u);
  EXPECT_EQ(model.FindCaption(L"记事", 0, true, true), 5u);
  EXPECT_EQ(model.FindCaption(L"BETA", 0, false, true), 1u);  // a whole name
  EXPECT_EQ(model.FindCaption(L"bet", 0, false, true), std::nullopt);
  EXPECT_EQ(model.FindCaption(L"z", 0, true, true), std::nullopt);
}

}  // namespace
}  // namespace ui
