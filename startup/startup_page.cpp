// The 启动 page: reconciliation of the list with the startup table, what the
// selection allows, and the commands on the selected entry.
#include "startup/startup_page.h"

#include <iterator>

#include "startup/startup_approved.h"

namespace startup {

namespace {

using platform::StartupPlace;

struct StartupColumnSpec {
  StartupColumn column;
  const wchar_t* caption;
  int width;
  std::wstring (*cell)(const StartupRow& row);
};

constexpr StartupColumnSpec kStartupColumns[] = {
    {kColName, L"名称", 90, [](const StartupRow& r) { return r.Name; }},
    {kColPublisher, L"发布者", 90, [](const StartupRow& r) { return r.Publisher; }},
    {kColStatus, L"状态", 50,
     [](const StartupRow& r) { return std::wstring(r.Disabled ? kDisabledText : kEnabledText); }},
    {kColCommand, L"命令", 220, [](const StartupRow& r) { return r.Command; }},
    {kColPlace, L"位置", 130, [](const StartupRow& r) { return std::wstring(PlaceText(r.Place)); }},
};

static_assert([] {
  for (std::size_t c = 0; c < std::size(kStartupColumns); ++c)
    if (kStartupColumns[c].column != c) return false;
  return std::size(kStartupColumns) == kStartupColumnCount;
}(), "one row per column, in the columns' order");

constexpr wchar_t kCaption[] = L"系统提示";
constexpr wchar_t kMachineRefusal[] = L"访问被拒绝：更改所有用户的启动项需要管理员权限。";
constexpr wchar_t kRestartHint[] = L"可用“文件”菜单中的“以管理员身份重新启动(&R)”。";

}  // namespace

const wchar_t* PlaceText(StartupPlace place) {
  switch (place) {
    case StartupPlace::kUserRun: return L"HKCU\\Run";
    case StartupPlace::kMachineRun: return L"HKLM\\Run";
    case StartupPlace::kMachineRun32: return L"HKLM\\Run (32 位)";
    case StartupPlace::kUserFolder: return L"启动文件夹 (当前用户)";
    case StartupPlace::kCommonFolder: return L"启动文件夹 (所有用户)";
  }
  return L"";
}

StartupPage::StartupPage(StartupTable& table, StartupCollector& collector, ui::ListModel& list,
                         platform::StartupApi& startup, platform::ShellApi& shell,
                         platform::Dialogs& dialogs, platform::ElevationApi& elevation,
                         const bool& closing)
    : table_(table),
      collector_(collector),
      list_(list),
      startup_(startup),
      shell_(shell),
      dialogs_(dialogs),
      elevation_(elevation),
      closing_(closing) {}

const std::vector<ui::ListColumn>& StartupPage::Columns() {
  static const std::vector<ui::ListColumn> columns = [] {
    std::vector<ui::ListColumn> headers;
    for (const StartupColumnSpec& c : kStartupColumns)
      headers.push_back({c.caption, c.width, false, false});
    return headers;
  }();
  return columns;
}

ui::ListItem StartupPage::MakeItem(const StartupRow& row) const {
  ui::ListItem item;
  item.key = static_cast<std::int64_t>(row.Place);
  item.caption = kStartupColumns[kColName].cell(row);
  for (std::size_t c = 1; c < kStartupColumnCount; ++c)
    item.subItems.push_back(kStartupColumns[c].cell(row));
  item.subItems.push_back(row.ValueName);
  return item;
}

void StartupPage::UpdateStartupPage() {
  const ui::ListModel::ChangeBatch batch(list_);
  // Items are visited from the last so that deleting one does not skip another.
  for (std::size_t i = list_.Count(); i-- > 0;) {
    if (closing_) return;
    const auto place = static_cast<StartupPlace>(list_.Item(i).key);
    StartupRow* row = table_.Find(place, list_.Text(i, kColValueName));
    if (row == nullptr) {
      list_.Delete(i);
      continue;
    }
    row->Listed = true;
    for (std::size_t c = 0; c < kStartupColumnCount; ++c)
      list_.SetText(i, c, kStartupColumns[c].cell(*row));
  }
  for (std::size_t r = 0; r < table_.Count(); ++r) {
    if (closing_) return;
    StartupRow& row = table_.Row(r);
    if (row.Listed) continue;
    list_.Append(MakeItem(row));
    row.Listed = true;
  }
}

void StartupPage::PageShown(bool shown) {
  collector_.SetShown(shown);
  if (shown) Refresh();
}

void StartupPage::Refresh() {
  collector_.ReadStartup();
  UpdateStartupPage();
}

const StartupRow* StartupPage::SelectedRow() const {
  const auto selected = list_.FirstSelected();
  if (!selected) return nullptr;
  return table_.Find(static_cast<StartupPlace>(list_.Item(*selected).key),
                     list_.Text(*selected, kColValueName));
}

StartupCommands StartupPage::lv_StartupSelectItem() const {
  StartupCommands commands;
  commands.offered = startup_.KeepsApprovedValues();
  const StartupRow* row = SelectedRow();
  if (row == nullptr) return commands;
  commands.canOpenLocation = !row->ProgramPath.empty() || !row->FilePath.empty();
  if (!commands.offered) return commands;
  commands.canDisable = !row->Disabled;
  commands.canEnable = row->Disabled;
  commands.buttonCaption = row->Disabled ? kEnableCaption : kDisableCaption;
  commands.buttonEnabled = true;
  return commands;
}

void StartupPage::btn_StartupStateClick() {
  const StartupRow* row = SelectedRow();
  if (row != nullptr) SetSelectedDisabled(!row->Disabled);
}

void StartupPage::SetSelectedDisabled(bool disable) {
  const StartupRow* row = SelectedRow();
  if (row == nullptr || row->Disabled == disable || !startup_.KeepsApprovedValues()) return;
  // Taken now: the read after the command rewrites the table.
  const StartupPlace place = row->Place;
  const std::wstring name = row->ValueName;
  // The value as it is now, so that its other flags survive.
  startup_.ReadApproved(place, approved_);
  const platform::ApprovedValue* current = nullptr;
  for (const platform::ApprovedValue& value : approved_)
    if (FoldCase(value.name) == FoldCase(name)) current = &value;
  const platform::ApprovedWrite result = startup_.WriteApproved(
      place, name, ApprovedBytes(current, disable, startup_.FileTimeNow()));
  if (result.error != platform::ApprovedWriteError::kNone) ShowRefusal(place, result);
  Refresh();
}

void StartupPage::ShowRefusal(StartupPlace place, const platform::ApprovedWrite& result) {
  if (result.error != platform::ApprovedWriteError::kAccessDenied ||
      !platform::IsMachinePlace(place)) {
    dialogs_.ShowMessage(kCaption, result.errorText, platform::BoxIcon::kError);
    return;
  }
  std::wstring text = kMachineRefusal;
  if (!elevation_.TokenElevated()) text += std::wstring(L"\n") + kRestartHint;
  dialogs_.ShowMessage(kCaption, text, platform::BoxIcon::kError);
}

void StartupPage::act_OpenLocationExecute() {
  const StartupRow* row = SelectedRow();
  if (row == nullptr) return;
  const std::wstring& file = row->ProgramPath.empty() ? row->FilePath : row->ProgramPath;
  if (file.empty()) return;
  shell_.Execute(L"open", startup_.ExplorerPath(), L"/select,\"" + file + L"\"");
}

}  // namespace startup
