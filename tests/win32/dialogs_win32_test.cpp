// The Create New Task dialog and the About box under Wine: their captions, sizes
// and controls, the "确定" rule as the user types, the hand-over to the shell,
// the modal loop that keeps the owner from input, and their opening from the menu;
// the program's font and its stand-in where "宋体" is missing; the frame at the
// dialog's DPI.
#include <windows.h>
#include <commctrl.h>
#include <dlgs.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "app/about_form_win32.h"
#include "app/main_window_win32.h"
#include "app/open_form_win32.h"
#include "platform/fake/fake_system.h"
#include "platform/win32/program_font_win32.h"
#include "platform/win32/win32_system.h"
#include "tests/win32/gui_helpers_win32.h"
#include "ui/dpi_win32.h"
#include "users/send_message_dialog_win32.h"

namespace app {
namespace {

using testing_win32::Pump;
using testing_win32::RunSoon;
using testing_win32::TextOf;

RECT PlaceInParent(HWND control) {
  RECT place{};
  GetWindowRect(control, &place);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&place), 2);
  return place;
}

// Types into the edit part of a combo box as the user would.
void Type(HWND combo, const std::wstring& text) {
  HWND edit = GetWindow(combo, GW_CHILD);
  for (const wchar_t c : text) SendMessageW(edit, WM_CHAR, c, 0);
}

void Click(HWND button) {
  SendMessageW(GetParent(button), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
               reinterpret_cast<LPARAM>(button));
}

