// The path look-up on the fake system: the order of its three routes, NT names
// turned into drive paths, and how often a process is asked.
#include "procs/process_path.h"

#include <gtest/gtest.h>

#include "platform/fake/fake_system.h"

using namespace procs;
using platform::DriveDevice;

namespace {

struct PathWorld {
  platform::fake::FakeSystem system;
  ProcessPathLookup paths{system, system, system};

  PathWorld() { system.driveDevices = {{L"C:", L"\\Device\\HarddiskVolume3"}}; }
  // A process that refuses even the limited right.
  platform::fake::FakeProcess& Elevated(std::uint32_t pid, const std::wstring& ntPath = L"") {
    auto& p = system.AddProcess(pid, L"elevated.exe");
    p.refuseLimited = true;
    p.ntImagePath = ntPath;
    return p;
  }
  std::wstring PathOf(std::uint32_t pid) {
    return paths.GetProcessPath(pid, system.Find(pid)->createTime);
  }
};

}  // namespace

TEST(ProcessPath, ImagePathFirstThenTheNameByIdentifierThenUnknown) {
  PathWorld w;
  w.system.AddProcess(10, L"a.exe");
  w.Elevated(20, L"\\Device\\HarddiskVolume3\\Windows\\System32\\svchost.exe");
  const std::wstring longName = std::wstring(300, L'x') + L".exe";  // past the first buffer
  w.Elevated(21, L"\\Device\\HarddiskVolume3\\" + longName);
  w.Elevated(30);
  EXPECT_EQ(w.PathOf(10), L"C:\\Programs\\a.exe");
  EXPECT_EQ(w.system.imageNameQueries, 0);
  EXPECT_EQ(w.PathOf(20), L"C:\\Windows\\System32\\svchost.exe");
  EXPECT_EQ(w.system.imageNameQueries, 1);
  EXPECT_EQ(w.PathOf(21), L"C:\\" + longName);
  EXPECT_EQ(w.system.imageNameQueries, 3);  // told the size it needs, then read
  EXPECT_EQ(w.PathOf(30), L"unknown");
  EXPECT_EQ(w.paths.GetProcessPath(0), L"unknown");  // the idle process: nothing asked
  EXPECT_EQ(w.system.imageNameQueries, 4);
  EXPECT_EQ(w.system.driveDeviceReads, 1);
}

TEST(ProcessPath, NtNamesBecomeDrivePaths) {
  const std::vector<DriveDevice> drives{{L"C:", L"\\Device\\HarddiskVolume1"},
                                        {L"D:", L"\\Device\\HarddiskVolume10"}};
  EXPECT_EQ(DrivePathOf(L"\\Device\\HarddiskVolume10\\x.exe", drives), L"D:\\x.exe");
  EXPECT_EQ(DrivePathOf(L"\\device\\harddiskvolume1\\A.exe", drives), L"C:\\A.exe");
  EXPECT_EQ(DrivePathOf(L"\\Device\\Mup\\server\\share\\tool.exe", drives),
            L"\\\\server\\share\\tool.exe");
  EXPECT_EQ(DrivePathOf(L"\\Device\\HarddiskVolume2\\x.exe", drives), L"");
  EXPECT_EQ(DrivePathOf(L"Registry", drives), L"");

  // A drive added while the program runs is found by reading the drives again.
  PathWorld w;
  w.Elevated(20, L"\\Device\\HarddiskVolume3\\a.exe");
  w.Elevated(21, L"\\Device\\HarddiskVolume7\\Tools\\b.exe");
  w.Elevated(22, L"Registry");
  EXPECT_EQ(w.PathOf(20), L"C:\\a.exe");
  w.system.driveDevices.push_back({L"E:", L"\\Device\\HarddiskVolume7"});
  EXPECT_EQ(w.PathOf(21), L"E:\\Tools\\b.exe");
  EXPECT_EQ(w.system.driveDeviceReads, 2);
  EXPECT_EQ(w.PathOf(22), L"unknown");  // no device name: no use reading the drives again
  EXPECT_EQ(w.system.driveDeviceReads, 2);
}

