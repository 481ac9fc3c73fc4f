// The Users page: reconciliation of the list with the session table, button
// states and the commands on the selected session.
#include "users/users_page.h"

#include <iterator>

namespace users {

namespace {

// The list's columns, in the order of UserColumn: the header, and the cell a
// session row gives.
struct UserColumnSpec {
  UserColumn column;
  const wchar_t* caption;
  int width;
  bool centred;
  std::wstring (*cell)(const TUserInfo& row);
};

constexpr UserColumnSpec kUserColumns[] = {
    {kColUser, L"用户", 100, false, [](const TUserInfo& r) { return r.UserName; }},
    {kColSessionId, L"标识", 75, true,
     [](const TUserInfo& r) { return std::to_wstring(r.SessionId); }},
    {kColState, L"状态", 80, true, [](const TUserInfo& r) { return r.StateText; }},
    // Widened by the view to fill the list.
    {kColSession, L"会话", 100, true, [](const TUserInfo& r) { return r.SessionName; }},
};

static_assert([] {
  for (std::size_t c = 0; c < std::size(kUserColumns); ++c)
    if (kUserColumns[c].column != c) return false;
  return std::size(kUserColumns) == kUserColumnCount;
}(), "one row per column, in the columns' order");

constexpr wchar_t kCaption[] = L"系统提示";

}  // namespace

UsersPage::UsersPage(SessionTable& table, ui::ListModel& list, platform::SessionApi& sessions,
                     platform::Dialogs& dialogs, ui::UpdateTimer& timer,
                     platform::UiWait& wait, const bool& closing)
    : table_(table),
      list_(list),
      sessions_(sessions),
      dialogs_(dialogs),
      timer_(timer),
      wait_(wait),
      closing_(closing) {}

const std::vector<ui::ListColumn>& UsersPage::Columns() {
  static const std::vector<ui::ListColumn> columns = [] {
    std::vector<ui::ListColumn> headers;
    for (const UserColumnSpec& c : kUserColumns)
      headers.push_back({c.caption, c.width, false, c.centred});
    return headers;
  }();
  return columns;
}

ui::ListItem UsersPage::MakeItem(const TUserInfo& row) const {
  ui::ListItem item;
  item.key = row.SessionId;
  item.caption = kUserColumns[kColUser].cell(row);
  for (std::size_t c = 1; c < kUserColumnCount; ++c)
    item.subItems.push_back(kUserColumns[c].cell(row));
  return item;
}

void UsersPage::UpdateUsersPage() {
  const ui::ListModel::ChangeBatch batch(list_);
  // Items are visited from the last so that deleting one does not skip another.
  for (std::size_t i = list_.Count(); i-- > 0;) {
    if (closing_) return;
    TUserInfo* row = table_.FindSessionRow(list_.Item(i).caption, list_.Item(i).key);
    if (row == nullptr) {
      list_.Delete(i);
      continue;
    }
    row->Listed = true;
    // The user is how the item was found; the other cells follow the row.
    for (std::size_t c = 1; c < kUserColumnCount; ++c)
      list_.SetText(i, c, kUserColumns[c].cell(*row));
  }
  for (std::size_t r = 0; r < table_.Count(); ++r) {
    if (closing_) return;
    TUserInfo& row = table_.Row(r);
    if (row.Listed || row.SessionId == SessionTable::kNothingToAdd || row.UserName.empty())
      continue;
    list_.Append(MakeItem(row));
    row.Listed = true;
    row.SessionId = SessionTable::kNothingToAdd;
  }
}

bool UsersPage::IsConsole(std::size_t item) const {
  // Asked at the moment of the command: a switch of user moves the console.
  return list_.Item(item).key == sessions_.ActiveConsoleSessionId();
}

UserButtons UsersPage::lv_UsersMouseDown() const {
  const auto selected = list_.FirstSelected();
  if (!selected) return {false, false, false};
  return {true, IsConsole(*selected), true};
}

void UsersPage::btn_LockStationClick() {
  if (dialogs_.AskYesNo(kCaption, L"你确定要注销所选用户吗？", platform::BoxIcon::kWarning) !=
      platform::BoxAnswer::kYes)
    return;
  const auto selected = list_.FirstSelected();
  if (!selected || IsConsole(*selected)) return;
  const auto sessionId = static_cast<std::uint32_t>(list_.Item(*selected).key);
  // No tick may start while the system is ending the session.
  ui::TimerHold hold(timer_, ui::TimerHold::Afterwards::kRunning);
  sessions_.LogoffSession(sessionId);
  wait_.PumpThenSleep(kLogoffWaitMs);
}

void UsersPage::btn_LogoffClick() {
  if (dialogs_.AskYesNo(kCaption, L"你确定要断开所选用户吗？", platform::BoxIcon::kWarning) !=
      platform::BoxAnswer::kYes)
    return;
  sessions_.LockWorkStation();
}

void UsersPage::btn_SendMsgClick(MessagePrompt& prompt) {
  const auto selected = list_.FirstSelected();
  if (!selected) return;
  // Taken now: the list goes on updating while the prompt is open.
  const auto sessionId = static_cast<std::uint32_t>(list_.Item(*selected).key);
  const std::wstring userName = list_.Item(*selected).caption;
  const auto message = prompt.AskMessage(userName);
  if (!message) return;
  sessions_.SendSessionMessage(sessionId, message->title, message->text);
}

}  // namespace users
