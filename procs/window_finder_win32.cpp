// The window finder: the crosshair control, the drag with the mouse captured,
// and the outline that follows the window under the pointer.
#include "procs/window_finder_win32.h"

#include <commctrl.h>
#include <windowsx.h>

#include "ui/controls_win32.h"
#include "ui/dpi_win32.h"

namespace procs {
namespace {

constexpr wchar_t kOutlineClass[] = L"ZentrikOutline";
constexpr UINT_PTR kFinderSubclass = 1;
constexpr int kOutlineThickness = 3;

HCURSOR CrossCursor() { return LoadCursorW(nullptr, IDC_CROSS); }

}  // namespace

OutlineFrame::OutlineFrame(HINSTANCE instance) {
  WNDCLASSEXW outlineClass{};
  outlineClass.hInstance = instance;
  outlineClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_HIGHLIGHT + 1);
  outlineClass.lpszClassName = kOutlineClass;
  RegisterWindowClass(outlineClass);
  CreateOwnWindow(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kOutlineClass, L"",
                  WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance);
}

OutlineFrame::~OutlineFrame() {
  if (window_ != nullptr) DestroyWindow(window_);
}

// The window is shaped as the ring alone: what lies inside it stays in view
// and under the pointer.
void OutlineFrame::Show(const RECT& around, int thickness) {
  if (window_ == nullptr) return;
  const int width = around.right - around.left, height = around.bottom - around.top;
  HRGN ring = CreateRectRgn(0, 0, width, height);
  HRGN inside = CreateRectRgn(thickness, thickness, width - thickness, height - thickness);
  if (ring != nullptr && inside != nullptr) CombineRgn(ring, ring, inside, RGN_DIFF);
  if (inside != nullptr) DeleteObject(inside);
  // The window owns the region once it is set.
  if (ring != nullptr && !SetWindowRgn(window_, ring, FALSE)) DeleteObject(ring);
  SetWindowPos(window_, HWND_TOPMOST, around.left, around.top, width, height,
               SWP_NOACTIVATE | SWP_SHOWWINDOW);
  RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void OutlineFrame::Hide() {
  if (window_ != nullptr) ShowWindow(window_, SW_HIDE);
}

LRESULT OutlineFrame::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCHITTEST) return HTTRANSPARENT;  // the pointer finds what lies below
  return DefWindowProcW(window_, message, wParam, lParam);
}

WindowFinder::WindowFinder(HWND parent, UINT id, std::function<void(std::uint32_t)> found)
    : found_(std::move(found)) {
  control_ = ui::CreateChild(parent, L"STATIC", L"", SS_NOTIFY, 0, id, nullptr);
  if (control_ == nullptr) return;
  SetWindowSubclass(control_, ControlProc, kFinderSubclass, reinterpret_cast<DWORD_PTR>(this));
  tip_ = std::make_unique<ui::Tooltip>(parent);
  tip_->AddControlTip(control_, L"拖到任意窗口上以查找其进程");
}

WindowFinder::~WindowFinder() {
  End(false);
  if (control_ != nullptr) RemoveWindowSubclass(control_, ControlProc, kFinderSubclass);
}

