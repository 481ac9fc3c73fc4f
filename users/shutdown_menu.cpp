// The shut-down menu: confirmation text per item, the privilege, the one call, and
// the system's own words when it refuses.
#include "users/shutdown_menu.h"

#include <array>

namespace users {

namespace {

constexpr wchar_t kCaption[] = L"系统提示";
constexpr std::array<const wchar_t*, kShutdownTagCount> kWords{
    L"待机", L"休眠", L"关机", L"重启", L"注销", L"切换用户"};

}  // namespace

ShutdownMenu::ShutdownMenu(platform::Dialogs& dialogs, platform::ProcessApi& privileges,
                           platform::PowerApi& power, platform::SessionApi& sessions)
    : dialogs_(dialogs), privileges_(privileges), power_(power), sessions_(sessions) {}

std::wstring ShutdownMenu::ConfirmText(int tag) {
  if (tag < 0 || tag >= kShutdownTagCount) return {};
  return std::wstring(L"你确定要") + kWords[tag] + L"吗？";
}

void ShutdownMenu::N27Click(int tag) { ShutdownAction(tag & 0xFF); }

void ShutdownMenu::ShutdownAction(int tag) {
  if (tag < 0 || tag >= kShutdownTagCount) return;
  if (dialogs_.AskYesNo(kCaption, ConfirmText(tag), platform::BoxIcon::kQuestion) !=
      platform::BoxAnswer::kYes)
    return;
  // Without the privilege the calls below are refused; with it or not, they are made.
  privileges_.EnablePrivilege(L"SeShutdownPrivilege");
  const platform::ActionResult result = MakeCall(tag);
  // A machine without standby, hibernation switched off, a missing privilege:
  // the user learns why nothing happened.
  if (!result.done) dialogs_.ShowMessage(kCaption, result.errorText, platform::BoxIcon::kError);
}

platform::ActionResult ShutdownMenu::MakeCall(int tag) {
  using platform::kExitReasonPlannedOther;
  switch (tag) {
    case kStandby: return power_.Suspend(platform::SleepKind::kStandby);
    case kHibernate: return power_.Suspend(platform::SleepKind::kHibernate);
    case kShutDown: return power_.RequestExit(platform::kExitShutdown, kExitReasonPlannedOther);
    case kRestart: return power_.RequestExit(platform::kExitReboot, kExitReasonPlannedOther);
    case kLogOff: return power_.RequestExit(platform::kExitLogoff, kExitReasonPlannedOther);
    case kSwitchUser: return sessions_.LockWorkStation();
    default: return platform::ActionResult::Done();
  }
}

}  // namespace users
