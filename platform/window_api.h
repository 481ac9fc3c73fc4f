// Top-level windows: their enumeration, the queries that tell an application
// window from the rest, their icons, and the commands the Applications page
// gives them. Handles travel as plain numbers so that portable code can hold them.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

using WindowHandle = std::uint64_t;  // 0: no window
using IconHandle = std::uint64_t;    // 0: no icon; borrowed, never destroyed by the caller

// Show states as the system numbers them.
enum ShowState : int {
  kShowHide = 0,
  kShowNormal = 1,
  kShowMinimized = 2,
  kShowMaximized = 3,
  kShowAsIs = 5,
};

// A rectangle in screen pixels; right and bottom lie just outside.
struct ScreenRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  friend bool operator==(const ScreenRect&, const ScreenRect&) = default;
};

inline constexpr std::uint32_t kToolWindowStyle = 0x80;     // WS_EX_TOOLWINDOW
inline constexpr std::uint32_t kAppWindowStyle = 0x40000;   // WS_EX_APPWINDOW
inline constexpr std::size_t kMaxTitleLength = 254;         // characters kept of a title

class WindowApi {
 public:
  virtual ~WindowApi() = default;

  // --- what a window is ---
  // Every top-level window, top to bottom. `out` is emptied first and keeps its storage.
  virtual void TopWindows(std::vector<WindowHandle>& out) = 0;
  virtual bool IsVisible(WindowHandle window) = 0;
  virtual WindowHandle Owner(WindowHandle window) = 0;
  virtual std::uint32_t ExtendedStyle(WindowHandle window) = 0;
  virtual WindowHandle Desktop() = 0;
  // At most kMaxTitleLength characters; empty when the window has no title.
  virtual void Title(WindowHandle window, std::wstring& out) = 0;
  // 0 when the placement cannot be read (the window has gone).
  virtual int ShowStateOf(WindowHandle window) = 0;
  // 0 when it cannot be read.
  virtual std::uint32_t ProcessIdOf(WindowHandle window) = 0;
  // Offers the module paths of a process in load order until `stop` returns true.
  // False when the modules cannot be listed at all.
  virtual bool VisitModules(std::uint32_t pid,
                            const std::function<bool(std::wstring_view path)>& stop) = 0;

  // --- whether it answers ---
  // True when the window handled a message within `timeoutMs`; false at once for
  // a window that the system already counts as hung.
  virtual bool Responds(WindowHandle window, int timeoutMs) = 0;
  // Sends a message that nobody waits for; ProbeAnswered tells later whether the
  // window has handled it. Both forget the probe once it has answered.
  virtual void StartProbe(WindowHandle window) = 0;
  virtual bool ProbeAnswered(WindowHandle window) = 0;
  virtual void ForgetProbe(WindowHandle window) = 0;

  // --- icons ---
  virtual IconHandle ClassIcon(WindowHandle window, bool small) = 0;
  // The window's own large icon, asked with a message that waits at most
  // `timeoutMs` and not at all for a window the system counts as hung.
  virtual IconHandle AskIcon(WindowHandle window, int timeoutMs) = 0;
  // The first icon of a program file, lent to `use` for the length of the call
  // (0 for a size the file lacks). `use` is not called when the file has none.
  virtual void WithProgramIcons(
      const std::wstring& path,
      const std::function<void(IconHandle large, IconHandle small)>& use) = 0;

  // --- commands ---
  virtual void Show(WindowHandle window, int showState) = 0;
  virtual bool SetForeground(WindowHandle window) = 0;
  // Brings the window to the foreground even when the system's foreground lock
  // would refuse a program that is not in the foreground itself.
  virtual bool ForceForeground(WindowHandle window) = 0;
  virtual void PostClose(WindowHandle window) = 0;
  // The system's arrangements of the given windows on the desktop; minimised and
  // maximised ones are brought back to their normal size first. False when the
  // system arranged none of them (some systems do not offer these at all).
  virtual bool Cascade(const std::vector<WindowHandle>& windows) = 0;
  virtual bool Tile(const std::vector<WindowHandle>& windows, bool horizontal) = 0;
  // For arranging windows by hand: the desktop area the taskbar leaves free,
  // a window's place, and moving a window there on top of the others (a window
  // that cannot be resized keeps its size).
  virtual ScreenRect WorkArea() = 0;
  virtual ScreenRect Bounds(WindowHandle window) = 0;
  virtual void Move(WindowHandle window, const ScreenRect& place) = 0;
};

}  // namespace platform
