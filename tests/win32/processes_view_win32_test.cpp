// The Processes page under Wine: choosing columns in "选择列" and reading the
// headers and a row back, sorting by a header, ending a process tree, the
// affinity dialog, the user filter's check box, the filter box, suspending
// and resuming notepad, and finding notepad's process by dragging the crosshair
// onto its window.
#include <windows.h>
#include <commctrl.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "platform/win32/handle_win32.h"
#include "procs/affinity_dialog_win32.h"
#include "procs/column_chooser_win32.h"
#include "tests/win32/main_window_fixture_win32.h"

namespace app {
namespace {

using platform::win32::UniqueHandle;
using testing_win32::ListText;
using testing_win32::PrivilegeEnabled;
using testing_win32::Pump;
using testing_win32::PumpUntil;

std::vector<std::wstring> Headers(HWND list) {
  std::vector<std::wstring> headers;
  for (int c = 0;; ++c) {
    wchar_t text[64] = {};
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT;
    column.pszText = text;
    column.cchTextMax = 64;
    if (!ListView_GetColumn(list, c, &column)) break;
    headers.push_back(text);
  }
  return headers;
}

int ColumnWidth(HWND list, int column) { return ListView_GetColumnWidth(list, column); }

// While a modal loop runs, waits for the top-level dialog titled `caption` and
// acts on it once (a thread timer keeps looking for it).
class WhenDialogAppears {
 public:
  WhenDialogAppears(std::wstring caption, std::function<void(HWND)> act)
      : caption_(std::move(caption)), act_(std::move(act)) {
    current_ = this;
    timer_ = SetTimer(nullptr, 0, 50, Tick);
  }
  ~WhenDialogAppears() {
    if (timer_ != 0) KillTimer(nullptr, timer_);
    current_ = nullptr;
  }
  bool Acted() const { return acted_; }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    WhenDialogAppears* self = current_;
    if (self == nullptr || self->acted_) return;
    HWND dialog = FindWindowW(L"#32770", self->caption_.c_str());
    if (dialog == nullptr || !IsWindowVisible(dialog)) return;
    self->acted_ = true;
    KillTimer(nullptr, self->timer_);
    self->timer_ = 0;
    self->act_(dialog);
  }

  static inline WhenDialogAppears* current_ = nullptr;
  std::wstring caption_;
  std::function<void(HWND)> act_;
  UINT_PTR timer_ = 0;
  bool acted_ = false;
};

bool Checked(HWND dialog, int id) {
  return SendMessageW(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}
void Click(HWND dialog, int id) { SendMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

// Threads of a process as the tool-help snapshot counts them.
DWORD ToolhelpThreads(DWORD pid) {
  UniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL more = Process32FirstW(snapshot.Get(), &entry); more;
       more = Process32NextW(snapshot.Get(), &entry)) {
    if (entry.th32ProcessID == pid) return entry.cntThreads;
  }
  return 0;
}

// The children of `parent`; `ping` gets the one named ping.exe, if any.
std::vector<DWORD> ChildrenOf(DWORD parent, DWORD* ping = nullptr) {
  std::vector<DWORD> children;
  UniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL more = Process32FirstW(snapshot.Get(), &entry); more;
       more = Process32NextW(snapshot.Get(), &entry)) {
    if (entry.th32ParentProcessID != parent || entry.th32ProcessID == parent) continue;
    children.push_back(entry.th32ProcessID);
    if (ping != nullptr && _wcsicmp(entry.szExeFile, L"ping.exe") == 0) *ping = entry.th32ProcessID;
  }
  return children;
}

long long KilobytesIn(const std::wstring& cell) { return std::stoll(cell); }

bool UnderWine() {
  return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

// A program of the system folder started for one test, ended and waited for
// when the test is over, so that no Wine process of this suite outlives it.
class SystemChild {
 public:
  SystemChild(const wchar_t* program, const wchar_t* arguments, DWORD flags, WORD show) {
    wchar_t system[MAX_PATH];
    GetSystemDirectoryW(system, MAX_PATH);
    std::wstring command = std::wstring(L"\"") + system + L"\\" + program + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = show;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, flags, nullptr, nullptr,
                        &startup, &info))
      return;
    process_.Reset(info.hProcess);
    thread_.Reset(info.hThread);
    pid_ = info.dwProcessId;
  }
  ~SystemChild() {
    if (!process_) return;
    TerminateProcess(process_.Get(), 0);
    WaitForSingleObject(process_.Get(), 5000);
  }
  bool Started() const { return static_cast<bool>(process_); }
  DWORD Pid() const { return pid_; }
  HANDLE Process() const { return process_.Get(); }
  HANDLE Thread() const { return thread_.Get(); }

