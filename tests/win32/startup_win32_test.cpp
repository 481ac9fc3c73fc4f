// The 启动 page in the real window against Wine's registry and shell: a value
// put into HKCU Run is listed, the button disables and enables it through
// StartupApproved\Run alone, and a shortcut in the user's Startup folder shows
// its target. Every value, key and file a test adds is taken away again.
#include <windows.h>
#include <commctrl.h>
#include <knownfolders.h>
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <gtest/gtest.h>
#include <versionhelpers.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/main_window_win32.h"
#include "platform/win32/com_apartment_win32.h"
#include "platform/win32/startup_api_win32.h"
#include "tests/win32/main_window_fixture_win32.h"

namespace startup {
namespace {

using app::TMainForm;
using testing_win32::ListText;
using testing_win32::Pump;
using testing_win32::TextOf;

constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kApprovedKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved";
constexpr wchar_t kApprovedRunKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";

std::vector<BYTE> ValueBytes(const wchar_t* key, const std::wstring& name, DWORD* type) {
  DWORD bytes = 0;
  if (RegGetValueW(HKEY_CURRENT_USER, key, name.c_str(), RRF_RT_ANY | RRF_NOEXPAND, type, nullptr,
                   &bytes) != ERROR_SUCCESS)
    return {};
  std::vector<BYTE> data(bytes);
  RegGetValueW(HKEY_CURRENT_USER, key, name.c_str(), RRF_RT_ANY | RRF_NOEXPAND, type,
               data.data(), &bytes);
  data.resize(bytes);
  return data;
}

bool KeyExists(const wchar_t* path) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

// Runs `undo` when it goes, so a failed assertion leaves nothing behind.
class Undo {
 public:
  explicit Undo(std::function<void()> undo) : undo_(std::move(undo)) {}
  ~Undo() { undo_(); }
  Undo(const Undo&) = delete;
  Undo& operator=(const Undo&) = delete;

 private:
  std::function<void()> undo_;
};

// Wine 8 stands for Windows 7, where the shell keeps no StartupApproved values
// and the page offers no commands; these flows are those of Windows 10.
class Windows10StartupApi : public platform::win32::Win32StartupApi {
 public:
  bool KeepsApprovedValues() override { return windows10; }
  bool windows10 = true;
};

// The real window with the real startup calls; each test adds its entry first,
// then shows the page, which reads it.
class StartupWin32Test : public testing_win32::MainWindowFixture {
 protected:
  void SetUp() override {
    const std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    name_ = L"ZentrikTest" + std::wstring(test.begin(), test.end()) +
            std::to_wstring(GetCurrentProcessId());
  }
  void ShowPage() {
    app::SystemActions actions;
    actions.startup = &api_;
    OpenWindow(std::make_unique<TMainForm>(actions));
    Command(app::kCmdPause);  // only the reads of the test
    TabCtrl_SetCurFocus(form_->Tabs(), TMainForm::kStartupPage);  // as a click on the tab
    Pump();
  }
  HWND List() { return form_->StartupView().lv_Startup(); }
  int RowOf(const std::wstring& name) {
    for (int i = 0; i < ListView_GetItemCount(List()); ++i)
      if (ListText(List(), i, kColName) == name) return i;
    return -1;
  }
  void SelectRow(int row) {
    ListView_SetItemState(List(), row, LVIS_SELECTED | LVIS_FOCUSED,
                          LVIS_SELECTED | LVIS_FOCUSED);
    Pump();
  }
  void Click(HWND button) {
    SendMessageW(button, BM_CLICK, 0, 0);
    Pump();
  }

