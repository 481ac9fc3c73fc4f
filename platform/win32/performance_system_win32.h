// The real system behind the Performance page's interfaces: the performance
// data in the registry, the 64-bit memory status, and the notification icon.
#pragma once
#include <windows.h>

#include "platform/memory_status.h"
#include "platform/notify_icon.h"
#include "platform/performance_data.h"
#include "platform/tick_figures.h"

namespace platform::win32 {

// RegQueryValueExW on HKEY_PERFORMANCE_DATA (the key is closed when done) and on
// HKEY_PERFORMANCE_TEXT; GetActiveProcessorCount bound by name (Windows 7 on).
class Win32PerformanceData : public PerformanceData {
 public:
  Win32PerformanceData();
  ~Win32PerformanceData() override;
  Win32PerformanceData(const Win32PerformanceData&) = delete;
  Win32PerformanceData& operator=(const Win32PerformanceData&) = delete;
  std::uint32_t Query(const std::wstring& objectIndex, void* buffer,
                      std::uint32_t& size) override;
  std::uint32_t QueryCounterNames(void* buffer, std::uint32_t& size) override;
  int ActiveProcessorCount() override;

 private:
  using ActiveProcessorCountFn = DWORD(WINAPI*)(WORD);
  bool used_ = false;
  ActiveProcessorCountFn activeProcessorCount_ = nullptr;
};

// The memory status from the figures the tick has read (GlobalMemoryStatusEx
// when they fail), and K32GetPerformanceInfo bound by name (Windows 7 on).
class Win32MemoryStatus : public MemoryStatusApi {
 public:
  explicit Win32MemoryStatus(TickFigures& figures);
  bool QueryMemoryStatus(MemoryStatus& status) override;
  bool QuerySystemCache(std::uint64_t& bytes) override;

 private:
  using PerformanceInfoFn = BOOL(WINAPI*)(void*, DWORD);
  TickFigures& figures_;
  PerformanceInfoFn performanceInfo_ = nullptr;
};

// Shell_NotifyIconW for one icon of one window (identifier 1305, callback 1124).
// An icon still shown when the object goes is removed, if the taskbar answers.
// Whether it answers is asked of its window ("Shell_TrayWnd") with a message
// that times out after 100 ms.
class Win32NotifyIcon : public NotifyIcon {
 public:
  static constexpr UINT kIconId = 1305;
  static constexpr UINT kCallbackMessage = 1124;

  Win32NotifyIcon() = default;
  ~Win32NotifyIcon() override;
  Win32NotifyIcon(const Win32NotifyIcon&) = delete;
  Win32NotifyIcon& operator=(const Win32NotifyIcon&) = delete;
  void SetWindow(HWND window) { window_ = window; }
  bool AddIcon(IconRef icon, const std::wstring& tip) override;
  bool ModifyIcon(IconRef icon, const std::wstring& tip) override;
  bool RemoveIcon() override;
  bool ShellAnswers() override;

 private:
  bool Send(DWORD command, UINT parts, IconRef icon, const std::wstring& tip);
  HWND window_ = nullptr;
  HWND taskbar_ = nullptr;  // found once, and again when the taskbar is made anew
  bool added_ = false;
  IconRef sentIcon_ = nullptr;  // the picture the notification area holds
};

}  // namespace platform::win32
