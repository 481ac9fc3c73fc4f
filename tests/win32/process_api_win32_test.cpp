// The real Win32 backend against the live system: opening processes, reading
// their paths, user and priority, ending a child, and the native process list.
#include "platform/win32/win32_system.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <cwctype>
#include <string>
#include <vector>

#include "platform/layouts/system_information.h"
#include "platform/win32/handle_win32.h"
#include "platform/win32/performance_system_win32.h"
#include "platform/win32/privilege_win32.h"
#include "platform/win32/process_user_win32.h"
#include "procs/process_path.h"
#include "procs/process_snapshot.h"
#include "tests/win32/gui_helpers_win32.h"

namespace platform::win32 {
namespace {

std::wstring Lower(std::wstring text) {
  for (wchar_t& c : text) c = static_cast<wchar_t>(std::towlower(c));
  return text;
}

bool EndsWithNoCase(const std::optional<std::wstring>& path, const std::wstring& tail) {
  if (!path || path->size() < tail.size()) return false;
  return Lower(path->substr(path->size() - tail.size())) == Lower(tail);
}

// "\name.exe" of this test program, so a match cannot be a partial file name.
std::wstring OwnExeTail() {
  std::vector<wchar_t> path(32768);
  const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
  std::wstring full(path.data(), length);
  return full.substr(full.find_last_of(L'\\'));
}

// A long-running child that is ended when the test leaves, whatever happened.
class PingChild {
 public:
  PingChild() {
    wchar_t system[MAX_PATH];
    GetSystemDirectoryW(system, MAX_PATH);
    std::wstring exe = std::wstring(system) + L"\\ping.exe";
    std::wstring command = L"ping.exe -n 30 127.0.0.1";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                       nullptr, nullptr, &startup, &info)) {
      process_.Reset(info.hProcess);
      UniqueHandle thread(info.hThread);
      pid_ = info.dwProcessId;
    }
  }
  ~PingChild() {
    if (process_ && WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT) {
      TerminateProcess(process_.Get(), 1);
      WaitForSingleObject(process_.Get(), 5000);
    }
  }
  HANDLE Handle() const { return process_.Get(); }
  DWORD Pid() const { return pid_; }

 private:
  UniqueHandle process_;
  DWORD pid_ = 0;
};

TEST(Win32ProcessApiTest, OpensOwnProcessWithEveryAccess) {
  Win32ProcessApi api;
  for (ProcessAccess access :
       {ProcessAccess::kQueryLimited, ProcessAccess::kTerminate, ProcessAccess::kSetInformation}) {
    OpenError error = OpenError::kOther;
    EXPECT_NE(api.Open(GetCurrentProcessId(), access, &error), nullptr)
        << "access " << static_cast<int>(access);
    EXPECT_EQ(error, OpenError::kNone);
  }
}

TEST(Win32ProcessApiTest, ReadsOwnPathsUserAndPriority) {
  Win32ProcessApi api;
  const std::wstring tail = OwnExeTail();

  // The limited query right, the only one the program asks for, yields them all.
  auto limited = api.Open(GetCurrentProcessId(), ProcessAccess::kQueryLimited, nullptr);
  ASSERT_NE(limited, nullptr);
  EXPECT_TRUE(EndsWithNoCase(limited->ImagePath(), tail));
  const auto user = limited->TokenUserName();
  ASSERT_TRUE(user.has_value());
  EXPECT_FALSE(user->empty());
  EXPECT_EQ(user->find(L'\\'), std::wstring::npos) << "domain must be dropped";
  EXPECT_EQ(limited->TokenUserName(), user) << "cached answer must match";
  EXPECT_EQ(limited->GetPriorityClass(), static_cast<std::uint32_t>(NORMAL_PRIORITY_CLASS));

  // The session-SID route may be missing (it always fails under Wine), but when it
  // answers it must name the same user as the token.
  FILETIME created{}, exited{}, kernel{}, userTime{};
  ASSERT_TRUE(GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &userTime));
  const std::int64_t createTime =
      (static_cast<std::int64_t>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
  const auto sessionUser = api.UserNameBySessionSid(GetCurrentProcessId(), createTime);
  if (sessionUser) {
    EXPECT_EQ(*sessionUser, *user);
  }
}

// Stands in for winsta.dll's entry point, with its documented prototype: it
// knows this process by its identifier and start time, as LocalSystem.
FILETIME ownStart{};
BOOLEAN WINAPI StandInGetProcessSid(HANDLE, DWORD pid, FILETIME start, PVOID sid, PDWORD size) {
  if (pid != GetCurrentProcessId() || start.dwLowDateTime != ownStart.dwLowDateTime ||
      start.dwHighDateTime != ownStart.dwHighDateTime) {
    return FALSE;
  }
  BYTE system[SECURITY_MAX_SID_SIZE];
  DWORD length = sizeof(system);
  if (!CreateWellKnownSid(WinLocalSystemSid, nullptr, system, &length)) return FALSE;
  if (sid == nullptr || *size < length) {
    *size = length;
    return FALSE;
  }
  std::memcpy(sid, system, length);
  *size = length;
  return TRUE;
}

