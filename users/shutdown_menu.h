// The "关机(U)" menu's logic: standby, hibernate, shut down, restart, log off and
// switch user, each after a confirmation and with the shut-down privilege enabled;
// a call the system refuses is reported with the system's own text.
#pragma once
#include <string>

#include "platform/dialogs.h"
#include "platform/power_api.h"
#include "platform/process_api.h"
#include "platform/session_api.h"

namespace users {

// The menu items by tag, in menu order.
enum ShutdownTag : int {
  kStandby = 0, kHibernate, kShutDown, kRestart, kLogOff, kSwitchUser, kShutdownTagCount
};

class ShutdownMenu {
 public:
  ShutdownMenu(platform::Dialogs& dialogs, platform::ProcessApi& privileges,
               platform::PowerApi& power, platform::SessionApi& sessions);

  // "你确定要" + the item's word + "吗？"; empty for an unknown tag.
  static std::wstring ConfirmText(int tag);

  // Any of the six items; the tag's low byte says which.
  void N27Click(int tag);
  void ShutdownAction(int tag);

 private:
  // The one system call of a known tag.
  platform::ActionResult MakeCall(int tag);

  platform::Dialogs& dialogs_;
  platform::ProcessApi& privileges_;
  platform::PowerApi& power_;
  platform::SessionApi& sessions_;
};

}  // namespace users
