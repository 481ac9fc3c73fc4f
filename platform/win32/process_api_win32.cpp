// Opening processes and reading what the list shows about each one: image path,
// token user, priority class; ending, suspending and re-prioritising them (the
// debug privilege held for those opens only); and the drive letters' devices
// that turn NT image names into drive paths.
#include "platform/win32/win32_system.h"

#include <algorithm>
#include <cwchar>
#include <optional>
#include <vector>

#include "platform/layouts/version_translations.h"
#include "platform/win32/command_line_win32.h"
#include "platform/win32/handle_win32.h"
#include "platform/win32/privilege_win32.h"
#include "platform/win32/process_user_win32.h"
#include "platform/win32/system_library_win32.h"

namespace platform::win32 {

namespace {

// Past the longest path the system accepts; a buffer never grows beyond this.
constexpr DWORD kLongestPath = 32768;

DWORD AccessRights(ProcessAccess access) {
  switch (access) {
    case ProcessAccess::kQueryLimited: return PROCESS_QUERY_LIMITED_INFORMATION;
    // A process that grants the end grants the limited query too (it is the
    // lesser right); with it the creation time tells a reused identifier.
    case ProcessAccess::kTerminate: return PROCESS_TERMINATE | PROCESS_QUERY_LIMITED_INFORMATION;
    case ProcessAccess::kSetInformation:
      return PROCESS_SET_INFORMATION | PROCESS_QUERY_LIMITED_INFORMATION;
    case ProcessAccess::kSuspendResume: return PROCESS_SUSPEND_RESUME;
  }
  return PROCESS_QUERY_LIMITED_INFORMATION;
}

OpenError OpenErrorFrom(DWORD lastError) {
  switch (lastError) {
    case ERROR_ACCESS_DENIED: return OpenError::kAccessDenied;
    case ERROR_INVALID_PARAMETER: return OpenError::kNotFound;  // no process with that id
    default: return OpenError::kOther;
  }
}

// NtSuspendProcess and NtResumeProcess, taken by name from ntdll.dll: false when
// the system lacks them or refuses.
bool CallNtProcessFunction(const char* name, HANDLE process) {
  using Fn = LONG(NTAPI*)(HANDLE);
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  const auto fn = ntdll == nullptr ? nullptr
                                   : reinterpret_cast<Fn>(reinterpret_cast<void*>(
                                         GetProcAddress(ntdll, name)));
  return fn != nullptr && fn(process) >= 0;
}

class Win32OpenedProcess : public OpenedProcess {
 public:
  Win32OpenedProcess(UniqueHandle process, std::shared_ptr<AccountNames> accountNames)
      : process_(std::move(process)), accountNames_(std::move(accountNames)) {}

  std::optional<std::wstring> ImagePath() override {
    for (DWORD size = MAX_PATH; size <= kLongestPath * 2; size *= 2) {
      std::wstring path(size, L'\0');
      DWORD length = size;
      if (QueryFullProcessImageNameW(process_.Get(), 0, path.data(), &length)) {
        path.resize(length);
        if (path.empty()) return std::nullopt;
        return path;
      }
      if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) return std::nullopt;
    }
    return std::nullopt;
  }

  std::optional<std::wstring> TokenUserName() override {
    return win32::TokenUserName(process_.Get(), *accountNames_);
  }

  std::uint32_t GetPriorityClass() override { return ::GetPriorityClass(process_.Get()); }

  bool SetPriorityClass(std::uint32_t priorityClass) override {
    return ::SetPriorityClass(process_.Get(), priorityClass) != FALSE;
  }

  bool Terminate(std::uint32_t exitCode) override {
    return TerminateProcess(process_.Get(), exitCode) != FALSE;
  }

