// The notification-area icon: a small bar meter of the total CPU usage with the
// tip "CPU 使用：NN%" and, below it, the busiest process of the tick. The icon is
// added at start-up, asked for again now and then until the notification area
// takes it, added again when the taskbar is (re)created, and removed on closing.
// Nothing goes to a taskbar that does not answer: what it would have been sent
// waits for a later update.
#pragma once
#include <functional>
#include <string>

#include "platform/notify_icon.h"
#include "procs/process_culprits.h"
#include "ui/raster.h"

namespace perf {

inline constexpr int kTrayWidth = 10;
inline constexpr int kTrayHeight = 20;

// "CPU 使用：" and the percentage with at least two digits, then "%"; the
// busiest process's "NAME NN%" on a second line when there is one.
std::wstring TrayTip(int percent, const procs::Culprit* busiest = nullptr);
// Width of the bright bar's pen, centred on the bottom edge.
int TrayBarPenWidth(int percent);

// Where the picture stands in a square icon of `size` pixels: as high as the
// icon and half as wide, centred; the columns either side show through.
struct TrayPicturePlace {
  int left, width;
};
TrayPicturePlace PlaceTrayPicture(int size);
// The 10 x 20 picture for one pen width (dark green, the bright bar rising from
// the bottom, a black frame) in a square icon of `size` pixels, its 20 rows scaled to the
// icon's height by whole pixels (never stretched by the system); the columns
// outside PlaceTrayPicture are black.
void DrawTrayPicture(ui::Raster& icon, int barPenWidth, int size);

class TrayIcon {
 public:
  // `pictureFor` gives the icon for a pen width; it stays valid for the run.
  TrayIcon(platform::NotifyIcon& area, std::function<platform::IconRef(int)> pictureFor);

  // Start-up, with the program's own icon and an empty tip. At sign-in the
  // shell may refuse it with no announcement to follow: while the icon is not
  // shown, every kAddRetry-th update asks for it again.
  void AddTrayIcon(platform::IconRef startIcon);
  // A new picture goes to the shell at once. A new tip alone is read only
  // while the icon is pointed at: it goes at once for a few updates after the
  // pointer moved over the icon, otherwise with the next picture or at the
  // latest at every kTipCatchUp-th update (for keyboard and screen-reader use).
  // A change the taskbar was too busy to take goes at the next update.
  void UpdateTrayIcon(int percent, const procs::Culprit* busiest = nullptr);
  // The pointer moved over the icon: a tip that waits goes now.
  void Pointed();
  // The taskbar was created (again): the icon is added as it is now.
  void TaskbarCreated();
  void DeleteTrayIcon();

  static constexpr int kPointedUpdates = 5;
  static constexpr int kTipCatchUp = 5;
  static constexpr int kAddRetry = 5;

  bool Shown() const { return shown_; }
  platform::IconRef Icon() const { return icon_; }
  const std::wstring& Tip() const { return tip_; }

 private:
  void SendAdd();
  void SendModify();

  platform::NotifyIcon& area_;
  std::function<platform::IconRef(int)> pictureFor_;
  platform::IconRef icon_ = nullptr;
  std::wstring tip_;
  std::wstring sentTip_;  // the tip the shell holds
  int updatesSinceSent_ = 0;
  int pointedUpdatesLeft_ = 0;
  int updatesSinceAddTried_ = 0;
  bool modifyOwed_ = false;  // a change the taskbar did not answer in time for
  bool shown_ = false;
  bool deleted_ = false;
};

}  // namespace perf
