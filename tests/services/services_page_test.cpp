// The 服务 page on the fake system: the list follows the services in place and
// in order, and the commands follow the selected service.
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

}  // namespace
