// Lowest-first allocation of image-list places.
#include "apps/image_slots.h"

#include <algorithm>

namespace apps {

int ImageSlots::Take() {
  const auto free = std::find(used_.begin(), used_.end(), false);
  const auto slot = static_cast<int>(free - used_.begin());
  if (free == used_.end()) {
    used_.push_back(true);
  } else {
    *free = true;
  }
  return slot;
}

void ImageSlots::Release(int slot) {
  if (slot >= 0 && slot < Size()) used_[static_cast<std::size_t>(slot)] = false;
}

int ImageSlots::InUse() const {
  return static_cast<int>(std::count(used_.begin(), used_.end(), true));
}

}  // namespace apps
