// TViewForm, the "选择列" dialog: its label, one check box per offered column and the "确定" and
// "取消" buttons, placed as the Processes page's column chooser is laid out. The
// decisions are ColumnChooser's.
#pragma once
#include <windows.h>

#include <array>

#include "procs/column_chooser.h"
#include "procs/processes_page.h"
#include "ui/modal_form_win32.h"
#include "ui/timer_hold.h"

namespace procs {

class TViewForm final : private ui::ModalForm {
 public:
  static constexpr UINT kFirstBoxId = 1001;  // CheckBox1; the others follow in order

  TViewForm(ProcessesPage& page, ui::UpdateTimer& timer);
  // N10Click: shown modally over the main window, in its font.
  void ShowModal(HWND owner, HFONT font);

 private:
  void FormCreate() override;
  void Clicked(UINT id) override;

  ColumnChooser chooser_;
  std::array<HWND, kChooserBoxCount> boxes_{};
};

}  // namespace procs