TEST(Win32ProcessApiTest, SessionSidRoutePassesTheStartTimeByValue) {
  FILETIME exited{}, kernel{}, user{};
  ASSERT_TRUE(GetProcessTimes(GetCurrentProcess(), &ownStart, &exited, &kernel, &user));
  const std::int64_t createTime =
      (static_cast<std::int64_t>(ownStart.dwHighDateTime) << 32) | ownStart.dwLowDateTime;
  // Bound as GetProcAddress binds it: through an untyped address.
  const auto bound = reinterpret_cast<Win32ProcessApi::GetSidFn>(
      reinterpret_cast<void*>(&StandInGetProcessSid));
  AccountNames names;
  BYTE system[SECURITY_MAX_SID_SIZE];
  DWORD length = sizeof(system);
  ASSERT_TRUE(CreateWellKnownSid(WinLocalSystemSid, nullptr, system, &length));
  const auto systemName = names.NameOf(system);
  ASSERT_TRUE(systemName.has_value());
  EXPECT_EQ(SessionSidUserName(bound, GetCurrentProcessId(), createTime, names), systemName);
  EXPECT_EQ(SessionSidUserName(bound, GetCurrentProcessId(), createTime + 1, names), std::nullopt);
  EXPECT_EQ(SessionSidUserName(nullptr, GetCurrentProcessId(), createTime, names), std::nullopt);
}

TEST(Win32ProcessApiTest, DrivesAndTheNameByIdentifierGiveThisProgramsPath) {
  Win32ProcessApi api;
  std::vector<DriveDevice> drives;
  api.DriveDevices(drives);
  ASSERT_FALSE(drives.empty());
  for (const DriveDevice& d : drives) {
    EXPECT_EQ(d.drive.size(), 2u);
    EXPECT_FALSE(d.device.empty()) << d.drive;
  }
  wchar_t system[MAX_PATH];
  GetSystemDirectoryW(system, MAX_PATH);
  EXPECT_FALSE(api.IsRemoteDrive(system[0]));  // the system's own drive is here
  // The identifier route may be missing (older Wine); when it answers, its NT
  // name must come back as this program's drive path.
  Win32NativeApi native;
  const auto ntName = procs::ImageNameById(native, GetCurrentProcessId());
  if (ntName) {
    EXPECT_TRUE(EndsWithNoCase(procs::DrivePathOf(*ntName, drives), OwnExeTail())) << *ntName;
  }
  EXPECT_FALSE(procs::ImageNameById(native, 0xFFFFFFF0u).has_value());
}

TEST(Win32ProcessApiTest, CommandLinePlatformAndVersionTextsOfRealFiles) {
  Win32ProcessApi api;
  auto self = api.Open(GetCurrentProcessId(), ProcessAccess::kQueryLimited, nullptr);
  ASSERT_TRUE(self);
  EXPECT_EQ(self->CommandLine(), std::wstring(GetCommandLineW()));
  EXPECT_EQ(self->IsWow64(), false);
  wchar_t system[MAX_PATH];
  GetSystemDirectoryW(system, MAX_PATH);
  // Texts of a listed translation; Wine's own DLLs carry them too.
  const FileVersionTexts kernel = api.VersionTexts(std::wstring(system) + L"\\kernel32.dll");
  EXPECT_FALSE(kernel.description.empty());
  EXPECT_FALSE(kernel.company.empty());
  const FileVersionTexts none = api.VersionTexts(std::wstring(system) + L"\\no-such-file.exe");
  EXPECT_TRUE(none.description.empty() && none.company.empty());
}

TEST(Win32ProcessApiTest, MissingProcessIsNotFound) {
  Win32ProcessApi api;
  OpenError error = OpenError::kNone;
  EXPECT_EQ(api.Open(0xFFFFFFF0u, ProcessAccess::kQueryLimited, &error), nullptr);
  EXPECT_EQ(error, OpenError::kNotFound);
  EXPECT_EQ(api.Open(0xFFFFFFF0u, ProcessAccess::kTerminate, nullptr), nullptr);
}