  platform::win32::ComApartment com_;
  Windows10StartupApi api_;  // outlives the window
  std::wstring name_;
};

TEST_F(StartupWin32Test, RunValueIsDisabledAndEnabledThroughStartupApprovedAlone) {
  // Wine has no StartupApproved keys until the page writes one.
  const bool approvedWas = KeyExists(kApprovedKey), approvedRunWas = KeyExists(kApprovedRunKey);
  const Undo undo([this, approvedWas, approvedRunWas] {
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKey, name_.c_str());
    RegDeleteKeyValueW(HKEY_CURRENT_USER, kApprovedRunKey, name_.c_str());
    if (!approvedRunWas) RegDeleteKeyW(HKEY_CURRENT_USER, kApprovedRunKey);
    if (!approvedWas) RegDeleteKeyW(HKEY_CURRENT_USER, kApprovedKey);
  });
  const std::wstring command = L"C:\\windows\\system32\\notepad.exe /startup";
  ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, kRunKey, name_.c_str(), REG_SZ, command.c_str(),
                            static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t))),
            ERROR_SUCCESS);
  DWORD runType = 0;
  const std::vector<BYTE> runBefore = ValueBytes(kRunKey, name_, &runType);

  ShowPage();
  EXPECT_EQ(form_->ActivePage(), TMainForm::kStartupPage);
  const int row = RowOf(name_);
  ASSERT_GE(row, 0);
  HWND list = List();
  EXPECT_EQ(ListText(list, row, kColStatus), L"已启用");
  EXPECT_EQ(ListText(list, row, kColCommand), command);
  EXPECT_EQ(ListText(list, row, kColPlace), L"HKCU\\Run");
  HWND button = form_->StartupView().btn_StartupState();
  EXPECT_TRUE(IsWindowVisible(button));
  EXPECT_FALSE(IsWindowEnabled(button));

  SelectRow(row);
  EXPECT_EQ(TextOf(button), L"禁用(&A)");
  Click(button);
  DWORD type = 0;
  std::vector<BYTE> approved = ValueBytes(kApprovedRunKey, name_, &type);
  EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
  ASSERT_EQ(approved.size(), 12u);
  EXPECT_EQ(std::vector<BYTE>(approved.begin(), approved.begin() + 4),
            (std::vector<BYTE>{0x03, 0, 0, 0}));
  EXPECT_NE(std::vector<BYTE>(approved.begin() + 4, approved.end()), std::vector<BYTE>(8, 0));
  EXPECT_EQ(ListText(list, row, kColStatus), L"已禁用");
  EXPECT_EQ(TextOf(button), L"启用(&E)");

  Click(button);
  approved = ValueBytes(kApprovedRunKey, name_, &type);
  EXPECT_EQ(approved, (std::vector<BYTE>{0x02, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(ListText(list, row, kColStatus), L"已启用");
  EXPECT_EQ(TextOf(button), L"禁用(&A)");

  DWORD runTypeAfter = 0;
  EXPECT_EQ(ValueBytes(kRunKey, name_, &runTypeAfter), runBefore);
  EXPECT_EQ(runTypeAfter, runType);
}

TEST_F(StartupWin32Test, ShortcutInTheUserStartupFolderShowsItsTarget) {
  wchar_t* rawFolder = nullptr;
  ASSERT_TRUE(SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Startup, KF_FLAG_CREATE, nullptr,
                                             &rawFolder)));
  const std::wstring folder = rawFolder;
  CoTaskMemFree(rawFolder);
  wchar_t system[MAX_PATH];
  GetSystemDirectoryW(system, MAX_PATH);
  const std::wstring target = std::wstring(system) + L"\\notepad.exe";
  const std::wstring shortcut = folder + L"\\" + name_ + L".lnk";
  const Undo undo([&shortcut] { DeleteFileW(shortcut.c_str()); });

  IShellLinkW* link = nullptr;
  ASSERT_TRUE(SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                         IID_IShellLinkW, reinterpret_cast<void**>(&link))));
  link->SetPath(target.c_str());
  IPersistFile* file = nullptr;
  link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
  ASSERT_NE(file, nullptr);
  const HRESULT saved = file->Save(shortcut.c_str(), TRUE);
  file->Release();
  link->Release();
  ASSERT_TRUE(SUCCEEDED(saved));

  ShowPage();
  const int row = RowOf(name_);
  EXPECT_GE(row, 0);
  if (row >= 0) {
    EXPECT_EQ(ListText(List(), row, kColCommand), target);
    EXPECT_EQ(ListText(List(), row, kColPlace), L"启动文件夹 (当前用户)");
  }
}

TEST_F(StartupWin32Test, BeforeWindows8ThePageIsAListOnly) {
  // The version Wine reports decides, as the system's own helpers read it.
  EXPECT_EQ(api_.Win32StartupApi::KeepsApprovedValues(), IsWindows8OrGreater());
  api_.windows10 = false;
  ShowPage();
  EXPECT_FALSE(IsWindowVisible(form_->StartupView().btn_StartupState()));
  HMENU menu = form_->StartupView().PopupMenu();
  ASSERT_EQ(GetMenuItemCount(menu), 1);
  EXPECT_EQ(GetMenuItemID(menu, 0), static_cast<UINT>(kCmdStartupOpenLocation));
}

}  // namespace
}  // namespace startup
