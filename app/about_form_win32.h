// TAboutForm, the About box ("关于"): what the program is, how to report a fault,
// and its version number.
#pragma once
#include <windows.h>

#include "ui/modal_form_win32.h"

namespace app {

class TAboutForm final : public ui::ModalForm {
 public:
  enum Control : UINT { kOk = 0x420 };

  // Creates the box, hidden, owned by `owner`.
  bool Create(HWND owner, HFONT font);
  HWND BitBtn1() const { return ok_; }

 private:
  void OnCommand(UINT id, UINT code, HWND control) override;

  HWND ok_ = nullptr;
};

}  // namespace app
