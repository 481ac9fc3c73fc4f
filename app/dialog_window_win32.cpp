// The modal form: window class, creation centred on the owner, the modal loop,
// and the stretched program picture.
#include "app/dialog_window_win32.h"

#include <algorithm>

#include "app/resource_ids.h"

namespace app {

namespace {

constexpr wchar_t kFormClass[] = L"ZentrikDialogWindow";
constexpr UINT kPictureId = 0xFF00;
constexpr DWORD kFormStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kFormExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;

void RegisterFormClass(HINSTANCE instance, WNDPROC procedure) {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof(existing);
  if (GetClassInfoExW(instance, kFormClass, &existing)) return;
  WNDCLASSEXW formClass{};
  formClass.cbSize = sizeof(formClass);
  formClass.lpfnWndProc = procedure;
  formClass.hInstance = instance;
  formClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  formClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  formClass.lpszClassName = kFormClass;
  RegisterClassExW(&formClass);
}

}  // namespace

DialogWindow::~DialogWindow() {
  if (form_ != nullptr) DestroyWindow(form_);
}

bool DialogWindow::CreateForm(HWND owner, const wchar_t* caption, int clientWidth,
                           int clientHeight, HFONT font) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  RegisterFormClass(instance, FormProc);
  font_ = font;
  RECT frame{0, 0, clientWidth, clientHeight};
  AdjustWindowRectEx(&frame, kFormStyle, FALSE, kFormExStyle);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  // Centred on the owner, and kept on its screen.
  RECT around{};
  if (owner == nullptr || !GetWindowRect(owner, &around))
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
  CreateWindowExW(kFormExStyle, kFormClass, caption, kFormStyle, left, top, width, height, owner,
                  nullptr, instance, this);
  return form_ != nullptr;
}

HWND DialogWindow::AddControl(const wchar_t* className, const wchar_t* text, DWORD style, int x,
                           int y, int width, int height, UINT id) {
  HWND control = CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, x, y, width,
                                 height, form_, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                                 GetModuleHandleW(nullptr), nullptr);
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  return control;
}

HWND DialogWindow::AddProgramPicture(int x, int y) {
  if (picture_ == nullptr) {
    programIcon_.reset(static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr),
                                                     MAKEINTRESOURCEW(IDI_ZENTRIK), IMAGE_ICON,
                                                     16, 16, LR_DEFAULTCOLOR)));
    // A program built without its resources shows the system's application icon.
    picture_ = programIcon_ ? programIcon_.get() : LoadIconW(nullptr, IDI_APPLICATION);
  }
  return AddControl(L"STATIC", L"", SS_OWNERDRAW, x, y, 32, 32, kPictureId);
}

void DialogWindow::DrawPicture(const DRAWITEMSTRUCT& item) const {
  const RECT& place = item.rcItem;
  FillRect(item.hDC, &place, GetSysColorBrush(COLOR_BTNFACE));
  // The small icon is drawn at the picture's full size, as a stretched picture.
  DrawIconEx(item.hDC, place.left, place.top, picture_, place.right - place.left,
             place.bottom - place.top, 0, nullptr, DI_NORMAL);
}

void DialogWindow::ShowModal() {
  if (form_ == nullptr) return;
  HWND owner = GetWindow(form_, GW_OWNER);
  const bool disableOwner = owner != nullptr && IsWindowEnabled(owner);
  if (disableOwner) EnableWindow(owner, FALSE);
  modal_ = true;
  ShowWindow(form_, SW_SHOW);
  if (HWND first = GetNextDlgTabItem(form_, nullptr, FALSE)) SetFocus(first);
  MSG message{};
  while (!closed_ && form_ != nullptr) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got <= 0) {
      // A quit request belongs to the program's own loop: hand it back.
      if (got == 0) PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    if (IsDialogMessageW(form_, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  modal_ = false;
  // The owner is enabled before the form goes, so that it becomes active again.
  if (disableOwner) EnableWindow(owner, TRUE);
  if (form_ != nullptr) DestroyWindow(form_);
}

void DialogWindow::Close() {
  closed_ = true;
  if (!modal_ && form_ != nullptr) DestroyWindow(form_);
}

LRESULT CALLBACK DialogWindow::FormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* form = static_cast<DialogWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    form->form_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
  }
  auto* form = reinterpret_cast<DialogWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (form == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    form->form_ = nullptr;
    form->closed_ = true;
    return DefWindowProcW(window, message, wParam, lParam);
  }
  return form->HandleMessage(message, wParam, lParam);
}

LRESULT DialogWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      // Enter and Esc arrive as IDOK and IDCANCEL: no button of these forms is
      // the default or the cancel button, so they do nothing.
      if (lParam != 0) OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
      return 0;
    case WM_DRAWITEM: {
      const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (item.CtlID != kPictureId) break;
      DrawPicture(item);
      return TRUE;
    }
    case WM_CLOSE:
      Close();
      return 0;
    default:
      break;
  }
  return DefWindowProcW(form_, message, wParam, lParam);
}

}  // namespace app
