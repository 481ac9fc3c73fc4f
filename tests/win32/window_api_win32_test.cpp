// The window backend against real windows: titles cut at the limit, owners and
// styles, show states and process of a window and of one that has gone, the
// program path among the modules, the hung test and its probe on a window whose
// thread is busy, and the icon of a program file.
#include "platform/win32/win32_system.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "platform/win32/handle_win32.h"
#include "tests/win32/gui_helpers_win32.h"

namespace platform::win32 {
namespace {

using testing_win32::Pump;
using testing_win32::PumpUntil;

HWND MakeWindow(const std::wstring& title, DWORD exStyle = 0, HWND owner = nullptr) {
  return CreateWindowExW(exStyle, L"STATIC", title.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50,
                         50, 200, 100, owner, nullptr, GetModuleHandleW(nullptr), nullptr);
}

TEST(Win32WindowApi, ReadsWhatTellsAnApplicationWindowApart) {
  Win32WindowApi api;
  HWND plain = MakeWindow(std::wstring(300, L'x'));
  HWND tool = MakeWindow(L"tool", WS_EX_TOOLWINDOW);
  HWND owned = MakeWindow(L"owned", 0, plain);
  const auto id = [](HWND window) { return Win32WindowApi::FromHwnd(window); };

  std::vector<WindowHandle> all;
  api.TopWindows(all);
  EXPECT_NE(std::find(all.begin(), all.end(), id(plain)), all.end());
  EXPECT_TRUE(api.IsVisible(id(plain)));
  std::wstring title;
  api.Title(id(plain), title);
  EXPECT_EQ(title.size(), kMaxTitleLength);
  EXPECT_EQ(api.Owner(id(owned)), id(plain));
  EXPECT_EQ(api.Owner(id(plain)), 0u);
  EXPECT_TRUE(api.ExtendedStyle(id(tool)) & kToolWindowStyle);
  EXPECT_EQ(api.ProcessIdOf(id(plain)), GetCurrentProcessId());
  EXPECT_EQ(api.ShowStateOf(id(plain)), kShowNormal);
  ShowWindow(plain, SW_MINIMIZE);
  EXPECT_EQ(api.ShowStateOf(id(plain)), kShowMinimized);
  EXPECT_TRUE(api.Responds(id(plain), 100));

  DestroyWindow(owned);
  DestroyWindow(tool);
  DestroyWindow(plain);
  // A window that has gone: its placement and process cannot be read.
  EXPECT_EQ(api.ShowStateOf(id(plain)), 0);
  EXPECT_EQ(api.ProcessIdOf(id(plain)), 0u);
  EXPECT_FALSE(api.IsVisible(id(plain)));
  Pump();
}

TEST(Win32WindowApi, BusyWindowFailsTheHungTestQuicklyAndItsProbeReturnsLater) {
  Win32WindowApi api;
  UniqueHandle ready(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  UniqueHandle resume(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  HWND busy = nullptr;
  DWORD ownerThread = 0;
  std::thread owner([&] {
    busy = MakeWindow(L"busy");
    ownerThread = GetCurrentThreadId();
    SetEvent(ready.Get());
    WaitForSingleObject(resume.Get(), 10000);  // handles no message meanwhile
    MSG message{};
    while (IsWindow(busy) && GetMessageW(&message, nullptr, 0, 0) > 0) {
      if (message.message == WM_APP) DestroyWindow(busy);
      DispatchMessageW(&message);
    }
  });
  WaitForSingleObject(ready.Get(), 5000);
  const WindowHandle window = Win32WindowApi::FromHwnd(busy);

  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(api.Responds(window, 100));
  const auto waited = std::chrono::steady_clock::now() - start;
  EXPECT_LT(waited, std::chrono::milliseconds(1000));
  EXPECT_EQ(api.AskIcon(window, 100), 0u);

  api.StartProbe(window);
  PumpUntil([] { return false; }, 200);
  EXPECT_FALSE(api.ProbeAnswered(window));
  SetEvent(resume.Get());
  EXPECT_TRUE(PumpUntil([&] { return api.ProbeAnswered(window); }, 5000));
  EXPECT_FALSE(api.ProbeAnswered(window)) << "an answer is taken once";
  EXPECT_TRUE(api.Responds(window, 1000));

  PostThreadMessageW(ownerThread, WM_APP, 0, 0);
  owner.join();
}

TEST(Win32WindowApi, LendsTheIconOfAProgramFile) {
  Win32WindowApi api;
  wchar_t system[MAX_PATH];
  GetSystemDirectoryW(system, MAX_PATH);
  int calls = 0;
  api.WithProgramIcons(std::wstring(system) + L"\\notepad.exe",
                       [&](IconHandle large, IconHandle small) {
                         ++calls;
                         EXPECT_TRUE(large != 0 || small != 0);
                       });
  EXPECT_EQ(calls, 1);
  api.WithProgramIcons(L"C:\\no\\such\\program.exe", [&](IconHandle, IconHandle) { ++calls; });
  EXPECT_EQ(calls, 1);
}

}  // namespace
}  // namespace platform::win32