 private:
  UniqueHandle process_;
  UniqueHandle thread_;
  DWORD pid_ = 0;
};

class ProcessesViewTest : public testing_win32::MainWindowFixture {
 protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    form_->SelectPage(TMainForm::kProcessesPage);
    Command(kCmdPause);  // only the refreshes of the test
    RefreshNow();
  }
  HWND List() { return form_->ProcessesView().lv_Proc(); }
  int ItemOf(DWORD pid) {
    const auto item = form_->ProcessesPage().FindItemByPid(pid);
    return item ? static_cast<int>(*item) : -1;
  }
  // cmd.exe's children once ping.exe runs among them, all listed by a refresh and
  // none started since (Wine's cmd.exe may start a console host too, before ping
  // or after it); empty if that does not come within 5 s.
  std::vector<DWORD> ChildrenOnceListed(DWORD shell, DWORD& ping) {
    for (int wait = 0; wait < 100; ++wait) {
      Sleep(50);
      ping = 0;
      const std::vector<DWORD> children = ChildrenOf(shell, &ping);
      if (ping == 0) continue;
      RefreshNow();
      const bool allListed = std::all_of(children.begin(), children.end(),
                                         [&](DWORD pid) { return ItemOf(pid) >= 0; });
      if (allListed && ChildrenOf(shell) == children) return children;
    }
    return {};
  }
  void SelectOnly(DWORD pid) {
    ListView_SetItemState(List(), -1, 0, LVIS_SELECTED);
    ListView_SetItemState(List(), ItemOf(pid), LVIS_SELECTED | LVIS_FOCUSED,
                          LVIS_SELECTED | LVIS_FOCUSED);
  }
  // A click on a header, as the list view reports it to the page.
  void ClickHeader(int column) {
    NMLISTVIEW click{};
    click.hdr.hwndFrom = List();
    click.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(List()));
    click.hdr.code = LVN_COLUMNCLICK;
    click.iItem = -1;
    click.iSubItem = column;
    SendMessageW(GetParent(List()), WM_NOTIFY, click.hdr.idFrom, reinterpret_cast<LPARAM>(&click));
  }
};

TEST_F(ProcessesViewTest, ChosenColumnsShowTheirHeadersAndTheirOwnNumbers) {
  bool openedAsShown = false;
  WhenDialogAppears chooser(L"选择列", [&](HWND dialog) {
    const UINT first = procs::TViewForm::kFirstBoxId;
    openedAsShown = Checked(dialog, first) && !IsWindowEnabled(GetDlgItem(dialog, first)) &&
                    Checked(dialog, first + 2) && !Checked(dialog, first + 9) &&
                    Checked(dialog, first + 13);
    Click(dialog, first + 9);   // I/O读取
    Click(dialog, first + 19);  // 线程计数
    Click(dialog, first + 3);   // CPU时间 off
    Click(dialog, IDOK);
  });
  Command(kCmdSelectColumns);
  ASSERT_TRUE(chooser.Acted());
  EXPECT_TRUE(openedAsShown);
  EXPECT_FALSE(form_->Cycle().TimerEnabled()) << "paused before, paused after";

  const std::vector<std::wstring> expected = {L"映像名称", L"PID",    L"CPU使用",  L"内存使用",
                                              L"I/O读取",  L"用户名", L"进程路径", L"线程计数"};
  ASSERT_EQ(Headers(List()), expected);
  EXPECT_EQ(ColumnWidth(List(), 0), 95);
  EXPECT_EQ(ColumnWidth(List(), 1), 40);
  EXPECT_GE(ColumnWidth(List(), 4), 40) << "a header-wide column, not a few pixels";
  EXPECT_GE(ColumnWidth(List(), 7), 40);

  RefreshNow();
  const DWORD self = GetCurrentProcessId();
  const int row = ItemOf(self);
  ASSERT_GE(row, 0);
  const procs::TprocTimeInfo* info = form_->ProcessTable().Find(self);
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(ListText(List(), row, 0), info->ImageName);
  EXPECT_EQ(ListText(List(), row, 1), std::to_wstring(self));
  EXPECT_EQ(ListText(List(), row, 4), std::to_wstring(info->IoReads));
  EXPECT_EQ(ListText(List(), row, 7), std::to_wstring(ToolhelpThreads(self)));
  EXPECT_EQ(ListText(List(), row, 3), std::to_wstring(info->MemoryK) + L" K");

  // Cancel changes nothing.
  WhenDialogAppears cancel(L"选择列", [](HWND dialog) {
    Click(dialog, procs::TViewForm::kFirstBoxId + 5);
    Click(dialog, IDCANCEL);
  });
  Command(kCmdSelectColumns);
  ASSERT_TRUE(cancel.Acted());
  EXPECT_EQ(Headers(List()), expected);
}

