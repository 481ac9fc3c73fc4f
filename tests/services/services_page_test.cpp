// The 服务 page on the fake system: the list follows the services in place and
// in order, the commands follow the selected service, and start, stop and
// restart are issued and then followed tick by tick, asking before stopping
// dependents and saying why when the system refuses or a service hangs.
#include "services/services_page.h"

#include <gtest/gtest.h>

#include "tests/support/service_world.h"

namespace {

using testing_support::ServiceWorld;
using namespace services;
using Names = std::vector<std::wstring>;

TEST(ServicesPage, StatesAndStartTypesReadAsTheirWords) {
  EXPECT_EQ(ServiceStateText(platform::kServiceRunning), L"正在运行");
  EXPECT_EQ(ServiceStateText(platform::kServiceStopped), L"已停止");
  EXPECT_EQ(ServiceStateText(platform::kServiceStartPending), L"正在启动");
  EXPECT_EQ(ServiceStateText(platform::kServiceStopPending), L"正在停止");
  EXPECT_EQ(ServiceStateText(platform::kServicePaused), L"已暂停");
  EXPECT_EQ(ServiceStateText(platform::kServiceContinuePending), L"正在继续");
  EXPECT_EQ(ServiceStateText(platform::kServicePausePending), L"正在暂停");
  EXPECT_EQ(ServiceStateText(99), L"");
  EXPECT_EQ(StartTypeText(platform::kServiceAutoStart, false), L"自动");
  EXPECT_EQ(StartTypeText(platform::kServiceAutoStart, true), L"自动(延迟启动)");
  EXPECT_EQ(StartTypeText(platform::kServiceDemandStart, true), L"手动");
  EXPECT_EQ(StartTypeText(platform::kServiceDisabled, false), L"禁用");
  EXPECT_EQ(StartTypeText(platform::kServiceBootStart, false), L"引导");
  EXPECT_EQ(StartTypeText(platform::kServiceSystemStart, false), L"系统");
}

TEST(ServicesPage, ListKeepsItsOrderAndSelectionAsServicesComeGoAndChange) {
  ServiceWorld w;
  w.system.AddService(L"Spooler", L"Print Spooler");
  w.system.AddService(L"audiosrv", L"Windows Audio", platform::kServiceRunning, 900);
  w.system.AddService(L"BITS", L"Background Intelligent Transfer Service");
  w.page.PageShown(true);
  // By name at first, whatever order the manager gives, ignoring case.
  EXPECT_EQ(w.Names(), (Names{L"audiosrv", L"BITS", L"Spooler"}));
  EXPECT_EQ(w.Cell(L"audiosrv", kColPid), L"900");
  EXPECT_EQ(w.Cell(L"BITS", kColPid), L"");
  EXPECT_EQ(w.Cell(L"BITS", kColDescription), L"Background Intelligent Transfer Service");
  EXPECT_EQ(w.Cell(L"BITS", kColState), L"已停止");

  w.Select(L"Spooler");
  w.system.FindService(L"Spooler")->state = platform::kServiceRunning;
  w.system.FindService(L"Spooler")->processId = 812;
  w.system.services.erase(w.system.services.begin() + 2);  // BITS goes
  w.system.AddService(L"Dhcp", L"DHCP Client", platform::kServiceRunning, 500);
  w.Tick();
  EXPECT_EQ(w.Names(), (Names{L"audiosrv", L"Dhcp", L"Spooler"}));
  EXPECT_EQ(w.Cell(L"Spooler", kColState), L"正在运行");
  EXPECT_EQ(w.Cell(L"Spooler", kColPid), L"812");
  ASSERT_EQ(w.list.SelectedIndices(), std::vector<std::size_t>{2});

  // Sorted by PID, then the other way: the selection travels with its item.
  w.page.SortByColumn(kColPid);
  EXPECT_EQ(w.Names(), (Names{L"Dhcp", L"Spooler", L"audiosrv"}));
  w.page.SortByColumn(kColPid);
  EXPECT_EQ(w.Names(), (Names{L"audiosrv", L"Spooler", L"Dhcp"}));
  EXPECT_EQ(w.list.SelectedIndices(), std::vector<std::size_t>{1});
  // A changed PID keeps the order by PID.
  w.system.FindService(L"Dhcp")->processId = 2000;
  w.Tick();
  EXPECT_EQ(w.Names(), (Names{L"Dhcp", L"audiosrv", L"Spooler"}));

  // 转到服务: every service of the process selected, nothing else.
  w.system.FindService(L"Dhcp")->processId = 900;
  w.Tick();
  EXPECT_TRUE(w.page.HostsServices(900));
  EXPECT_FALSE(w.page.HostsServices(4242));
  EXPECT_TRUE(w.page.SelectServicesOf(900));
  EXPECT_EQ(w.list.SelectedCount(), 2u);
  EXPECT_FALSE(w.list.Item(*w.list.FindByKey(*w.table.IndexOf(L"Spooler"))).selected);
}

TEST(ServicesPage, CommandsFollowTheSelectedService) {
  ServiceWorld w;
  w.system.AddService(L"Stopped", L"a");
  w.system.AddService(L"Disabled", L"b").startType = platform::kServiceDisabled;
  w.system.AddService(L"Running", L"c", platform::kServiceRunning, 700);
  w.system.AddService(L"NoStop", L"d", platform::kServiceRunning, 701).controlsAccepted = 0;
  w.page.PageShown(true);
  const auto commands = [&w](const std::wstring& name) {
    w.Select(name);
    const ServiceCommands c = w.page.Commands();
    return std::vector<bool>{c.start, c.stop, c.restart, c.goToProcess};
  };
  EXPECT_EQ(commands(L"Stopped"), (std::vector<bool>{true, false, false, false}));
  EXPECT_EQ(commands(L"Disabled"), (std::vector<bool>{false, false, false, false}));
  EXPECT_EQ(commands(L"Running"), (std::vector<bool>{false, true, true, true}));
  EXPECT_EQ(commands(L"NoStop"), (std::vector<bool>{false, false, false, true}));
  EXPECT_EQ(*w.page.ProcessOfSelected(), 701u);
  w.Select(L"none");
  EXPECT_EQ(commands(L"none"), (std::vector<bool>{false, false, false, false}));
}

TEST(ServicesPage, RestartIsASequenceOfTicks) {
  ServiceWorld w;
  auto& spooler = w.system.AddService(L"Spooler", L"Print Spooler", platform::kServiceRunning, 812);
  spooler.startedPid = 1500;
  w.page.PageShown(true);
  w.Select(L"Spooler");
  w.system.serviceCalls.clear();
  w.page.RestartSelected();  // the stop is issued: nothing waits for it
  EXPECT_TRUE(w.page.CommandInProgress());
  EXPECT_EQ(w.system.serviceCalls,
            (Names{L"dependents Spooler", L"stop Spooler", L"status Spooler"}));
  EXPECT_EQ(w.Cell(L"Spooler", kColState), L"正在停止");
  EXPECT_FALSE(w.page.Commands().start);  // one command at a time

  w.Tick();  // stopped: the start is issued
  EXPECT_EQ(w.system.CallsStartingWith(L"start Spooler"), 1);
  EXPECT_EQ(w.Cell(L"Spooler", kColState), L"正在启动");
  w.Tick();  // running
  EXPECT_FALSE(w.page.CommandInProgress());
  EXPECT_EQ(w.Cell(L"Spooler", kColState), L"正在运行");
  EXPECT_EQ(w.Cell(L"Spooler", kColPid), L"1500");
  EXPECT_TRUE(w.system.boxes.empty());
  // Its configuration is read again after the command.
  const int configs = w.system.CallsStartingWith(L"config ");
  w.Tick();
  EXPECT_EQ(w.system.CallsStartingWith(L"config "), configs + 1);

  // A start that ends in "stopped" says why, in the system's words.
  auto& dying = w.system.AddService(L"Dying", L"Dying Service");
  dying.dies = true;
  dying.exitCode = 1067;  // ERROR_PROCESS_ABORTED
  w.Tick();
  w.Select(L"Dying");
  w.page.StartSelected();
  w.Tick();
  EXPECT_FALSE(w.page.CommandInProgress());
  ASSERT_EQ(w.system.boxes.size(), 1u);
  EXPECT_EQ(w.system.boxes[0].text, w.system.ErrorText(1067));
}

TEST(ServicesPage, AStopThatNeverCompletesEndsWithTheTimeoutText) {
  ServiceWorld w;
  auto& hung = w.system.AddService(L"Hung", L"Hung Service", platform::kServiceRunning, 300);
  hung.stuck = true;
  hung.waitHintMs = 5000;
  w.page.PageShown(true);
  w.Select(L"Hung");
  w.page.StopSelected();
  w.system.Advance(4000);
  w.page.FollowCommand();  // within the wait hint
  EXPECT_TRUE(w.page.CommandInProgress());
  EXPECT_TRUE(w.system.boxes.empty());
  w.system.Advance(1500);
  w.page.FollowCommand();
  EXPECT_FALSE(w.page.CommandInProgress());
  ASSERT_EQ(w.system.boxes.size(), 1u);
  EXPECT_EQ(w.system.boxes[0].caption, L"系统提示");
  EXPECT_EQ(w.system.boxes[0].text, w.system.ErrorText(platform::kErrorServiceRequestTimeout));
  EXPECT_EQ(w.system.boxes[0].icon, platform::BoxIcon::kError);

  // A hint past 30 s counts as 30 s.
  hung.waitHintMs = 600000;
  w.Select(L"Hung");
  hung.state = platform::kServiceRunning;
  w.Tick();
  w.page.StopSelected();
  w.system.Advance(ServicesPage::kLongestWaitMs + 1);
  w.page.FollowCommand();
  EXPECT_EQ(w.system.boxes.size(), 2u);
}

TEST(ServicesPage, DependentsAreNamedAskedAboutAndStoppedFirst) {
  ServiceWorld w;
  auto& base = w.system.AddService(L"Base", L"Base Service", platform::kServiceRunning, 100);
  base.dependents = {L"Fax", L"Idle", L"Scan"};
  w.system.AddService(L"Fax", L"Fax Service", platform::kServiceRunning, 101);
  w.system.AddService(L"Idle", L"Idle Service");  // stopped: not asked about
  w.system.AddService(L"Scan", L"Scanner", platform::kServiceRunning, 102).pendingLooks = 2;
  w.page.PageShown(true);
  w.Select(L"Base");

  w.system.answerYes = false;  // No: nothing is stopped
  w.page.StopSelected();
  ASSERT_EQ(w.system.boxes.size(), 1u);
  EXPECT_EQ(w.system.boxes[0].caption, L"系统提示");
  EXPECT_EQ(w.system.boxes[0].text,
            L"以下服务依赖于“Base Service”，也将停止：\nFax Service\nScanner\n是否继续？");
  EXPECT_TRUE(w.system.boxes[0].question);
  w.system.answerYes = true;
  w.system.boxesFail = true;  // a box that could not be shown is no Yes
  w.page.StopSelected();
  EXPECT_EQ(w.system.CallsStartingWith(L"stop "), 0);
  EXPECT_FALSE(w.page.CommandInProgress());

  w.system.boxesFail = false;
  w.page.StopSelected();
  for (int tick = 0; tick < 6 && w.page.CommandInProgress(); ++tick) w.Tick();
  EXPECT_FALSE(w.page.CommandInProgress());
  Names stops;
  for (const std::wstring& call : w.system.serviceCalls)
    if (call.rfind(L"stop ", 0) == 0) stops.push_back(call);
  EXPECT_EQ(stops, (Names{L"stop Fax", L"stop Scan", L"stop Base"}));
  EXPECT_EQ(w.Cell(L"Base", kColState), L"已停止");
  EXPECT_EQ(w.Cell(L"Scan", kColState), L"已停止");
  EXPECT_EQ(w.system.boxes.size(), 2u);  // the two questions shown, no refusal
}

TEST(ServicesPage, AccessDeniedNamesTheMissingRightsAndTheRestartWhereItHelps) {
  ServiceWorld w;
  w.system.AddService(L"Spooler", L"Print Spooler");
  w.page.PageShown(true);
  w.Select(L"Spooler");
  w.system.commandError = platform::kErrorAccessDenied;
  w.page.StartSelected();  // elevated (as under Wine): nothing to offer
  w.system.tokenElevated = false;
  w.page.StartSelected();
  ASSERT_EQ(w.system.boxes.size(), 2u);
  EXPECT_EQ(w.system.boxes[0].text, L"访问被拒绝：启动或停止服务需要管理员权限。");
  EXPECT_EQ(w.system.boxes[1].text,
            L"访问被拒绝：启动或停止服务需要管理员权限。\n"
            L"可用“文件”菜单中的“以管理员身份重新启动(&R)”。");
  EXPECT_EQ(w.system.boxes[1].caption, L"系统提示");
  EXPECT_EQ(w.system.boxes[1].icon, platform::BoxIcon::kError);
  EXPECT_FALSE(w.page.CommandInProgress());

  // Other refusals are the system's own words.
  w.system.commandError = 1058;  // ERROR_SERVICE_DISABLED
  w.page.StartSelected();
  EXPECT_EQ(w.system.boxes.back().text, w.system.ErrorText(1058));
}

TEST(ServicesPage, ServiceManagerButtonOpensTheConsoleAndSaysWhyNot) {
  ServiceWorld w;
  w.page.btn_ServiceManagerClick();
  ASSERT_EQ(w.system.shellCalls.size(), 1u);
  EXPECT_EQ(w.system.shellCalls[0].file, L"services.msc");
  EXPECT_TRUE(w.system.boxes.empty());
  w.system.shellAccepts = false;
  w.page.btn_ServiceManagerClick();
  ASSERT_EQ(w.system.boxes.size(), 1u);
  EXPECT_EQ(w.system.boxes[0].text, w.system.shellRefusal);
  EXPECT_EQ(w.system.boxes[0].caption, L"系统提示");
}

}  // namespace
