// Builds the tray icon from the portable picture: a 32-bit colour bitmap with no
// alpha, and a mask that lets the screen show through either side of the picture;
// the bitmaps go as soon as the icon holds a copy.
#include "perf/tray_pictures_win32.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "perf/tray_icon.h"

namespace perf {

using platform::win32::UniqueBitmap;

HICON TrayPictures::IconFor(int barPenWidth, int size) {
  const int pen = std::clamp(barPenWidth, kFirstPen, kLastPen);
  size = std::clamp(size, 8, 256);  // a system metric out of all reason
  if (current_ && pen == pen_ && size == size_) return current_.get();

  // Neighbouring bar heights often come out as the same pixels at a small size:
  // then the icon the system already shows stays (a new one costs the shell and
  // the window's frame a repaint).
  DrawTrayPicture(drawn_, pen, size);
  const std::size_t count = static_cast<std::size_t>(size) * size;
  if (current_ && size == size_ && std::equal(drawn_.Pixels(), drawn_.Pixels() + count,
                                              shown_.begin())) {
    pen_ = pen;
    return current_.get();
  }
  // A monochrome row is padded to 16 bits; a set bit is transparent.
  const int stride = (size + 15) / 16 * 2;
  std::vector<BYTE> mask(static_cast<std::size_t>(stride * size), 0);
  const TrayPicturePlace place = PlaceTrayPicture(size);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      if (x >= place.left && x < place.left + place.width) continue;
      mask[static_cast<std::size_t>(y * stride + x / 8)] |= static_cast<BYTE>(0x80 >> (x % 8));
    }
  }
  UniqueBitmap color(CreateBitmap(size, size, 1, 32, drawn_.Pixels()));
  UniqueBitmap monochrome(CreateBitmap(size, size, 1, 1, mask.data()));
  if (!color || !monochrome) return current_.get();  // the old picture, tried again next time
  ICONINFO info{};
  info.fIcon = TRUE;
  info.hbmMask = monochrome.get();
  info.hbmColor = color.get();
  platform::win32::UniqueIcon icon(CreateIconIndirect(&info));
  if (!icon) return current_.get();
  previous_ = std::move(current_);
  current_ = std::move(icon);
  pen_ = pen;
  size_ = size;
  shown_.assign(drawn_.Pixels(), drawn_.Pixels() + count);
  return current_.get();
}

}  // namespace perf