TEST_F(ProcessesViewTest, HeaderClicksSortByMemoryAndTheOrderSurvivesUpdates) {
  const auto memoryColumn = static_cast<int>(procs::kColMemory);
  const auto memories = [&] {
    std::vector<long long> values;
    for (int i = 0; i < ListView_GetItemCount(List()); ++i)
      values.push_back(KilobytesIn(ListText(List(), i, memoryColumn)));
    return values;
  };
  ASSERT_GE(ListView_GetItemCount(List()), 3);
  const DWORD self = GetCurrentProcessId();
  SelectOnly(self);

  ClickHeader(memoryColumn);
  std::vector<long long> values = memories();
  EXPECT_TRUE(std::is_sorted(values.begin(), values.end()));
  ClickHeader(memoryColumn);
  values = memories();
  EXPECT_TRUE(std::is_sorted(values.rbegin(), values.rend()));

  RefreshNow();
  RefreshNow();
  values = memories();
  EXPECT_TRUE(std::is_sorted(values.rbegin(), values.rend()));
  EXPECT_EQ(ListView_GetItemCount(List()), static_cast<int>(form_->ProcList().Count()));
  // The selection stayed on this program, in the control as in the model.
  EXPECT_EQ(ListView_GetNextItem(List(), -1, LVNI_SELECTED), ItemOf(self));
  EXPECT_EQ(form_->ProcessesPage().SelectedPid(), self);

  // Behind another page the list still follows; shown again it is drawn whole.
  form_->SelectPage(TMainForm::kApplicationsPage);
  RefreshNow();
  RefreshNow();
  values = memories();
  EXPECT_TRUE(std::is_sorted(values.rbegin(), values.rend()));
  EXPECT_EQ(ListView_GetItemCount(List()), static_cast<int>(form_->ProcList().Count()));
  form_->SelectPage(TMainForm::kProcessesPage);
  EXPECT_TRUE(IsWindowVisible(List()));
  EXPECT_TRUE(GetUpdateRect(List(), nullptr, FALSE));
  EXPECT_EQ(ListView_GetNextItem(List(), -1, LVNI_SELECTED), ItemOf(self));
}

TEST_F(ProcessesViewTest, EndingTheTreeEndsAProcessAndTheChildrenItStarted) {
  SystemChild shell(L"cmd.exe", L"/c ping -n 60 127.0.0.1 > nul", CREATE_NO_WINDOW, SW_SHOWDEFAULT);
  ASSERT_TRUE(shell.Started());
  DWORD ping = 0;
  const std::vector<DWORD> children = ChildrenOnceListed(shell.Pid(), ping);
  ASSERT_FALSE(children.empty()) << "cmd.exe started no ping.exe";
  UniqueHandle child(OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, ping));
  ASSERT_TRUE(child);

  ASSERT_GE(ItemOf(shell.Pid()), 0);
  SelectOnly(shell.Pid());
  WhenDialogAppears warning(L"泽恩特警告", [](HWND box) { Click(box, IDYES); });
  form_->ProcessesView().ExecuteCommand(procs::kCmdKillTree);
  EXPECT_TRUE(warning.Acted());
  EXPECT_EQ(WaitForSingleObject(child.Get(), 5000), static_cast<DWORD>(WAIT_OBJECT_0));
  EXPECT_EQ(WaitForSingleObject(shell.Process(), 5000), static_cast<DWORD>(WAIT_OBJECT_0));
  EXPECT_LT(ItemOf(shell.Pid()), 0);
  RefreshNow();
  EXPECT_LT(ItemOf(ping), 0);
  EXPECT_GE(ItemOf(GetCurrentProcessId()), 0) << "the tree's parent is left alone";
}

