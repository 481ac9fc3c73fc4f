// The 服务 page: reconciliation of the list with the service table, its order,
// the commands the selection allows, and start, stop and restart as sequences
// of steps followed without waiting.
#include "services/services_page.h"

#include <algorithm>
#include <cwctype>
#include <iterator>
#include <numeric>

#include "ui/list_reorder.h"

namespace services {

namespace {

constexpr wchar_t kCaption[] = L"系统提示";
constexpr wchar_t kAccessDenied[] = L"访问被拒绝：启动或停止服务需要管理员权限。";
constexpr wchar_t kElevationHint[] = L"可用“文件”菜单中的“以管理员身份重新启动(&R)”。";

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

// Released when the following ends, however it ends.
class Flag {
 public:
  explicit Flag(bool& flag) : flag_(flag) { flag_ = true; }
  ~Flag() { flag_ = false; }
  Flag(const Flag&) = delete;
  Flag& operator=(const Flag&) = delete;

 private:
  bool& flag_;
};

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
                           platform::ServiceApi& services, platform::Dialogs& dialogs,
                           platform::ShellApi& shell, platform::ElevationApi& elevation,
                           platform::Clock& clock, const bool& closing)
    : table_(table),
      collector_(collector),
      list_(list),
      services_(services),
      dialogs_(dialogs),
      shell_(shell),
      elevation_(elevation),
      clock_(clock),
      closing_(closing) {}

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

void ServicesPage::UpdateServicesPage() {
  if (command_) {
    FollowCommand();  // brings the list up to date too
    return;
  }
  Reconcile();
}

void ServicesPage::Reconcile() {
  const ui::ListModel::ChangeBatch batch(list_);
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
  if (command_) return commands;  // one command at a time
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

// --- commands -------------------------------------------------------------------

void ServicesPage::StartSelected() {
  const ServiceRow* row = SelectedRow();
  if (row == nullptr || !Commands().start) return;
  Begin({{StepKind::kStart, row->name}});
}

void ServicesPage::StopSelected() {
  if (Commands().stop) BeginStop(false);
}

void ServicesPage::RestartSelected() {
  if (Commands().restart) BeginStop(true);
}

void ServicesPage::BeginStop(bool thenStart) {
  const ServiceRow* row = SelectedRow();
  if (row == nullptr) return;
  // Taken now: the list may change while the question is open.
  const std::wstring name = row->name;
  const std::wstring shownName = row->displayName.empty() ? row->name : row->displayName;
  if (const std::uint32_t error = services_.ActiveDependents(name, dependents_)) {
    Fail(error);
    return;
  }
  std::vector<CommandStep> steps;
  if (!dependents_.empty()) {
    std::wstring question = L"以下服务依赖于“" + shownName + L"”，也将停止：\n";
    for (const platform::DependentService& dependent : dependents_)
      question += (dependent.displayName.empty() ? dependent.name : dependent.displayName) + L"\n";
    question += L"是否继续？";
    if (dialogs_.AskYesNo(kCaption, question, platform::BoxIcon::kWarning) !=
        platform::BoxAnswer::kYes)
      return;
    // In the order given: the one that would start last stops first.
    for (const platform::DependentService& dependent : dependents_)
      steps.push_back({StepKind::kStop, dependent.name});
  }
  steps.push_back({StepKind::kStop, name});
  if (thenStart) steps.push_back({StepKind::kStart, name});
  Begin(std::move(steps));
}

void ServicesPage::Begin(std::vector<CommandStep> steps) {
  if (command_ || closing_) return;
  command_ = RunningCommand{std::move(steps), 0, false, 0, 0, 0};
  FollowCommand();
}

void ServicesPage::btn_ServiceManagerClick() {
  const platform::ActionResult result = shell_.Open(L"services.msc");
  if (!result.done) dialogs_.ShowMessage(kCaption, result.errorText, platform::BoxIcon::kError);
}

void ServicesPage::FollowCommand() {
  if (!command_ || following_ || closing_) return;
  {
    Flag following(following_);
    const std::int64_t now = clock_.NowMs();
    while (command_ && command_->next < command_->steps.size()) {
      RunningCommand& command = *command_;
      const CommandStep& step = command.steps[command.next];
      const bool starting = step.kind == StepKind::kStart;
      if (!command.issued) {
        const std::uint32_t error =
            starting ? services_.RequestStart(step.name) : services_.RequestStop(step.name);
        // Already where the step would take it: on to the next one.
        const bool already = error == (starting ? platform::kErrorServiceAlreadyRunning
                                                : platform::kErrorServiceNotActive);
        if (error != 0 && !already) {
          Fail(error);
          break;
        }
        command.issued = !already;
        if (already) {
          ++command.next;
          continue;
        }
        command.progressMs = now;
        command.checkPoint = ~std::uint32_t{0};  // the first look counts as progress
      }
      platform::ServiceStatus status;
      if (const std::uint32_t error = services_.QueryStatus(step.name, status)) {
        Fail(error);
        break;
      }
      ShowStatus(step.name, status);
      if (status.state == (starting ? platform::kServiceRunning : platform::kServiceStopped)) {
        if (ServiceRow* row = table_.Find(step.name)) row->configDue = true;
        ++command.next;
        command.issued = false;
        continue;
      }
      if (starting && status.state == platform::kServiceStopped) {
        // It ended instead of starting: say why when it left a reason.
        if (status.exitCode != 0) {
          Fail(status.exitCode);
        } else {
          command_.reset();
        }
        break;
      }
      if (status.checkPoint != command.checkPoint) {
        command.checkPoint = status.checkPoint;
        command.progressMs = now;
        command.waitHintMs = status.waitHintMs;
      } else if (now - command.progressMs >
                 std::clamp<std::int64_t>(command.waitHintMs, kShortestWaitMs, kLongestWaitMs)) {
        Fail(platform::kErrorServiceRequestTimeout);
      }
      break;  // to be looked at again
    }
    if (command_ && command_->next == command_->steps.size()) command_.reset();
  }
  Reconcile();
}

void ServicesPage::ShowStatus(const std::wstring& name, const platform::ServiceStatus& status) {
  ServiceRow* row = table_.Find(name);
  if (row == nullptr) return;
  row->state = status.state;
  row->processId = status.processId;
  row->controlsAccepted = status.controlsAccepted;
}

void ServicesPage::Fail(std::uint32_t error) {
  // Ended before the box: a look that comes while it is open finds nothing to do.
  command_.reset();
  std::wstring text;
  if (error == platform::kErrorAccessDenied) {
    text = kAccessDenied;
    if (!elevation_.TokenElevated()) text += std::wstring(L"\n") + kElevationHint;
  } else {
    text = services_.ErrorText(error);
  }
  dialogs_.ShowMessage(kCaption, text, platform::BoxIcon::kError);
}

}  // namespace services
