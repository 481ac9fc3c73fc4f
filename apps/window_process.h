// Which process a listed window stands for. Mostly its own; but the frame that
// the system's app host draws around a store app shows an app running in
// another process, and a ghost (the stand-in the window manager puts up for a
// hung window) stands for the hung window's program. The commands still go to
// the listed window itself.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/window_api.h"

namespace apps {

inline constexpr wchar_t kAppFrameClass[] = L"ApplicationFrameWindow";
inline constexpr wchar_t kHostedAppClass[] = L"Windows.UI.Core.CoreWindow";
inline constexpr wchar_t kGhostClass[] = L"Ghost";

struct WindowProcess {
  platform::WindowHandle window = 0;  // the window whose process it is
  std::uint32_t pid = 0;              // 0 when it cannot be read
  bool ghost = false;                 // the listed window stands in for a hung one
};

class WindowProcessFinder {
 public:
  explicit WindowProcessFinder(platform::WindowApi& windows) : windows_(windows) {}

  WindowProcess Find(platform::WindowHandle window);

 private:
  platform::WindowApi& windows_;
  // Reused from window to window.
  std::wstring className_;
  std::vector<platform::WindowHandle> children_;
};

}  // namespace apps
