// At 144 DPI (the Wine prefix tools/wine/test.sh sets up for these tests) the
// window, a list column, a dialog and a graph come out half as large again.
// On a screen at any other DPI they are skipped.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include "app/open_form_win32.h"
#include "apps/applications_view_win32.h"
#include "perf/performance_view_win32.h"
#include "platform/fake/fake_system.h"
#include "procs/processes_view_win32.h"
#include "tests/win32/main_window_fixture_win32.h"

namespace testing_win32 {
namespace {

// The test program has no manifest: it declares what the program's declares.
void BecomePerMonitorAware() {
  using SetContextFn = BOOL(WINAPI*)(HANDLE);
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  const auto setContext = reinterpret_cast<SetContextFn>(
      reinterpret_cast<void*>(GetProcAddress(user32, "SetProcessDpiAwarenessContext")));
  // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2
  if (setContext == nullptr || !setContext(reinterpret_cast<HANDLE>(-4))) SetProcessDPIAware();
}

int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  return dpi;
}

SIZE SizeOf(HWND window) {
  RECT place{};
  GetWindowRect(window, &place);
  return {place.right - place.left, place.bottom - place.top};
}

class Dpi144Test : public MainWindowFixture {
 protected:
  static void SetUpTestSuite() {
    BecomePerMonitorAware();
    MainWindowFixture::SetUpTestSuite();
  }
  void SetUp() override {
    if (ScreenDpi() != 144) GTEST_SKIP() << "the screen is at " << ScreenDpi() << " DPI";
    MainWindowFixture::SetUp();
  }
};

TEST_F(Dpi144Test, WindowColumnAndCpuMeterAreHalfAsLargeAgain) {
  const SIZE window = SizeOf(form_->Handle());
  EXPECT_EQ(window.cx, 600);
  EXPECT_EQ(window.cy, 638);
  // Placed at (465, 222), it would hang off a 1024 x 768 screen: it is moved onto it.
  RECT place{}, work{};
  GetWindowRect(form_->Handle(), &place);
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  if (work.right - work.left >= 600 && work.bottom - work.top >= 638) {
    EXPECT_GE(place.left, work.left);
    EXPECT_GE(place.top, work.top);
    EXPECT_LE(place.right, work.right);
    EXPECT_LE(place.bottom, work.bottom);
  }
  EXPECT_EQ(ListView_GetColumnWidth(form_->ProcessesView().lv_Proc(), 0), 143);  // 映像名称
  form_->SelectPage(app::TMainForm::kPerformancePage);
  Pump();
  // The meter's box is 98 wide, less its margins of 6 at each side.
  EXPECT_EQ(SizeOf(form_->PerformanceView().CpuMeter()).cx, 129);
}

TEST_F(Dpi144Test, TheTrayPictureIsDrawnAtTheIconSizes) {
  RefreshNow();
  const auto small = reinterpret_cast<HICON>(SendMessageW(form_->Handle(), WM_GETICON, ICON_SMALL, 0));
  const auto large = reinterpret_cast<HICON>(SendMessageW(form_->Handle(), WM_GETICON, ICON_BIG, 0));
  EXPECT_EQ(static_cast<const void*>(small), form_->TrayIcon().Icon());
  EXPECT_EQ(IconWidth(small), 24);
  EXPECT_EQ(IconWidth(large), 48);
  // The 应用程序 list draws its task icons at the same sizes.
  HWND tasks = form_->ApplicationsView().lv_Task();
  int width = 0, height = 0;
  ImageList_GetIconSize(ListView_GetImageList(tasks, LVSIL_SMALL), &width, &height);
  EXPECT_EQ(width, 24);
  ImageList_GetIconSize(ListView_GetImageList(tasks, LVSIL_NORMAL), &width, &height);
  EXPECT_EQ(width, 48);
}

TEST_F(Dpi144Test, CreateNewTaskIsHalfAsLargeAgain) {
  platform::fake::FakeSystem shell;
  app::TOpenForm form(shell);
  ASSERT_TRUE(form.Create(form_->Handle(), form_->Font()));
  RECT client{};
  GetClientRect(form.Handle(), &client);
  EXPECT_EQ(client.right, 516);   // 344
  EXPECT_EQ(client.bottom, 209);  // 139
  RECT ok{};
  GetWindowRect(form.btn_Ok(), &ok);
  MapWindowPoints(nullptr, form.Handle(), reinterpret_cast<POINT*>(&ok), 2);
  EXPECT_EQ(ok.left, 120);  // 80
  EXPECT_EQ(ok.right - ok.left, 113);  // 75
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(form.btn_Ok(), WM_GETFONT, 0, 0)), sizeof(font),
             &font);
  EXPECT_EQ(font.lfHeight, -18);
}

}  // namespace
}  // namespace testing_win32
