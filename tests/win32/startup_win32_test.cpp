// The 启动 page against Wine's real registry and shell: a value put into HKCU Run
// is listed, the button disables and enables it through StartupApproved\Run
// alone, and a shortcut in the user's Startup folder shows its target. Every
// value, key and file a test adds is taken away again.
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

#include "platform/fake/fake_system.h"
#include "platform/win32/com_apartment_win32.h"
#include "platform/win32/startup_api_win32.h"
#include "platform/win32/win32_system.h"
#include "startup/startup_view_win32.h"
#include "tests/win32/gui_helpers_win32.h"
#include "ui/page_win32.h"

namespace startup {
namespace {

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

// The real startup calls and version texts; the boxes, the shell and the
// messages go to the fake, so nothing waits for an answer.
class StartupWin32Test : public ::testing::Test {
 protected:
  void SetUp() override {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    host_ = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW, 0, 0, 640, 400, nullptr,
                            nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(host_, nullptr);
    page_ = std::make_unique<ui::PageWindow>(host_, GetModuleHandleW(nullptr));
    MoveWindow(page_->Handle(), 0, 0, 620, 360, FALSE);
    ShowWindow(host_, SW_SHOWNOACTIVATE);
    const std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    name_ = L"ZentrikTest" + std::wstring(test.begin(), test.end()) +
            std::to_wstring(GetCurrentProcessId());
  }
  void TearDown() override {
    view_.reset();
    page_.reset();
    DestroyWindow(host_);
    Pump();
  }
  // The page is made, then shown as the tab shows it.
  void ShowPage() {
    view_ = std::make_unique<StartupView>(page_->Handle(), nullptr, logic_, list_);
    ShowWindow(page_->Handle(), SW_SHOW);
    Pump();
  }
  int RowOf(const std::wstring& name) {
    for (int i = 0; i < ListView_GetItemCount(view_->lv_Startup()); ++i)
      if (ListText(view_->lv_Startup(), i, kColName) == name) return i;
    return -1;
  }
  void SelectRow(int row) {
    ListView_SetItemState(view_->lv_Startup(), row, LVIS_SELECTED | LVIS_FOCUSED,
                          LVIS_SELECTED | LVIS_FOCUSED);
    Pump();
  }
  void Click(HWND button) {
    SendMessageW(button, BM_CLICK, 0, 0);
    Pump();
  }

  platform::win32::ComApartment com_;
  platform::fake::FakeSystem fake_;
  Windows10StartupApi api_;
  platform::win32::Win32ProcessApi files_;
  platform::win32::Win32Clock clock_;
  StartupTable table_;
  ui::ListModel list_;
  bool closing_ = false;
  StartupCollector collector_{api_, files_, clock_, {fake_, 2137}, table_};
  StartupPage logic_{table_, collector_, list_, api_, fake_, fake_, fake_, closing_};
  HWND host_ = nullptr;
  std::unique_ptr<ui::PageWindow> page_;
  std::unique_ptr<StartupView> view_;
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
  const int row = RowOf(name_);
  ASSERT_GE(row, 0);
  HWND list = view_->lv_Startup();
  EXPECT_EQ(ListText(list, row, kColStatus), L"已启用");
  EXPECT_EQ(ListText(list, row, kColCommand), command);
  EXPECT_EQ(ListText(list, row, kColPlace), L"HKCU\\Run");
  HWND button = view_->btn_StartupState();
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
  EXPECT_TRUE(fake_.boxes.empty());
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
    EXPECT_EQ(ListText(view_->lv_Startup(), row, kColCommand), target);
    EXPECT_EQ(ListText(view_->lv_Startup(), row, kColPlace), L"启动文件夹 (当前用户)");
  }
}

TEST_F(StartupWin32Test, BeforeWindows8ThePageIsAListOnly) {
  // The version Wine reports decides, as the system's own helpers read it.
  EXPECT_EQ(api_.Win32StartupApi::KeepsApprovedValues(), IsWindows8OrGreater());
  api_.windows10 = false;
  ShowPage();
  EXPECT_FALSE(IsWindowVisible(view_->btn_StartupState()));
  HMENU menu = view_->PopupMenu();
  ASSERT_EQ(GetMenuItemCount(menu), 1);
  EXPECT_EQ(GetMenuItemID(menu, 0), static_cast<UINT>(kCmdStartupOpenLocation));
}

}  // namespace
}  // namespace startup
