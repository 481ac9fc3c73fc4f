// The service collector on the fake system: the list read in parts and in a
// buffer that grows, nothing asked while the page is hidden, and each service's
// configuration read once, again when due, and once a minute.
#include "services/service_collector.h"

#include <gtest/gtest.h>

#include "tests/support/service_world.h"

namespace {

using testing_support::ServiceWorld;
using namespace services;

TEST(ServiceCollector, AListInPartsIsFollowedByItsResumeHandleAndTheBufferGrows) {
  ServiceWorld w;
  w.system.AddService(L"AudioSrv", L"Windows Audio", platform::kServiceRunning, 900);
  w.system.AddService(L"BITS", L"Background Intelligent Transfer Service");
  w.system.AddService(L"Spooler", L"Print Spooler");
  w.system.rowsPerPart = 2;  // the manager answers ERROR_MORE_DATA after two rows
  w.page.PageShown(true);
  EXPECT_EQ(w.Names(), (std::vector<std::wstring>{L"AudioSrv", L"BITS", L"Spooler"}));
  EXPECT_EQ(w.system.CallsStartingWith(L"list "), 2);
  EXPECT_EQ(w.system.serviceCalls[0], L"list 65536 0");
  EXPECT_EQ(w.system.serviceCalls[1].substr(0, 5), L"list ");
  EXPECT_EQ(w.system.serviceCalls[1].back(), L'2');  // resumed at the third

  // Rows that do not fit the buffer: it grows to what the manager asks for, and
  // the next pass reads the list in one part.
  w.system.rowsPerPart = 0;
  for (int i = 0; i < 200; ++i)
    w.system.AddService(L"Svc" + std::to_wstring(1000 + i), std::wstring(200, L'描'));
  w.system.serviceCalls.clear();
  w.Tick();
  EXPECT_EQ(w.list.Count(), 203u);
  EXPECT_EQ(w.system.CallsStartingWith(L"list "), 2);
  w.system.serviceCalls.clear();
  w.Tick();
  EXPECT_EQ(w.system.CallsStartingWith(L"list "), 1);
  EXPECT_EQ(w.list.Count(), 203u);

  // A failed enumeration keeps what the table had.
  w.system.listError = platform::kErrorAccessDenied;
  w.Tick();
  EXPECT_EQ(w.list.Count(), 203u);
}

TEST(ServiceCollector, AHiddenPageCostsTheTickNothing) {
  ServiceWorld w;
  w.system.AddService(L"Spooler", L"Print Spooler");
  w.Tick();
  w.Tick();
  EXPECT_TRUE(w.system.serviceCalls.empty());
  EXPECT_TRUE(w.system.posted.empty());
  EXPECT_EQ(w.list.Count(), 0u);

  w.page.PageShown(true);  // read once as it is shown, then at each tick
  EXPECT_EQ(w.list.Count(), 1u);
  w.Tick();
  EXPECT_EQ(w.system.CallsStartingWith(L"list "), 2);
  EXPECT_EQ(w.system.posted, std::vector<std::uint32_t>{app::kUpdateServices});

  w.page.PageShown(false);
  w.system.serviceCalls.clear();
  w.Tick();
  EXPECT_TRUE(w.system.serviceCalls.empty());
}

TEST(ServiceCollector, ConfigurationIsReadOnceAgainWhenDueAndEveryMinute) {
  ServiceWorld w;
  auto& audio = w.system.AddService(L"AudioSrv", L"Windows Audio", platform::kServiceRunning, 900);
  audio.startType = platform::kServiceAutoStart;
  audio.delayedAutoStart = true;
  audio.imagePath = L"C:\\Windows\\System32\\svchost.exe -k LocalServiceNetworkRestricted -p";
  auto& spooler = w.system.AddService(L"Spooler", L"Print Spooler");
  spooler.imagePath = L"C:\\Windows\\System32\\spoolsv.exe";
  w.page.PageShown(true);
  w.Tick();
  w.Tick();
  EXPECT_EQ(w.system.CallsStartingWith(L"config "), 2);
  EXPECT_EQ(w.Cell(L"AudioSrv", kColStartType), L"自动(延迟启动)");
  EXPECT_EQ(w.Cell(L"AudioSrv", kColGroup), L"LocalServiceNetworkRestricted");
  EXPECT_EQ(w.Cell(L"Spooler", kColStartType), L"手动");
  EXPECT_EQ(w.Cell(L"Spooler", kColGroup), L"");

  // Where the delayed level is refused, plain "自动"; read again a minute later.
  w.system.delayedRefused = true;
  w.system.Advance(ServiceCollector::kConfigSweepMs);
  w.Tick();
  EXPECT_EQ(w.system.CallsStartingWith(L"config "), 4);
  EXPECT_EQ(w.Cell(L"AudioSrv", kColStartType), L"自动");
}

TEST(ServiceCollector, SvchostGroupIsTheWordAfterDashK) {
  EXPECT_EQ(SvchostGroup(L"C:\\WINDOWS\\system32\\svchost.exe -k netsvcs -p"), L"netsvcs");
  EXPECT_EQ(SvchostGroup(L"svchost.exe -k  LocalService"), L"LocalService");
  EXPECT_EQ(SvchostGroup(L"\"C:\\Program Files\\x-k\\a.exe\" -kx"), L"");
  EXPECT_EQ(SvchostGroup(L"C:\\a.exe -k"), L"");
}

}  // namespace