TEST(Win32ProcessApiTest, ReprioritisesAndEndsAChild) {
  PingChild child;
  ASSERT_NE(child.Handle(), nullptr) << "ping.exe could not be started";
  ASSERT_EQ(WaitForSingleObject(child.Handle(), 0), static_cast<DWORD>(WAIT_TIMEOUT));
  Win32ProcessApi api;

  auto query = api.Open(child.Pid(), ProcessAccess::kQueryLimited, nullptr);
  ASSERT_NE(query, nullptr);
  EXPECT_TRUE(EndsWithNoCase(query->ImagePath(), L"\\ping.exe"));

  auto setter = api.Open(child.Pid(), ProcessAccess::kSetInformation, nullptr);
  ASSERT_NE(setter, nullptr);
  EXPECT_TRUE(setter->SetPriorityClass(kBelowNormalPriority));
  EXPECT_EQ(query->GetPriorityClass(), static_cast<std::uint32_t>(kBelowNormalPriority));

  auto killer = api.Open(child.Pid(), ProcessAccess::kTerminate, nullptr);
  ASSERT_NE(killer, nullptr);
  // The handle that ends it tells its creation time, as the process list does:
  // ending checks the two against each other.
  Win32NativeApi native;
  procs::ProcessSnapshotReader reader(native);
  std::vector<procs::SnapshotEntry> entries;
  ASSERT_TRUE(reader.Take(entries));
  const auto entry = std::find_if(entries.begin(), entries.end(), [&](const auto& e) {
    return e.processId == child.Pid();
  });
  ASSERT_NE(entry, entries.end());
  EXPECT_NE(entry->createTime, 0);
  EXPECT_EQ(killer->CreationTime(), entry->createTime);
  EXPECT_TRUE(killer->Terminate(7));
  ASSERT_EQ(WaitForSingleObject(child.Handle(), 5000), static_cast<DWORD>(WAIT_OBJECT_0));
  DWORD exitCode = 0;
  ASSERT_TRUE(GetExitCodeProcess(child.Handle(), &exitCode));
  EXPECT_EQ(exitCode, 7u);
}

TEST(Win32ProcessApiTest, AffinityOfAChildIsReadAndSet) {
  PingChild child;
  ASSERT_NE(child.Handle(), nullptr) << "ping.exe could not be started";
  Win32ProcessApi api;
  auto query = api.Open(child.Pid(), ProcessAccess::kQueryLimited, nullptr);
  ASSERT_NE(query, nullptr);
  const auto masks = query->GetAffinity();
  ASSERT_TRUE(masks.has_value());
  EXPECT_NE(masks->system, 0u);
  EXPECT_EQ(masks->process & ~masks->system, 0u);

  auto setter = api.Open(child.Pid(), ProcessAccess::kSetInformation, nullptr);
  ASSERT_NE(setter, nullptr);
  EXPECT_TRUE(setter->SetAffinity(1));
  EXPECT_EQ(query->GetAffinity()->process, 1u);
  EXPECT_FALSE(setter->SetAffinity(0)) << "a process must keep one processor";
}

TEST(Win32ProcessApiTest, OwnUserAndWindowObjects) {
  Win32ProcessApi api;
  auto self = api.Open(GetCurrentProcessId(), ProcessAccess::kQueryLimited, nullptr);
  ASSERT_NE(self, nullptr);
  const auto current = api.CurrentUserName();
  ASSERT_TRUE(current.has_value());
  EXPECT_EQ(current, self->TokenUserName()) << "compared with the names of the rows";
  // A window makes at least one USER object where the system counts them (Wine
  // reports none); the answer itself must come.
  HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  const auto counts = api.GuiObjects(GetCurrentProcessId());
  EXPECT_TRUE(counts.has_value());
  DestroyWindow(window);
  EXPECT_FALSE(api.GuiObjects(0xFFFFFFF0u).has_value());
}

TEST(Win32DebuggerTest, ReadsTheRegisteredDebuggerAndStartsCommands) {
  Win32Debugger debugger;
  wchar_t value[1024] = {};
  DWORD size = sizeof(value);
  const bool registered =
      RegGetValueW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\AeDebug",
                   L"Debugger", RRF_RT_REG_SZ, nullptr, value, &size) == ERROR_SUCCESS &&
      value[0] != L'\0';
  const auto found = debugger.RegisteredDebugger();
  EXPECT_EQ(found.has_value(), registered);
  if (found) {
    EXPECT_EQ(*found, value);
  }
  EXPECT_TRUE(debugger.StartCommand(L"cmd.exe", L"/c exit 0"));
  EXPECT_FALSE(debugger.StartCommand(L"no-such-program-here.exe", L""));
}

TEST(Win32ProcessApiTest, EnablePrivilegeNeedsAKnownHeldPrivilege) {
  Win32ProcessApi api;
  EXPECT_FALSE(api.EnablePrivilege(L"NoSuchPrivilege"));
  // Every token holds the change-notify privilege.
  EXPECT_TRUE(api.EnablePrivilege(L"SeChangeNotifyPrivilege"));
}

