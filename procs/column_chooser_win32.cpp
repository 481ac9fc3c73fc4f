// The column chooser's controls and its two buttons.
#include "procs/column_chooser_win32.h"

namespace procs {

namespace {

constexpr int kLeftX = 15, kRightX = 150, kBoxHeight = 17;
constexpr int kLeftWidth = 133, kRightWidth = 137;
constexpr int kButtonWidth = 75, kButtonHeight = 25;

// The boxes stand in two columns of rows 17¼ pixels apart: the left column is
// filled downwards, then the right one upwards from its bottom row. The dialog
// was drawn for 13 rows and grows by the rows beyond.
constexpr std::size_t kDrawnRows = 13;
constexpr std::size_t kRows = (kChooserBoxCount + 1) / 2;
constexpr int RowOffset(std::size_t row) { return static_cast<int>(row * 69 / 4); }
constexpr int kGrowth = RowOffset(kRows) - RowOffset(kDrawnRows);
constexpr int kClientWidth = 292, kClientHeight = 295 + kGrowth;
constexpr int kButtonTop = 262 + kGrowth;

struct BoxPlace {
  int x, y, width;
};

BoxPlace PlaceOfBox(std::size_t box) {
  if (box < kRows) return {kLeftX, 32 + RowOffset(box), kLeftWidth};
  return {kRightX, 31 + RowOffset(kRows - 1 - (box - kRows)), kRightWidth};
}

}  // namespace

TViewForm::TViewForm(ProcessesPage& page, ui::UpdateTimer& timer) : chooser_(page, timer) {}

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
    const ColumnSpec& box = ChooserBoxes()[b];
    const DWORD style = WS_TABSTOP | BS_AUTOCHECKBOX | (box.fixed ? WS_DISABLED : 0);
    const BoxPlace place = PlaceOfBox(b);
    boxes_[b] = AddControl(L"BUTTON", box.caption, style, place.x, place.y, place.width,
                           kBoxHeight, kFirstBoxId + static_cast<UINT>(b));
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
    Close(IDCANCEL);
  }
}

}  // namespace procs