// A static control of `form` showing `text`, if any.
HWND StaticWithText(HWND form, const std::wstring& text) {
  for (HWND child = GetWindow(form, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (TextOf(child) == text) return child;
  return nullptr;
}

class DialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    owner_ = CreateWindowExW(0, L"STATIC", L"owner", WS_OVERLAPPEDWINDOW, 100, 100, 400, 425,
                             nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    programFont_ = platform::win32::CreateProgramFont();
    font_ = programFont_.get();
  }
  void TearDown() override {
    DestroyWindow(owner_);
    Pump();
  }

  HWND owner_ = nullptr;
  platform::win32::UniqueFont programFont_;
  HFONT font_ = nullptr;
  platform::fake::FakeSystem shell_;
};

TEST_F(DialogTest, CreateNewTaskHasItsCaptionSizeAndControls) {
  TOpenForm form(shell_);
  ASSERT_TRUE(form.Create(owner_, font_));
  EXPECT_EQ(TextOf(form.Handle()), L"创建新任务");
  RECT client{};
  GetClientRect(form.Handle(), &client);
  EXPECT_EQ(client.right, 344);
  EXPECT_EQ(client.bottom, 139);
  EXPECT_EQ(PlaceInParent(form.cmb_TaskName()).left, 72);
  EXPECT_EQ(PlaceInParent(form.cmb_TaskName()).top, 59);
  const RECT ok = PlaceInParent(form.btn_Ok());
  EXPECT_EQ(ok.left, 80);
  EXPECT_EQ(ok.top, 105);
  EXPECT_EQ(ok.right - ok.left, 75);
  EXPECT_EQ(TextOf(form.btn_Ok()), L"确定");
  EXPECT_EQ(TextOf(form.btn_Cancel()), L"取消");
  EXPECT_EQ(TextOf(form.btn_Brow()), L"浏览(&B)...");
  EXPECT_NE(StaticWithText(form.Handle(), L"打开(&O):"), nullptr);
  EXPECT_EQ(TextOf(form.cmb_TaskName()), L"");
  EXPECT_FALSE(IsWindowEnabled(form.btn_Ok()));
  // Keyboard order: the name, then 确定 (once it can be pressed), 取消, 浏览.
  Type(form.cmb_TaskName(), L"x");
  HWND next = GetNextDlgTabItem(form.Handle(), form.cmb_TaskName(), FALSE);
  EXPECT_EQ(next, form.btn_Ok());
  next = GetNextDlgTabItem(form.Handle(), next, FALSE);
  EXPECT_EQ(next, form.btn_Cancel());
  EXPECT_EQ(GetNextDlgTabItem(form.Handle(), next, FALSE), form.btn_Brow());
}

TEST_F(DialogTest, OkFollowsTheTypedNameAndPassesItWithItsLeadingSpaces) {
  TOpenForm form(shell_);
  ASSERT_TRUE(form.Create(owner_, font_));
  Type(form.cmb_TaskName(), L"   ");
  EXPECT_FALSE(IsWindowEnabled(form.btn_Ok()));
  Type(form.cmb_TaskName(), L"notepad");
  EXPECT_TRUE(IsWindowEnabled(form.btn_Ok()));
  Click(form.btn_Ok());
  ASSERT_EQ(shell_.shellCalls.size(), 1u);
  EXPECT_EQ(shell_.shellCalls[0].verb, L"Open");
  EXPECT_EQ(shell_.shellCalls[0].file, L"   notepad");
  EXPECT_EQ(shell_.shellCalls[0].parameters, L"");
  EXPECT_EQ(form.Handle(), nullptr) << "OK closes the dialog";
}

TEST_F(DialogTest, ModalDialogKeepsTheOwnerFromInputAndIgnoresEnterAndEsc) {
  TOpenForm form(shell_);
  ASSERT_TRUE(form.Create(owner_, font_));
  bool ownerDisabled = false, openAfterKeys = false;
  RunSoon([&] {
    ownerDisabled = !IsWindowEnabled(owner_);
    HWND edit = GetWindow(form.cmb_TaskName(), GW_CHILD);
    for (WPARAM key : {VK_RETURN, VK_ESCAPE}) {
      PostMessageW(edit, WM_KEYDOWN, key, 0);
      PostMessageW(edit, WM_KEYUP, key, 0);
    }
    RunSoon([&] {
      openAfterKeys = form.Handle() != nullptr && IsWindowVisible(form.Handle());
      Click(form.btn_Cancel());
    });
  });
  form.ShowModal();
  EXPECT_TRUE(ownerDisabled);
  EXPECT_TRUE(openAfterKeys) << "Enter or Esc closed the dialog";
  EXPECT_TRUE(IsWindowEnabled(owner_));
  EXPECT_EQ(form.Handle(), nullptr);
  EXPECT_TRUE(shell_.shellCalls.empty()) << "取消 opens nothing";
}

TEST_F(DialogTest, CloseBoxEndsTheModalDialog) {
  TOpenForm form(shell_);
  ASSERT_TRUE(form.Create(owner_, font_));
  RunSoon([&] { PostMessageW(form.Handle(), WM_CLOSE, 0, 0); });
  form.ShowModal();
  EXPECT_EQ(form.Handle(), nullptr);
  EXPECT_TRUE(shell_.shellCalls.empty());
}

// The file browser's DLL is loaded at the first 浏览: the browser opens, and
// the file chosen in it becomes the name.
TEST_F(DialogTest, BrowseOpensTheFileBrowserAndTakesTheChosenFile) {
  TOpenForm form(shell_);
  ASSERT_TRUE(form.Create(owner_, font_));
  wchar_t system[MAX_PATH];
  GetSystemDirectoryW(system, MAX_PATH);
  const std::wstring chosen = std::wstring(system) + L"\\notepad.exe";
  // The browser: a dialog window of this thread, owned by the form.
  struct Search {
    HWND owner;
    HWND found;
  } browser{form.Handle(), nullptr};
  std::function<void()> choose = [&] {
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM search) {
          auto& wanted = *reinterpret_cast<Search*>(search);
          wchar_t kind[16] = {};
          GetClassNameW(window, kind, 16);
          if (std::wstring(kind) != L"#32770" || GetWindow(window, GW_OWNER) != wanted.owner)
            return TRUE;
          wanted.found = window;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&browser));
    if (browser.found == nullptr) return RunSoon(choose);  // not made yet
    SetDlgItemTextW(browser.found, cmb13, chosen.c_str());
    SetDlgItemTextW(browser.found, edt1, chosen.c_str());
    PostMessageW(browser.found, WM_COMMAND, IDOK, 0);
  };
  RunSoon(choose);
  Click(form.btn_Brow());
  ASSERT_NE(browser.found, nullptr);
  EXPECT_EQ(TextOf(form.cmb_TaskName()), chosen);
  EXPECT_TRUE(IsWindowEnabled(form.btn_Ok()));
}

TEST_F(DialogTest, AboutBoxShowsTheVersionAndClosesWithOk) {
  TAboutForm about;
  ASSERT_TRUE(about.Create(owner_, font_));
  EXPECT_EQ(TextOf(about.Handle()), L"关于");
  RECT client{};
  GetClientRect(about.Handle(), &client);
  EXPECT_EQ(client.right, 263);
  EXPECT_EQ(client.bottom, 228);
  HWND version = StaticWithText(about.Handle(), L"版本号：3.3");
  ASSERT_NE(version, nullptr);
  EXPECT_EQ(PlaceInParent(version).left, 162);
  EXPECT_EQ(TextOf(about.BitBtn1()), L"确定");
  RunSoon([&] { Click(about.BitBtn1()); });
  about.ShowModal();
  EXPECT_EQ(about.Handle(), nullptr);
}

