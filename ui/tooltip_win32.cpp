// The tooltip control: made hidden, its tools added on demand, the tracking
// tip moved without being hidden so that it follows the pointer without
// flicker.
#include "ui/tooltip_win32.h"

#include <commctrl.h>

#include <algorithm>

#include "ui/controls_win32.h"
#include "ui/dpi_win32.h"

namespace ui {
namespace {

constexpr UINT_PTR kTrackToolId = 1;
constexpr int kMaxTipWidth = 600;  // lines break only where the text does
// The tip stands this far right of and below the pointer, clear of the cursor.
constexpr int kOffsetX = 12, kOffsetY = 20;

}  // namespace

Tooltip::Tooltip(HWND owner) : owner_(owner) {
  tip_ = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, TOOLTIPS_CLASSW, nullptr,
                         WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                         CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, InstanceOf(owner), nullptr);
  if (tip_ != nullptr) SendMessageW(tip_, TTM_SETMAXTIPWIDTH, 0, Scaler(owner)(kMaxTipWidth));
}

Tooltip::~Tooltip() {
  if (tip_ != nullptr && IsWindow(tip_)) DestroyWindow(tip_);
}

// The version 5 layout: every comctl32 the program may load takes it.
TTTOOLINFOW Tooltip::TrackTool(const wchar_t* text) const {
  TTTOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.uFlags = TTF_TRACK | TTF_ABSOLUTE;
  tool.hwnd = owner_;
  tool.uId = kTrackToolId;
  tool.lpszText = const_cast<wchar_t*>(text);
  return tool;
}

void Tooltip::AddControlTip(HWND control, const wchar_t* text) {
  if (tip_ == nullptr) return;
  TTTOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = GetParent(control);
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  tool.lpszText = const_cast<wchar_t*>(text);
  SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void Tooltip::Track(POINT pointer, const std::wstring& text) {
  if (tip_ == nullptr) return;
  TTTOOLINFOW tool = TrackTool(text.c_str());
  if (!trackToolAdded_) {
    trackToolAdded_ = SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool)) != 0;
    trackText_ = text;
  } else if (text != trackText_) {
    SendMessageW(tip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    trackText_ = text;
  }
  // Right of and below the pointer, or left of or above it where the screen ends.
  const auto size = static_cast<DWORD>(SendMessageW(tip_, TTM_GETBUBBLESIZE, 0,
                                                    reinterpret_cast<LPARAM>(&tool)));
  const int width = LOWORD(size), height = HIWORD(size);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  POINT at{pointer.x + kOffsetX, pointer.y + kOffsetY};
  if (GetMonitorInfoW(MonitorFromPoint(pointer, MONITOR_DEFAULTTONEAREST), &monitor)) {
    const RECT& area = monitor.rcWork;
    if (at.x + width > area.right) at.x = std::max<LONG>(area.left, pointer.x - kOffsetX - width);
    if (at.y + height > area.bottom)
      at.y = std::max<LONG>(area.top, pointer.y - kOffsetY / 2 - height);
  }
  SendMessageW(tip_, TTM_TRACKPOSITION, 0, MAKELPARAM(at.x, at.y));
  if (!tracking_) {
    SendMessageW(tip_, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
    tracking_ = true;
  }
}

void Tooltip::HideTrack() {
  if (!tracking_) return;
  tracking_ = false;
  TTTOOLINFOW tool = TrackTool();
  SendMessageW(tip_, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace ui