LRESULT CALLBACK WindowFinder::ControlProc(HWND control, UINT message, WPARAM wParam,
                                           LPARAM lParam, UINT_PTR, DWORD_PTR self) {
  auto& finder = *reinterpret_cast<WindowFinder*>(self);
  const auto screenPoint = [&] {
    POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ClientToScreen(control, &point);
    return point;
  };
  switch (message) {
    case WM_LBUTTONDOWN:
      finder.Begin();
      return 0;
    case WM_MOUSEMOVE:
      if (!finder.dragging_) break;
      finder.Follow(screenPoint());
      return 0;
    case WM_LBUTTONUP:
      if (!finder.dragging_) break;
      finder.Follow(screenPoint());
      finder.End(true);
      return 0;
    case WM_GETDLGCODE:
      if (finder.dragging_) return DLGC_WANTALLKEYS;  // Esc comes here, not to the window
      break;
    case WM_KEYDOWN:
      if (!finder.dragging_ || wParam != VK_ESCAPE) break;
      finder.End(false);
      return 0;
    case WM_CAPTURECHANGED:  // also after our own release, when the drag is over already
    case WM_CANCELMODE:
      finder.End(false);
      break;
    case WM_PAINT:
      finder.Paint();
      return 0;
    case WM_NCDESTROY:
      finder.End(false);
      RemoveWindowSubclass(control, ControlProc, kFinderSubclass);
      finder.control_ = nullptr;
      break;
    default:
      break;
  }
  return DefSubclassProc(control, message, wParam, lParam);
}

// The system's crosshair at the control's size; the box is empty while the
// crosshair is out being dragged.
void WindowFinder::Paint() {
  PAINTSTRUCT paint{};
  HDC dc = BeginPaint(control_, &paint);
  RECT box{};
  GetClientRect(control_, &box);
  FillRect(dc, &box, GetSysColorBrush(COLOR_BTNFACE));
  if (!dragging_)
    DrawIconEx(dc, 0, 0, CrossCursor(), box.right, box.bottom, 0, nullptr, DI_NORMAL);
  EndPaint(control_, &paint);
}

void WindowFinder::Begin() {
  if (dragging_ || control_ == nullptr) return;
  dragging_ = true;
  target_ = nullptr;
  if (!frame_) frame_ = std::make_unique<OutlineFrame>(ui::InstanceOf(control_));
  SendMessageW(tip_->Handle(), TTM_ACTIVATE, FALSE, 0);
  SetCapture(control_);
  // Esc reaches the window with the focus: this control, for the drag.
  focusBefore_ = GetFocus();
  SetFocus(control_);
  SetCursor(CrossCursor());
  InvalidateRect(control_, nullptr, FALSE);
}

void WindowFinder::Follow(POINT screen) {
  const HWND hit = WindowFromPoint(screen);
  HWND root = hit != nullptr ? GetAncestor(hit, GA_ROOT) : nullptr;
  if (root != nullptr && root == frame_->Handle()) return;  // on the ring: the window it rings
  DWORD pid = 0;
  if (root != nullptr) GetWindowThreadProcessId(root, &pid);
  // The desktop and this program's own windows are nothing to find.
  if (root == GetDesktopWindow() || pid == GetCurrentProcessId()) root = nullptr;
  if (root == target_) return;
  target_ = root;
  if (root == nullptr) return frame_->Hide();
  RECT place{};
  GetWindowRect(root, &place);
  // A maximised window reaches past its screen's edges, where no outline shows.
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  if (GetMonitorInfoW(MonitorFromWindow(root, MONITOR_DEFAULTTONEAREST), &monitor))
    IntersectRect(&place, &place, &monitor.rcMonitor);
  if (IsRectEmpty(&place)) return frame_->Hide();
  frame_->Show(place, ui::Scaler(control_)(kOutlineThickness));
}

void WindowFinder::End(bool found) {
  if (!dragging_) return;
  dragging_ = false;
  const HWND target = target_;
  target_ = nullptr;
  frame_->Hide();
  if (GetCapture() == control_) ReleaseCapture();
  if (control_ != nullptr) InvalidateRect(control_, nullptr, FALSE);
  SendMessageW(tip_->Handle(), TTM_ACTIVATE, TRUE, 0);
  if (focusBefore_ != nullptr && IsWindow(focusBefore_) && GetFocus() == control_)
    SetFocus(focusBefore_);
  focusBefore_ = nullptr;
  if (!found || target == nullptr) return;
  DWORD pid = 0;
  GetWindowThreadProcessId(target, &pid);
  if (pid != 0 && found_) found_(pid);
}

}  // namespace procs
