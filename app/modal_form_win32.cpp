// The modal form's template, placement and message routing.
#include "app/modal_form_win32.h"

#include <algorithm>

namespace app {

namespace {
constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
}  // namespace

INT_PTR ModalForm::ShowModal(HWND owner, HFONT font, const std::wstring& caption,
                             int clientWidth, int clientHeight) {
  owner_ = owner;
  font_ = font;
  caption_ = caption;
  clientWidth_ = clientWidth;
  clientHeight_ = clientHeight;
  // No controls, no menu, default class, empty title: the zeros after the header
  // say so, however the header is padded.
  struct alignas(DWORD) EmptyTemplate {
    DLGTEMPLATE header;
    WORD trailer[4];
  } empty{};
  empty.header.style = kDialogStyle;
  const auto instance = reinterpret_cast<HINSTANCE>(
      owner != nullptr ? GetWindowLongPtrW(owner, GWLP_HINSTANCE) : 0);
  const INT_PTR result = DialogBoxIndirectParamW(instance, &empty.header, owner, DialogProc,
                                                 reinterpret_cast<LPARAM>(this));
  dialog_ = nullptr;
  return result;
}

HWND ModalForm::AddControl(const wchar_t* className, const std::wstring& text, DWORD style,
                           int x, int y, int width, int height, UINT id) {
  HWND control = CreateWindowExW(
      0, className, text.c_str(), WS_CHILD | WS_VISIBLE | style, x, y, width, height, dialog_,
      reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
      reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(dialog_, GWLP_HINSTANCE)), nullptr);
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  return control;
}

void ModalForm::Place() {
  RECT frame{0, 0, clientWidth_, clientHeight_};
  AdjustWindowRectEx(&frame, kDialogStyle, FALSE, WS_EX_DLGMODALFRAME);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  RECT around{};
  if (owner_ == nullptr || !GetWindowRect(owner_, &around))
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &around, 0);
  const int left = std::max(0, static_cast<int>((around.left + around.right - width) / 2));
  const int top = std::max(0, static_cast<int>((around.top + around.bottom - height) / 2));
  SetWindowPos(dialog_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CALLBACK ModalForm::DialogProc(HWND dialog, UINT message, WPARAM wParam,
                                       LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* form = reinterpret_cast<ModalForm*>(lParam);
    SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    form->dialog_ = dialog;
    SetWindowTextW(dialog, form->caption_.c_str());
    SendMessageW(dialog, WM_SETFONT, reinterpret_cast<WPARAM>(form->font_), FALSE);
    form->Place();
    form->FormCreate();
    return TRUE;  // the focus goes to the first control that takes it
  }
  auto* form = reinterpret_cast<ModalForm*>(GetWindowLongPtrW(dialog, DWLP_USER));
  if (form == nullptr) return FALSE;
  if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
    form->Clicked(LOWORD(wParam));
    return TRUE;
  }
  return FALSE;
}

}  // namespace app
