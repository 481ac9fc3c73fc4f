// Registry performance data and titles, the processor count, memory status and
// the notification icon, each a thin pass-through to the system call it names.
#include "platform/win32/performance_system_win32.h"

#include <psapi.h>
#include <shellapi.h>

#include <algorithm>

namespace platform::win32 {

namespace {
constexpr UINT kAllParts = NIF_MESSAGE | NIF_ICON | NIF_TIP;
}  // namespace

Win32PerformanceData::Win32PerformanceData() {
  // kernel32.dll is mapped into every process, so no reference needs to be held.
  if (HMODULE kernel = GetModuleHandleW(L"kernel32.dll")) {
    activeProcessorCount_ = reinterpret_cast<ActiveProcessorCountFn>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "GetActiveProcessorCount")));
  }
}

Win32PerformanceData::~Win32PerformanceData() {
  // Reading the performance key opens it implicitly; closing releases the
  // providers' resources.
  if (used_) RegCloseKey(HKEY_PERFORMANCE_DATA);
}

std::uint32_t Win32PerformanceData::Query(const std::wstring& objectIndex, void* buffer,
                                          std::uint32_t& size) {
  used_ = true;
  DWORD bytes = size;
  const LSTATUS status = RegQueryValueExW(HKEY_PERFORMANCE_DATA, objectIndex.c_str(), nullptr,
                                          nullptr, static_cast<BYTE*>(buffer), &bytes);
  if (status == ERROR_SUCCESS) size = std::min<DWORD>(bytes, size);
  return static_cast<std::uint32_t>(status);
}

std::uint32_t Win32PerformanceData::QueryCounterNames(void* buffer, std::uint32_t& size) {
  // The English titles: the names looked up are the same on every system.
  DWORD type = 0;
  DWORD bytes = size;
  const LSTATUS status = RegQueryValueExW(HKEY_PERFORMANCE_TEXT, L"Counter", nullptr, &type,
                                          static_cast<BYTE*>(buffer), &bytes);
  if (status == ERROR_SUCCESS && type != REG_MULTI_SZ) return ERROR_INVALID_DATA;
  if (status == ERROR_SUCCESS) size = std::min<DWORD>(bytes, size);
  if (status == ERROR_MORE_DATA) size = bytes;  // the size needed, where the system tells it
  return static_cast<std::uint32_t>(status);
}

int Win32PerformanceData::ActiveProcessorCount() {
  constexpr WORD kAllProcessorGroups = 0xffff;  // ALL_PROCESSOR_GROUPS
  return activeProcessorCount_ ? static_cast<int>(activeProcessorCount_(kAllProcessorGroups)) : 0;
}

Win32MemoryStatus::Win32MemoryStatus(TickFigures& figures) : figures_(figures) {
  if (HMODULE kernel = GetModuleHandleW(L"kernel32.dll")) {
    performanceInfo_ = reinterpret_cast<PerformanceInfoFn>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "K32GetPerformanceInfo")));
  }
}

bool Win32MemoryStatus::QuerySystemCache(std::uint64_t& bytes) {
  PERFORMANCE_INFORMATION info{};
  info.cb = sizeof info;
  if (performanceInfo_ == nullptr || !performanceInfo_(&info, sizeof info)) return false;
  bytes = std::uint64_t{info.SystemCache} * info.PageSize;
  return true;
}

bool Win32MemoryStatus::QueryMemoryStatus(MemoryStatus& status) {
  if (figures_.Memory(status)) return true;
  MEMORYSTATUSEX memory{};
  memory.dwLength = sizeof(memory);
  if (!GlobalMemoryStatusEx(&memory)) return false;
  status.totalPhys = memory.ullTotalPhys;
  status.availPhys = memory.ullAvailPhys;
  status.totalPageFile = memory.ullTotalPageFile;
  status.availPageFile = memory.ullAvailPageFile;
  return true;
}

Win32NotifyIcon::~Win32NotifyIcon() {
  if (added_ && ShellAnswers()) RemoveIcon();
}

bool Win32NotifyIcon::ShellAnswers() {
  constexpr UINT kAnswerMs = 100;
  for (int attempt = 0; attempt < 2; ++attempt) {
    if (taskbar_ == nullptr) taskbar_ = FindWindowW(L"Shell_TrayWnd", nullptr);
    // With no taskbar the shell refuses a request at once.
    if (taskbar_ == nullptr) return true;
    DWORD_PTR result = 0;
    if (SendMessageTimeoutW(taskbar_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kAnswerMs, &result) != 0)
      return true;
    // Timed out, or hung for a while already: it answers nothing now.
    if (IsWindow(taskbar_)) return false;
    taskbar_ = nullptr;  // gone: a taskbar made since may have its own window
  }
  return true;
}

bool Win32NotifyIcon::Send(DWORD command, UINT parts, IconRef icon, const std::wstring& tip) {
  if (window_ == nullptr) return false;
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof(data);
  data.hWnd = window_;
  data.uID = kIconId;
  if (command != NIM_DELETE) {
    data.uFlags = parts;
    data.uCallbackMessage = kCallbackMessage;
    data.hIcon = static_cast<HICON>(const_cast<void*>(icon));
    tip.copy(data.szTip, std::size(data.szTip) - 1);
  }
  const bool sent = Shell_NotifyIconW(command, &data) != FALSE;
  if (sent && (parts & NIF_ICON) != 0) sentIcon_ = icon;
  return sent;
}

bool Win32NotifyIcon::AddIcon(IconRef icon, const std::wstring& tip) {
  // After a shell restart the old icon is gone already; a second add of a
  // live icon fails, so the icon is modified instead.
  added_ = Send(NIM_ADD, kAllParts, icon, tip) ||
           (added_ && Send(NIM_MODIFY, kAllParts, icon, tip));
  return added_;
}

bool Win32NotifyIcon::ModifyIcon(IconRef icon, const std::wstring& tip) {
  // Only what changed is sent: a new tip alone leaves the picture as it is
  // drawn, which spares the shell drawing it again.
  return Send(NIM_MODIFY, icon == sentIcon_ ? NIF_TIP : NIF_ICON | NIF_TIP, icon, tip);
}

bool Win32NotifyIcon::RemoveIcon() {
  const bool removed = Send(NIM_DELETE, 0, nullptr, L"");
  added_ = false;
  sentIcon_ = nullptr;
  return removed;
}

}  // namespace platform::win32