TEST_F(ProcessesViewTest, TheTreeShowsAChildUnderItsParentFoldsItAndKeepsItWhenTheParentEnds) {
  HMENU bar = form_->Menu().Bar();
  ASSERT_NE(GetMenuState(bar, kCmdTreeView, MF_BYCOMMAND), static_cast<UINT>(-1));
  EXPECT_EQ(GetMenuState(bar, kCmdTreeView, MF_BYCOMMAND) & MF_CHECKED, 0u);
  form_->SelectPage(TMainForm::kApplicationsPage);
  EXPECT_EQ(GetMenuState(bar, kCmdTreeView, MF_BYCOMMAND), static_cast<UINT>(-1));
  form_->SelectPage(TMainForm::kProcessesPage);

  SystemChild shell(L"cmd.exe", L"/c ping -n 60 127.0.0.1 > nul", CREATE_NO_WINDOW, SW_SHOWDEFAULT);
  ASSERT_TRUE(shell.Started());
  DWORD ping = 0;
  const std::vector<DWORD> children = ChildrenOnceListed(shell.Pid(), ping);
  ASSERT_FALSE(children.empty()) << "cmd.exe started no ping.exe";
  UniqueHandle child(OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, ping));
  ASSERT_TRUE(child);
  const auto indentOf = [&](DWORD pid) {
    LVITEMW item{};
    item.mask = LVIF_INDENT;
    item.iItem = ItemOf(pid);
    return ListView_GetItem(List(), &item) ? item.iIndent : -1;
  };

  Command(kCmdTreeView);
  EXPECT_NE(GetMenuState(bar, kCmdTreeView, MF_BYCOMMAND) & MF_CHECKED, 0u);
  ASSERT_GE(ItemOf(shell.Pid()), 0);
  EXPECT_EQ(indentOf(ping), indentOf(shell.Pid()) + 1);
  EXPECT_GT(ItemOf(ping), ItemOf(shell.Pid()));

  // A click on the parent's expander, as the list view reports it.
  RECT icon{};
  ASSERT_TRUE(ListView_GetItemRect(List(), ItemOf(shell.Pid()), &icon, LVIR_ICON));
  NMITEMACTIVATE click{};
  click.hdr.hwndFrom = List();
  click.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(List()));
  click.hdr.code = NM_CLICK;
  click.iItem = ItemOf(shell.Pid());
  click.ptAction = {(icon.left + icon.right) / 2, (icon.top + icon.bottom) / 2};
  SendMessageW(GetParent(List()), WM_NOTIFY, click.hdr.idFrom, reinterpret_cast<LPARAM>(&click));
  EXPECT_LT(ItemOf(ping), 0);
  const std::wstring caption = ListText(List(), ItemOf(shell.Pid()), 0);
  const std::wstring hidden = L" (+" + std::to_wstring(children.size()) + L")";
  EXPECT_EQ(caption.substr(caption.size() - hidden.size()), hidden) << caption;

  // Ending the parent alone leaves the child a root.
  SelectOnly(shell.Pid());
  WhenDialogAppears warning(L"泽恩特警告", [](HWND box) { Click(box, IDYES); });
  form_->ProcessesView().ExecuteCommand(procs::kCmdKillProcess);
  EXPECT_TRUE(warning.Acted());
  EXPECT_EQ(WaitForSingleObject(shell.Process(), 5000), static_cast<DWORD>(WAIT_OBJECT_0));
  RefreshNow();
  EXPECT_GE(ItemOf(ping), 0);
  EXPECT_EQ(indentOf(ping), 0);
  TerminateProcess(child.Get(), 0);
  WaitForSingleObject(child.Get(), 5000);
  Command(kCmdTreeView);
}

