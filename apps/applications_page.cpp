// The Applications page: reconciliation of the list with the window table, the
// icon places, the command rules and the window commands.
#include "apps/applications_page.h"

#include <iterator>

#include "apps/window_arrangement.h"
#include "apps/window_icon.h"

namespace apps {

namespace {

// Decimal text of a hidden cell; 0 when it is not a number.
std::int64_t ReadNumber(const std::wstring& text) {
  if (text.empty()) return 0;
  std::int64_t value = 0;
  for (const wchar_t c : text) {
    if (c < L'0' || c > L'9') return 0;
    value = value * 10 + (c - L'0');
  }
  return value;
}

void WriteNumber(std::int64_t value, std::wstring& out) {
  out.clear();
  if (value < 0) {
    out.push_back(L'-');
    value = -value;
  }
  wchar_t digits[24];
  int count = 0;
  do {
    digits[count++] = static_cast<wchar_t>(L'0' + value % 10);
    value /= 10;
  } while (value != 0);
  while (count > 0) out.push_back(digits[--count]);
}

// The item's cells, in the order of TaskColumn: the header of a shown column (none
// for the cells only the commands read), and the cell a window row gives.
struct TaskColumnSpec {
  TaskColumn column;
  const wchar_t* caption;  // null: not shown
  int width;
  void (*cell)(const TWinInfo& row, std::wstring& out);
};

constexpr TaskColumnSpec kTaskColumns[] = {
    {kColTask, L"任务", 200, [](const TWinInfo& r, std::wstring& out) { out = r.Caption; }},
    {kColStatus, L"状态", 100, [](const TWinInfo& r, std::wstring& out) { out = r.StatusText; }},
    {kColHandle, nullptr, 0,
     [](const TWinInfo& r, std::wstring& out) {
       WriteNumber(static_cast<std::int64_t>(r.Wnd), out);
     }},
    {kColShowCmd, nullptr, 0,
     [](const TWinInfo& r, std::wstring& out) { WriteNumber(r.ShowCmd, out); }},
    {kColExePath, nullptr, 0, [](const TWinInfo& r, std::wstring& out) { out = r.ExePath; }},
};

static_assert([] {
  for (std::size_t c = 0; c < std::size(kTaskColumns); ++c)
    if (kTaskColumns[c].column != c) return false;
  return std::size(kTaskColumns) == kTaskColumnCount;
}(), "one row per cell, in the cells' order");

// "切换至" and "前置" bring a minimised window back to normal and otherwise show
// it as it was; a window whose state could not be read is shown as it is, never hidden.
int ShowStateForSwitch(int recorded) {
  switch (recorded) {
    case platform::kShowMinimized: return platform::kShowNormal;
    case platform::kShowNormal:
    case platform::kShowMaximized: return recorded;
    default: return platform::kShowAsIs;
  }
}

}  // namespace

ApplicationsPage::ApplicationsPage(WinTable& table, ui::ListModel& list,
                                   platform::WindowApi& windows, platform::Dialogs& dialogs,
                                   const bool& closing)
    : table_(table), list_(list), windows_(windows), dialogs_(dialogs), closing_(closing) {}

const std::vector<ui::ListColumn>& ApplicationsPage::Columns() {
  static const std::vector<ui::ListColumn> columns = [] {
    std::vector<ui::ListColumn> headers;
    for (const TaskColumnSpec& c : kTaskColumns)
      if (c.caption != nullptr) headers.push_back({c.caption, c.width});
    return headers;
  }();
  return columns;
}

int ApplicationsPage::RefreshIcons(int imageIndex, const TWinInfo& row) {
  if (images_ == nullptr) return -1;
  // The icons of the window whose process the row shows. Only the listed window
  // itself is asked, and only when it answered.
  const bool own = row.ProcessWnd == 0 || row.ProcessWnd == row.Wnd;
  const WindowIcons icons = FetchWindowIcons(windows_, own ? row.Wnd : row.ProcessWnd,
                                             own && row.Responding);
  if (icons.large != 0 || icons.small != 0)
    return StoreIcons(imageIndex, icons.large, icons.small);
  // Neither the class nor the window has one (other programs' class icons cannot
  // be read everywhere): the icon of the program file, copied while it is lent.
  // A file on a share that has gone would hold this window for a minute: the
  // item keeps the default icon.
  int stored = -2;
  if (!row.ExePath.empty() && !row.ExeOnNetwork) {
    windows_.WithProgramIcons(row.ExePath,
                              [&](platform::IconHandle large, platform::IconHandle small) {
                                stored = StoreIcons(imageIndex, large, small);
                              });
  }
  return stored != -2 ? stored : StoreIcons(imageIndex, 0, 0);
}

int ApplicationsPage::StoreIcons(int imageIndex, platform::IconHandle large,
                                 platform::IconHandle small) {
  const bool hadSlot = imageIndex >= 0;
  if (large == 0 && small == 0) {
    if (hadSlot) slots_.Release(imageIndex);
    return -1;
  }
  const int slot = hadSlot ? imageIndex : slots_.Take();
  if (!images_->Put(slot, large != 0 ? large : small, small != 0 ? small : large)) {
    slots_.Release(slot);
    return -1;
  }
  return slot;
}

void ApplicationsPage::ReleaseImage(std::size_t index) {
  const int slot = list_.Item(index).imageIndex;
  if (slot >= 0) slots_.Release(slot);
}

ui::ListItem ApplicationsPage::MakeItem(const TWinInfo& row) {
  ui::ListItem item;
  item.key = static_cast<std::int64_t>(row.Wnd);
  item.imageIndex = RefreshIcons(-1, row);
  kTaskColumns[kColTask].cell(row, item.caption);
  item.subItems.resize(kTaskColumnCount - 1);
  for (std::size_t c = 1; c < kTaskColumnCount; ++c)
    kTaskColumns[c].cell(row, item.subItems[c - 1]);
  return item;
}

void ApplicationsPage::UpdateTaskList() {
  const ui::ListModel::ChangeBatch batch(list_);
  // From the last item, so that a deletion does not move the ones still to come.
  for (std::size_t i = list_.Count(); i-- > 0;) {
    if (closing_) return;
    const auto window = static_cast<platform::WindowHandle>(list_.Item(i).key);
    if (window == 0) continue;
    TWinInfo* row = table_.Find(window);
    if (row == nullptr) {
      ReleaseImage(i);
      list_.Delete(i);
      continue;
    }
    const int image = list_.Item(i).imageIndex;
    // A new title may come with a new icon, and so does a new program (an app
    // frame that now shows its app); a window without one is asked again.
    const bool newTitle = row->Caption != list_.Item(i).caption;
    const bool newProgram = row->ExePath != list_.Text(i, kColExePath);
    if (newTitle || newProgram || image < 0) list_.SetImage(i, RefreshIcons(image, *row));
    if (newTitle) list_.SetText(i, kColTask, row->Caption);
    if (newProgram) list_.SetText(i, kColExePath, row->ExePath);
    // The handle is the item's key.
    for (const TaskColumn c : {kColStatus, kColShowCmd}) {
      kTaskColumns[c].cell(*row, scratch_);
      list_.SetText(i, c, scratch_);
    }
    row->RowState = kRowListed;
  }
  for (std::size_t r = 0; r < table_.Capacity(); ++r) {
    if (closing_) return;
    TWinInfo& row = table_.Row(r);
    if (row.RowState == kRowListed || row.Wnd == 0) continue;
    list_.Append(MakeItem(row));
    row.RowState = kRowListed;
  }
}

void ApplicationsPage::RefetchIcons() {
  const ui::ListModel::ChangeBatch batch(list_);
  slots_ = ImageSlots();
  for (std::size_t i = 0; i < list_.Count(); ++i) {
    if (closing_) return;
    const TWinInfo* row = table_.Find(static_cast<platform::WindowHandle>(list_.Item(i).key));
    list_.SetImage(i, row != nullptr ? RefreshIcons(-1, *row) : -1);
  }
}

platform::WindowHandle ApplicationsPage::Selected(int& showState) const {
  showState = 0;
  const auto first = list_.FirstSelected();
  if (!first) return 0;
  const std::wstring& handle = list_.Text(*first, kColHandle);
  showState = static_cast<int>(ReadNumber(list_.Text(*first, kColShowCmd)));
  return static_cast<platform::WindowHandle>(ReadNumber(handle));
}

bool ApplicationsPage::act_ChangeExecute() {
  int state = 0;
  const platform::WindowHandle window = Selected(state);
  if (window == 0) return false;
  windows_.Show(window, ShowStateForSwitch(state));
  windows_.ForceForeground(window);
  return true;
}

bool ApplicationsPage::act_TopExecute() {
  int state = 0;
  const platform::WindowHandle window = Selected(state);
  if (window == 0) return false;
  windows_.Show(window, ShowStateForSwitch(state));
  windows_.SetForeground(window);
  return true;
}

bool ApplicationsPage::act_MinExecute() {
  int state = 0;
  const platform::WindowHandle window = Selected(state);
  if (window == 0) return false;
  windows_.Show(window, platform::kShowMinimized);
  if (ownWindow_ != 0) windows_.ForceForeground(ownWindow_);
  return true;
}

bool ApplicationsPage::act_MaxExecute() {
  int state = 0;
  const platform::WindowHandle window = Selected(state);
  if (window == 0) return false;
  windows_.Show(window, platform::kShowMaximized);
  windows_.ForceForeground(window);
  return true;
}

bool ApplicationsPage::act_KillTaskExecute() {
  int state = 0;
  const platform::WindowHandle window = Selected(state);
  if (window == 0) return false;
  if (!windows_.PostClose(window))
    dialogs_.ShowMessage(L"系统提示", L"访问被拒绝", platform::BoxIcon::kError);
  return true;
}

const std::vector<platform::WindowHandle>& ApplicationsPage::SelectedWindows() {
  selected_.clear();
  for (std::size_t i = 0; i < list_.Count(); ++i) {
    if (!list_.Item(i).selected) continue;
    const auto window = static_cast<platform::WindowHandle>(ReadNumber(list_.Text(i, kColHandle)));
    if (window != 0) selected_.push_back(window);
  }
  return selected_;
}

// The arrangements are made here rather than by the system's cascade and tile
// calls, which wait for each window's program to move it, hung or not.
void ApplicationsPage::act_CasExecute() {
  ArrangeByHand(windows_, SelectedWindows(), Arrangement::kCascade);
}

void ApplicationsPage::act_HExecute() {
  ArrangeByHand(windows_, SelectedWindows(), Arrangement::kTileHorizontal);
}

void ApplicationsPage::act_VExecute() {
  ArrangeByHand(windows_, SelectedWindows(), Arrangement::kTileVertical);
}

std::optional<std::uint32_t> ApplicationsPage::ProcessOfSelected() {
  int state = 0;
  const platform::WindowHandle window = Selected(state);
  if (window == 0) return std::nullopt;
  const TWinInfo* row = table_.Find(window);
  if (row == nullptr) return std::nullopt;  // gone since the last collection
  return row->ProcessId;
}

void ApplicationsPage::lv_TaskMouseDown() {
  UpdateTaskCommands(commands_, TaskEvent::kMouseDown, list_.FirstSelected().has_value(),
                     list_.SelectedCount());
}

void ApplicationsPage::lv_TaskEnter() {
  UpdateTaskCommands(commands_, TaskEvent::kEnter, list_.FirstSelected().has_value(),
                     list_.SelectedCount());
}

void ApplicationsPage::lv_TaskSelectItem() {
  if (closing_) return;
  UpdateTaskCommands(commands_, TaskEvent::kSelectItem, list_.FirstSelected().has_value(),
                     list_.SelectedCount());
}

void ApplicationsPage::ShowTaskCommands(bool visible) { apps::ShowTaskCommands(commands_, visible); }

}  // namespace apps
