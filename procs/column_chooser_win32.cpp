// The column chooser's controls and its two buttons.
#include "procs/column_chooser_win32.h"

namespace procs {

namespace {

constexpr int kClientWidth = 292, kClientHeight = 295;
constexpr int kLeftX = 15, kRightX = 150, kBoxHeight = 17;
constexpr int kLeftWidth = 133, kRightWidth = 137;
constexpr int kButtonTop = 262, kButtonWidth = 75, kButtonHeight = 25;

}  // namespace

TViewForm::TViewForm(ProcessesPage& page, app::RefreshCycle& cycle) : chooser_(page, cycle) {}

void TViewForm::ShowModal(HWND owner, HFONT font) {
  ModalForm::ShowModal(owner, font, L"选择列", kClientWidth, kClientHeight);
}

void TViewForm::FormCreate() {
  AddControl(L"STATIC", L"请选择“泽恩特”进程页上将显示的列。", SS_LEFT, 15, 10, 270, 15, 0);
  AddControl(L"BUTTON", L"确定", WS_TABSTOP | BS_DEFPUSHBUTTON, 112, kButtonTop, kButtonWidth,
             kButtonHeight, IDOK);
  AddControl(L"BUTTON", L"取消", WS_TABSTOP | BS_PUSHBUTTON, 200, kButtonTop, kButtonWidth,
             kButtonHeight, IDCANCEL);
  for (std::size_t b = 0; b < kChooserBoxCount; ++b) {
    const ChooserBox& box = ChooserBoxes()[b];
    const DWORD style = WS_TABSTOP | BS_AUTOCHECKBOX | (box.fixed ? WS_DISABLED : 0);
    boxes_[b] = AddControl(L"BUTTON", box.caption, style, box.rightSide ? kRightX : kLeftX,
                           box.top, box.rightSide ? kRightWidth : kLeftWidth, kBoxHeight,
                           kFirstBoxId + static_cast<UINT>(b));
    SendMessageW(boxes_[b], BM_SETCHECK, chooser_.Checked(b) ? BST_CHECKED : BST_UNCHECKED, 0);
  }
}

void TViewForm::Clicked(UINT id) {
  if (id == IDOK) {
    for (std::size_t b = 0; b < kChooserBoxCount; ++b)
      chooser_.SetChecked(b, SendMessageW(boxes_[b], BM_GETCHECK, 0, 0) == BST_CHECKED);
    chooser_.BitBtn1Click();
    Close(IDOK);
  } else if (id == IDCANCEL) {
    chooser_.BitBtn2Click();
    Close(IDCANCEL);
  }
}

}  // namespace procs
