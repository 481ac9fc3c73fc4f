// The Users page and the shut-down menu in the real window under Wine. The
// machine is never acted on: the window is given the fake system for sessions,
// power and exit, except where a test only reads the real (empty) enumeration.
// Message boxes and the send-message dialog are answered from a helper thread.
#include "app/main_window_win32.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <atomic>
#include <cwctype>
#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "platform/fake/fake_system.h"
#include "platform/win32/system_error_win32.h"
#include "tests/win32/main_window_fixture_win32.h"
#include "users/send_message_dialog_win32.h"

namespace users {
namespace {

using app::TMainForm;
using testing_win32::ListText;
using testing_win32::Pump;
using testing_win32::TextOf;

// The longest static text of a dialog: a message box's question.
std::wstring DialogQuestion(HWND dialog) {
  std::wstring longest;
  EnumChildWindows(
      dialog,
      [](HWND child, LPARAM out) -> BOOL {
        wchar_t className[32] = {};
        GetClassNameW(child, className, 32);
        const std::wstring text = TextOf(child);
        auto& best = *reinterpret_cast<std::wstring*>(out);
        if (_wcsicmp(className, L"Static") == 0 && text.size() > best.size()) best = text;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&longest));
  return longest;
}

// Waits on its own thread for a dialog of this caption to appear, then hands it
// to `act`, which answers it. The test's thread meanwhile runs the modal loop.
class DialogDriver {
 public:
  DialogDriver(std::wstring caption, std::function<void(HWND)> act)
      : thread_([this, caption = std::move(caption), act = std::move(act)] {
          const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
          while (std::chrono::steady_clock::now() < end) {
            if (HWND dialog = FindWindowW(L"#32770", caption.c_str())) {
              act(dialog);
              found_ = true;
              return;
            }
            Sleep(20);
          }
        }) {}
  ~DialogDriver() { Join(); }
  bool Join() {
    if (thread_.joinable()) thread_.join();
    return found_;
  }

 private:
  std::atomic<bool> found_ = false;
  std::thread thread_;
};

// Answers the next "系统提示" box with `button`, keeping its question.
struct BoxAnswer {
  explicit BoxAnswer(int button)
      : driver(L"系统提示", [this, button](HWND box) {
          question = DialogQuestion(box);
          PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                       reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
        }) {}
  std::wstring question;
  DialogDriver driver;
};

class UsersWin32Test : public testing_win32::MainWindowFixture {
 protected:
  void SetUp() override {}  // each test opens the window with the system it wants
  void Open(app::SystemActions actions) {
    OpenWindow(std::make_unique<TMainForm>(actions));
    Command(app::kCmdPause);  // only the refreshes of the test
    form_->SelectPage(TMainForm::kUsersPage);
  }
  void OpenWithFake() { Open({&system_, &system_}); }
  void Click(HWND button) {
    SendMessageW(button, BM_CLICK, 0, 0);
    Pump();
  }
  void SelectRow(int row) {
    HWND list = form_->UsersView().lv_Users();
    ListView_SetItemState(list, -1, 0, LVIS_SELECTED);
    if (row >= 0) ListView_SetItemState(list, row, LVIS_SELECTED | LVIS_FOCUSED,
                                        LVIS_SELECTED | LVIS_FOCUSED);
    Pump();
  }

