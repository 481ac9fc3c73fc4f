// Tip, picture and the add / modify / remove sequence of the notification icon.
#include "perf/tray_icon.h"

#include <cstdio>

namespace perf {

std::wstring TrayTip(int percent) {
  wchar_t digits[16];
  std::swprintf(digits, 16, L"%02d%%", percent);
  return L"CPU 使用：" + std::wstring(digits);
}

int TrayBarPenWidth(int percent) { return percent / 4 + 8; }

void DrawTrayPicture(ui::Raster& picture, int barPenWidth) {
  picture.SetSize(kTrayHeight, kTrayWidth);
  picture.Fill(ui::kDarkGreen);
  // A pen this wide centred on the bottom edge covers half its width above it.
  picture.FillRect(0, kTrayHeight - barPenWidth / 2, kTrayWidth, kTrayHeight, ui::kBrightGreen);
  // The 4-pixel frame lines lie on the edges: two pixels of each fall inside.
  picture.FillRect(0, 0, 2, kTrayHeight, ui::kBlack);
  picture.FillRect(kTrayWidth - 2, 0, kTrayWidth, kTrayHeight, ui::kBlack);
  picture.FillRect(0, 0, kTrayWidth, 2, ui::kBlack);
  picture.FillRect(0, kTrayHeight - 2, kTrayWidth, kTrayHeight, ui::kBlack);
}

TrayIcon::TrayIcon(platform::NotifyIcon& area,
                   std::function<platform::IconRef(int)> pictureFor)
    : area_(area), pictureFor_(std::move(pictureFor)) {}

void TrayIcon::AddTrayIcon(platform::IconRef startIcon) {
  icon_ = startIcon;
  tip_.clear();
  shown_ = area_.AddIcon(icon_, tip_);
}

void TrayIcon::UpdateTrayIcon(int percent) {
  if (deleted_) return;
  platform::IconRef icon = pictureFor_(TrayBarPenWidth(percent));
  std::wstring tip = TrayTip(percent);
  if (icon == icon_ && tip == tip_) return;
  icon_ = icon;
  tip_ = std::move(tip);
  if (shown_) area_.ModifyIcon(icon_, tip_);
}

void TrayIcon::TaskbarCreated() {
  if (deleted_) return;
  shown_ = area_.AddIcon(icon_, tip_);
}

void TrayIcon::DeleteTrayIcon() {
  if (shown_) area_.RemoveIcon();
  shown_ = false;
  deleted_ = true;
}

}  // namespace perf

