// Top-level windows through user32: enumeration, the application-window queries
// (cloaking through dwmapi, ghosts through user32, both bound by name), the hung
// test and its probe that nobody waits for, icons, and the window commands, none
// of which waits for another program.
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <memory>
#include <type_traits>
#include <unordered_set>

#include "platform/win32/handle_win32.h"
#include "platform/win32/system_library_win32.h"
#include "platform/win32/win32_system.h"

namespace platform::win32 {

namespace {

BOOL CALLBACK CollectWindow(HWND window, LPARAM data) {
  reinterpret_cast<std::vector<WindowHandle>*>(data)->push_back(Win32WindowApi::FromHwnd(window));
  return TRUE;
}

// Windows whose probe came back. Probes are answered on this (the GUI) thread
// while it handles messages, possibly after the object that sent them has gone,
// so the record is the program's and not an object's.
std::unordered_set<HWND>& AnsweredProbes() {
  static std::unordered_set<HWND> answered;
  return answered;
}

std::unordered_set<HWND>& PendingProbes() {
  static std::unordered_set<HWND> pending;
  return pending;
}

void CALLBACK ProbeReturned(HWND window, UINT, ULONG_PTR, LRESULT) {
  if (PendingProbes().erase(window) != 0) AnsweredProbes().insert(window);
}

// A window of this thread is changed at once; any other only gets the request,
// which its program carries out when it next handles messages.
bool OfThisThread(HWND window) {
  return GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId();
}

void ShowWithoutWaiting(HWND window, int showState) {
  if (OfThisThread(window)) {
    ShowWindow(window, showState);
  } else {
    ShowWindowAsync(window, showState);
  }
}

}  // namespace

Win32WindowApi::Win32WindowApi() {
  // Cloaking came with Windows 8 and ghosts' hung windows are not named on every
  // system (nor under Wine): without them no window counts as cloaked and a
  // ghost keeps its own process. dwmapi.dll is loaded from the system folder only.
  dwmapi_ = LoadSystemLibrary(L"dwmapi.dll");
  if (dwmapi_) {
    getWindowAttribute_ = reinterpret_cast<GetAttributeFn>(
        reinterpret_cast<void*>(GetProcAddress(dwmapi_.get(), "DwmGetWindowAttribute")));
    // Cloaking belongs to the composed desktop, which is always on from Windows
    // 8. Where the desktop is not composed (Windows 7 without it, Wine) nothing
    // is cloaked, and the library is not kept.
    using CompositionFn = HRESULT(WINAPI*)(BOOL*);
    const auto composed = reinterpret_cast<CompositionFn>(
        reinterpret_cast<void*>(GetProcAddress(dwmapi_.get(), "DwmIsCompositionEnabled")));
    BOOL enabled = TRUE;
    if (composed != nullptr && SUCCEEDED(composed(&enabled)) && !enabled) {
      getWindowAttribute_ = nullptr;
      dwmapi_.reset();
    }
  }
  if (HMODULE user32 = GetModuleHandleW(L"user32.dll")) {
    hungWindowFromGhost_ = reinterpret_cast<HungWindowFn>(
        reinterpret_cast<void*>(GetProcAddress(user32, "HungWindowFromGhostWindow")));
  }
}

void Win32WindowApi::TopWindows(std::vector<WindowHandle>& out) {
  out.clear();
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&out));
}

// A top-level window's parent is the desktop, which is always shown, so its own
// style bit is all IsWindowVisible would find; the style is one question, the
// walk up the parents another.
bool Win32WindowApi::IsVisible(WindowHandle window) {
  return (GetWindowLongW(ToHwnd(window), GWL_STYLE) & WS_VISIBLE) != 0;
}

WindowHandle Win32WindowApi::Owner(WindowHandle window) {
  return FromHwnd(GetWindow(ToHwnd(window), GW_OWNER));
}

std::uint32_t Win32WindowApi::ExtendedStyle(WindowHandle window) {
  return static_cast<std::uint32_t>(GetWindowLongPtrW(ToHwnd(window), GWL_EXSTYLE));
}

