// The "关系设置" dialog: one check box per processor ("CPU 0", "CPU 1", ...) in
// columns of eight, and "确定", which stays unavailable while none is checked.
#pragma once
#include <windows.h>

#include <vector>

#include "procs/processes_page.h"
#include "ui/modal_form_win32.h"

namespace procs {

class AffinityDialog final : public AffinityChooser, private ui::ModalForm {
 public:
  static constexpr UINT kFirstBoxId = 1101;  // CPU 0

  AffinityDialog(HWND owner, HFONT font) : owner_(owner), font_(font) {}
  std::optional<std::vector<bool>> Choose(const std::vector<bool>& current) override;

 private:
  void FormCreate() override;
  void Clicked(UINT id) override;
  bool AnyChecked() const;

  HWND owner_;
  HFONT font_;
  std::vector<bool> checked_;
  std::vector<HWND> boxes_;
  HWND ok_ = nullptr;
  bool confirmed_ = false;
};

}  // namespace procs
