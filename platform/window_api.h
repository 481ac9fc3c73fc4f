// Top-level windows: their enumeration, the queries that tell an application
// window from the rest (and which process it stands for), their icons, and the
// commands the Applications page gives them. Handles travel as plain numbers so
// that portable code can hold them.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
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
  // Of a top-level window: whether it is shown (WS_VISIBLE).
  virtual bool IsVisible(WindowHandle window) = 0;
  // Of a top-level window: its owner, 0 when it has none.
  virtual WindowHandle Owner(WindowHandle window) = 0;
  virtual std::uint32_t ExtendedStyle(WindowHandle window) = 0;
  virtual WindowHandle Desktop() = 0;
  // At most kMaxTitleLength characters; empty when the window has no title.
  virtual void Title(WindowHandle window, std::wstring& out) = 0;
  // 0 when the placement cannot be read (the window has gone).
  virtual int ShowStateOf(WindowHandle window) = 0;
  // 0 when it cannot be read.
  virtual std::uint32_t ProcessIdOf(WindowHandle window) = 0;
  // Whether the window manager keeps the window out of sight although it counts
  // as visible (cloaked); false where the system cannot tell.
  virtual bool IsCloaked(WindowHandle window) = 0;
  // The name of the window's class; empty when it cannot be read.
  virtual void ClassName(WindowHandle window, std::wstring& out) = 0;
  // The windows inside a window, at every depth. `out` is emptied first.
  virtual void ChildWindows(WindowHandle parent, std::vector<WindowHandle>& out) = 0;
  // The hung window that a ghost window stands in for; 0 when `ghost` stands in
  // for none or the system cannot tell.
  virtual WindowHandle HungWindowOf(WindowHandle ghost) = 0;

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
  // None of them waits for the window's program: a hung program must not hang
  // this one. The window carries a command out when its program gets to it.
  virtual void Show(WindowHandle window, int showState) = 0;
  virtual bool SetForeground(WindowHandle window) = 0;
  // Brings the window to the foreground even when the system's foreground lock
  // would refuse a program that is not in the foreground itself.
  virtual bool ForceForeground(WindowHandle window) = 0;
  // False when the system refused the message (a window of a program running
  // at a higher integrity level); a window that has gone counts as closed.
  virtual bool PostClose(WindowHandle window) = 0;
  // For arranging windows: the desktop area the taskbar leaves free, a window's
  // place at its normal size (for a minimised or maximised one only the size
  // counts), and moving a window there on top of the others, back at its
  // normal size first (a window that cannot be resized keeps its size).
  virtual ScreenRect WorkArea() = 0;
  virtual ScreenRect Bounds(WindowHandle window) = 0;
  virtual void Move(WindowHandle window, const ScreenRect& place) = 0;
};

}  // namespace platform