TEST_F(ProcessesViewTest, AffinityDialogShowsAndSetsTheProcessors) {
  DWORD_PTR before = 0, systemMask = 0;
  ASSERT_TRUE(GetProcessAffinityMask(GetCurrentProcess(), &before, &systemMask));
  if (form_->Run().CpuInstanceCount < 3) GTEST_SKIP() << "one processor: nothing to choose";
  SelectOnly(GetCurrentProcessId());
  bool shownAll = false, okRefusedWithNone = false;
  WhenDialogAppears dialog(L"处理器关系", [&](HWND box) {
    const UINT first = procs::AffinityDialog::kFirstBoxId;
    shownAll = Checked(box, first) && Checked(box, first + 1);
    Click(box, first);
    Click(box, first + 1);
    okRefusedWithNone = !IsWindowEnabled(GetDlgItem(box, IDOK));
    Click(box, first + 1);
    Click(box, IDOK);
  });
  form_->ProcessesView().ExecuteCommand(procs::kCmdAffinity);
  ASSERT_TRUE(dialog.Acted());
  EXPECT_EQ(shownAll, before == systemMask);
  EXPECT_TRUE(okRefusedWithNone);
  DWORD_PTR after = 0;
  ASSERT_TRUE(GetProcessAffinityMask(GetCurrentProcess(), &after, &systemMask));
  EXPECT_EQ(after, 2u);
  SetProcessAffinityMask(GetCurrentProcess(), before);
}

TEST_F(ProcessesViewTest, TheAllUsersBoxChangesTheFilterAtOnce) {
  HWND box = FindWindowExW(form_->PageWindow(TMainForm::kProcessesPage), nullptr, L"BUTTON",
                           L"显示所有用户的进程(&S)");
  ASSERT_NE(box, nullptr);
  EXPECT_FALSE(form_->ProcessesPage().ShowAllUsers());
  const int mine = ListView_GetItemCount(List());
  SendMessageW(box, BM_CLICK, 0, 0);
  EXPECT_TRUE(form_->ProcessesPage().ShowAllUsers());
  EXPECT_GE(ListView_GetItemCount(List()), mine);
  EXPECT_EQ(ListView_GetItemCount(List()), static_cast<int>(form_->ProcessTable().Used()));
  SendMessageW(box, BM_CLICK, 0, 0);
  EXPECT_FALSE(form_->ProcessesPage().ShowAllUsers());
  EXPECT_EQ(ListView_GetItemCount(List()), mine);
}

