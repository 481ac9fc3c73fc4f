// The About box: its text, version, picture and "确定".
#include "app/about_form_win32.h"

#include "app/resource_ids.h"

namespace app {

namespace {

// Short lines: the label is 210 pixels wide. It is a little higher than the
// twelve-pixel font needs, for fonts whose lines are taller.
constexpr wchar_t kAboutText[] =
    L"本程序仅供学习和交流使用。\r\n"
    L"它列出本机的应用程序窗口、\r\n"
    L"进程、性能、网络和用户会话，\r\n"
    L"并能对它们进行常用的操作。\r\n"
    L"\r\n"
    L"如发现错误或有改进的建议，\r\n"
    L"欢迎报告给作者。";

#define ZENTRIK_QUOTED(x) #x
#define ZENTRIK_TEXT_OF(x) ZENTRIK_QUOTED(x)
constexpr wchar_t kVersionText[] = L"版本号：" ZENTRIK_TEXT_OF(ZENTRIK_VERSION);

}  // namespace

bool TAboutForm::Create(HWND owner, HFONT font) {
  if (!CreateForm(owner, L"关于", 263, 228, font)) return false;
  AddControl(L"STATIC", kAboutText, SS_LEFT | SS_NOPREFIX, 28, 27, 210, 110, 0);
  AddControl(L"STATIC", kVersionText, SS_LEFT, 162, 157, 80, 14, 0);
  AddIconPicture(23, 143, IDI_ZENTRIK);
  ok_ = AddControl(L"BUTTON", L"确定", WS_TABSTOP | BS_PUSHBUTTON, 154, 185, 75, 25, kOk);
  return true;
}

void TAboutForm::OnCommand(UINT id, UINT code, HWND) {
  if (id == kOk && code == BN_CLICKED) Close();  // BitBtn1Click
}

}  // namespace app
