// The send-message dialog: its template written in memory (no resource file),
// and a dialog procedure that hands back what the user typed.
#include "users/send_message_dialog_win32.h"

#include <vector>

#include "platform/win32/program_font_win32.h"

namespace users {

namespace {

constexpr wchar_t kDefaultTitle[] = L"系统提示";
constexpr WORD kButtonClass = 0x0080, kEditClass = 0x0081, kStaticClass = 0x0082;

// Writes a DLGTEMPLATE and its items word by word; items start on DWORD bounds.
class TemplateWriter {
 public:
  void Header(DWORD style, WORD itemCount, short cx, short cy, const wchar_t* caption,
              WORD pointSize, const wchar_t* font) {
    Dword(style);
    Dword(0);
    words_.push_back(itemCount);
    Rect(0, 0, cx, cy);
    words_.push_back(0);  // no menu
    words_.push_back(0);  // the standard dialog class
    Text(caption);
    words_.push_back(pointSize);
    Text(font);
  }
  void Item(WORD classAtom, const wchar_t* text, DWORD style, short x, short y, short cx,
            short cy, WORD id) {
    if (words_.size() % 2 != 0) words_.push_back(0);
    Dword(WS_CHILD | WS_VISIBLE | style);
    Dword(0);
    Rect(x, y, cx, cy);
    words_.push_back(id);
    words_.push_back(0xFFFF);
    words_.push_back(classAtom);
    Text(text);
    words_.push_back(0);  // no creation data
  }
  const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

 private:
  void Dword(DWORD value) {
    words_.push_back(LOWORD(value));
    words_.push_back(HIWORD(value));
  }
  void Rect(short x, short y, short cx, short cy) {
    for (short v : {x, y, cx, cy}) words_.push_back(static_cast<WORD>(v));
  }
  void Text(const wchar_t* text) {
    for (; *text != L'\0'; ++text) words_.push_back(static_cast<WORD>(*text));
    words_.push_back(0);
  }
  std::vector<WORD> words_;  // the vector's storage is suitably aligned for the template
};

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
  TemplateWriter writer;
  const LOGFONTW font = platform::win32::ProgramLogFont();
  writer.Header(DS_SETFONT | DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU, 6,
                190, 110, kCaption, platform::win32::kProgramFontPoints, font.lfFaceName);
  writer.Item(kStaticClass, L"标题(&T):", SS_LEFT, 7, 9, 38, 8, 0xFFFF);
  writer.Item(kEditClass, L"", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 46, 7, 137, 13,
              kTitleEdit);
  writer.Item(kStaticClass, L"消息(&M):", SS_LEFT, 7, 27, 38, 8, 0xFFFF);
  writer.Item(kEditClass, L"",
              WS_BORDER | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN,
              46, 25, 137, 58, kTextEdit);
  writer.Item(kButtonClass, L"确定", WS_TABSTOP | BS_DEFPUSHBUTTON, 79, 90, 50, 14, IDOK);
  writer.Item(kButtonClass, L"取消", WS_TABSTOP | BS_PUSHBUTTON, 133, 90, 50, 14, IDCANCEL);
  const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(owner_, GWLP_HINSTANCE));
  const INT_PTR answer = DialogBoxIndirectParamW(instance, writer.Get(), owner_, DialogProc,
                                                 reinterpret_cast<LPARAM>(this));
  if (answer != IDOK) return std::nullopt;
  return result_;
}

INT_PTR CALLBACK SendMessageDialog::DialogProc(HWND dialog, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    reinterpret_cast<SendMessageDialog*>(lParam)->OnInit(dialog);
    return FALSE;  // the focus has been put on the message
  }
  auto* self = reinterpret_cast<SendMessageDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
  if (self == nullptr || message != WM_COMMAND) return FALSE;
  switch (LOWORD(wParam)) {
    case IDOK:
      if (self->OnOk(dialog)) EndDialog(dialog, IDOK);
      return TRUE;
    case IDCANCEL:
      EndDialog(dialog, IDCANCEL);
      return TRUE;
    default:
      return FALSE;
  }
}

void SendMessageDialog::OnInit(HWND dialog) {
  if (!userName_.empty()) {
    const std::wstring caption = std::wstring(kCaption) + L" - " + userName_;
    SetWindowTextW(dialog, caption.c_str());
  }
  SetDlgItemTextW(dialog, kTitleEdit, kDefaultTitle);
  SendDlgItemMessageW(dialog, kTitleEdit, EM_LIMITTEXT, 255, 0);
  SetFocus(GetDlgItem(dialog, kTextEdit));
}

bool SendMessageDialog::OnOk(HWND dialog) {
  HWND text = GetDlgItem(dialog, kTextEdit);
  if (GetWindowTextLengthW(text) == 0) {
    // Nothing to send yet: stay open with the cursor where the text goes.
    MessageBeep(MB_OK);
    SetFocus(text);
    return false;
  }
  result_.title = WindowText(GetDlgItem(dialog, kTitleEdit));
  result_.text = WindowText(text);
  return true;
}

}  // namespace users
