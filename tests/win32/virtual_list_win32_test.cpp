// The lists hold no texts of their own: another program still reads a row's
// text and state with LVM_GETITEMTEXT and LVM_GETITEMSTATE in the list's own
// memory, as accessibility tools do, and typing a name's first letters moves
// to its row.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cwchar>
#include <fstream>
#include <string>

#include "platform/win32/handle_win32.h"
#include "tests/win32/main_window_fixture_win32.h"

namespace app {
namespace {

using platform::win32::UniqueHandle;
using testing_win32::ListText;
using testing_win32::PumpUntil;

// Set for the copy of this suite that reads: "list row columns file".
constexpr wchar_t kReaderVariable[] = L"ZENTRIK_LIST_READER";

// The copy started by AnotherProgramReadsARowsTextsAndState: the texts of the
// row's first columns, then its state, one line each, into the file.
TEST(ListReaderChild, ReadsARowOfTheListItWasGiven) {
  wchar_t request[MAX_PATH + 64] = {};
  if (GetEnvironmentVariableW(kReaderVariable, request, MAX_PATH + 64) == 0)
    GTEST_SKIP() << "started by ListFromOutsideTest only";
  unsigned long long handle = 0;
  int row = 0, columns = 0;
  wchar_t path[MAX_PATH] = {};
  ASSERT_EQ(swscanf(request, L"%llu %d %d %259ls", &handle, &row, &columns, path), 4);
  HWND list = reinterpret_cast<HWND>(static_cast<UINT_PTR>(handle));
  DWORD pid = 0;
  GetWindowThreadProcessId(list, &pid);
  UniqueHandle process(
      OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid));
  ASSERT_TRUE(process);
  auto* remote = static_cast<unsigned char*>(VirtualAllocEx(
      process.Get(), nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
  ASSERT_NE(remote, nullptr);
  auto* remoteText = reinterpret_cast<wchar_t*>(remote + 1024);
  std::wofstream out(path);
  for (int c = 0; c < columns; ++c) {
    LVITEMW item{};
    item.iSubItem = c;
    item.pszText = remoteText;
    item.cchTextMax = 256;
    ASSERT_TRUE(WriteProcessMemory(process.Get(), remote, &item, sizeof(item), nullptr));
    SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(remote));
    wchar_t text[256] = {};
    ASSERT_TRUE(ReadProcessMemory(process.Get(), remoteText, text, sizeof(text), nullptr));
    text[255] = L'\0';
    out << text << L'\n';
  }
  out << SendMessageW(list, LVM_GETITEMSTATE, static_cast<WPARAM>(row),
                      LVIS_SELECTED | LVIS_FOCUSED)
      << L'\n';
  VirtualFreeEx(process.Get(), remote, 0, MEM_RELEASE);
}

using ListFromOutsideTest = testing_win32::MainWindowFixture;

TEST_F(ListFromOutsideTest, AnotherProgramReadsARowsTextsAndState) {
  Command(kCmdPause);
  RefreshNow();
  const DWORD self = GetCurrentProcessId();
  const auto item = form_->ProcessesPage().FindItemByPid(self);
  ASSERT_TRUE(item.has_value());
  const int row = static_cast<int>(*item);
  HWND list = form_->ProcessesView().lv_Proc();
  ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);

  wchar_t folder[MAX_PATH] = {}, file[MAX_PATH] = {}, exe[MAX_PATH] = {};
  ASSERT_NE(GetTempPathW(MAX_PATH, folder), 0u);
  ASSERT_NE(GetTempFileNameW(folder, L"zlr", 0, file), 0u);
  ASSERT_NE(GetModuleFileNameW(nullptr, exe, MAX_PATH), 0u);
  const std::wstring request = std::to_wstring(reinterpret_cast<UINT_PTR>(list)) + L" " +
                            std::to_wstring(row) + L" 2 " + file;
  SetEnvironmentVariableW(kReaderVariable, request.c_str());
  std::wstring command = std::wstring(L"\"") + exe + L"\" --gtest_filter=ListReaderChild.*";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION child{};
  const BOOL started = CreateProcessW(exe, command.data(), nullptr, nullptr, FALSE,
                                      CREATE_NO_WINDOW, nullptr, nullptr, &startup, &child);
  SetEnvironmentVariableW(kReaderVariable, nullptr);
  ASSERT_TRUE(started);
  UniqueHandle process(child.hProcess), thread(child.hThread);
  // It waits for this thread to answer its messages.
  EXPECT_TRUE(PumpUntil([&] { return WaitForSingleObject(process.Get(), 0) == WAIT_OBJECT_0; },
                        60'000));
  DWORD exitCode = 1;
  GetExitCodeProcess(process.Get(), &exitCode);
  EXPECT_EQ(exitCode, 0u);

  std::wifstream in(file);
  std::wstring name, pid, state;
  std::getline(in, name);
  std::getline(in, pid);
  std::getline(in, state);
  in.close();
  DeleteFileW(file);
  EXPECT_EQ(name, ListText(list, row, 0));
  EXPECT_NE(name.find(L"zentrik_win_tests"), std::wstring::npos);
  EXPECT_EQ(pid, std::to_wstring(self));
  EXPECT_EQ(state, std::to_wstring(LVIS_SELECTED | LVIS_FOCUSED));
}

TEST_F(ListFromOutsideTest, TypingAnImageNamesFirstLettersSelectsItsRow) {
  Command(kCmdPause);
  RefreshNow();
  form_->SelectPage(TMainForm::kProcessesPage);
  HWND list = form_->ProcessesView().lv_Proc();
  SetFocus(list);
  // One keystroke each, quickly enough to make one name; not the first row's.
  ASSERT_NE(ListText(list, 0, 0).rfind(L"explorer", 0), 0u);
  for (const wchar_t letter : std::wstring(L"explorer")) SendMessageW(list, WM_CHAR, letter, 1);
  const int focused = ListView_GetNextItem(list, -1, LVNI_FOCUSED);
  ASSERT_GE(focused, 0);
  EXPECT_EQ(ListText(list, focused, 0).rfind(L"explorer", 0), 0u);
  EXPECT_EQ(form_->ProcList().FirstSelected(), static_cast<std::size_t>(focused));
  EXPECT_EQ(form_->ProcList().Focused(), static_cast<std::size_t>(focused));
}

}  // namespace
}  // namespace app
