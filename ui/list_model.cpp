// The portable list: every change goes through here and is reported to the view.
#include "ui/list_model.h"

#include <algorithm>
#include <cwctype>

namespace ui {

namespace {

// Plain ASCII is lowered by hand: typing to find compares every caption.
wchar_t Lower(wchar_t c) {
  if (c < 0x80) return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
  return static_cast<wchar_t>(std::towlower(static_cast<std::wint_t>(c)));
}

bool CaptionMatches(const std::wstring& caption, std::wstring_view text, bool prefix) {
  if (caption.size() < text.size() || (!prefix && caption.size() != text.size())) return false;
  for (std::size_t i = 0; i < text.size(); ++i)
    if (Lower(caption[i]) != Lower(text[i])) return false;
  return true;
}

}  // namespace

const std::wstring& ListModel::Text(std::size_t index, std::size_t column) const {
  static const std::wstring kEmpty;
  const ListItem& item = items_[index];
  if (column == 0) return item.caption;
  return column - 1 < item.subItems.size() ? item.subItems[column - 1] : kEmpty;
}

std::size_t ListModel::Append(ListItem item) {
  Insert(items_.size(), std::move(item));
  return items_.size() - 1;
}

void ListModel::Insert(std::size_t index, ListItem item) {
  if (index > items_.size()) index = items_.size();
  items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(index), std::move(item));
  if (observer_) observer_->ItemInserted(index);
}

void ListModel::Delete(std::size_t index) {
  if (index >= items_.size()) return;
  items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(index));
  if (observer_) observer_->ItemDeleted(index);
}

void ListModel::Move(std::size_t from, std::size_t to) {
  if (from >= items_.size() || to >= items_.size() || from == to) return;
  const auto begin = items_.begin();
  const auto f = static_cast<std::ptrdiff_t>(from);
  const auto t = static_cast<std::ptrdiff_t>(to);
  if (from < to) {
    std::rotate(begin + f, begin + f + 1, begin + t + 1);
  } else {
    std::rotate(begin + t, begin + f, begin + f + 1);
  }
  if (observer_) observer_->ItemMoved(from, to);
}

void ListModel::Reorder(const std::vector<std::size_t>& order) {
  if (order.size() != items_.size()) return;
  std::vector<ListItem> reordered;
  reordered.reserve(items_.size());
  for (const std::size_t from : order) reordered.push_back(std::move(items_[from]));
  items_ = std::move(reordered);
  if (observer_) observer_->ItemsReordered(items_.size());
}

void ListModel::Clear() {
  items_.clear();
  if (observer_) observer_->ItemsCleared();
}

std::vector<ListItem> ListModel::TakeItems() {
  std::vector<ListItem> items = std::move(items_);
  items_.clear();
  if (observer_) observer_->ItemsCleared();
  return items;
}

void ListModel::SetText(std::size_t index, std::size_t column, const std::wstring& text) {
  ListItem& item = items_[index];
  std::wstring* cell = &item.caption;
  if (column > 0) {
    if (item.subItems.size() < column) item.subItems.resize(column);
    cell = &item.subItems[column - 1];
  }
  if (*cell == text) return;
  *cell = text;
  if (observer_) observer_->ItemTextChanged(index, column);
}

void ListModel::SetImage(std::size_t index, int imageIndex) {
  if (items_[index].imageIndex == imageIndex) return;
  items_[index].imageIndex = imageIndex;
  if (observer_) observer_->ItemTextChanged(index, 0);
}

void ListModel::SetIndent(std::size_t index, int indent) {
  if (items_[index].indent == indent) return;
  items_[index].indent = indent;
  if (observer_) observer_->ItemTextChanged(index, 0);
}

void ListModel::Select(std::size_t index, bool selected) {
  if (index >= items_.size()) return;
  items_[index].selected = selected;
  if (selected) MoveFocusTo(index);
  if (observer_) observer_->ItemSelectionChanged(index);
}

void ListModel::MoveFocusTo(std::size_t index) {
  for (ListItem& item : items_) item.focused = false;
  items_[index].focused = true;
}

void ListModel::FocusFromView(std::size_t index, bool focused) {
  if (index >= items_.size()) return;
  if (focused) {
    MoveFocusTo(index);
  } else {
    items_[index].focused = false;
  }
}

std::optional<std::size_t> ListModel::Focused() const {
  for (std::size_t i = 0; i < items_.size(); ++i)
    if (items_[i].focused) return i;
  return std::nullopt;
}

void ListModel::SelectionFromView(std::size_t index, bool selected) {
  if (index < items_.size()) items_[index].selected = selected;
}

std::optional<std::size_t> ListModel::FirstSelected() const {
  for (std::size_t i = 0; i < items_.size(); ++i)
    if (items_[i].selected) return i;
  return std::nullopt;
}

std::vector<std::size_t> ListModel::SelectedIndices() const {
  std::vector<std::size_t> result;
  for (std::size_t i = 0; i < items_.size(); ++i)
    if (items_[i].selected) result.push_back(i);
  return result;
}

std::size_t ListModel::SelectedCount() const {
  std::size_t count = 0;
  for (const ListItem& item : items_) count += item.selected ? 1 : 0;
  return count;
}

std::optional<std::size_t> ListModel::FindByKey(std::int64_t key) const {
  for (std::size_t i = 0; i < items_.size(); ++i)
    if (items_[i].key == key) return i;
  return std::nullopt;
}

std::optional<std::size_t> ListModel::FindCaption(std::wstring_view text, std::size_t start,
                                                  bool prefix, bool wrap) const {
  const std::size_t n = items_.size();
  if (start >= n) start = 0;
  for (std::size_t k = 0; k < n; ++k) {
    const std::size_t i = start + k < n ? start + k : start + k - n;
    if (i < start && !wrap) break;
    if (CaptionMatches(items_[i].caption, text, prefix)) return i;
  }
  return std::nullopt;
}

}  // namespace ui
