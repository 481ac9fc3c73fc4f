// The fake system's windows: top-level and child windows that come, go, hide,
// stop answering or turn into ghosts, their icons, and a record of every window
// command, icon request and hung test, with the time those tests waited.
#pragma once
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/window_api.h"

namespace platform::fake {

struct FakeWindow {
  WindowHandle handle = 0;
  std::wstring title;
  std::uint32_t pid = 0;
  bool visible = true;
  WindowHandle owner = 0;
  std::uint32_t exStyle = 0;
  int showState = kShowNormal;
  bool answers = true;        // handles messages in time
  bool hungBySystem = false;  // the system already counts it hung: no wait at all
  bool vanished = false;      // gone between enumeration and query: placement and pid fail
  IconHandle classIcon = 0;
  IconHandle classIconSmall = 0;
  IconHandle ownIcon = 0;     // what it answers to the icon request
  ScreenRect bounds{100, 100, 500, 400};
  std::wstring className;     // empty: a program's own class
  WindowHandle parent = 0;    // a child window inside `parent`, not a top-level one
  bool cloaked = false;       // kept out of sight by the window manager
  WindowHandle ghostOf = 0;   // for a ghost: the hung window it stands in for, if known
  bool refusesClose = false;  // its program runs elevated: WM_CLOSE is refused
};

struct FakeWindowCommand {
  std::wstring what;  // "show", "foreground", "force", "close", "move"
  std::vector<WindowHandle> windows;
  int showState = 0;
};

class FakeWindows : public WindowApi {
 public:
  // --- scripting ---
  // Windows in top-to-bottom order; child windows (with a parent) are listed
  // only inside their parent.
  FakeWindow& AddWindow(WindowHandle handle, const std::wstring& title, std::uint32_t pid);
  void RemoveWindow(WindowHandle handle);
  FakeWindow* FindFakeWindow(WindowHandle handle);
  std::deque<FakeWindow>& Windows() { return windows_; }
  std::vector<std::pair<std::wstring, IconHandle>> programIcons;  // path -> icon of both sizes
  WindowHandle desktop = 0x10010;
  ScreenRect workArea{0, 0, 1000, 700};

  // --- record ---
  std::vector<FakeWindowCommand> windowCommands;
  int iconRequests = 0;     // class icons and icon messages together
  int iconMessages = 0;     // icon requests sent to a window
  int programIconReads = 0;
  int answerTests = 0;      // waiting hung tests
  std::int64_t waitedMs = 0;  // time the hung tests and icon requests waited
  std::vector<WindowHandle> probes;  // probes out, not yet answered or forgotten

  // --- WindowApi ---
  void TopWindows(std::vector<WindowHandle>& out) override;
  bool IsVisible(WindowHandle window) override;
  WindowHandle Owner(WindowHandle window) override;
  std::uint32_t ExtendedStyle(WindowHandle window) override;
  WindowHandle Desktop() override { return desktop; }
  void Title(WindowHandle window, std::wstring& out) override;
  int ShowStateOf(WindowHandle window) override;
  std::uint32_t ProcessIdOf(WindowHandle window) override;
  bool IsCloaked(WindowHandle window) override;
  void ClassName(WindowHandle window, std::wstring& out) override;
  void ChildWindows(WindowHandle parent, std::vector<WindowHandle>& out) override;
  WindowHandle HungWindowOf(WindowHandle ghost) override;
  bool Responds(WindowHandle window, int timeoutMs) override;
  void StartProbe(WindowHandle window) override;
  bool ProbeAnswered(WindowHandle window) override;
  void ForgetProbe(WindowHandle window) override;
  IconHandle ClassIcon(WindowHandle window, bool small) override;
  IconHandle AskIcon(WindowHandle window, int timeoutMs) override;
  void WithProgramIcons(const std::wstring& path,
                        const std::function<void(IconHandle, IconHandle)>& use) override;
  void Show(WindowHandle window, int showState) override;
  bool SetForeground(WindowHandle window) override;
  bool ForceForeground(WindowHandle window) override;
  bool PostClose(WindowHandle window) override;
  ScreenRect WorkArea() override { return workArea; }
  ScreenRect Bounds(WindowHandle window) override;
  void Move(WindowHandle window, const ScreenRect& place) override;

 private:
  std::deque<FakeWindow> windows_;
  std::size_t lastWindow_ = 0;  // where FindFakeWindow found the last window
};

}  // namespace platform::fake
