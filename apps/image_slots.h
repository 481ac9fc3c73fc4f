// Places in the page's two image lists. A window with an icon holds one place,
// the same index in the large and the small list; the place of a window that has
// gone is handed to the next one, so the lists never grow past the most windows
// shown at once.
#pragma once
#include <vector>

namespace apps {

class ImageSlots {
 public:
  // The lowest free place.
  int Take();
  void Release(int slot);
  int InUse() const;
  int Size() const { return static_cast<int>(used_.size()); }

 private:
  std::vector<bool> used_;
};

}  // namespace apps