WindowHandle Win32WindowApi::Desktop() { return FromHwnd(GetDesktopWindow()); }

void Win32WindowApi::Title(WindowHandle window, std::wstring& out) {
  wchar_t text[kMaxTitleLength + 1];
  const int length = GetWindowTextW(ToHwnd(window), text, static_cast<int>(std::size(text)));
  out.assign(text, static_cast<std::size_t>(std::max(0, length)));
}

int Win32WindowApi::ShowStateOf(WindowHandle window) {
  WINDOWPLACEMENT placement{};
  placement.length = sizeof(placement);
  if (!GetWindowPlacement(ToHwnd(window), &placement)) return 0;
  return static_cast<int>(placement.showCmd);
}

std::uint32_t Win32WindowApi::ProcessIdOf(WindowHandle window) {
  DWORD pid = 0;
  if (GetWindowThreadProcessId(ToHwnd(window), &pid) == 0) return 0;
  return pid;
}

bool Win32WindowApi::IsCloaked(WindowHandle window) {
  constexpr DWORD kCloakedAttribute = 14;  // DWMWA_CLOAKED: a DWORD, non-zero when cloaked
  DWORD cloaked = 0;
  // Systems before Windows 8 refuse the attribute: nothing is cloaked there.
  return getWindowAttribute_ != nullptr &&
         SUCCEEDED(getWindowAttribute_(ToHwnd(window), kCloakedAttribute, &cloaked,
                                       sizeof(cloaked))) &&
         cloaked != 0;
}

void Win32WindowApi::ClassName(WindowHandle window, std::wstring& out) {
  wchar_t name[257];  // class names have at most 256 characters
  const int length = GetClassNameW(ToHwnd(window), name, static_cast<int>(std::size(name)));
  out.assign(name, static_cast<std::size_t>(std::max(0, length)));
}

void Win32WindowApi::ChildWindows(WindowHandle parent, std::vector<WindowHandle>& out) {
  out.clear();
  // With no parent the call would list the top-level windows instead.
  if (parent == 0) return;
  EnumChildWindows(ToHwnd(parent), CollectWindow, reinterpret_cast<LPARAM>(&out));
}

WindowHandle Win32WindowApi::HungWindowOf(WindowHandle ghost) {
  return hungWindowFromGhost_ != nullptr ? FromHwnd(hungWindowFromGhost_(ToHwnd(ghost))) : 0;
}

bool Win32WindowApi::Responds(WindowHandle window, int timeoutMs) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(ToHwnd(window), WM_NULL, 0, 0, SMTO_ABORTIFHUNG,
                             static_cast<UINT>(timeoutMs), &result) != 0;
}

void Win32WindowApi::StartProbe(WindowHandle window) {
  HWND hwnd = ToHwnd(window);
  AnsweredProbes().erase(hwnd);
  if (PendingProbes().insert(hwnd).second &&
      !SendMessageCallbackW(hwnd, WM_NULL, 0, 0, ProbeReturned, 0)) {
    PendingProbes().erase(hwnd);
  }
}

bool Win32WindowApi::ProbeAnswered(WindowHandle window) {
  return AnsweredProbes().erase(ToHwnd(window)) != 0;
}

void Win32WindowApi::ForgetProbe(WindowHandle window) {
  PendingProbes().erase(ToHwnd(window));
  AnsweredProbes().erase(ToHwnd(window));
}

IconHandle Win32WindowApi::ClassIcon(WindowHandle window, bool small) {
  return static_cast<IconHandle>(
      GetClassLongPtrW(ToHwnd(window), small ? GCLP_HICONSM : GCLP_HICON));
}

IconHandle Win32WindowApi::AskIcon(WindowHandle window, int timeoutMs) {
  DWORD_PTR icon = 0;
  if (!SendMessageTimeoutW(ToHwnd(window), WM_GETICON, ICON_BIG, 0, SMTO_ABORTIFHUNG,
                           static_cast<UINT>(timeoutMs), &icon)) {
    return 0;
  }
  return static_cast<IconHandle>(icon);
}

