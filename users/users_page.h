// The Users page's logic: keeps the list of sessions in step with the session
// table (items stay in place, ended sessions leave, new ones are appended), says
// which buttons the selection allows, and carries out log-off, lock and message.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/dialogs.h"
#include "platform/session_api.h"
#include "platform/ui_wait.h"
#include "ui/list_model.h"
#include "ui/timer_hold.h"
#include "users/session_table.h"

namespace users {

// Cells of an item, by column: 0 caption (user), then sub-items.
enum UserColumn : std::size_t { kColUser = 0, kColSessionId, kColState, kColSession,
                                kUserColumnCount };

struct OutgoingMessage {
  std::wstring title;
  std::wstring text;
};

// Asks the user what to send (the Win32 side shows a dialog); empty when cancelled.
class MessagePrompt {
 public:
  virtual ~MessagePrompt() = default;
  virtual std::optional<OutgoingMessage> AskMessage(const std::wstring& userName) = 0;
};

// Which of the page's buttons the current selection allows.
struct UserButtons {
  bool logoff = true;       // "注销(&L)"
  bool lock = true;         // "断开(&D)"
  bool sendMessage = true;  // "发送消息(&S)..."
};

class UsersPage {
 public:
  // The log-off waits this long with the refresh stopped, for the system to act.
  static constexpr int kLogoffWaitMs = 2000;

  UsersPage(SessionTable& table, ui::ListModel& list, platform::SessionApi& sessions,
            platform::Dialogs& dialogs, ui::UpdateTimer& timer, platform::UiWait& wait,
            const bool& closing);

  static const std::vector<ui::ListColumn>& Columns();

  // Handler of the sessions update.
  void UpdateUsersPage();

  // After the user has changed the selection.
  UserButtons lv_UsersMouseDown() const;
  // "注销(&L)": asks, then logs the selected session off (never the console's).
  void btn_LockStationClick();
  // "断开(&D)": asks, then locks the workstation; the selection plays no part.
  void btn_LogoffClick();
  // "发送消息(&S)...": asks for the text, then sends it to the selected session.
  void btn_SendMsgClick(MessagePrompt& prompt);

 private:
  ui::ListItem MakeItem(const TUserInfo& row) const;
  // Whether the item is the session at the physical console.
  bool IsConsole(std::size_t item) const;

  SessionTable& table_;
  ui::ListModel& list_;
  platform::SessionApi& sessions_;
  platform::Dialogs& dialogs_;
  ui::UpdateTimer& timer_;
  platform::UiWait& wait_;
  const bool& closing_;
};

}  // namespace users
