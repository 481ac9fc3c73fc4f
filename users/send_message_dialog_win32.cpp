// The send-message dialog: its template, and what "确定" takes from it.
#include "users/send_message_dialog_win32.h"

#include "platform/win32/program_font_win32.h"

namespace users {

namespace {

constexpr wchar_t kDefaultTitle[] = L"系统提示";
constexpr WORD kButtonClass = ui::DialogTemplate::kButtonClass;
constexpr WORD kEditClass = ui::DialogTemplate::kEditClass;
constexpr WORD kStaticClass = ui::DialogTemplate::kStaticClass;

std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(),
                                                      static_cast<int>(text.size()))));
  return text;
}

}  // namespace

std::optional<OutgoingMessage> SendMessageDialog::AskMessage(const std::wstring& userName) {
  userName_ = userName;
  result_ = {};
  const LOGFONTW font = platform::win32::ProgramLogFont();
  ui::DialogTemplate layout(DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU, 190,
                            110, kCaption, platform::win32::kProgramFontPoints, font.lfFaceName);
  layout.Item(kStaticClass, L"标题(&T):", SS_LEFT, 7, 9, 38, 8, 0xFFFF);
  layout.Item(kEditClass, L"", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 46, 7, 137, 13,
              kTitleEdit);
  layout.Item(kStaticClass, L"消息(&M):", SS_LEFT, 7, 27, 38, 8, 0xFFFF);
  layout.Item(kEditClass, L"",
              WS_BORDER | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN,
              46, 25, 137, 58, kTextEdit);
  layout.Item(kButtonClass, L"确定", WS_TABSTOP | BS_DEFPUSHBUTTON, 79, 90, 50, 14, IDOK);
  layout.Item(kButtonClass, L"取消", WS_TABSTOP | BS_PUSHBUTTON, 133, 90, 50, 14, IDCANCEL);
  if (!CreateForm(owner_, layout) || ShowModal() != IDOK) return std::nullopt;
  return result_;
}

void SendMessageDialog::FormCreate() {
  HWND dialog = Handle();
  if (!userName_.empty()) {
    const std::wstring caption = std::wstring(kCaption) + L" - " + userName_;
    SetWindowTextW(dialog, caption.c_str());
  }
  SetDlgItemTextW(dialog, kTitleEdit, kDefaultTitle);
  SendDlgItemMessageW(dialog, kTitleEdit, EM_LIMITTEXT, 255, 0);
  SetFocus(GetDlgItem(dialog, kTextEdit));
}

void SendMessageDialog::Clicked(UINT id) {
  if (id == IDOK) {
    if (TakeMessage()) Close(IDOK);
  } else if (id == IDCANCEL) {
    Close(IDCANCEL);
  }
}

bool SendMessageDialog::TakeMessage() {
  HWND text = GetDlgItem(Handle(), kTextEdit);
  if (GetWindowTextLengthW(text) == 0) {
    // Nothing to send yet: stay open with the cursor where the text goes.
    MessageBeep(MB_OK);
    SetFocus(text);
    return false;
  }
  result_.title = WindowText(GetDlgItem(Handle(), kTitleEdit));
  result_.text = WindowText(text);
  return true;
}

}  // namespace users