TEST_F(ProcessesViewTest, TheFilterBoxListsWhatMatchesAsYouTypeAndEscClearsIt) {
  HWND box = form_->ProcessesView().FilterBox();
  const int all = ListView_GetItemCount(List());
  SelectOnly(GetCurrentProcessId());
  SetWindowTextW(box, L"ZENTRIK_WIN");  // the box reports the change itself
  ASSERT_GE(ItemOf(GetCurrentProcessId()), 0);
  for (int i = 0; i < ListView_GetItemCount(List()); ++i)
    EXPECT_NE(ListText(List(), i, 0).find(L"zentrik_win"), std::wstring::npos);
  EXPECT_LT(ListView_GetItemCount(List()), all);
  RefreshNow();
  EXPECT_EQ(ListView_GetItemCount(List()), static_cast<int>(form_->ProcList().Count()));
  EXPECT_EQ(form_->ProcessesPage().SelectedPid(), GetCurrentProcessId());
  // Alt+L, as the message loop's dialog navigation handles it, reaches the box.
  SetFocus(List());
  MSG altL{List(), WM_SYSCHAR, L'l', static_cast<LPARAM>(1u << 29), 0, {}};
  EXPECT_TRUE(IsDialogMessageW(GetAncestor(List(), GA_ROOT), &altL));
  EXPECT_EQ(GetFocus(), box);
  SendMessageW(box, WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_EQ(GetWindowTextLengthW(box), 0);
  EXPECT_GE(ListView_GetItemCount(List()), all - 2);  // processes may come and go meanwhile
  EXPECT_TRUE(form_->ProcessesPage().FilterText().empty());
}

HWND TopWindowOf(DWORD pid) {
  struct Search {
    DWORD pid;
    HWND found;
  } search{pid, nullptr};
  EnumWindows(
      [](HWND window, LPARAM data) -> BOOL {
        auto& s = *reinterpret_cast<Search*>(data);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner != s.pid || GetWindow(window, GW_OWNER) != nullptr || !IsWindowVisible(window))
          return TRUE;
        s.found = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Wine writes no thread states into the process list: there the page's own
// memory of the suspension is all that shows it.
TEST_F(ProcessesViewTest, NotepadSuspendedFromTheMenuReadsSuspendedUntilResumedFromIt) {
  SystemChild notepad(L"notepad.exe", L"", 0, SW_SHOWNOACTIVATE);
  ASSERT_TRUE(notepad.Started());
  WaitForInputIdle(notepad.Process(), 5000);
  HWND window = nullptr;
  PumpUntil([&] { return (window = TopWindowOf(notepad.Pid())) != nullptr; }, 5000);
  ASSERT_NE(window, nullptr);
  const auto answers = [&] {
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 500, &ignored) != 0;
  };
  const auto stateOf = [&] {
    const procs::TprocTimeInfo* row = form_->ProcessTable().Find(notepad.Pid());
    return row ? row->StateText : std::wstring(L"<no row>");
  };
  // A thread's suspend count, as its previous count when suspended once more.
  const auto suspendCount = [&] {
    const DWORD previous = SuspendThread(notepad.Thread());
    ResumeThread(notepad.Thread());
    return previous;
  };
  RefreshNow();
  ASSERT_GE(ItemOf(notepad.Pid()), 0);
  EXPECT_EQ(stateOf(), L"正在运行");
  SelectOnly(notepad.Pid());
  EXPECT_TRUE(form_->ProcessesPage().CanSuspend());
  EXPECT_FALSE(form_->ProcessesPage().CanResume());

  form_->ProcessesView().ExecuteCommand(procs::kCmdSuspend);
  EXPECT_EQ(suspendCount(), 1u);
  EXPECT_FALSE(answers());
  RefreshNow();
  RefreshNow();
  EXPECT_EQ(stateOf(), L"已挂起");
  EXPECT_TRUE(form_->ProcessesPage().CanResume());
  EXPECT_FALSE(form_->ProcessesPage().CanSuspend());

  form_->ProcessesView().ExecuteCommand(procs::kCmdResume);
  EXPECT_EQ(suspendCount(), 0u);
  EXPECT_TRUE(answers());
  // The window's probe, left unanswered while it was suspended, is answered by now.
  EXPECT_TRUE(PumpUntil(
      [&] {
        RefreshNow();
        return stateOf() == L"正在运行";
      },
      5000))
      << "state " << testing::PrintToString(stateOf());
  EXPECT_TRUE(form_->ProcessesPage().CanSuspend());
  // The opens that suspended and resumed held the debug privilege only meanwhile.
  EXPECT_FALSE(PrivilegeEnabled(L"SeDebugPrivilege"));
  SelectOnly(GetCurrentProcessId());
  EXPECT_FALSE(form_->ProcessesPage().CanSuspend());
  EXPECT_FALSE(form_->ProcessesPage().CanResume());
}

TEST_F(ProcessesViewTest, NotepadShowsItsCommandLineDescriptionPlatformAndState) {
  SystemChild notepad(L"notepad.exe", L"", 0, SW_HIDE);
  ASSERT_TRUE(notepad.Started());
  WaitForInputIdle(notepad.Process(), 5000);
  form_->ProcessesPage().SetColumns({{procs::ColumnKind::kImageName, L"映像名称"},
                                     {procs::ColumnKind::kCommandLine, L"命令行"},
                                     {procs::ColumnKind::kDescription, L"描述"},
                                     {procs::ColumnKind::kCompany, L"公司"},
                                     {procs::ColumnKind::kPlatform, L"平台"},
                                     {procs::ColumnKind::kState, L"状态"}});
  RefreshNow();
  const int item = ItemOf(notepad.Pid());
  ASSERT_GE(item, 0);

  EXPECT_NE(ListText(List(), item, 1).find(L"notepad"), std::wstring::npos);
  // Wine's notepad.exe carries no version resource; Windows' does.
  if (!UnderWine()) {
    EXPECT_FALSE(ListText(List(), item, 2).empty());
  }
  EXPECT_EQ(ListText(List(), item, 4), L"64 位");
  EXPECT_EQ(ListText(List(), item, 5), L"正在运行");
}

TEST_F(ProcessesViewTest, DraggingTheCrosshairOntoNotepadSelectsNotepadWhateverHidIt) {
  SystemChild notepad(L"notepad.exe", L"", 0, SW_SHOWNOACTIVATE);
  ASSERT_TRUE(notepad.Started());
  WaitForInputIdle(notepad.Process(), 5000);
  HWND window = nullptr;
  PumpUntil([&] { return (window = TopWindowOf(notepad.Pid())) != nullptr; }, 5000);
  ASSERT_NE(window, nullptr);
  // Side by side: this window at the left, notepad at the right, in front.
  SetWindowPos(form_->Handle(), nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowPos(window, HWND_TOP, 560, 100, 400, 300, SWP_NOACTIVATE);
  SetForegroundWindow(form_->Handle());
  RefreshNow();
  ASSERT_GE(ItemOf(notepad.Pid()), 0);
  SetWindowTextW(form_->ProcessesView().FilterBox(), L"no such process");
  ASSERT_LT(ItemOf(notepad.Pid()), 0) << "the filter hides it";
  // At the window's smallest width the filter box still stands clear of the button.
  RECT filterBox{}, button{};
  GetWindowRect(form_->ProcessesView().FilterBox(), &filterBox);
  GetWindowRect(GetDlgItem(GetParent(List()), procs::kCmdKillProcess), &button);
  EXPECT_LT(filterBox.right, button.left);

  const procs::WindowFinder& finder = form_->ProcessesView().Finder();
  RECT box{};
  GetWindowRect(finder.Handle(), &box);
  const POINT start{(box.left + box.right) / 2, (box.top + box.bottom) / 2};
  const POINT over{760, 250};
  ASSERT_EQ(GetAncestor(WindowFromPoint(over), GA_ROOT), window);
  // The drag's messages go to the crosshair as the system would send them, with
  // the pointer resting over notepad: Wine does not move the cursor for input
  // made up while a window holds the capture, and a move it sends of its own
  // (when the outline appears) carries where the cursor really is.
  SetCursorPos(over.x, over.y);
  const auto mouse = [&](UINT message, POINT screen) {
    POINT client = screen;
    ScreenToClient(finder.Handle(), &client);
    SendMessageW(finder.Handle(), message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON,
                 MAKELPARAM(client.x, client.y));
    PumpUntil([] { return false; }, 50);
  };
  // Over this program's own window nothing is outlined; over notepad, notepad.
  mouse(WM_LBUTTONDOWN, start);
  ASSERT_TRUE(finder.Dragging());
  EXPECT_EQ(GetCapture(), finder.Handle());
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_CROSS));
  mouse(WM_MOUSEMOVE, {start.x, start.y - 100});
  EXPECT_EQ(finder.Outlined(), nullptr);
  EXPECT_FALSE(finder.OutlineShown());
  mouse(WM_MOUSEMOVE, over);
  EXPECT_EQ(finder.Outlined(), window);
  EXPECT_TRUE(finder.OutlineShown());
  mouse(WM_LBUTTONUP, over);
  EXPECT_FALSE(finder.Dragging());
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_FALSE(finder.OutlineShown()) << "the outline is gone with the drag";
  EXPECT_EQ(form_->ProcessesPage().SelectedPid(), notepad.Pid());
  const int item = ItemOf(notepad.Pid());
  ASSERT_GE(item, 0);
  EXPECT_EQ(ListText(List(), item, 0), L"notepad.exe");
  EXPECT_TRUE(ListView_GetItemState(List(), item, LVIS_SELECTED) != 0);
  EXPECT_EQ(testing_win32::TextOf(form_->ProcessesView().FilterBox()), L"");

  // Esc, another window taking the mouse, or a release over this program's own
  // window ends a drag with nothing found.
  SelectOnly(GetCurrentProcessId());
  mouse(WM_LBUTTONDOWN, start);
  mouse(WM_MOUSEMOVE, over);
  ASSERT_TRUE(finder.OutlineShown());
  SendMessageW(finder.Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_FALSE(finder.Dragging());
  EXPECT_FALSE(finder.OutlineShown());
  mouse(WM_LBUTTONDOWN, start);
  mouse(WM_MOUSEMOVE, over);
  ASSERT_TRUE(finder.OutlineShown());
  SetCapture(List());
  EXPECT_FALSE(finder.Dragging());
  EXPECT_FALSE(finder.OutlineShown());
  ReleaseCapture();
  mouse(WM_LBUTTONDOWN, start);
  mouse(WM_MOUSEMOVE, over);
  mouse(WM_LBUTTONUP, {start.x, start.y - 100});
  EXPECT_FALSE(finder.Dragging());
  EXPECT_EQ(form_->ProcessesPage().SelectedPid(), GetCurrentProcessId());
}

}  // namespace
}  // namespace app