TEST(Win32ProcessApiTest, AScopedPrivilegeIsPutBackAsItWas) {
  using testing_win32::PrivilegeEnabled;
  ASSERT_FALSE(PrivilegeEnabled(L"SeDebugPrivilege"));
  {
    const ScopedPrivilege debug(L"SeDebugPrivilege");
    EXPECT_TRUE(debug.Enabled());
    EXPECT_TRUE(PrivilegeEnabled(L"SeDebugPrivilege"));
  }
  EXPECT_FALSE(PrivilegeEnabled(L"SeDebugPrivilege"));
  // One that was enabled already stays enabled.
  ASSERT_TRUE(PrivilegeEnabled(L"SeChangeNotifyPrivilege"));
  { const ScopedPrivilege notify(L"SeChangeNotifyPrivilege"); }
  EXPECT_TRUE(PrivilegeEnabled(L"SeChangeNotifyPrivilege"));
  { const ScopedPrivilege unknown(L"NoSuchPrivilege"); }
  // An open that ends holds it only meanwhile.
  Win32ProcessApi api;
  EXPECT_NE(api.Open(GetCurrentProcessId(), ProcessAccess::kTerminate, nullptr), nullptr);
  EXPECT_FALSE(PrivilegeEnabled(L"SeDebugPrivilege"));
}

TEST(Win32NativeApiTest, ProcessListNeedsRoomAndHoldsThisProcess) {
  Win32NativeApi api;
  std::vector<unsigned char> buffer(4 << 20);
  std::uint32_t returned = 0;
  // Under Wine the first mismatch answer of a process may give 0 as the needed
  // length, so only the status is checked here.
  EXPECT_EQ(api.QuerySystemInformation(kSystemProcessInformation, buffer.data(), 16, &returned),
            kStatusInfoLengthMismatch);

  ASSERT_EQ(api.QuerySystemInformation(kSystemProcessInformation, buffer.data(),
                                       static_cast<std::uint32_t>(buffer.size()), &returned),
            kStatusSuccess);
  ASSERT_GE(returned, 256u);
  ASSERT_LE(returned, buffer.size());

  // Walk the 256-byte x64 entries (NextEntryOffset at 0, UniqueProcessId at 80);
  // entries need not be 8-byte aligned, so fields are copied out.
  bool foundSelf = false;
  std::size_t offset = 0;
  for (int entries = 0; entries < 100000; ++entries) {
    ASSERT_LE(offset + 256, returned);
    std::uint32_t next = 0;
    std::uint64_t pid = 0;
    std::memcpy(&next, &buffer[offset], sizeof(next));
    std::memcpy(&pid, &buffer[offset + 80], sizeof(pid));
    if (pid == GetCurrentProcessId()) foundSelf = true;
    if (next == 0) break;
    ASSERT_GE(next, 256u);
    offset += next;
  }
  EXPECT_TRUE(foundSelf);
}

TEST(Win32ClockTest, AdvancesAndNeverGoesBack) {
  Win32Clock clock;
  const std::int64_t before = clock.NowMs();
  Sleep(50);
  const std::int64_t after = clock.NowMs();
  EXPECT_GT(after, before);
  EXPECT_LT(after - before, 5000);
  // The unbiased clock counts 100 ns units.
  const std::int64_t awakeBefore = clock.UnbiasedTime();
  Sleep(50);
  const std::int64_t awake = clock.UnbiasedTime() - awakeBefore;
  EXPECT_GT(awake, 20 * 10'000);
  EXPECT_LT(awake, 5000 * 10'000);
}

TEST(Win32MemoryStatusTest, TheTicksFiguresGiveTheSystemsStatusAndTheCacheIsWithinIt) {
  Win32NativeApi native;
  platform::TickFigures figures(native);
  Win32MemoryStatus memory(figures);
  MemoryStatus status;
  ASSERT_TRUE(memory.QueryMemoryStatus(status));
  MEMORYSTATUSEX system{};
  system.dwLength = sizeof(system);
  ASSERT_TRUE(GlobalMemoryStatusEx(&system));
  EXPECT_EQ(status.totalPhys, system.ullTotalPhys);
  EXPECT_EQ(status.totalPageFile, system.ullTotalPageFile);
  EXPECT_LE(status.availPhys, status.totalPhys);
  std::uint64_t cache = 1;
  ASSERT_TRUE(memory.QuerySystemCache(cache));  // Wine reports 0
  EXPECT_LE(cache, status.totalPhys);
}

}  // namespace
}  // namespace platform::win32
