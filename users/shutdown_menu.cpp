// The shut-down menu: confirmation text per item, the privilege, the one call.
#include "users/shutdown_menu.h"

#include <array>

namespace users {

namespace {

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
  if (!dialogs_.AskYesNo(L"系统提示", ConfirmText(tag), platform::BoxIcon::kQuestion)) return;
  // Without the privilege the calls below are refused; with it or not, they are made.
  privileges_.EnablePrivilege(L"SeShutdownPrivilege");
  switch (tag) {
    case kStandby: power_.SetPowerState(true, false); break;
    case kHibernate: power_.SetPowerState(false, false); break;
    case kShutDown: power_.RequestExit(platform::kExitShutdown, 0); break;
    case kRestart: power_.RequestExit(platform::kExitReboot, 0); break;
    case kLogOff: power_.RequestExit(platform::kExitLogoff, 0); break;
    case kSwitchUser: sessions_.LockWorkStation(); break;
    default: break;
  }
}

}  // namespace users
