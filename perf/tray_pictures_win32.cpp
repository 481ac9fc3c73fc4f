// Builds the tray icons from the portable pictures: a 32-bit colour bitmap and
// an all-opaque mask per icon; the bitmaps go as soon as the icon holds a copy.
#include "perf/tray_pictures_win32.h"

#include <algorithm>

#include "perf/tray_icon.h"
#include "ui/raster.h"

namespace perf {

using platform::win32::UniqueBitmap;

TrayPictures::TrayPictures() {
  // A monochrome row is padded to 16 bits: 2 bytes per row, all 0 (opaque).
  const BYTE mask[2 * kTrayHeight] = {};
  ui::Raster picture;
  for (int pen = kFirstPen; pen <= kLastPen; ++pen) {
    DrawTrayPicture(picture, pen);
    UniqueBitmap color(CreateBitmap(kTrayWidth, kTrayHeight, 1, 32, picture.Pixels()));
    UniqueBitmap monochrome(CreateBitmap(kTrayWidth, kTrayHeight, 1, 1, mask));
    if (!color || !monochrome) continue;
    ICONINFO info{};
    info.fIcon = TRUE;
    info.hbmMask = monochrome.get();
    info.hbmColor = color.get();
    icons_[static_cast<std::size_t>(pen - kFirstPen)].reset(CreateIconIndirect(&info));
  }
}

HICON TrayPictures::IconFor(int barPenWidth) const {
  const int pen = std::clamp(barPenWidth, kFirstPen, kLastPen);
  return icons_[static_cast<std::size_t>(pen - kFirstPen)].get();
}

}  // namespace perf
