// The base of the Windows-side tests that drive the whole main window: it opens
// the window (shown, not activated), sends it menu commands, and closes it after
// each test, handling the messages that leaves behind.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>

#include "app/main_window_win32.h"
#include "tests/win32/gui_helpers_win32.h"

namespace testing_win32 {

class MainWindowFixture : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES |
                                                        ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
  }
  void SetUp() override { OpenWindow(std::make_unique<app::TMainForm>()); }
  void TearDown() override {
    form_.reset();
    Pump();  // the quit request of the destroyed window
  }
  void OpenWindow(std::unique_ptr<app::TMainForm> form) {
    form_ = std::move(form);
    ASSERT_TRUE(form_->Create(GetModuleHandleW(nullptr), SW_SHOWNOACTIVATE));
    Pump();
  }
  void Command(UINT id) { SendMessageW(form_->Handle(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }
  // One refresh and the handling of the messages it posted.
  void RefreshNow() {
    Command(app::kCmdRefreshNow);
    Pump();
  }

  std::unique_ptr<app::TMainForm> form_;
};

}  // namespace testing_win32
