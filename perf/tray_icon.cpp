// Tip, picture and the add / modify / remove sequence of the notification icon.
#include "perf/tray_icon.h"

#include <cstdio>

#include "perf/graph_tips.h"

namespace perf {

std::wstring TrayTip(int percent, const procs::Culprit* busiest) {
  wchar_t digits[16];
  std::swprintf(digits, 16, L"%02d%%", percent);
  std::wstring tip = L"CPU 使用：" + std::wstring(digits);
  if (const std::wstring line = BusiestLine(busiest); !line.empty()) tip += L"\n" + line;
  return tip;
}

int TrayBarPenWidth(int percent) { return percent / 4 + 8; }

namespace {

// Rows of the 20-row picture at `height` rows, rounded; what exists stays.
int ScaleRows(int rows, int height) {
  const int scaled = (rows * height + kTrayHeight / 2) / kTrayHeight;
  return rows > 0 && scaled < 1 ? 1 : scaled;
}

void DrawBarInFrame(ui::Raster& picture, int left, int width, int height, int barPenWidth) {
  const int right = left + width;
  picture.FillRect(left, 0, right, height, ui::kDarkGreen);
  // A pen this wide centred on the bottom edge covers half its width above it.
  picture.FillRect(left, height - ScaleRows(barPenWidth / 2, height), right, height,
                   ui::kBrightGreen);
  // The 4-pixel frame lines lie on the edges: two pixels of each fall inside.
  const int frame = ScaleRows(2, height);
  picture.FillRect(left, 0, left + frame, height, ui::kBlack);
  picture.FillRect(right - frame, 0, right, height, ui::kBlack);
  picture.FillRect(left, 0, right, frame, ui::kBlack);
  picture.FillRect(left, height - frame, right, height, ui::kBlack);
}

}  // namespace

TrayPicturePlace PlaceTrayPicture(int size) {
  const int width = (size + 1) / 2;
  return {(size - width) / 2, width};
}

void DrawTrayPicture(ui::Raster& icon, int barPenWidth, int size) {
  icon.SetSize(size, size);
  icon.Fill(ui::kBlack);
  const TrayPicturePlace place = PlaceTrayPicture(size);
  DrawBarInFrame(icon, place.left, place.width, size, barPenWidth);
}

TrayIcon::TrayIcon(platform::NotifyIcon& area,
                   std::function<platform::IconRef(int)> pictureFor)
    : area_(area), pictureFor_(std::move(pictureFor)) {}

void TrayIcon::AddTrayIcon(platform::IconRef startIcon) {
  icon_ = startIcon;
  tip_.clear();
  SendAdd();
}

void TrayIcon::UpdateTrayIcon(int percent, const procs::Culprit* busiest) {
  if (deleted_) return;
  // Each picture is sent as soon as the taskbar answers, so the one before is
  // what the shell holds unless a change is owed.
  const platform::IconRef icon = pictureFor_(TrayBarPenWidth(percent));
  const bool newPicture = icon != icon_;
  icon_ = icon;
  tip_ = TrayTip(percent, busiest);
  ++updatesSinceSent_;
  const bool tipDue = tip_ != sentTip_ &&
                      (pointedUpdatesLeft_ > 0 || updatesSinceSent_ >= kTipCatchUp);
  if (pointedUpdatesLeft_ > 0) --pointedUpdatesLeft_;
  if (!shown_) {
    if (++updatesSinceAddTried_ >= kAddRetry) SendAdd();
  } else if (newPicture || tipDue || modifyOwed_) {
    SendModify();
  }
}

void TrayIcon::Pointed() {
  pointedUpdatesLeft_ = kPointedUpdates;
  if (tip_ != sentTip_) SendModify();
}

void TrayIcon::SendAdd() {
  updatesSinceAddTried_ = 0;
  if (!area_.ShellAnswers()) return;
  shown_ = area_.AddIcon(icon_, tip_);
  if (!shown_) return;
  sentTip_ = tip_;
  updatesSinceSent_ = 0;
  modifyOwed_ = false;
}

void TrayIcon::SendModify() {
  if (!shown_ || deleted_) return;
  modifyOwed_ = !area_.ShellAnswers();
  if (modifyOwed_) return;
  area_.ModifyIcon(icon_, tip_);
  sentTip_ = tip_;
  updatesSinceSent_ = 0;
}

void TrayIcon::TaskbarCreated() {
  if (deleted_) return;
  // The new taskbar holds no icon of ours.
  shown_ = false;
  SendAdd();
}

void TrayIcon::DeleteTrayIcon() {
  // A taskbar that does not answer drops the icon itself once this window is gone.
  if (shown_ && area_.ShellAnswers()) area_.RemoveIcon();
  shown_ = false;
  deleted_ = true;
}

}  // namespace perf