TEST_F(DialogTest, AMissingFaceGivesWayToTheMessageFontAlsoInTheSendMessageDialog) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0));
  const std::wstring messageFace = metrics.lfMessageFont.lfFaceName;
  const LOGFONTW missing = platform::win32::ProgramLogFont(L"Zentrik Missing Face");
  EXPECT_EQ(std::wstring(missing.lfFaceName), messageFace);
  EXPECT_EQ(missing.lfHeight, -12);
  const LOGFONTW present = platform::win32::ProgramLogFont(messageFace.c_str());
  EXPECT_EQ(std::wstring(present.lfFaceName), messageFace) << "an installed face is kept";
  EXPECT_EQ(present.lfHeight, -12);

  std::wstring dialogFace = L"<not shown>";
  RunSoon([&] {
    HWND dialog = FindWindowW(nullptr, users::SendMessageDialog::kCaption);
    if (dialog == nullptr) return;
    LOGFONTW used{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0)), sizeof(used),
               &used);
    dialogFace = used.lfFaceName;
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  });
  users::SendMessageDialog(owner_).AskMessage(L"");
  EXPECT_EQ(dialogFace, platform::win32::ProgramLogFont().lfFaceName);
}

// A dialog on a screen denser than the system's is framed at its own DPI, or
// its thicker caption would push the bottom row of buttons out of the client area.
TEST(DialogFrame, FollowsTheDialogsDpiNotTheSystems) {
  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
  const auto frameTop = [style](int dpi) {
    RECT frame{0, 0, 100, 100};
    ui::AdjustFrameForDpi(frame, style, WS_EX_DLGMODALFRAME, dpi);
    return frame.top;
  };
  RECT plain{0, 0, 100, 100};
  AdjustWindowRectEx(&plain, style, FALSE, WS_EX_DLGMODALFRAME);
  const int systemDpi = ui::WindowDpi(nullptr);
  EXPECT_EQ(frameTop(systemDpi), plain.top) << "at the system's DPI, the system's frame";
  EXPECT_LT(frameTop(2 * systemDpi), plain.top) << "a taller caption";
}

// The answer as given; a box that could not be shown (its owner has gone) is
// no Yes. A box shown after all is answered Yes, so that the test fails rather than hang.
TEST_F(DialogTest, YesNoBoxGivesTheAnswerAndNoYesWhenItCannotBeShown) {
  const auto answerSoon = [](int button) {
    RunSoon([button] {
      if (HWND box = FindWindowW(L"#32770", L"泽恩特警告"))
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
    }, 300);
  };
  platform::win32::Win32Dialogs dialogs;
  dialogs.SetOwner(owner_);
  answerSoon(IDYES);
  EXPECT_EQ(dialogs.AskYesNo(L"泽恩特警告", L"?", platform::BoxIcon::kWarning),
            platform::BoxAnswer::kYes);
  answerSoon(IDNO);
  EXPECT_EQ(dialogs.AskYesNo(L"泽恩特警告", L"?", platform::BoxIcon::kWarning),
            platform::BoxAnswer::kNo);
  HWND gone = CreateWindowExW(0, L"STATIC", L"gone", 0, 0, 0, 10, 10, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
  DestroyWindow(gone);
  dialogs.SetOwner(gone);
  answerSoon(IDYES);
  EXPECT_EQ(dialogs.AskYesNo(L"泽恩特警告", L"?", platform::BoxIcon::kWarning),
            platform::BoxAnswer::kNotShown);
  Pump();
}

TEST(MainWindowDialogs, MenuOpensEachDialogOwnedByTheWindowAndEmptyEveryTime) {
  TMainForm form;
  ASSERT_TRUE(form.Create(GetModuleHandleW(nullptr), SW_SHOWNOACTIVATE));
  SendMessageW(form.Handle(), WM_COMMAND, kCmdPause, 0);
  // Opens a dialog from the menu; while it is shown, reads the name box (if it
  // has one), types into it and closes the dialog.
  const auto open = [&](UINT command, const wchar_t* caption) {
    std::wstring text = L"<not shown>";
    RunSoon([&] {
      HWND dialog = FindWindowW(L"#32770", caption);
      if (dialog == nullptr) return;
      text = L"<no name box>";
      EXPECT_EQ(GetWindow(dialog, GW_OWNER), form.Handle());
      EXPECT_FALSE(IsWindowEnabled(form.Handle()));
      if (HWND combo = FindWindowExW(dialog, nullptr, L"COMBOBOX", nullptr)) {
        text = TextOf(combo);
        Type(combo, L"typed");
      }
      PostMessageW(dialog, WM_CLOSE, 0, 0);
    });
    SendMessageW(form.Handle(), WM_COMMAND, command, 0);
    return text;
  };
  EXPECT_EQ(open(kCmdNewTask, L"创建新任务"), L"");
  EXPECT_EQ(open(kCmdNewTask, L"创建新任务"), L"") << "nothing typed is remembered";
  EXPECT_EQ(open(kCmdAbout, L"关于"), L"<no name box>");
  EXPECT_EQ(FindWindowW(L"#32770", nullptr), nullptr);
  EXPECT_TRUE(IsWindowEnabled(form.Handle()));
}

}  // namespace
}  // namespace app