  std::optional<std::int64_t> CreationTime() override {
    FILETIME created{}, exited{}, kernel{}, user{};
    if (!GetProcessTimes(process_.Get(), &created, &exited, &kernel, &user)) return std::nullopt;
    return static_cast<std::int64_t>((std::uint64_t{created.dwHighDateTime} << 32) |
                                     created.dwLowDateTime);
  }

  bool Exited() override {
    DWORD code = 0;
    return GetExitCodeProcess(process_.Get(), &code) && code != STILL_ACTIVE;
  }

  std::optional<AffinityMasks> GetAffinity() override {
    DWORD_PTR processMask = 0, systemMask = 0;
    if (!GetProcessAffinityMask(process_.Get(), &processMask, &systemMask)) return std::nullopt;
    return AffinityMasks{processMask, systemMask};
  }

  bool SetAffinity(std::uint64_t processMask) override {
    return SetProcessAffinityMask(process_.Get(), static_cast<DWORD_PTR>(processMask)) != FALSE;
  }

  std::optional<std::wstring> CommandLine() override { return ProcessCommandLine(process_.Get()); }

  std::optional<bool> IsWow64() override {
    BOOL wow64 = FALSE;
    if (!IsWow64Process(process_.Get(), &wow64)) return std::nullopt;
    return wow64 != FALSE;
  }

  bool Suspend() override { return CallNtProcessFunction("NtSuspendProcess", process_.Get()); }
  bool Resume() override { return CallNtProcessFunction("NtResumeProcess", process_.Get()); }

  std::optional<bool> IsCritical() override {
    // Windows 8.1 and later; kernel32 is loaded in every process.
    using Fn = BOOL(WINAPI*)(HANDLE, PBOOL);
    static const auto isCritical = reinterpret_cast<Fn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "IsProcessCritical")));
    BOOL critical = FALSE;
    if (isCritical == nullptr || !isCritical(process_.Get(), &critical)) return std::nullopt;
    return critical != FALSE;
  }

 private:
  UniqueHandle process_;
  std::shared_ptr<AccountNames> accountNames_;
};

}  // namespace

Win32ProcessApi::Win32ProcessApi() : accountNames_(std::make_shared<AccountNames>()) {
  // Not every system has winsta.dll or the entry point; then only the token route is
  // left. Loaded from the system folder only, never from beside the program.
  winsta_ = LoadSystemLibrary(L"winsta.dll");
  getProcessSid_ = BindFunction<GetSidFn>(winsta_.get(), "WinStationGetProcessSid");
  version_ = LoadSystemLibrary(L"version.dll");
  getVersionInfoSize_ =
      BindFunction<decltype(getVersionInfoSize_)>(version_.get(), "GetFileVersionInfoSizeW");
  getVersionInfo_ = BindFunction<decltype(getVersionInfo_)>(version_.get(), "GetFileVersionInfoW");
  queryVersionValue_ = BindFunction<decltype(queryVersionValue_)>(version_.get(), "VerQueryValueW");
}

Win32ProcessApi::~Win32ProcessApi() = default;

std::unique_ptr<OpenedProcess> Win32ProcessApi::Open(std::uint32_t pid, ProcessAccess access,
                                                     OpenError* error) {
  // Ending, suspending and re-prioritising another user's process needs the
  // debug privilege, held for this open alone: the handle keeps the rights it
  // was granted, and nothing else the program does runs with it.
  std::optional<ScopedPrivilege> debug;
  if (access != ProcessAccess::kQueryLimited) debug.emplace(L"SeDebugPrivilege");
  UniqueHandle process(OpenProcess(AccessRights(access), FALSE, pid));
  debug.reset();  // keeps the open's last error
  if (!process) {
    if (error != nullptr) *error = OpenErrorFrom(GetLastError());
    return nullptr;
  }
  if (error != nullptr) *error = OpenError::kNone;
  return std::make_unique<Win32OpenedProcess>(std::move(process), accountNames_);
}

