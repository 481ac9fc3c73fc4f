// A list of items with caption, sub-items, selection and focus, kept by the
// portable page logic. The list view holds none of it: it asks for the cells it
// draws (ui/list_binding.h), so the pages' reconciliation can be tested without a
// window.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ui {

struct ListColumn {
  std::wstring caption;
  int width = 60;  // pixels; 0: as wide as the caption needs
  bool rightAligned = false;
  bool centred = false;
};

struct ListItem {
  std::wstring caption;
  std::vector<std::wstring> subItems;
  std::int64_t key = 0;  // the item's hidden identity (a process id, a window handle)
  int imageIndex = -1;
  bool selected = false;
  bool focused = false;  // the row the keyboard acts on; at most one is
  int indent = 0;        // in image widths, for a row shown under another
};

// Column 0 is the caption, column k is sub-item k - 1.
class ListObserver {
 public:
  virtual ~ListObserver() = default;
  virtual void ItemInserted(std::size_t index) = 0;
  virtual void ItemDeleted(std::size_t index) = 0;
  virtual void ItemTextChanged(std::size_t index, std::size_t column) = 0;
  virtual void ItemSelectionChanged(std::size_t index) = 0;
  virtual void ItemsCleared() = 0;
  // The item at `from` now stands at `to` (its index after the move).
  virtual void ItemMoved(std::size_t from, std::size_t to) {
    ItemDeleted(from);
    ItemInserted(to);
  }
  // All `count` items stand in a new order.
  virtual void ItemsReordered(std::size_t count) {
    ItemsCleared();
    for (std::size_t i = 0; i < count; ++i) ItemInserted(i);
  }
  // The last open ChangeBatch closed: what changed since it opened can be shown.
  virtual void ChangesEnded() {}
};

class ListModel {
 public:
  // While one lives, the observer is told of each change as usual and, when the
  // last one closes, that the changes ended: a view paints once for all of them.
  class ChangeBatch {
   public:
    explicit ChangeBatch(ListModel& model) : model_(model) { ++model_.batches_; }
    ~ChangeBatch() {
      if (--model_.batches_ == 0 && model_.observer_) model_.observer_->ChangesEnded();
    }
    ChangeBatch(const ChangeBatch&) = delete;
    ChangeBatch& operator=(const ChangeBatch&) = delete;

   private:
    ListModel& model_;
  };

  void SetObserver(ListObserver* observer) { observer_ = observer; }
  bool InBatch() const { return batches_ > 0; }

  std::size_t Count() const { return items_.size(); }
  const ListItem& Item(std::size_t index) const { return items_[index]; }
  const std::wstring& Text(std::size_t index, std::size_t column) const;

  std::size_t Append(ListItem item);
  void Insert(std::size_t index, ListItem item);
  void Delete(std::size_t index);
  // Takes the item out at `from` and puts it in at `to` (an index of the list
  // without it), keeping its texts and selection.
  void Move(std::size_t from, std::size_t to);
  // Puts the item now at order[t] at t, for every t; `order` must be a
  // permutation of the indices.
  void Reorder(const std::vector<std::size_t>& order);
  void Clear();
  // Empties the list (as Clear) and hands its items over, to be put back in a
  // new arrangement without copying their texts.
  std::vector<ListItem> TakeItems();
  // Notifies only when the text really changes, so unchanged cells cost nothing.
  void SetText(std::size_t index, std::size_t column, const std::wstring& text);
  void SetImage(std::size_t index, int imageIndex);
  void SetIndent(std::size_t index, int indent);

  // Selection made by the program (notifies the view); a selected item also
  // takes the focus.
  void Select(std::size_t index, bool selected);
  // Selection made by the user in the control (the view reports it; no echo back).
  void SelectionFromView(std::size_t index, bool selected);
  std::optional<std::size_t> FirstSelected() const;
  std::vector<std::size_t> SelectedIndices() const;
  std::size_t SelectedCount() const;
  // The focus moved in the control (no echo back).
  void FocusFromView(std::size_t index, bool focused);
  std::optional<std::size_t> Focused() const;

  std::optional<std::size_t> FindByKey(std::int64_t key) const;
  // The first item from `start` on (then from the top, when `wrap`) whose
  // caption is `text` or, with `prefix`, begins with it, ignoring case: what
  // typing the first letters of a name jumps to.
  std::optional<std::size_t> FindCaption(std::wstring_view text, std::size_t start, bool prefix,
                                         bool wrap) const;

 private:
  void MoveFocusTo(std::size_t index);

  std::vector<ListItem> items_;
  ListObserver* observer_ = nullptr;
  int batches_ = 0;
};

}  // namespace ui
