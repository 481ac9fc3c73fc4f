// Where a window's icons come from: its class's small or large icon, and failing
// both the large icon the window itself hands out when asked. The handles are
// borrowed from the other program; whoever keeps an icon copies it. (When all
// of these fail, the page falls back to the icon of the window's program file.)
#pragma once
#include "platform/window_api.h"

namespace apps {

struct WindowIcons {
  platform::IconHandle large = 0;
  platform::IconHandle small = 0;
};

// Both icons of a window. The window is asked at most once, and only when
// `mayAsk` (a window that did not answer the hung test is not asked).
WindowIcons FetchWindowIcons(platform::WindowApi& windows, platform::WindowHandle window,
                             bool mayAsk);

}  // namespace apps
