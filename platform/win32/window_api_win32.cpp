// Top-level windows through user32: enumeration, the application-window queries,
// the hung test and its probe that nobody waits for, icons, and the window
// commands; program paths through a tool-help module snapshot.
#include <windows.h>
#include <shellapi.h>
#include <tlhelp32.h>

#include <algorithm>
#include <memory>
#include <type_traits>
#include <unordered_set>

#include "platform/win32/handle_win32.h"
#include "platform/win32/win32_system.h"

namespace platform::win32 {

namespace {

BOOL CALLBACK CollectTopWindow(HWND window, LPARAM data) {
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

}  // namespace

void Win32WindowApi::TopWindows(std::vector<WindowHandle>& out) {
  out.clear();
  EnumWindows(CollectTopWindow, reinterpret_cast<LPARAM>(&out));
}

bool Win32WindowApi::IsVisible(WindowHandle window) {
  return IsWindowVisible(ToHwnd(window)) != FALSE;
}

WindowHandle Win32WindowApi::Owner(WindowHandle window) {
  return static_cast<WindowHandle>(GetWindowLongPtrW(ToHwnd(window), GWLP_HWNDPARENT));
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

bool Win32WindowApi::VisitModules(std::uint32_t pid,
                                  const std::function<bool(std::wstring_view path)>& stop) {
  UniqueHandle snapshot;
  // The snapshot fails now and then while the process loads a module: try again.
  for (int attempt = 0; attempt < 3 && !snapshot; ++attempt) {
    snapshot.Reset(CreateToolhelp32Snapshot(TH32CS_SNAPMODULE | TH32CS_SNAPMODULE32, pid));
    if (!snapshot && GetLastError() != ERROR_BAD_LENGTH) break;
  }
  if (!snapshot) return false;
  MODULEENTRY32W module{};
  module.dwSize = sizeof(module);
  for (BOOL more = Module32FirstW(snapshot.Get(), &module); more;
       more = Module32NextW(snapshot.Get(), &module)) {
    module.szExePath[MAX_PATH - 1] = L'\0';
    if (stop(module.szExePath)) break;
  }
  return true;
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
  struct IconDeleter {
    void operator()(HICON icon) const { DestroyIcon(icon); }
  };
  using UniqueIcon = std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter>;
  HICON large = nullptr;
  HICON small = nullptr;
  const UINT extracted = ExtractIconExW(path.c_str(), 0, &large, &small, 1);
  const UniqueIcon ownLarge(large), ownSmall(small);
  if (extracted == 0 || extracted == UINT_MAX || (large == nullptr && small == nullptr)) return;
  use(reinterpret_cast<std::uintptr_t>(large), reinterpret_cast<std::uintptr_t>(small));
}

void Win32WindowApi::Show(WindowHandle window, int showState) {
  ShowWindow(ToHwnd(window), showState);
}

bool Win32WindowApi::SetForeground(WindowHandle window) {
  return SetForegroundWindow(ToHwnd(window)) != FALSE;
}

bool Win32WindowApi::ForceForeground(WindowHandle window) {
  // The foreground lock would make the window only flash on the taskbar: lift it
  // for this one call and put it back as it was.
  DWORD lockTimeout = 0;
  const bool haveLock =
      SystemParametersInfoW(SPI_GETFOREGROUNDLOCKTIMEOUT, 0, &lockTimeout, 0) != FALSE;
  if (haveLock) SystemParametersInfoW(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, nullptr, SPIF_SENDCHANGE);
  const bool done = SetForegroundWindow(ToHwnd(window)) != FALSE;
  if (haveLock) {
    SystemParametersInfoW(SPI_SETFOREGROUNDLOCKTIMEOUT, 0,
                          reinterpret_cast<PVOID>(static_cast<std::uintptr_t>(lockTimeout)),
                          SPIF_SENDCHANGE);
  }
  return done;
}

void Win32WindowApi::PostClose(WindowHandle window) {
  PostMessageW(ToHwnd(window), WM_CLOSE, 0, 0);
}

void Win32WindowApi::TakeNormalSize(const std::vector<WindowHandle>& windows) {
  arranged_.clear();
  for (const WindowHandle window : windows) {
    HWND hwnd = ToHwnd(window);
    // Minimised and maximised windows take no part in an arrangement. A window
    // minimised from maximised comes back maximised: restore it once more.
    for (int step = 0; step < 2 && (IsIconic(hwnd) || IsZoomed(hwnd)); ++step)
      ShowWindow(hwnd, SW_RESTORE);
    arranged_.push_back(hwnd);
  }
}

bool Win32WindowApi::Cascade(const std::vector<WindowHandle>& windows) {
  TakeNormalSize(windows);
  return CascadeWindows(nullptr, 0, nullptr, static_cast<UINT>(arranged_.size()),
                        arranged_.data()) != 0;
}

bool Win32WindowApi::Tile(const std::vector<WindowHandle>& windows, bool horizontal) {
  TakeNormalSize(windows);
  return TileWindows(nullptr, horizontal ? MDITILE_HORIZONTAL : MDITILE_VERTICAL, nullptr,
                     static_cast<UINT>(arranged_.size()), arranged_.data()) != 0;
}

ScreenRect Win32WindowApi::WorkArea() {
  RECT area{};
  if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0)) {
    area = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  }
  return {area.left, area.top, area.right, area.bottom};
}

ScreenRect Win32WindowApi::Bounds(WindowHandle window) {
  RECT place{};
  if (!GetWindowRect(ToHwnd(window), &place)) return {};
  return {place.left, place.top, place.right, place.bottom};
}

void Win32WindowApi::Move(WindowHandle window, const ScreenRect& place) {
  HWND hwnd = ToHwnd(window);
  // A window the user cannot resize (a game board, a dialog) is only moved.
  const bool sizable = (GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_THICKFRAME) != 0;
  SetWindowPos(hwnd, HWND_TOP, place.left, place.top, place.Width(), place.Height(),
               SWP_NOACTIVATE | (sizable ? 0 : SWP_NOSIZE));
}

}  // namespace platform::win32
