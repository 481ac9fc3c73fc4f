// Places for cascaded and tiled windows.
#include "apps/window_arrangement.h"

#include <algorithm>

namespace apps {

using platform::ScreenRect;

std::vector<ScreenRect> ArrangedPlaces(Arrangement arrangement, const ScreenRect& area,
                                       const std::vector<ScreenRect>& current) {
  std::vector<ScreenRect> places;
  const int count = static_cast<int>(current.size());
  if (count == 0 || area.Width() <= 0 || area.Height() <= 0) return places;
  places.reserve(current.size());
  if (arrangement == Arrangement::kCascade) {
    // Each window keeps its size as far as the area allows; after half the
    // area's height the cascade starts again at the top.
    const int perRun = std::max(1, area.Height() / 2 / kCascadeStep);
    for (int i = 0; i < count; ++i) {
      const int offset = (i % perRun) * kCascadeStep;
      const int left = area.left + offset;
      const int top = area.top + offset;
      const int width = std::clamp(current[i].Width(), 1, std::max(1, area.right - left));
      const int height = std::clamp(current[i].Height(), 1, std::max(1, area.bottom - top));
      places.push_back({left, top, left + width, top + height});
    }
    return places;
  }
  // Equal strips, the last one taking what the division leaves over.
  const bool rows = arrangement == Arrangement::kTileHorizontal;
  const int length = rows ? area.Height() : area.Width();
  for (int i = 0; i < count; ++i) {
    const int from = length * i / count;
    const int to = length * (i + 1) / count;
    places.push_back(rows ? ScreenRect{area.left, area.top + from, area.right, area.top + to}
                          : ScreenRect{area.left + from, area.top, area.left + to, area.bottom});
  }
  return places;
}

void ArrangeByHand(platform::WindowApi& windows,
                   const std::vector<platform::WindowHandle>& handles, Arrangement arrangement) {
  std::vector<ScreenRect> current;
  current.reserve(handles.size());
  for (const auto handle : handles) current.push_back(windows.Bounds(handle));
  const auto places = ArrangedPlaces(arrangement, windows.WorkArea(), current);
  for (std::size_t i = 0; i < places.size(); ++i) windows.Move(handles[i], places[i]);
}

}  // namespace apps
