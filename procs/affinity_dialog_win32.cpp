// The affinity dialog's layout and buttons.
#include "procs/affinity_dialog_win32.h"

#include <algorithm>

#include "procs/affinity.h"

namespace procs {

namespace {

constexpr int kMargin = 15, kLabelHeight = 15, kBoxHeight = 18, kBoxWidth = 70;
constexpr int kRowsPerColumn = 8;
constexpr int kButtonWidth = 75, kButtonHeight = 25, kButtonGap = 13;

int Columns(std::size_t boxes) {
  return std::max(1, static_cast<int>((boxes + kRowsPerColumn - 1) / kRowsPerColumn));
}
int Rows(std::size_t boxes) {
  return std::clamp(static_cast<int>(boxes), 1, kRowsPerColumn);
}
int ClientWidth(std::size_t boxes) {
  return std::max(2 * kMargin + 2 * kButtonWidth + kButtonGap + 60,
                  2 * kMargin + Columns(boxes) * kBoxWidth);
}
int BoxesTop() { return kMargin + kLabelHeight + 8; }
int ButtonTop(std::size_t boxes) { return BoxesTop() + Rows(boxes) * kBoxHeight + 12; }

}  // namespace

std::optional<std::vector<bool>> AffinityDialog::Choose(const std::vector<bool>& current) {
  checked_ = current;
  confirmed_ = false;
  ShowModal(owner_, font_, L"处理器关系", ClientWidth(current.size()),
            ButtonTop(current.size()) + kButtonHeight + kMargin);
  if (!confirmed_) return std::nullopt;
  return checked_;
}

void AffinityDialog::FormCreate() {
  const int width = ClientWidth(checked_.size());
  AddControl(L"STATIC", L"哪些处理器允许运行此进程？", SS_LEFT, kMargin, kMargin,
             width - 2 * kMargin, kLabelHeight, 0);
  boxes_.clear();
  for (std::size_t i = 0; i < checked_.size(); ++i) {
    const int column = static_cast<int>(i) / kRowsPerColumn;
    const int row = static_cast<int>(i) % kRowsPerColumn;
    HWND box = AddControl(L"BUTTON", ProcessorCaption(static_cast<int>(i)),
                          WS_TABSTOP | BS_AUTOCHECKBOX, kMargin + column * kBoxWidth,
                          BoxesTop() + row * kBoxHeight, kBoxWidth - 4, kBoxHeight - 1,
                          kFirstBoxId + static_cast<UINT>(i));
    SendMessageW(box, BM_SETCHECK, checked_[i] ? BST_CHECKED : BST_UNCHECKED, 0);
    boxes_.push_back(box);
  }
  const int top = ButtonTop(checked_.size());
  const int cancelLeft = width - kMargin - kButtonWidth;
  ok_ = AddControl(L"BUTTON", L"确定", WS_TABSTOP | BS_DEFPUSHBUTTON,
                   cancelLeft - kButtonGap - kButtonWidth, top, kButtonWidth, kButtonHeight, IDOK);
  AddControl(L"BUTTON", L"取消", WS_TABSTOP | BS_PUSHBUTTON, cancelLeft, top, kButtonWidth,
             kButtonHeight, IDCANCEL);
  EnableWindow(ok_, AnyChecked());
}

bool AffinityDialog::AnyChecked() const {
  return std::any_of(boxes_.begin(), boxes_.end(), [](HWND box) {
    return SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
  });
}

void AffinityDialog::Clicked(UINT id) {
  if (id == IDOK) {
    if (!AnyChecked()) return;  // Enter while no processor is checked
    for (std::size_t i = 0; i < boxes_.size(); ++i)
      checked_[i] = SendMessageW(boxes_[i], BM_GETCHECK, 0, 0) == BST_CHECKED;
    confirmed_ = true;
    Close(IDOK);
  } else if (id == IDCANCEL) {
    Close(IDCANCEL);
  } else if (id >= kFirstBoxId && id < kFirstBoxId + boxes_.size()) {
    EnableWindow(ok_, AnyChecked());
  }
}

}  // namespace procs
