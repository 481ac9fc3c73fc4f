// TOpenForm, the Create New Task dialog ("创建新任务"): the user types or browses
// for the name of a program, folder, document or Internet resource, and "确定"
// hands it to the shell. Made anew, empty, each time it is opened.
#pragma once
#include <windows.h>

#include "platform/shell_api.h"
#include "ui/modal_form_win32.h"

namespace app {

class TOpenForm final : public ui::ModalForm {
 public:
  enum Control : UINT { kTaskName = 0x400, kOk, kCancel, kBrowse };

  explicit TOpenForm(platform::ShellApi& shell) : shell_(shell) {}
  // Creates the dialog, hidden, owned by `owner`.
  bool Create(HWND owner, HFONT font);

  HWND cmb_TaskName() const { return taskName_; }
  HWND btn_Ok() const { return ok_; }
  HWND btn_Cancel() const { return cancel_; }
  HWND btn_Brow() const { return browse_; }

  void cmb_TaskNameChange();
  void btn_BrowClick();
  void btn_OkClick();

 private:
  void OnCommand(UINT id, UINT code, HWND control) override;

  platform::ShellApi& shell_;
  HWND taskName_ = nullptr;
  HWND ok_ = nullptr;
  HWND cancel_ = nullptr;
  HWND browse_ = nullptr;
};

}  // namespace app