void Win32WindowApi::WithProgramIcons(const std::wstring& path,
                                      const std::function<void(IconHandle, IconHandle)>& use) {
  HICON large = nullptr;
  HICON small = nullptr;
  const UINT extracted = ExtractIconExW(path.c_str(), 0, &large, &small, 1);
  const UniqueIcon ownLarge(large), ownSmall(small);
  if (extracted == 0 || extracted == UINT_MAX || (large == nullptr && small == nullptr)) return;
  use(reinterpret_cast<std::uintptr_t>(large), reinterpret_cast<std::uintptr_t>(small));
}

void Win32WindowApi::Show(WindowHandle window, int showState) {
  ShowWithoutWaiting(ToHwnd(window), showState);
}

bool Win32WindowApi::SetForeground(WindowHandle window) {
  return SetForegroundWindow(ToHwnd(window)) != FALSE;
}

bool Win32WindowApi::ForceForeground(WindowHandle window) {
  // The foreground lock would make the window only flash on the taskbar: lift it
  // for this one call and put it back as it was. Nobody is told of the change
  // (no SPIF_SENDCHANGE): telling sends WM_SETTINGCHANGE to every top-level
  // window and waits while any of them is hung.
  DWORD lockTimeout = 0;
  const bool haveLock =
      SystemParametersInfoW(SPI_GETFOREGROUNDLOCKTIMEOUT, 0, &lockTimeout, 0) != FALSE;
  if (haveLock) SystemParametersInfoW(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, nullptr, 0);
  const bool done = SetForegroundWindow(ToHwnd(window)) != FALSE;
  if (haveLock) {
    SystemParametersInfoW(SPI_SETFOREGROUNDLOCKTIMEOUT, 0,
                          reinterpret_cast<PVOID>(static_cast<std::uintptr_t>(lockTimeout)), 0);
  }
  return done;
}

bool Win32WindowApi::PostClose(WindowHandle window) {
  HWND hwnd = ToHwnd(window);
  if (PostMessageW(hwnd, WM_CLOSE, 0, 0)) return true;
  // A window that has gone needs no closing. Otherwise the message was refused,
  // as the system does for a window of a higher integrity level (an elevated
  // program) so that a lesser one cannot drive it.
  return IsWindow(hwnd) == FALSE;
}

ScreenRect Win32WindowApi::WorkArea() {
  RECT area{};
  if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0)) {
    area = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  }
  return {area.left, area.top, area.right, area.bottom};
}

ScreenRect Win32WindowApi::Bounds(WindowHandle window) {
  HWND hwnd = ToHwnd(window);
  RECT place{};
  if (IsIconic(hwnd) || IsZoomed(hwnd)) {
    // Where it goes back to, in work-area coordinates: its size is what counts.
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    if (!GetWindowPlacement(hwnd, &placement)) return {};
    place = placement.rcNormalPosition;
  } else if (!GetWindowRect(hwnd, &place)) {
    return {};
  }
  return {place.left, place.top, place.right, place.bottom};
}

void Win32WindowApi::Move(WindowHandle window, const ScreenRect& place) {
  HWND hwnd = ToHwnd(window);
  // Back to the normal size first; a window minimised from maximised comes
  // back maximised, so it is restored once more. The restores and the move go
  // to the window's program as requests, in that order.
  int restores = 0;
  if (IsIconic(hwnd)) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    const bool toMaximized = GetWindowPlacement(hwnd, &placement) &&
                             (placement.flags & WPF_RESTORETOMAXIMIZED) != 0;
    restores = toMaximized ? 2 : 1;
  } else if (IsZoomed(hwnd)) {
    restores = 1;
  }
  for (int i = 0; i < restores; ++i) ShowWithoutWaiting(hwnd, SW_RESTORE);
  // A window the user cannot resize (a game board, a dialog) is only moved.
  const bool sizable = (GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_THICKFRAME) != 0;
  SetWindowPos(hwnd, HWND_TOP, place.left, place.top, place.Width(), place.Height(),
               SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS | (sizable ? 0 : SWP_NOSIZE));
}

}  // namespace platform::win32