TEST(ProcessPath, FailureIsTriedOnceMoreAfterTenSecondsThenKept) {
  PathWorld w;
  w.Elevated(20);
  w.Elevated(21);
  w.system.AddProcess(22, L"found.exe");
  EXPECT_EQ(w.PathOf(20), L"unknown");
  EXPECT_EQ(w.PathOf(21), L"unknown");
  EXPECT_EQ(w.PathOf(22), L"C:\\Programs\\found.exe");
  EXPECT_EQ(w.system.opens, 3);

  w.system.Find(20)->refuseLimited = false;
  w.system.Advance(kPathRetryMs - 1);
  EXPECT_EQ(w.PathOf(20), L"unknown");
  EXPECT_EQ(w.paths.GetProcessPath(21), L"unknown");
  EXPECT_EQ(w.PathOf(22), L"C:\\Programs\\found.exe");
  EXPECT_EQ(w.system.opens, 3);

  w.system.Advance(1);
  EXPECT_EQ(w.PathOf(20), L"C:\\Programs\\elevated.exe");
  EXPECT_EQ(w.paths.GetProcessPath(21), L"unknown");
  EXPECT_EQ(w.system.opens, 5);
  w.system.Find(21)->refuseLimited = false;
  w.system.Advance(10 * kPathRetryMs);
  EXPECT_EQ(w.PathOf(21), L"unknown");  // two failures: kept for good
  EXPECT_EQ(w.PathOf(20), L"C:\\Programs\\elevated.exe");
  EXPECT_EQ(w.system.opens, 5);
}

TEST(ProcessPath, ReusedIdentifierIsLookedUpAfreshAndEndedProcessesAreForgotten) {
  PathWorld w;
  w.system.AddProcess(10, L"first.exe");
  EXPECT_EQ(w.PathOf(10), L"C:\\Programs\\first.exe");
  w.system.RemoveProcess(10);
  w.system.Advance(5);
  w.system.AddProcess(10, L"second.exe");
  EXPECT_EQ(w.PathOf(10), L"C:\\Programs\\second.exe");
  // A list that knows only the identifier gets the process last seen with it.
  EXPECT_EQ(w.paths.GetProcessPath(10), L"C:\\Programs\\second.exe");
  EXPECT_EQ(w.system.opens, 2);

  SnapshotEntry live;
  live.processId = 10;
  live.createTime = w.system.Find(10)->createTime;
  w.paths.KeepOnly({live});
  EXPECT_EQ(w.PathOf(10), L"C:\\Programs\\second.exe");
  EXPECT_EQ(w.system.opens, 2);
  w.paths.KeepOnly({});
  EXPECT_EQ(w.PathOf(10), L"C:\\Programs\\second.exe");
  EXPECT_EQ(w.system.opens, 3);
}

TEST(ProcessPath, NetworkPathsAreToldByTheirTextAndByTheDriveType) {
  PathWorld w;
  w.system.remoteDrives = L"Z";
  for (const wchar_t* path : {L"\\\\server\\share\\tool.exe", L"\\\\?\\UNC\\server\\share\\tool.exe",
                              L"\\\\.\\GLOBALROOT\\Device\\Mup\\server\\tool.exe",
                              L"Z:\\tool.exe", L"\\\\?\\z:\\tool.exe"})
    EXPECT_TRUE(w.paths.IsRemotePath(path)) << path;
  for (const wchar_t* path : {L"C:\\Programs\\a.exe", L"\\\\?\\C:\\a.exe",
                              L"\\\\?\\Volume{0b1f}\\a.exe", L"unknown", L""})
    EXPECT_FALSE(w.paths.IsRemotePath(path)) << path;
  EXPECT_EQ(w.system.driveTypeQueries, 2);  // Z: and C:, once each
  // A drive letter may be mapped elsewhere by the next tick: asked again then.
  w.system.remoteDrives.clear();
  EXPECT_TRUE(w.paths.IsRemotePath(L"Z:\\tool.exe"));
  w.paths.KeepOnly({});
  EXPECT_FALSE(w.paths.IsRemotePath(L"Z:\\tool.exe"));
  EXPECT_EQ(w.system.driveTypeQueries, 3);
}