  platform::fake::FakeSystem system_;
};

TEST_F(UsersWin32Test, PageHasItsListAndButtonsAndTheEmptyEnumerationGivesAnEmptyList) {
  Open({});  // the real sessions: Wine enumerates none
  UsersView& view = form_->UsersView();
  EXPECT_TRUE(IsWindowVisible(view.lv_Users()));
  EXPECT_FALSE(IsWindowVisible(form_->PageWindow(TMainForm::kProcessesPage)));

  HWND header = ListView_GetHeader(view.lv_Users());
  ASSERT_EQ(Header_GetItemCount(header), 4);
  const std::vector<std::pair<std::wstring, int>> columns = {
      {L"用户", LVCFMT_LEFT}, {L"标识", LVCFMT_CENTER}, {L"状态", LVCFMT_CENTER},
      {L"会话", LVCFMT_CENTER}};
  for (int c = 0; c < 4; ++c) {
    wchar_t text[32] = {};
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH;
    column.pszText = text;
    column.cchTextMax = 32;
    ASSERT_TRUE(ListView_GetColumn(view.lv_Users(), c, &column));
    EXPECT_EQ(std::wstring(text), columns[c].first);
    EXPECT_EQ(column.fmt & LVCFMT_JUSTIFYMASK, columns[c].second) << c;
  }
  EXPECT_EQ(ListView_GetColumnWidth(view.lv_Users(), 0), 100);
  EXPECT_EQ(ListView_GetColumnWidth(view.lv_Users(), 1), 75);
  EXPECT_EQ(ListView_GetColumnWidth(view.lv_Users(), 2), 80);
  EXPECT_GT(ListView_GetColumnWidth(view.lv_Users(), 3), 0);

  EXPECT_EQ(TextOf(view.btn_LockStation()), L"断开(&D)");
  EXPECT_EQ(TextOf(view.btn_Logoff()), L"注销(&L)");
  EXPECT_EQ(TextOf(view.btn_SendMsg()), L"发送消息(&S)...");
  RECT lock{}, logoff{}, send{}, list{};
  GetWindowRect(view.btn_LockStation(), &lock);
  GetWindowRect(view.btn_Logoff(), &logoff);
  GetWindowRect(view.btn_SendMsg(), &send);
  GetWindowRect(view.lv_Users(), &list);
  EXPECT_LT(lock.right, logoff.left);
  EXPECT_LT(logoff.right, send.left);
  EXPECT_EQ(send.right, list.right);  // anchored to the right edge
  EXPECT_GT(send.top, list.bottom);
  for (HWND button : {view.btn_LockStation(), view.btn_Logoff(), view.btn_SendMsg()})
    EXPECT_TRUE(IsWindowEnabled(button));

  RefreshNow();
  RefreshNow();
  EXPECT_EQ(ListView_GetItemCount(view.lv_Users()), 0);
  EXPECT_EQ(form_->UserList().Count(), 0u);
}

TEST_F(UsersWin32Test, ShutdownMenuItemsAskAndNoDoesNothing) {
  OpenWithFake();
  HMENU bar = GetMenu(form_->Handle());
  const std::vector<std::wstring> captions = {L"待机(&B)", L"休眠(&H)", L"关闭(&U)",
                                              L"重新启动(&R)", L"注销", L"切换用户(&L)"};
  const std::vector<std::wstring> questions = {L"你确定要待机吗？", L"你确定要休眠吗？",
                                               L"你确定要关机吗？", L"你确定要重启吗？",
                                               L"你确定要注销吗？", L"你确定要切换用户吗？"};
  for (UINT tag = 0; tag < 6; ++tag) {
    wchar_t text[64] = {};
    GetMenuStringW(bar, app::kCmdShutdownFirst + tag, text, 64, MF_BYCOMMAND);
    EXPECT_EQ(std::wstring(text), captions[tag]);
    BoxAnswer no(IDNO);
    Command(app::kCmdShutdownFirst + tag);
    ASSERT_TRUE(no.driver.Join()) << "no box for tag " << tag;
    EXPECT_EQ(no.question, questions[tag]);
  }
  EXPECT_TRUE(system_.systemActions.empty());
  EXPECT_TRUE(IsWindow(form_->Handle()));

  // Yes reaches the fake, and only the fake.
  BoxAnswer yes(IDYES);
  Command(app::kCmdShutdownFirst + 2);
  ASSERT_TRUE(yes.driver.Join());
  EXPECT_EQ(system_.systemActions, std::vector<std::wstring>{L"exit 1 2147483648"});
}

TEST_F(UsersWin32Test, RefusedShutdownItemShowsTheSystemsWordsInABoxOfItsOwn) {
  OpenWithFake();
  system_.systemActionsSucceed = false;
  system_.refusalText = platform::win32::SystemErrorText(ERROR_PRIVILEGE_NOT_HELD);
  std::wstring shown;
  DialogDriver driver(L"系统提示", [&shown, this](HWND question) {
    PostMessageW(question, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED), 0);
    for (int wait = 0; wait < 250 && shown.empty(); ++wait, Sleep(20)) {
      HWND box = FindWindowW(L"#32770", L"系统提示");
      if (box == nullptr || DialogQuestion(box) != system_.refusalText) continue;
      shown = DialogQuestion(box);
      PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    }
  });
  Command(app::kCmdShutdownFirst + 1);  // hibernate
  ASSERT_TRUE(driver.Join());
  EXPECT_EQ(system_.systemActions.back(), L"hibernate");
  EXPECT_EQ(shown, system_.refusalText);
}

TEST(SystemErrorTextTest, SystemsWordsWithoutTheLineBreakOrTheCodeWhenItHasNone) {
  SetLastError(ERROR_ACCESS_DENIED);
  const platform::ActionResult refused = platform::win32::ResultOfCall(FALSE);
  EXPECT_FALSE(refused.done);
  EXPECT_FALSE(refused.errorText.empty());
  EXPECT_FALSE(iswspace(refused.errorText.back()));
  EXPECT_EQ(refused.errorText, platform::win32::SystemErrorText(ERROR_ACCESS_DENIED));
  EXPECT_NE(platform::win32::SystemErrorText(0x2000FFFF).find(L"536936447"), std::wstring::npos);
  SetLastError(ERROR_SUCCESS);  // never "completed successfully" for a failure
  EXPECT_NE(platform::win32::ResultOfCall(FALSE).errorText,
            platform::win32::SystemErrorText(ERROR_SUCCESS));
}

TEST_F(UsersWin32Test, SessionsFillTheListAndTheButtonsFollowTheSelection) {
  system_.sessions = {{0, L"Console", platform::kSessionActive, L"alice", 0},
                      {2, L"RDP-Tcp#3", platform::kSessionDisconnected, L"bob", 0},
                      {65536, L"RDP-Tcp", platform::kSessionListen, L"", 0}};
  OpenWithFake();
  RefreshNow();
  UsersView& view = form_->UsersView();
  HWND list = view.lv_Users();
  ASSERT_EQ(ListView_GetItemCount(list), 2);
  EXPECT_EQ(ListText(list, 0, 0), L"alice");
  EXPECT_EQ(ListText(list, 0, 3), L"Console");
  EXPECT_EQ(ListText(list, 1, 0), L"bob");
  EXPECT_EQ(ListText(list, 1, 1), L"2");
  EXPECT_EQ(ListText(list, 1, 2), L"Disconnesso");
  EXPECT_EQ(ListText(list, 1, 3), L"RDP-Tcp#3");

  SelectRow(0);
  EXPECT_TRUE(IsWindowEnabled(view.btn_Logoff()));
  EXPECT_TRUE(IsWindowEnabled(view.btn_LockStation()));
  EXPECT_TRUE(IsWindowEnabled(view.btn_SendMsg()));
  SelectRow(1);
  EXPECT_TRUE(IsWindowEnabled(view.btn_Logoff()));
  EXPECT_FALSE(IsWindowEnabled(view.btn_LockStation()));
  EXPECT_TRUE(IsWindowEnabled(view.btn_SendMsg()));
  SelectRow(-1);
  EXPECT_FALSE(IsWindowEnabled(view.btn_Logoff()));
  EXPECT_FALSE(IsWindowEnabled(view.btn_LockStation()));
  EXPECT_FALSE(IsWindowEnabled(view.btn_SendMsg()));

  // Bob's session ends: its item goes at the next refresh.
  system_.sessions.erase(system_.sessions.begin() + 1);
  RefreshNow();
  ASSERT_EQ(ListView_GetItemCount(list), 1);
  EXPECT_EQ(ListText(list, 0, 0), L"alice");
}

TEST_F(UsersWin32Test, LogoffButtonLogsTheSessionOffAndRestartsTheTimer) {
  system_.sessions = {{0, L"Console", platform::kSessionActive, L"alice", 0},
                      {2, L"RDP-Tcp#3", platform::kSessionActive, L"bob", 0}};
  OpenWithFake();
  RefreshNow();
  SelectRow(1);
  ASSERT_FALSE(form_->Cycle().TimerEnabled());
  BoxAnswer yes(IDYES);
  const auto start = std::chrono::steady_clock::now();
  Click(form_->UsersView().btn_Logoff());
  const auto waited = std::chrono::steady_clock::now() - start;
  ASSERT_TRUE(yes.driver.Join());
  EXPECT_EQ(yes.question, L"你确定要注销所选用户吗？");
  EXPECT_EQ(system_.systemActions, std::vector<std::wstring>{L"logoff 2"});
  EXPECT_GE(waited, std::chrono::milliseconds(1900));
  EXPECT_TRUE(form_->Cycle().TimerEnabled());

  // "断开" locks, whichever row is selected.
  BoxAnswer lock(IDYES);
  EnableWindow(form_->UsersView().btn_LockStation(), TRUE);
  Click(form_->UsersView().btn_LockStation());
  ASSERT_TRUE(lock.driver.Join());
  EXPECT_EQ(lock.question, L"你确定要断开所选用户吗？");
  EXPECT_EQ(system_.systemActions.back(), L"lock");
}

TEST_F(UsersWin32Test, SendMessageDialogSendsWhatWasTypedToTheSelectedSession) {
  system_.sessions = {{2, L"RDP-Tcp#3", platform::kSessionActive, L"bob", 0}};
  OpenWithFake();
  RefreshNow();
  SelectRow(0);

  DialogDriver cancel(L"发送消息 - bob", [](HWND dialog) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  });
  Click(form_->UsersView().btn_SendMsg());
  ASSERT_TRUE(cancel.Join());
  EXPECT_TRUE(system_.sentMessages.empty());

  std::wstring title;
  DialogDriver send(L"发送消息 - bob", [&title](HWND dialog) {
    title = TextOf(GetDlgItem(dialog, SendMessageDialog::kTitleEdit));
    SetWindowTextW(GetDlgItem(dialog, SendMessageDialog::kTextEdit), L"五分钟后重启");
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  });
  Click(form_->UsersView().btn_SendMsg());
  ASSERT_TRUE(send.Join());
  EXPECT_EQ(title, L"系统提示");
  ASSERT_EQ(system_.sentMessages.size(), 1u);
  EXPECT_EQ(system_.sentMessages[0].sessionId, 2u);
  EXPECT_EQ(system_.sentMessages[0].title, L"系统提示");
  EXPECT_EQ(system_.sentMessages[0].text, L"五分钟后重启");
}

}  // namespace
}  // namespace users
