// The Create New Task dialog: its controls in their places and tab order, the
// "确定" rule, the file browser and the hand-over to the shell.
#include "app/open_form_win32.h"

#include <commdlg.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/new_task.h"
#include "app/resource_ids.h"
#include "platform/win32/system_library_win32.h"

namespace app {

namespace {

std::wstring TextOf(HWND control) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
  const int length = GetWindowTextW(control, text.data(), static_cast<int>(text.size()));
  text.resize(static_cast<std::size_t>(std::max(0, length)));
  return text;
}

using GetOpenFileNameFn = BOOL(WINAPI*)(LPOPENFILENAMEW);

// The file browser's DLL is loaded at the first 浏览, and stays: it brings the
// printing support along, which costs memory in every run that never browses.
GetOpenFileNameFn OpenFileBrowser() {
  static const platform::win32::UniqueLibrary dialogs =
      platform::win32::LoadSystemLibrary(L"comdlg32.dll");
  static const auto getOpenFileName =
      dialogs == nullptr ? nullptr
                         : reinterpret_cast<GetOpenFileNameFn>(reinterpret_cast<void*>(
                               GetProcAddress(dialogs.get(), "GetOpenFileNameW")));
  return getOpenFileName;
}

}  // namespace

bool TOpenForm::Create(HWND owner, HFONT font) {
  if (!CreateForm(owner, L"创建新任务", 344, 139, font)) return false;
  AddIconPicture(16, 16, IDI_ZENTRIK);
  AddControl(L"STATIC", L"Zentrik  将根据您所输入的名称，为你打开相应的\r\n"
                        L"程序、文件夹、文档或  Internet  资源。",
             SS_LEFT, 62, 16, 270, 30, 0);  // two lines, with room for taller fonts
  // The label comes just before the box, so that its & letter moves there.
  AddControl(L"STATIC", L"打开(&O):", SS_LEFT, 16, 64, 52, 14, 0);
  taskName_ = AddControl(L"COMBOBOX", L"",
                         WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, 72, 59, 259,
                         160, kTaskName);
  ok_ = AddControl(L"BUTTON", L"确定", WS_TABSTOP | BS_PUSHBUTTON, 80, 105, 75, 25, kOk);
  cancel_ = AddControl(L"BUTTON", L"取消", WS_TABSTOP | BS_PUSHBUTTON, 169, 105, 75, 25, kCancel);
  browse_ = AddControl(L"BUTTON", L"浏览(&B)...", WS_TABSTOP | BS_PUSHBUTTON, 259, 105, 75, 25,
                       kBrowse);
  EnableWindow(ok_, FALSE);
  return true;
}

void TOpenForm::OnCommand(UINT id, UINT code, HWND) {
  switch (id) {
    case kTaskName:
      if (code == CBN_EDITCHANGE) cmb_TaskNameChange();
      break;
    case kOk:
      if (code == BN_CLICKED) btn_OkClick();
      break;
    case kCancel:
      if (code == BN_CLICKED) Close();
      break;
    case kBrowse:
      if (code == BN_CLICKED) btn_BrowClick();
      break;
    default:
      break;
  }
}

void TOpenForm::cmb_TaskNameChange() {
  EnableWindow(ok_, TaskNameAcceptable(TextOf(taskName_)));
}

void TOpenForm::btn_BrowClick() {
  const GetOpenFileNameFn getOpenFileName = OpenFileBrowser();
  if (getOpenFileName == nullptr) {
    MessageBeep(MB_ICONERROR);  // no file browser on this system: the name is typed
    return;
  }
  std::vector<wchar_t> path(32768, L'\0');
  OPENFILENAMEW open{};
  open.lStructSize = sizeof(open);
  open.hwndOwner = Handle();
  open.lpstrFile = path.data();
  open.nMaxFile = static_cast<DWORD>(path.size());
  open.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING;
  if (!getOpenFileName(&open)) return;  // cancelled: nothing changes
  SetWindowTextW(taskName_, path.data());
  EnableWindow(ok_, TRUE);
}

void TOpenForm::btn_OkClick() {
  // The text goes as typed, leading spaces and all.
  RunNewTask(shell_, TextOf(taskName_));
  Close();
}

}  // namespace app
