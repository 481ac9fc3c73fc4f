// The 服务 page: reconciliation of the list with the service table, its order,
// and the commands the selection allows.
#include "services/services_page.h"

#include <algorithm>
#include <cwctype>
#include <iterator>
#include <numeric>

#include "ui/list_reorder.h"

namespace services {

namespace {

struct ServiceColumnRow {
  ServiceColumn column;
  const wchar_t* caption;
  int width;
  bool rightAligned;
};

// Narrow enough that 状态 is in sight in a window of the first size.
constexpr ServiceColumnRow kServiceColumns[] = {
    {kColName, L"名称", 90, false},      {kColPid, L"PID", 40, true},
    {kColDescription, L"描述", 110, false}, {kColState, L"状态", 60, false},
    {kColStartType, L"启动类型", 95, false}, {kColGroup, L"组", 100, false},
};

static_assert([] {
  for (std::size_t c = 0; c < std::size(kServiceColumns); ++c)
    if (kServiceColumns[c].column != c) return false;
  return std::size(kServiceColumns) == kServiceColumnCount;
}(), "one row per column, in the columns' order");

wchar_t Lower(wchar_t c) { return static_cast<wchar_t>(std::towlower(static_cast<std::wint_t>(c))); }

int CompareNoCase(const std::wstring& a, const std::wstring& b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const wchar_t x = Lower(a[i]), y = Lower(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

}  // namespace

std::wstring ServiceStateText(std::uint32_t state) {
  switch (state) {
    case platform::kServiceRunning: return L"正在运行";
    case platform::kServiceStopped: return L"已停止";
    case platform::kServiceStartPending: return L"正在启动";
    case platform::kServiceStopPending: return L"正在停止";
    case platform::kServicePaused: return L"已暂停";
    case platform::kServiceContinuePending: return L"正在继续";
    case platform::kServicePausePending: return L"正在暂停";
    default: return {};
  }
}

std::wstring StartTypeText(std::uint32_t startType, bool delayedAutoStart) {
  switch (startType) {
    case platform::kServiceAutoStart: return delayedAutoStart ? L"自动(延迟启动)" : L"自动";
    case platform::kServiceDemandStart: return L"手动";
    case platform::kServiceDisabled: return L"禁用";
    case platform::kServiceBootStart: return L"引导";
    case platform::kServiceSystemStart: return L"系统";
    default: return {};
  }
}

ServicesPage::ServicesPage(ServiceTable& table, ServiceCollector& collector, ui::ListModel& list,
                           const bool& closing)
    : table_(table), collector_(collector), list_(list), closing_(closing) {}

const std::vector<ui::ListColumn>& ServicesPage::Columns() {
  static const std::vector<ui::ListColumn> columns = [] {
    std::vector<ui::ListColumn> headers;
    for (const ServiceColumnRow& c : kServiceColumns)
      headers.push_back({c.caption, c.width, c.rightAligned});
    return headers;
  }();
  return columns;
}

// --- the list -------------------------------------------------------------------

const ServiceRow* ServicesPage::RowOfItem(std::size_t index) const {
  const ui::ListItem& item = list_.Item(index);
  const auto row = static_cast<std::size_t>(item.key);
  if (item.key < 0 || row >= table_.Capacity() || !table_.InUse(row)) return nullptr;
  const ServiceRow& found = table_.Row(row);
  return found.listed && found.name == item.caption ? &found : nullptr;
}

const ServiceRow* ServicesPage::SelectedRow() const {
  const auto selected = list_.FirstSelected();
  return selected ? RowOfItem(*selected) : nullptr;
}

void ServicesPage::FormatCell(const ServiceRow& row, std::size_t column, std::wstring& out) const {
  switch (column) {
    case kColName: out = row.name; break;
    case kColPid: out = row.processId == 0 ? std::wstring() : std::to_wstring(row.processId); break;
    case kColDescription: out = row.displayName; break;
    case kColState: out = ServiceStateText(row.state); break;
    case kColStartType:
      out = row.configKnown ? StartTypeText(row.startType, row.delayedAutoStart) : std::wstring();
      break;
    case kColGroup: out = row.group; break;
    default: out.clear(); break;
  }
}

ui::ListItem ServicesPage::MakeItem(std::size_t rowIndex) {
  const ServiceRow& row = table_.Row(rowIndex);
  ui::ListItem item;
  item.key = static_cast<std::int64_t>(rowIndex);
  item.caption = row.name;
  for (std::size_t c = 1; c < kServiceColumnCount; ++c) {
    FormatCell(row, c, scratch_);
    item.subItems.push_back(scratch_);
  }
  return item;
}

void ServicesPage::UpdateServicesPage() { Reconcile(); }

void ServicesPage::Reconcile() {
  bool orderTouched = false;
  // Items are visited from the last so that deleting one does not skip another.
  for (std::size_t i = list_.Count(); i-- > 0;) {
    if (closing_) return;
    const ServiceRow* row = RowOfItem(i);
    if (row == nullptr) {
      list_.Delete(i);
      continue;
    }
    for (std::size_t c = 1; c < kServiceColumnCount; ++c) {
      FormatCell(*row, c, scratch_);
      if (scratch_ == list_.Text(i, c)) continue;
      list_.SetText(i, c, scratch_);
      orderTouched |= c == sortColumn_;
    }
  }
  for (std::size_t r = 0; r < table_.Capacity(); ++r) {
    if (closing_) return;
    if (!table_.InUse(r) || table_.Row(r).listed) continue;
    table_.Row(r).listed = true;
    InsertSorted(r);
  }
  if (orderTouched) KeepSorted();
}

void ServicesPage::PageShown(bool shown) {
  collector_.SetShown(shown);
  if (!shown || closing_) return;
  collector_.ReadServices();
  Reconcile();
}

// --- order ----------------------------------------------------------------------

bool ServicesPage::Before(const ServiceRow& a, const ServiceRow& b) const {
  int order = 0;
  if (sortColumn_ == kColPid) {
    order = a.processId == b.processId ? 0 : (a.processId < b.processId ? -1 : 1);
  } else if (sortColumn_ != kColName) {
    std::wstring x, y;
    FormatCell(a, sortColumn_, x);
    FormatCell(b, sortColumn_, y);
    order = CompareNoCase(x, y);
  }
  if (order == 0) order = CompareNoCase(a.name, b.name);
  return descending_ ? order > 0 : order < 0;
}

void ServicesPage::InsertSorted(std::size_t rowIndex) {
  const ServiceRow& row = table_.Row(rowIndex);
  std::size_t low = 0, high = list_.Count();
  while (low < high) {
    const std::size_t middle = low + (high - low) / 2;
    const ServiceRow* other = RowOfItem(middle);
    if (other != nullptr && Before(row, *other)) {
      high = middle;
    } else {
      low = middle + 1;
    }
  }
  list_.Insert(low, MakeItem(rowIndex));
}

void ServicesPage::SortByColumn(std::size_t column) {
  if (column >= kServiceColumnCount) return;
  descending_ = column == sortColumn_ && !descending_;
  sortColumn_ = column;
  KeepSorted();
}

void ServicesPage::KeepSorted() {
  const std::size_t n = list_.Count();
  const auto before = [this](std::size_t a, std::size_t b) {
    const ServiceRow* x = RowOfItem(a);
    const ServiceRow* y = RowOfItem(b);
    if (x == nullptr || y == nullptr) return x == nullptr && y != nullptr;
    return Before(*x, *y);
  };
  bool sorted = true;
  for (std::size_t i = 1; i < n && sorted; ++i) sorted = !before(i, i - 1);
  if (sorted) return;
  order_.resize(n);
  std::iota(order_.begin(), order_.end(), std::size_t{0});
  std::stable_sort(order_.begin(), order_.end(), before);
  ui::ReorderList(list_, order_);
}

// --- selection ------------------------------------------------------------------

ServiceCommands ServicesPage::Commands() const {
  const ServiceRow* row = SelectedRow();
  if (row == nullptr) return {};
  ServiceCommands commands;
  commands.goToProcess = row->processId != 0;
  const bool disabled = row->configKnown && row->startType == platform::kServiceDisabled;
  commands.start = row->state == platform::kServiceStopped && !disabled;
  commands.stop = row->state == platform::kServiceRunning &&
                  (row->controlsAccepted & platform::kServiceAcceptStop) != 0;
  commands.restart = commands.stop;
  return commands;
}

std::optional<std::uint32_t> ServicesPage::ProcessOfSelected() const {
  const ServiceRow* row = SelectedRow();
  if (row == nullptr || row->processId == 0) return std::nullopt;
  return row->processId;
}

bool ServicesPage::HostsServices(std::uint32_t pid) {
  if (pid == 0) return false;
  if (!collector_.Shown()) collector_.ReadServices();
  for (std::size_t r = 0; r < table_.Capacity(); ++r)
    if (table_.InUse(r) && table_.Row(r).processId == pid) return true;
  return false;
}

bool ServicesPage::SelectServicesOf(std::uint32_t pid) {
  for (std::size_t i : list_.SelectedIndices()) list_.Select(i, false);
  bool any = false;
  // From the last, so that the first of them is the one scrolled into view.
  for (std::size_t i = list_.Count(); i-- > 0;) {
    const ServiceRow* row = RowOfItem(i);
    if (pid == 0 || row == nullptr || row->processId != pid) continue;
    list_.Select(i, true);
    any = true;
  }
  return any;
}

}  // namespace services