std::optional<GuiObjectCounts> Win32ProcessApi::GuiObjects(std::uint32_t pid) {
  UniqueHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
  if (!process) return std::nullopt;
  return GuiObjectCounts{GetGuiResources(process.Get(), GR_USEROBJECTS),
                         GetGuiResources(process.Get(), GR_GDIOBJECTS)};
}

std::optional<std::wstring> Win32ProcessApi::CurrentUserName() {
  // The same look-up as for every row, so that the names compare alike.
  return win32::TokenUserName(GetCurrentProcess(), *accountNames_);
}

FileVersionTexts Win32ProcessApi::VersionTexts(const std::wstring& path) {
  FileVersionTexts texts;
  if (getVersionInfoSize_ == nullptr || getVersionInfo_ == nullptr || queryVersionValue_ == nullptr)
    return texts;
  DWORD ignored = 0;
  const DWORD size = getVersionInfoSize_(path.c_str(), &ignored);
  if (size == 0) return texts;
  std::vector<std::byte> data(size);
  if (!getVersionInfo_(path.c_str(), 0, size, data.data())) return texts;
  // The translation array lies inside `data`: no length is believed past its end.
  void* value = nullptr;
  UINT length = 0;
  std::size_t bytes = 0;
  if (queryVersionValue_(data.data(), L"\\VarFileInfo\\Translation", &value, &length) &&
      value != nullptr) {
    const std::uintptr_t offset =
        reinterpret_cast<std::uintptr_t>(value) - reinterpret_cast<std::uintptr_t>(data.data());
    if (offset < size) bytes = std::min<std::size_t>(length, size - offset);
  }
  const std::vector<std::wstring> blocks =
      version_layout::StringTableCandidates(static_cast<const std::byte*>(value), bytes);
  // Each text from the first table that has it.
  const auto read = [&](const wchar_t* name) {
    for (const std::wstring& block : blocks) {
      const std::wstring key = block + name;
      void* text = nullptr;
      UINT chars = 0;
      if (!queryVersionValue_(data.data(), key.c_str(), &text, &chars) || text == nullptr || chars == 0)
        continue;
      const auto* start = static_cast<const wchar_t*>(text);
      std::wstring found(start, wcsnlen(start, chars));
      if (!found.empty()) return found;
    }
    return std::wstring();
  };
  texts.description = read(L"FileDescription");
  texts.company = read(L"CompanyName");
  return texts;
}

void Win32ProcessApi::DriveDevices(std::vector<DriveDevice>& out) {
  out.clear();
  // "A:\<NUL>C:\<NUL>...<NUL>"; the length may change between the two calls.
  std::vector<wchar_t> letters(128);
  DWORD length = GetLogicalDriveStringsW(static_cast<DWORD>(letters.size()), letters.data());
  if (length >= letters.size()) {
    letters.assign(length + 1, L'\0');
    length = GetLogicalDriveStringsW(static_cast<DWORD>(letters.size()), letters.data());
  }
  if (length == 0 || length >= letters.size()) return;
  std::vector<wchar_t> target(kLongestPath);
  for (const wchar_t* root = letters.data(); *root != L'\0'; root += wcslen(root) + 1) {
    // QueryDosDeviceW wants "C:" without the backslash; the first string it
    // gives is the device's current mapping.
    const std::wstring drive(root, std::min<std::size_t>(wcslen(root), 2));
    if (drive.size() != 2 || drive[1] != L':') continue;
    if (QueryDosDeviceW(drive.c_str(), target.data(), static_cast<DWORD>(target.size())) == 0)
      continue;
    out.push_back({drive, std::wstring(target.data())});
  }
}

bool Win32ProcessApi::IsRemoteDrive(wchar_t letter) {
  // The root with its backslash, as the call wants it; a drive letter's type
  // comes from the drive list, not from the share behind it.
  const wchar_t root[] = {letter, L':', L'\\', L'\0'};
  return GetDriveTypeW(root) == DRIVE_REMOTE;
}

}  // namespace platform::win32
