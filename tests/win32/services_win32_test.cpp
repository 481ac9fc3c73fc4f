// The 服务 page in the real window against Wine's own service manager: its
// list and button, "Spooler" started and stopped from the context menu's
// commands with the window answering throughout, and the way to the service's
// process on the 进程 page and back.
#include "app/main_window_win32.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "platform/win32/service_api_win32.h"
#include "platform/win32/win32_system.h"
#include "tests/win32/main_window_fixture_win32.h"

namespace services {
namespace {

using app::TMainForm;
using testing_win32::ListText;
using testing_win32::Pump;
using testing_win32::PumpUntil;
using testing_win32::TextOf;

class ServicesWin32Test : public testing_win32::MainWindowFixture {
 protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    Command(app::kCmdPause);  // only the refreshes of the test
    form_->SelectPage(TMainForm::kServicesPage);  // the list is read as the page is shown
  }
  void TearDown() override {
    // Whatever a test left running is stopped again, without the window.
    platform::win32::Win32ServiceApi services;
    services.RequestStop(L"Spooler");
    MainWindowFixture::TearDown();
  }
  HWND List() { return form_->ServicesView().lv_Services(); }
  int ItemOf(const std::wstring& name) {
    for (int i = 0; i < ListView_GetItemCount(List()); ++i)
      if (ListText(List(), i, kColName) == name) return i;
    return -1;
  }
  std::wstring Cell(const std::wstring& name, int column) {
    const int item = ItemOf(name);
    return item < 0 ? L"(no item)" : ListText(List(), item, column);
  }
  void SelectOnly(const std::wstring& name) {
    ListView_SetItemState(List(), -1, 0, LVIS_SELECTED);
    ListView_SetItemState(List(), ItemOf(name), LVIS_SELECTED | LVIS_FOCUSED,
                          LVIS_SELECTED | LVIS_FOCUSED);
  }
  bool MenuEnabled(UINT id) {
    return (GetMenuState(form_->ServicesView().PopupMenu(), id, MF_BYCOMMAND) & MF_GRAYED) == 0;
  }
  // Runs a command as the context menu would, and handles messages until the
  // service reads `state`; the command itself must come back at once.
  bool RunUntil(UINT command, const std::wstring& state) {
    const auto start = std::chrono::steady_clock::now();
    form_->ServicesView().ExecuteCommand(command);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    return PumpUntil([&] { return Cell(L"Spooler", kColState) == state; }, 15000);
  }
};

TEST_F(ServicesWin32Test, ListsEveryServiceWithItsColumnsAndTheConsoleButton) {
  const std::vector<std::wstring> headers = {L"名称", L"PID", L"描述", L"状态", L"启动类型", L"组"};
  for (int c = 0; c < static_cast<int>(headers.size()); ++c) {
    wchar_t text[32] = {};
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT;
    column.pszText = text;
    column.cchTextMax = 32;
    ASSERT_TRUE(ListView_GetColumn(List(), c, &column));
    EXPECT_EQ(std::wstring(text), headers[c]);
  }
  EXPECT_EQ(TextOf(form_->ServicesView().btn_ServiceManager()), L"服务管理器(&M)...");
  ASSERT_GT(ListView_GetItemCount(List()), 1);
  EXPECT_GE(ItemOf(L"Spooler"), 0);
  EXPECT_EQ(Cell(L"Spooler", kColState), L"已停止");
  EXPECT_EQ(Cell(L"Spooler", kColPid), L"");
  EXPECT_FALSE(Cell(L"Spooler", kColStartType).empty());
  for (int i = 1; i < ListView_GetItemCount(List()); ++i)  // by name, ignoring case
    EXPECT_LE(_wcsicmp(ListText(List(), i - 1, 0).c_str(), ListText(List(), i, 0).c_str()), 0);
}

TEST_F(ServicesWin32Test, SpoolerStartsAndStopsFromTheMenuWhileTheWindowGoesOn) {
  ASSERT_GE(ItemOf(L"Spooler"), 0);
  SelectOnly(L"Spooler");
  form_->ServicesView().EnableCommands();
  EXPECT_TRUE(MenuEnabled(kCmdServiceStart));
  EXPECT_FALSE(MenuEnabled(kCmdServiceStop));
  EXPECT_FALSE(MenuEnabled(kCmdServiceGoToProcess));

  ASSERT_TRUE(RunUntil(kCmdServiceStart, L"正在运行")) << "state: " << Cell(L"Spooler", kColState).size();
  const std::wstring pid = Cell(L"Spooler", kColPid);
  EXPECT_FALSE(pid.empty());
  EXPECT_GT(std::stoul(pid), 0u);
  SelectOnly(L"Spooler");
  form_->ServicesView().EnableCommands();
  EXPECT_FALSE(MenuEnabled(kCmdServiceStart));
  EXPECT_TRUE(MenuEnabled(kCmdServiceStop));
  EXPECT_TRUE(MenuEnabled(kCmdServiceRestart));
  EXPECT_TRUE(MenuEnabled(kCmdServiceGoToProcess));

  ASSERT_TRUE(RunUntil(kCmdServiceStop, L"已停止"));
  EXPECT_EQ(Cell(L"Spooler", kColPid), L"");
  EXPECT_FALSE(form_->ServicesPage().CommandInProgress());
}

TEST_F(ServicesWin32Test, GoToProcessAndBackToTheServices) {
  SelectOnly(L"Spooler");
  ASSERT_TRUE(RunUntil(kCmdServiceStart, L"正在运行"));
  const DWORD pid = std::stoul(Cell(L"Spooler", kColPid));
  RefreshNow();  // the new process reaches the 进程 page's list

  // A filter that hides the process is cleared on the way.
  SetWindowTextW(form_->ProcessesView().FilterBox(), L"no such process");
  SelectOnly(L"Spooler");
  form_->ServicesView().ExecuteCommand(kCmdServiceGoToProcess);
  EXPECT_EQ(form_->ActivePage(), TMainForm::kProcessesPage);
  EXPECT_EQ(form_->ProcessesPage().SelectedPid(), pid);
  EXPECT_EQ(GetWindowTextLengthW(form_->ProcessesView().FilterBox()), 0);

  // "转到服务(&V)" is offered for it and selects its services.
  form_->ProcessesView().ExecuteCommand(procs::kCmdGoToServices);
  EXPECT_EQ(form_->ActivePage(), TMainForm::kServicesPage);
  const int selected = ListView_GetNextItem(List(), -1, LVNI_SELECTED);
  ASSERT_GE(selected, 0);
  EXPECT_EQ(ListText(List(), selected, kColName), L"Spooler");
  EXPECT_EQ(ListView_GetSelectedCount(List()), 1u);
}

}  // namespace
}  // namespace services
