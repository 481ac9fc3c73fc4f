// The icon fallback chain: class icon of the size, the class's large icon, then
// the icon the window answers with.
#include "apps/window_icon.h"

#include "apps/window_collector.h"

namespace apps {

WindowIcons FetchWindowIcons(platform::WindowApi& windows, platform::WindowHandle window,
                             bool mayAsk) {
  WindowIcons icons;
  icons.large = windows.ClassIcon(window, false);
  icons.small = windows.ClassIcon(window, true);
  if (icons.small == 0) icons.small = icons.large;
  if (icons.large != 0) return icons;
  // No class icon of either size: the window's own, asked once for both lists.
  const platform::IconHandle asked = mayAsk ? windows.AskIcon(window, kAnswerTimeoutMs) : 0;
  icons.large = asked;
  if (icons.small == 0) icons.small = asked;
  return icons;
}

}  // namespace apps
