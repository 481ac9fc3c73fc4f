// The modal form: its making from a template, placement on the owner's screen,
// the modal loop, the message routing and the stretched icon picture.
#include "ui/modal_form_win32.h"

#include <algorithm>

#include "ui/dpi_win32.h"

namespace ui {

namespace {

constexpr DWORD kPixelFormStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
constexpr UINT kPictureId = 0xFF00;

}  // namespace

ModalForm::~ModalForm() {
  if (window_ != nullptr) DestroyWindow(window_);
}

bool ModalForm::CreateForm(HWND owner, const wchar_t* caption, int clientWidth,
                           int clientHeight, HFONT font) {
  font_ = font;
  clientWidth_ = clientWidth;
  clientHeight_ = clientHeight;
  return Make(owner, DialogTemplate(kPixelFormStyle, 0, 0, caption));
}

bool ModalForm::CreateForm(HWND owner, const DialogTemplate& layout) {
  font_ = nullptr;
  clientWidth_ = clientHeight_ = 0;
  return Make(owner, layout);
}

bool ModalForm::Make(HWND owner, const DialogTemplate& layout) {
  if (window_ != nullptr) DestroyWindow(window_);
  owner_ = owner;
  // A form opens beside its owner, so it is laid out at the owner's DPI.
  dpi_ = WindowDpi(owner);
  result_ = IDCANCEL;
  closed_ = false;
  CreateDialogIndirectParamW(GetModuleHandleW(nullptr), layout.Get(), owner, DialogProc,
                             reinterpret_cast<LPARAM>(this));
  return window_ != nullptr;
}

INT_PTR ModalForm::ShowModal(HWND owner, HFONT font, const std::wstring& caption,
                             int clientWidth, int clientHeight) {
  if (!CreateForm(owner, caption.c_str(), clientWidth, clientHeight, font)) return IDCANCEL;
  return ShowModal();
}

HWND ModalForm::AddControl(const wchar_t* className, const std::wstring& text, DWORD style,
                           int x, int y, int width, int height, UINT id) {
  HWND control = CreateWindowExW(0, className, text.c_str(), WS_CHILD | WS_VISIBLE | style,
                                 Scale(x, dpi_), Scale(y, dpi_), ScaleSize(width, dpi_),
                                 ScaleSize(height, dpi_), window_,
                                 reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                                 GetModuleHandleW(nullptr), nullptr);
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  return control;
}

HWND ModalForm::AddIconPicture(int x, int y, int iconId) {
  if (picture_ == nullptr) {
    icon_.reset(static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr),
                                              MAKEINTRESOURCEW(iconId), IMAGE_ICON, 16, 16,
                                              LR_DEFAULTCOLOR)));
    picture_ = icon_ ? icon_.get() : LoadIconW(nullptr, IDI_APPLICATION);
  }
  return AddControl(L"STATIC", L"", SS_OWNERDRAW, x, y, 32, 32, kPictureId);
}

void ModalForm::DrawPicture(const DRAWITEMSTRUCT& item) const {
  const RECT& place = item.rcItem;
  FillRect(item.hDC, &place, GetSysColorBrush(COLOR_BTNFACE));
  // The small icon is drawn at the picture's full size, as a stretched picture.
  DrawIconEx(item.hDC, place.left, place.top, picture_, place.right - place.left,
             place.bottom - place.top, 0, nullptr, DI_NORMAL);
}

void ModalForm::Place() {
  RECT frame{0, 0, ScaleSize(clientWidth_, dpi_), ScaleSize(clientHeight_, dpi_)};
  // The frame at the form's DPI too: on a screen denser than the system's its
  // caption and borders are thicker than the system's.
  AdjustFrameForDpi(frame, static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_STYLE)),
                    static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_EXSTYLE)), dpi_);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  // Centred on the owner, and kept on its screen.
  RECT around{};
  if (owner_ == nullptr || !GetWindowRect(owner_, &around))
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &around, 0);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  GetMonitorInfoW(MonitorFromRect(&around, MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT& work = monitor.rcWork;
  const auto centre = [](LONG low, LONG high, int size, LONG workLow, LONG workHigh) {
    const int lowest = static_cast<int>(workLow);
    const int highest = std::max(lowest, static_cast<int>(workHigh) - size);
    return std::clamp(static_cast<int>(low + high - size) / 2, lowest, highest);
  };
  const int left = centre(around.left, around.right, width, work.left, work.right);
  const int top = centre(around.top, around.bottom, height, work.top, work.bottom);
  SetWindowPos(window_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR ModalForm::ShowModal() {
  if (window_ == nullptr) return IDCANCEL;
  HWND owner = GetWindow(window_, GW_OWNER);
  const bool disableOwner = owner != nullptr && IsWindowEnabled(owner);
  if (disableOwner) EnableWindow(owner, FALSE);
  modal_ = true;
  ShowWindow(window_, SW_SHOW);
  const HWND focus = GetFocus();
  if (focus == nullptr || !IsChild(window_, focus)) {
    if (HWND first = GetNextDlgTabItem(window_, nullptr, FALSE)) SetFocus(first);
  }
  MSG message{};
  while (!closed_ && window_ != nullptr) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got <= 0) {
      // A quit request belongs to the program's own loop: hand it back.
      if (got == 0) PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    if (IsDialogMessageW(window_, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  modal_ = false;
  // The owner is enabled before the form goes, so that it becomes active again.
  if (disableOwner) EnableWindow(owner, TRUE);
  if (window_ != nullptr) DestroyWindow(window_);
  return result_;
}

void ModalForm::Close(INT_PTR result) {
  result_ = result;
  closed_ = true;
  if (!modal_ && window_ != nullptr) DestroyWindow(window_);
}

void ModalForm::OnCommand(UINT id, UINT code, HWND) {
  if (code == BN_CLICKED) Clicked(id);
}

void ModalForm::WindowGone() { closed_ = true; }

INT_PTR ModalForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      if (clientWidth_ > 0) {
        SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
        Place();
      }
      FormCreate();
      // The dialog manager puts the focus on the first control, unless the form
      // has put it somewhere already.
      const HWND focus = GetFocus();
      return focus == nullptr || !IsChild(window_, focus);
    }
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
      return TRUE;
    case WM_CLOSE:
      if (HWND cancel = GetDlgItem(window_, IDCANCEL)) {
        OnCommand(IDCANCEL, BN_CLICKED, cancel);
      } else {
        Close(IDCANCEL);
      }
      return TRUE;
    case WM_DRAWITEM: {
      const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (item.CtlID != kPictureId) return FALSE;
      DrawPicture(item);
      return TRUE;
    }
    default:
      return FALSE;
  }
}

}  // namespace ui
